// The evasion generator's guarantee. In the 3D game a check can be answered in
// more ways than along one line: a slider is blocked level by level, a square
// vacated or filled anywhere on its way can turn its slide aside, and the
// Tournament walks cross empty pins. A move that changes none of the squares a
// checker's reach of the king depends on leaves the king attacked, so every
// piece move that touches such a square of each checker (or takes it) is listed.
#include <bit>

#include "rules/evasion.h"
#include "rules/generate_steps.h"
#include "rules/pawn_pushes.h"
#include "rules/slider_reach.h"

namespace torvik {
namespace {

// What a move must touch to answer one checker: `to` among `landing` (the
// checker's square or its path), or `from` on the path.
struct Answer {
  uint64_t landing = 0;
  uint64_t path = 0;
};

struct Answers {
  std::array<Answer, kSideSlots> of{};
  int count = 0;

  bool By(Square from, Square to) const {
    for (int i = 0; i < count; ++i)
      if (!((of[i].landing >> to) & 1) && !((of[i].path >> from) & 1)) return false;
    return true;
  }
};

// False when no checker slides: then only taking it answers, and that is listed.
bool CollectAnswers(const Evasion& e, Answers& out) {
  uint64_t anyPath = 0;
  for (uint32_t slots = e.checkers; slots && out.count < kSideSlots; slots &= slots - 1) {
    const int slot = std::countr_zero(slots);
    const PieceEntry& c = e.pos.pieces[slot];
    const uint64_t path = IsSlider(c.code) ? ReachPath(e.pos, slot, e.king) : 0;
    out.of[out.count++] = {path | (uint64_t{1} << c.square), path};
    anyPath |= path;
  }
  return anyPath != 0;
}

}  // namespace

void AddPathMoves(Evasion& e) {
  const Position& pos = e.pos;
  Answers answers;
  if (!CollectAnswers(e, answers)) return;
  for (Square s = 0; s < kSquareCount; ++s) {
    const char kind = pos.board[s] != 0 ? kCapture : kPlain;
    for (uint32_t slots = MapMovers(pos, s, e.mover); slots; slots &= slots - 1) {
      const PieceEntry& p = pos.pieces[std::countr_zero(slots)];
      if (TypeOf(p.code) != kKing && answers.By(p.square, s)) AddOnce(e, p.code, p.square, s, kind);
    }
  }
  const int base = e.side > 0 ? 0 : kSideSlots;
  for (int slot = base; slot < base + kSideSlots; ++slot) {
    const PieceEntry& p = pos.pieces[slot];
    if (TypeOf(p.code) != kPawn || !IsSquare(p.square)) continue;
    PawnTargets targets;
    const int n = PawnPushTargets(pos, p.square, p.code, targets);
    for (int i = 0; i < n; ++i)
      if (answers.By(p.square, targets.squares[i])) AddOnce(e, p.code, p.square, targets.squares[i], kPlain);
  }
}

}  // namespace torvik
