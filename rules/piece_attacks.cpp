#include "rules/piece_attacks.h"

#include "board/config_cache.h"
#include "board/console.h"
#include "board/rays.h"
#include "rules/directions.h"
#include "rules/slides.h"
#include "rules/tournament_walks.h"

namespace torvik {
namespace {

// The 3D builder's probe: marks the slot's bit on the squares reached.
struct AttackProbe {
  Position& pos;
  uint32_t bit;
  int Code(Square s) const { return pos.board[s]; }
  void Mark(Square s) { pos.attackedBy[s] |= bit; }
};

// One step in each direction; in the 3D game every square of the step.
template <std::size_t N>
void MarkSteps(Position& pos, uint32_t bit, Square from, const std::array<int, N>& directions) {
  if (Is3D(pos)) {  // the configuration's table looked up once for all the steps
    const RayTable& rays = ConfigOf(pos).rays;
    for (int d : directions) {
      const RayEntry& list = rays[RayListIndex(ray_detail::SlotOf(d), from)];
      for (int i = 0; i < list.count; ++i) pos.attackedBy[list.squares[i]] |= bit;
    }
    return;
  }
  for (int d : directions) {
    RayList list;
    GetRay(pos, from, d, list);
    for (int i = 0; i < list.count; ++i) pos.attackedBy[list.squares[i]] |= bit;
  }
}

template <std::size_t N>
void MarkSlides(Position& pos, int slot, Square from, const std::array<int, N>& directions) {
  if (!Is3D(pos)) {
    for (int d : directions) Slide2D(pos, slot, from, d);
    return;
  }
  AttackProbe probe{pos, SlotBit(slot)};
  for (int d : directions) Slide3D(pos, from, d, probe);
}

// Rooks and queens on an attack board: the lines across empty pins.
void MarkWalks(Position& pos, int slot, int code, Square from) {
  if (!WalksAcrossPins(pos, code, from)) return;
  AttackProbe probe{pos, SlotBit(slot)};
  TournamentWalks(pos, from, code, WalkMode::kAttack, probe);
}

}  // namespace

void GeneratePieceAttacks(Position& pos, int slot) {
  pos.eval.recomputeMask |= SlotBit(slot);
  const PieceEntry piece = pos.pieces[slot];
  if (!IsSquare(piece.square)) return;
  const uint32_t bit = SlotBit(slot);
  switch (TypeOf(piece.code)) {
    case kPawn:
      MarkSteps(pos, bit, piece.square, piece.code > 0 ? kWhitePawnCaptures : kBlackPawnCaptures);
      break;
    case kKnight:
      MarkSteps(pos, bit, piece.square, kKnightDirections);
      break;
    case kBishop:
      MarkSlides(pos, slot, piece.square, kBishopDirections);
      break;
    case kRook:
      MarkSlides(pos, slot, piece.square, kRookDirections);
      MarkWalks(pos, slot, piece.code, piece.square);
      break;
    case kQueen:
      MarkSlides(pos, slot, piece.square, kBishopDirections);
      MarkSlides(pos, slot, piece.square, kRookDirections);
      MarkWalks(pos, slot, piece.code, piece.square);
      break;
    case kKing:
      MarkSteps(pos, bit, piece.square, kKingDirections);
      break;
    default:
      Warn(true, "unknown pi in piece generate");
  }
}

}  // namespace torvik
