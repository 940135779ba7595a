#include "rules/child_keys.h"

#include "board/geometry.h"
#include "board/hash_keys.h"
#include "board/promotion.h"
#include "rules/make_move_steps.h"

namespace torvik {
namespace {

struct KeyWalk {
  PositionKeys k;
  void Piece(int code, Square square) {
    k.key ^= kHashKeys.primary[code + 6][square];
    k.lock ^= kHashKeys.lock[code + 6][square];
  }
  void Board(int which_ab, int pin) {
    const int p = PinIndex(pin);
    if (p < 0) return;
    k.key ^= kHashKeys.boardPrimary[which_ab][p];
    k.lock ^= kHashKeys.boardLock[which_ab][p];
  }
  void Rights(uint32_t before, uint32_t after) { k.key ^= (before ^ after) << 16; }
  void Ep(Square before, Square after) { k.key ^= (uint32_t(before) ^ uint32_t(after)) << 8; }
};

// The board changes pins, drops the en-passant square and the rights it carries
// away, and may promote the pawn it carries.
void BoardMoveKeys(const Position& parent, Move move, int which_ab, KeyWalk& w) {
  if (PinIndex(move.to) < 0 || WhichABOnPin(parent, move.to) != kNoSquare) return;
  w.Board(which_ab, parent.pins[which_ab]);
  w.Board(which_ab, move.to);
  w.Ep(parent.epSquare, 0);
  const uint32_t before = parent.flags & kCastleRights;
  w.Rights(before, before & ~RightsCarried(parent, which_ab));
  if (!BoardMovePromotes(parent, move.piece, move)) return;
  const Square s = CarriedPromotion(parent, which_ab, move.to);
  if (s == kNoSquare) return;
  const int pawn = parent.board[s];
  w.Piece(pawn, s);
  w.Piece(GetPromotedPiece(move) * Sign(pawn), s);
}

void PieceMoveKeys(const Position& parent, Move move, KeyWalk& w) {
  const Square from = move.from, to = move.to;
  const int mover = IsSquare(from) ? parent.board[from] : 0;
  if (mover == 0 || !IsSquare(to)) return;
  bool captured = parent.board[to] != 0;
  if (captured) w.Piece(parent.board[to], to);
  w.Piece(mover, from);
  if (const Square victim = EnPassantVictim(parent, mover, move); victim != kNoSquare) {
    w.Piece(parent.board[victim], victim);
    captured = true;
  }
  int arrives = mover;
  if (TypeOf(mover) == kPawn && IsPromotion(parent, mover, to, move)) arrives = GetPromotedPiece(move) * Sign(mover);
  w.Piece(arrives, to);
  w.Ep(parent.epSquare, EpSquareAfter(parent, mover, move));
  const uint32_t before = parent.flags & kCastleRights;
  if (!before) return;
  if (RookShift r; CastlingRookShift(parent, mover, move, r)) {
    const int rook = Sign(mover) * kRook;
    if (parent.board[r.from] == rook) {
      if (r.from != to) w.Piece(rook, r.from);  // else the king took it off already
      w.Piece(rook, r.to);
    }
  }
  w.Rights(before, CastlingRightsAfter(parent, mover, move, captured));
}

}  // namespace

PositionKeys ChildKeys(const Position& parent, const Move& move) {
  KeyWalk w{{parent.hashKey, parent.hashLock}};
  const int which_ab = BoardIndexOfCode(move.piece);
  if (which_ab >= 0) BoardMoveKeys(parent, move, which_ab, w);
  else PieceMoveKeys(parent, move, w);
  w.k.key ^= 1;
  return w.k;
}

}  // namespace torvik
