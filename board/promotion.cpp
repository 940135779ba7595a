#include "board/promotion.h"

#include "board/geometry.h"
#include "board/piece.h"
#include "board/rays.h"

namespace torvik {

int GetPromotedPiece(Move& move) {
  switch (move.kind) {
    case kPromoteRook: return kRook;
    case kPromoteBishop: return kBishop;
    case kPromoteKnight: return kKnight;
    default:
      move.kind = kPromoteQueen;
      return kQueen;
  }
}

// A fixed-level square with nothing ahead, or the far rank of an attack board
// at the far end.
int PawnPromotes3D(const Position& pos, int piece, Square to) {
  const bool white = piece > 0;
  if (const int b = BoardOfSquare(to); b >= 0) {
    const int pin = pos.pins[b];
    const bool farRank = (RowOf(to) & 1) == (white ? 1 : 0);
    return farRank && (white ? IsFarEndPin(pin) : IsNearEndPin(pin));
  }
  RayList ahead;
  return GetRay(pos, to, white ? 1 : -1, ahead) == 0;
}

int BoardMovePromotes(const Position& pos, int boardCode, const Move& move) {
  const int b = BoardIndexOfCode(boardCode);
  if (b < 0) return 0;
  const Square base = kBoardBase[b];
  if (IsNearEndPin(move.to)) return pos.board[base] == -kPawn || pos.board[base + 8] == -kPawn;
  if (IsFarEndPin(move.to)) return pos.board[base + 1] == kPawn || pos.board[base + 9] == kPawn;
  return 0;
}

}  // namespace torvik
