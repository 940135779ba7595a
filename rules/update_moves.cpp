// Bringing the attack maps up to date after a plain piece move.
//
// In the 2D game only the pieces the move can affect are worked on: the mover,
// the captured piece, and the sliders whose lines (attacks or x-rays) ran
// through the two squares the move changed. Their bits are taken out of the
// parent's maps and their reach is generated again on the new board; every
// other piece's reach cannot have changed. In the 3D game a line's blocking
// depends on squares it does not mark, so the maps are rebuilt whole.
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "rules/make_move.h"
#include "rules/piece_attacks.h"
#include "rules/regen.h"

namespace torvik {
namespace {

// The evaluation looks at pawn structure: pawns on the files around a pawn that
// moved or was taken are marked for recomputing.
void MarkPawnFiles(Position& child, const Position& parent, const Move& move) {
  const int f = ColumnOf(move.from), t = ColumnOf(move.to);
  int low, high;
  if (TypeOf(move.piece) == kPawn) {
    low = std::min(f, t) - 1;
    high = std::max(f, t) + 1;
  } else if (TypeOf(parent.board[move.to]) == kPawn) {
    low = t - 1;
    high = t + 1;
  } else {
    return;
  }
  for (int slot : {8, 9, 10, 11, 12, 13, 14, 15, 24, 25, 26, 27, 28, 29, 30, 31}) {
    const PieceEntry& e = child.pieces[slot];
    const int pawn = slot < 16 ? kPawn : -kPawn;
    if (e.code == pawn && ColumnOf(e.square) >= std::max(low, 0) && ColumnOf(e.square) <= high)
      child.eval.recomputeMask |= SlotBit(slot);
  }
}

// to[s] = from[s] & keep for every square, two squares to a 64-bit word.
void KeepBits(std::array<uint32_t, kSquareCount>& to, const std::array<uint32_t, kSquareCount>& from,
              uint32_t keep) {
  const uint64_t both = uint64_t(keep) << 32 | keep;
  for (Square s = 0; s < kSquareCount; s += 2) {
    uint64_t pair;
    std::memcpy(&pair, &from[s], sizeof pair);
    pair &= both;
    std::memcpy(&to[s], &pair, sizeof pair);
  }
}

}  // namespace

void UpdateMoves(Position& child, const Position& parent, const Move& move) {
  const Square f = move.from, t = move.to;
  if (Is3D(child) || !IsSquare(f) || !IsSquare(t) || child.slotOf[t] == kNoSlot) {
    RegenAttackMaps(child);
    return;
  }
  const int mover = child.slotOf[t];
  uint32_t gone = SlotBit(mover);
  if (parent.board[t] != 0) gone |= SlotBit(parent.slotOf[t]);
  const uint32_t crossing =
      parent.attackedBy[f] | parent.attackedBy[t] | parent.xrayBy[f] | parent.xrayBy[t];
  const uint32_t redo = crossing & child.sliderMask & child.occupiedMask & ~gone;
  const uint32_t keep = ~(gone | redo);
  KeepBits(child.attackedBy, parent.attackedBy, keep);
  KeepBits(child.xrayBy, parent.xrayBy, keep);
  for (uint32_t m = redo | SlotBit(mover); m; m &= m - 1) GeneratePieceAttacks(child, std::countr_zero(m));
  MarkPawnFiles(child, parent, move);
}

}  // namespace torvik
