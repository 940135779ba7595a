// Castling in both games: the rook's move, the castled marks, and the rights
// that a king's or rook's move (or a capture on a rook's square) takes away.
#include <array>

#include "board/castling.h"
#include "board/console.h"
#include "board/hash_keys.h"
#include "board/pieces.h"
#include "rules/make_move.h"
#include "rules/make_move_steps.h"

namespace torvik {
namespace {

// The side's squares, as castling.h gives them.
const CastlingSquares& SquaresOf(const Position& pos, int side) { return CastlingSquaresOf(pos.gameMode, side); }

// The rook's part of a castling move.
void MoveRook(MoveStep& s, int king, const CastlingSquares& c) {
  Position& child = s.child;
  const Square to = s.move.to;
  const bool isShort = to == c.shortTarget;
  if (!Is3D(child)) {
    const Square rookFrom = isShort ? c.shortRook : c.longRook;
    if (child.board[rookFrom] == Sign(king) * kRook)
      MovePiece(child, child.slotOf[rookFrom], isShort ? c.shortRookTo : c.longRookTo);
  } else if (isShort) {
    // The rook was taken off its square by the king; it returns in its own slot.
    if (s.capturedSlot >= 0) PlacePiece(child, Sign(king) * kRook, c.shortRookTo, s.capturedSlot);
    else Warn(false, king > 0 ? "w" : "b");
  } else if (child.board[c.longRook] == Sign(king) * kRook) {
    MovePiece(child, child.slotOf[c.longRook], c.longRookTo);
  } else {
    Warn(false, king > 0 ? "w" : "b");
  }
  s.fullCheck = true;
}

bool IsCastling(const MoveStep& s, int king, const CastlingSquares& c) {
  if (s.move.from != c.kingHome) return false;
  if (Is3D(s.child))
    return (s.move.kind == kShortCastle && s.move.to == c.shortTarget) ||
           (s.move.kind == kLongCastle && s.move.to == c.longTarget);
  return TypeOf(king) == kKing && (s.move.to == c.shortTarget || s.move.to == c.longTarget);
}

}  // namespace

void RecogniseCastling(MoveStep& s, int mover) {
  if (!Is3D(s.child) || s.move.from != SquaresOf(s.child, mover).kingHome) return;
  const CastlingSquares& c = SquaresOf(s.child, mover);
  const uint32_t rights = s.parent.flags;
  if (s.move.to == c.shortTarget && (rights & c.shortRight)) s.move.kind = kShortCastle;
  if (s.move.to == c.longTarget && (rights & c.longRight)) s.move.kind = kLongCastle;
}

void UpdateCastling(MoveStep& s, int mover) {
  Position& child = s.child;
  const uint32_t before = child.flags & kCastleRights;
  child.hashKey ^= before << 16;
  const CastlingSquares& own = SquaresOf(child, mover);
  const CastlingSquares& enemy = SquaresOf(child, -mover);
  if (TypeOf(mover) == kKing) {
    if (IsCastling(s, mover, own)) MoveRook(s, mover, own);
    if (s.move.from == own.kingHome && (s.move.to == own.shortTarget || s.move.to == own.longTarget))
      child.flags |= own.castled;
    child.flags &= ~(own.shortRight | own.longRight);
  }
  if (TypeOf(mover) == kRook) {
    if (s.move.from == own.shortRook) child.flags &= ~own.shortRight;
    if (s.move.from == own.longRook) child.flags &= ~own.longRight;
  }
  if (s.captured) {
    if (s.move.to == enemy.shortRook) child.flags &= ~enemy.shortRight;
    if (s.move.to == enemy.longRook) child.flags &= ~enemy.longRight;
  }
  const uint32_t after = child.flags & kCastleRights;
  child.hashKey ^= after << 16;
  if (after != (s.parent.flags & kCastleRights)) s.fullCheck = true;
}

}  // namespace torvik
