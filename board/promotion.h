// Promotion: where a pawn promotes, and which piece it becomes.
#pragma once

#include "board/geometry.h"
#include "board/move.h"
#include "board/piece.h"
#include "board/position.h"

namespace torvik {

// The pins at the two ends of the board: a board at the near end (QL1, KL1)
// carries black pawns onto their last rank, one at the far end (QL6, KL6) white's.
constexpr bool IsNearEndPin(int pin) { return pin == 32 || pin == 56; }
constexpr bool IsFarEndPin(int pin) { return pin == 39 || pin == 63; }

// The piece type (knight..queen) a promotion makes. A move whose kind names a
// piece ('Q', 'R', 'B', 'N') makes that piece; any other kind makes a queen and
// the kind becomes 'Q'.
int GetPromotedPiece(Move& move);

// 1 when moving attack board `boardCode` to the move's destination pin carries a
// pawn onto its last rank.
int BoardMovePromotes(const Position& pos, int boardCode, const Move& move);

// 1 when a pawn of `piece`'s colour moving to square `to` of the 3D board promotes.
int PawnPromotes3D(const Position& pos, int piece, Square to);

// 1 when moving `piece` to `to` promotes it: in 2D a pawn reaching its last
// rank, in 3D as PawnPromotes3D says; a board move promotes the pawn it
// carries. Inline: every generated move asks.
inline int IsPromotion(const Position& pos, int piece, Square to, const Move& move) {
  if (TypeOf(piece) != kPawn) return BoardIndexOfCode(piece) >= 0 ? BoardMovePromotes(pos, piece, move) : 0;
  if (!IsSquare(to)) return 0;
  if (!Is3D(pos)) return RowOf(to) == (piece > 0 ? 7 : 0);
  return PawnPromotes3D(pos, piece, to);
}

}  // namespace torvik
