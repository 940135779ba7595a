#include "rules/castling.h"

#include <array>

#include "board/castling.h"
#include "board/console.h"
#include "board/pieces.h"
#include "rules/make_move.h"

namespace torvik {

namespace {

// One castling of a side: its right, the king's move and what it needs.
struct Castle {
  uint32_t right;
  Square king, to;
  char kind;
  const CastlingPath& empty;   // kNoSquare where unused
  const CastlingPath& unsafe;  // squares the opponent may not attack
  Square rook;                 // where the rook must stand
};

constexpr Square kNone = kNoSquare;

bool MayCastle(const Position& pos, const Castle& c, uint32_t enemy) {
  for (Square s : c.empty)
    if (s != kNone && pos.board[s] != 0) return false;
  for (Square s : c.unsafe)
    if (s != kNone && (pos.attackedBy[s] & enemy)) return false;
  return true;
}

// The two castlings of the side to move, short first.
std::array<Castle, 2> SideCastles(const Position& pos) {
  const CastlingSquares& q = CastlingSquaresOf(pos.gameMode, WhiteToMove(pos) ? 1 : -1);
  return {{{q.shortRight, q.kingHome, q.shortTarget, kShortCastle, q.shortEmpty, q.shortUnsafe, q.shortRook},
           {q.longRight, q.kingHome, q.longTarget, kLongCastle, q.longEmpty, q.longUnsafe, q.longRook}}};
}

}  // namespace

void AddCastling2D(const Position& pos, MoveSink& sink) {
  const bool white = WhiteToMove(pos);
  const int king = white ? kKing : -kKing;
  const uint32_t enemy = white ? kBlackSlots : kWhiteSlots;
  const int rook = white ? kRook : -kRook;
  const std::array<Castle, 2> castles = SideCastles(pos);
  for (int i = 0; i < 2; ++i) {
    const Castle& c = castles[i];
    if (!(pos.flags & c.right) || pos.board[c.king] != king || pos.board[c.rook] != rook) continue;
    if (!MayCastle(pos, c, enemy)) continue;
    Append(sink, king, c.king, c.to, c.kind, Fill::kKeep);
  }
}

void AddCastling3D(Position& pos, MoveSink& sink) {
  const bool white = WhiteToMove(pos);
  const int king = white ? kKing : -kKing;
  const uint32_t enemy = white ? kBlackSlots : kWhiteSlots;
  const std::array<Castle, 2> castles = SideCastles(pos);
  for (int i = 0; i < 2; ++i) {
    const Castle& c = castles[i];
    if (!(pos.flags & c.right)) continue;
    if (pos.board[c.king] != king || pos.board[c.rook] != (white ? kRook : -kRook)) {
      // The right is gone with its king or rook; the key holds the rights.
      pos.hashKey ^= (pos.flags & kCastleRights) << 16;
      pos.flags &= ~c.right;
      pos.hashKey ^= (pos.flags & kCastleRights) << 16;
      continue;
    }
    if (MayCastle(pos, c, enemy)) Append(sink, king, c.king, c.to, c.kind, Fill::kKeep);
  }
}

// Castling in both games: the rook's move, the castled marks, and the rights
// that a king's or rook's move (or a capture on a rook's square) takes away.
namespace {

// The side's squares, as castling.h gives them.
const CastlingSquares& SquaresOf(const Position& pos, int side) { return CastlingSquaresOf(pos.gameMode, side); }

// The rook's part of a castling move. In the 3D game the king castling short
// took its rook off its square; the rook returns in its own slot.
void MoveRook(MoveStep& s, int king, const RookShift& r) {
  Position& child = s.child;
  const int rook = Sign(king) * kRook;
  if (Is3D(child) && r.from == s.move.to) {
    if (s.capturedSlot >= 0) PlacePiece(child, rook, r.to, s.capturedSlot);
    else Warn(false, king > 0 ? "w" : "b");
  } else if (child.board[r.from] == rook) {
    MovePiece(child, child.slotOf[r.from], r.to);
  } else if (Is3D(child)) {
    Warn(false, king > 0 ? "w" : "b");
  }
  s.fullCheck = true;
}

}  // namespace

bool CastlingRookShift(const Position& parent, int mover, const Move& move, RookShift& out) {
  if (TypeOf(mover) != kKing || !(parent.flags & kCastleRights)) return false;
  const CastlingSquares& c = SquaresOf(parent, mover);
  if (move.from != c.kingHome) return false;
  const bool isShort = move.to == c.shortTarget, isLong = move.to == c.longTarget;
  if (Is3D(parent)) {
    // A king move from home onto a castling square castles while the right is held.
    const bool castles = (isShort && (move.kind == kShortCastle || (parent.flags & c.shortRight))) ||
                         (isLong && (move.kind == kLongCastle || (parent.flags & c.longRight)));
    if (!castles) return false;
  } else if (!isShort && !isLong) {
    return false;
  }
  out = isShort ? RookShift{c.shortRook, c.shortRookTo} : RookShift{c.longRook, c.longRookTo};
  return true;
}

uint32_t CastlingRightsAfter(const Position& parent, int mover, const Move& move, bool captured) {
  uint32_t flags = parent.flags;
  const CastlingSquares& own = SquaresOf(parent, mover);
  const CastlingSquares& enemy = SquaresOf(parent, -mover);
  if (TypeOf(mover) == kKing) flags &= ~(own.shortRight | own.longRight);
  if (TypeOf(mover) == kRook) {
    if (move.from == own.shortRook) flags &= ~own.shortRight;
    if (move.from == own.longRook) flags &= ~own.longRight;
  }
  if (captured) {
    if (move.to == enemy.shortRook) flags &= ~enemy.shortRight;
    if (move.to == enemy.longRook) flags &= ~enemy.longRight;
  }
  return flags & kCastleRights;
}

void RecogniseCastling(MoveStep& s, int mover) {
  RookShift r;
  if (!Is3D(s.child) || !CastlingRookShift(s.parent, mover, s.move, r)) return;
  s.move.kind = s.move.to == SquaresOf(s.child, mover).shortTarget ? kShortCastle : kLongCastle;
}

void UpdateCastling(MoveStep& s, int mover) {
  Position& child = s.child;
  const uint32_t before = child.flags & kCastleRights;
  const CastlingSquares& own = SquaresOf(child, mover);
  RookShift r;
  if (CastlingRookShift(s.parent, mover, s.move, r)) MoveRook(s, mover, r);
  if (TypeOf(mover) == kKing && s.move.from == own.kingHome &&
      (s.move.to == own.shortTarget || s.move.to == own.longTarget))
    child.flags |= own.castled;
  const uint32_t after = CastlingRightsAfter(s.parent, mover, s.move, s.captured);
  child.flags = (child.flags & ~kCastleRights) | after;
  child.hashKey ^= (before ^ after) << 16;
  if (after != (s.parent.flags & kCastleRights)) s.fullCheck = true;
}

}  // namespace torvik
