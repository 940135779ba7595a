// The capture search: victims most valuable first, each taken by its cheapest
// attacker first, the other side answering on the board left behind. The
// pieces move on the board and in the piece list and are put back.
#include "board/line_tables.h"
#include "board/piece_values.h"
#include "board/rays.h"
#include "engine/eval_terms.h"
#include "engine/score.h"
#include "engine/tactics.h"

namespace torvik {
namespace {

static_assert(kPieceValues[kPawn] < kPieceValues[kKnight] && kPieceValues[kKnight] < kPieceValues[kBishop] &&
                  kPieceValues[kBishop] < kPieceValues[kRook] && kPieceValues[kRook] < kPieceValues[kQueen] &&
                  kPieceValues[kQueen] < kPieceValues[kKing],
              "the victim loop's masks take piece values to rise with the type code");

// What the search needs of the position beyond its board, worked out once per
// outermost call. Piece values rise with the type code, so the pieces worth
// less than a bound are those of the types below some type.
struct Sweep {
  Position& pos;
  std::array<uint32_t, kKing + 2> below{};  // [t]: the slots of pieces of type < t
  std::array<uint32_t, 2> present{};         // by side, the slots of its pieces on the board
  uint32_t sliders = 0;                      // the slots of the sliders on the board
  uint32_t attacked = 0;                     // the slots of pieces some enemy piece attacks
  const LineTables* lines = nullptr;         // 2D: the board's lines
};

Sweep MakeSweep(Position& pos) {
  Sweep s{pos};
  std::array<uint32_t, kKing + 1> ofType{};
  for (uint32_t m = pos.occupiedMask; m; m &= m - 1) {
    const int slot = std::countr_zero(m);
    const PieceEntry& p = pos.pieces[slot];
    if (p.code == 0) continue;
    ofType[TypeOf(p.code)] |= SlotBit(slot);
    const uint32_t enemy = slot < kSideSlots ? kBlackSlots : kWhiteSlots;
    if (pos.attackedBy[p.square] & enemy & pos.occupiedMask) s.attacked |= SlotBit(slot);
  }
  for (int t = kPawn; t <= kKing + 1; ++t) s.below[t] = s.below[t - 1] | ofType[t - 1];
  for (int side : {kWhite, kBlack}) s.present[side] = kViews[side].own & pos.occupiedMask;
  s.sliders = pos.sliderMask & pos.occupiedMask;
  if (!Is3D(pos)) s.lines = &LineTablesOf(pos);
  return s;
}

// The slots of the pieces worth less than `bound`.
uint32_t WorthLess(const Sweep& s, int32_t bound) {
  int t = kPawn;
  while (t <= kKing && kPieceValues[t] < bound) ++t;
  return s.below[t];
}

// A sequence of captures so far, as the side to capture next sees it.
struct Line {
  uint32_t targets;  // the pieces it may capture
  uint32_t live;     // of them, those that may be under attack: attacked at the
                     // start, or moved or come under attack since
  uint32_t used;     // the pieces that moved or were captured
  int32_t standPat;  // its material difference
};

int32_t Captures(Sweep& sweep, int side, const Line& line, int32_t gamma, bool top);

// Attack bits a capture added (the 2D x-ray step), to take off again.
struct AddedAttacks {
  std::array<Square, kSlots> squares;
  std::array<uint32_t, kSlots> bits;
  int count = 0;
};

// 2D: own sliders that attacked `from` now see through it to the next piece.
void ExtendLines(Sweep& sweep, const View& v, Square from, Line& line, AddedAttacks& added) {
  Position& pos = sweep.pos;
  const LineTables& lines = *sweep.lines;
  for (uint32_t m = pos.attackedBy[from] & v.own & sweep.sliders & ~line.used; m; m &= m - 1) {
    const int slider = std::countr_zero(m);
    const PieceEntry& s = pos.pieces[slider];
    const int d = lines.lineDir[s.square][from];
    if (!IsSlider(s.code) || d == 0) continue;
    const auto& step = ray_detail::kSteps2D[ray_detail::SlotOf(d)];
    int at = from;
    do {
      at = step[at];
    } while (at >= 0 && pos.board[at] == 0);
    if (at < 0) continue;
    const uint32_t bit = SlotBit(slider);
    if (!(pos.attackedBy[at] & bit)) {
      pos.attackedBy[at] |= bit;
      added.squares[added.count] = at;
      added.bits[added.count++] = bit;
    }
    if (pos.board[at] * v.sign < 0) {
      line.targets |= SlotBit(pos.slotOf[at]);
      line.live |= SlotBit(pos.slotOf[at]);
    }
  }
}

// `attacker` takes `victim`, the other side answers; the result is from v's
// view. Inlined into the victim loop: the recursion then costs one call a capture.
[[gnu::always_inline]] inline int32_t TryCapture(Sweep& sweep, const View& v, int attacker, int victim, Line line,
                                                 int32_t gamma) {
  Position& pos = sweep.pos;
  PieceEntry& a = pos.pieces[attacker];
  PieceEntry& t = pos.pieces[victim];
  const Square from = a.square, to = t.square;
  const int victimCode = t.code;
  pos.board[from] = 0;
  pos.slotOf[from] = kNoSlot;
  pos.board[to] = a.code;
  pos.slotOf[to] = uint8_t(attacker);
  a.square = to;
  t.code = 0;
  AddedAttacks added;
  line.used |= SlotBit(attacker);
  line.targets |= SlotBit(attacker);
  line.live |= SlotBit(attacker);
  if (sweep.lines) ExtendLines(sweep, v, from, line, added);
  const uint32_t left = ~SlotBit(victim);
  const Line reply{line.targets & left, line.live & left, line.used | SlotBit(victim),
                   -(line.standPat + PieceValue(victimCode))};
  const int32_t result = -Captures(sweep, v.side ^ 1, reply, 1 - gamma, false);
  for (int i = 0; i < added.count; ++i) pos.attackedBy[added.squares[i]] &= ~added.bits[i];
  t.code = victimCode;
  a.square = from;
  pos.slotOf[to] = uint8_t(victim);
  pos.board[to] = victimCode;
  pos.slotOf[from] = uint8_t(attacker);
  pos.board[from] = a.code;
  return result;
}

void StoreBest(Position& pos, int attacker, Square to) {
  const PieceEntry& a = pos.pieces[attacker];
  pos.bestMove = Move{a.square, to, kNoScore, a.code, kCapture, 0, {0, 0}};
}

// The victims in slot order (most valuable first, promoted pawns aside). The
// loop ends at the first target worth too little to reach gamma even for
// nothing, so it visits only the targets before that one, and of them only the
// live ones (a piece no enemy attacks has no capture to try).
int32_t Captures(Sweep& sweep, int side, const Line& line, int32_t gamma, bool top) {
  Position& pos = sweep.pos;
  const View& v = kViews[side];
  int32_t best = line.standPat;
  if (best >= gamma) return best;
  const uint32_t ready = sweep.present[side] & ~line.used;  // the pieces still free to capture
  const uint32_t poor = line.targets & v.enemy & WorthLess(sweep, gamma - line.standPat);
  const uint32_t end = poor & (0u - poor);  // the first target too poor, or 0
  for (uint32_t victims = line.live & v.enemy & (end - 1); victims; victims &= victims - 1) {
    const int victim = std::countr_zero(victims);
    const Square to = pos.pieces[victim].square;
    for (uint32_t m = pos.attackedBy[to] & ready; m;) {
      const int attacker = 31 - std::countl_zero(m);
      m &= ~SlotBit(attacker);
      if (pos.pieces[attacker].code == 0) continue;
      best = std::max(best, TryCapture(sweep, v, attacker, victim, line, gamma));
      if (best >= gamma) {
        if (top) StoreBest(pos, attacker, to);
        return best;
      }
    }
  }
  return end ? std::max(best, line.standPat + PieceValue(pos.pieces[std::countr_zero(end)].code)) : best;
}

// The line an outermost call starts from: `side` to capture, the material as it stands.
Line FirstLine(const Sweep& sweep, int side, uint32_t targets, uint32_t used) {
  const Position& pos = sweep.pos;
  const int32_t standPat = pos.eval.material[side] - pos.eval.material[side ^ 1];
  return Line{targets, targets & sweep.attacked, used, standPat};
}

}  // namespace

int32_t CaptureSearch(Position& pos, int side, uint32_t targets, uint32_t used, int32_t gamma, bool top) {
  Sweep sweep = MakeSweep(pos);
  return Captures(sweep, side, FirstLine(sweep, side, targets, used), gamma, top);
}

int CaptureOutcome(Position& pos) {
  Sweep sweep = MakeSweep(pos);  // the same board for both sides' searches
  const auto wins = [&](int side) {
    const Line all = FirstLine(sweep, side, pos.occupiedMask, 0);
    const int32_t gamma = all.standPat + kCaptureGain;
    return Captures(sweep, side, all, gamma, true) >= gamma;
  };
  const int mover = WhiteToMove(pos) ? kWhite : kBlack;
  return wins(mover) ? 1 : wins(mover ^ 1) ? -1 : 0;
}

}  // namespace torvik
