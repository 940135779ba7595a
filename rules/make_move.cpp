#include "rules/make_move.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "board/console.h"
#include "board/geometry.h"
#include "board/hash_keys.h"
#include "board/pieces.h"
#include "board/promotion.h"
#include "rules/attack_maps.h"
#include "rules/board_moves.h"
#include "rules/castling.h"
#include "rules/en_passant.h"

namespace torvik {

namespace {

static_assert(std::is_trivially_copyable_v<Position> && std::is_standard_layout_v<Position>);

// Copy-make copies the leading fields only: the board, the pieces, the keys,
// the masks and the evaluation's terms. The maps are rebuilt or updated.
void CopyLeading(Position& child, const Position& parent) {
  std::memcpy(static_cast<void*>(&child), &parent, offsetof(Position, attackedBy));
}

constexpr uint32_t kClearedOnMove = kInCheck | kEvalCached | kFormerSearchMark | kTacticsCached;

bool KeepsKind(char kind) {
  switch (kind) {
    case kShortCastle: case kLongCastle:
    case kPromoteQueen: case kPromoteRook: case kPromoteBishop: case kPromoteKnight:
      return true;
    default:
      return false;
  }
}

void Promote(MoveStep& s, int mover) {
  int slot = s.child.slotOf[s.move.to];
  ChangePiece(s.child, slot, GetPromotedPiece(s.move) * Sign(mover));
  s.child.flags |= mover > 0 ? kWhitePromoted : kBlackPromoted;
  s.fullCheck = true;
}

void MakePieceMove(MoveStep& s) {
  Position& child = s.child;
  const Square from = s.move.from, to = s.move.to;
  const int mover = IsSquare(from) ? child.board[from] : 0;
  if (mover == 0 || !IsSquare(to) || child.slotOf[from] == kNoSlot) {
    Warn(true, "bad piece @ DoMove");
    return;
  }
  const int slot = child.slotOf[from];
  s.move.piece = mover;  // a move may come with only its squares
  if (TypeOf(mover) == kKing) RecogniseCastling(s, mover);
  if (child.board[to] != 0) {
    s.captured = true;
    s.capturedSlot = child.slotOf[to];
    RemovePiece(child, s.capturedSlot);
    if (!KeepsKind(s.move.kind)) s.move.kind = kCapture;
  }
  MovePiece(child, slot, to);
  if (TypeOf(mover) == kPawn) {
    if (s.parent.epSquare) CaptureEnPassant(s, mover);
    if (IsPromotion(child, mover, to, s.move)) Promote(s, mover);
  }
  SetEpSquare(s, mover);
  if (s.parent.flags & kCastleRights) UpdateCastling(s, mover);
}

// Entries at the parent's ply and the next; the next is written again, whole,
// when a move is made from the child.
void RecordKeys(const MoveStep& s) {
  if (!s.child.history) return;
  s.child.history->Store(s.parent.ply, s.parent.hashKey);
  s.child.history->Store(s.parent.ply + 1, s.child.hashKey);
}

// The maps rebuilt whole; in the 3D game a piece that stepped onto or off an
// attack board may change its owner.
int RegenAfterMove(Position& child) {
  if (!RegenAttackMaps(child)) return 0;
  if (Is3D(child)) UpdateABOwners(child);
  return 1;
}

int MoverSide(const MoveStep& s, int which_ab) {
  if (which_ab >= 0) return s.parent.owners[which_ab] ? 1 : -1;
  int mover = IsSquare(s.move.from) ? s.parent.board[s.move.from] : 0;
  return mover != 0 ? Sign(mover) : (WhiteToMove(s.parent) ? 1 : -1);
}

int DoMoveFrom(Position& child, Position& parent, Move& move, bool inPlace) {
  MoveStep s{parent, child, move};
  if (!inPlace) CopyLeading(child, parent);
  ClearMove(child.bestMove);
  child.flags = parent.flags & ~kClearedOnMove;
  child.epSquare = parent.epSquare;
  const int which_ab = BoardIndexOfCode(move.piece);
  if (which_ab >= 0) MakeBoardMove(s, which_ab);
  else MakePieceMove(s);
  const bool pawnMove = which_ab < 0 && IsSquare(move.from) && TypeOf(parent.board[move.from]) == kPawn;
  child.halfmoveCount = s.captured || pawnMove ? 1 : parent.halfmoveCount + 1;
  RecordKeys(s);
  child.ply = parent.ply + 1;
  child.winner = parent.winner;
  child.previous = inPlace ? nullptr : &parent;
  child.hashKey ^= 1;
  child.lastMove = move;
  if (!s.fullCheck && !inPlace) {
    child.flags |= kMapsPending;
    return 1;
  }
  if (!RegenAfterMove(child)) return 0;
  child.flags &= ~kMapsPending;
  return KingTest(child, MoverSide(s, which_ab), move);
}

}  // namespace

int KingTest(Position& pos, int moverSide, Move& move) {
  const uint32_t onWhiteKing = pos.attackedBy[pos.pieces[kKingSlot].square];
  const uint32_t onBlackKing = pos.attackedBy[pos.pieces[kSideSlots + kKingSlot].square];
  const bool moverAttacked = moverSide > 0 ? (onWhiteKing & kBlackSlots) : (onBlackKing & kWhiteSlots);
  if (moverAttacked) return 0;
  const bool gives = moverSide > 0 ? (onBlackKing & kWhiteSlots) : (onWhiteKing & kBlackSlots);
  move.check = gives ? 1 : 0;
  pos.lastMove.check = move.check;
  if (gives) pos.flags |= kInCheck;
  return 1;
}

int DoMove(Position& child, Position& parent, Move& move) {
  if (&child == &parent) {
    Position copy = parent;  // the move is made in place from a copy
    return DoMoveFrom(child, copy, move, true);
  }
  return DoMoveFrom(child, parent, move, false);
}

int FinishMove(Position& child, Move& move) {
  if (!(child.flags & kMapsPending)) return 1;
  child.flags &= ~kMapsPending;
  if (!child.previous) {
    if (!RegenAfterMove(child)) return 0;
  } else {
    UpdateMoves(child, *child.previous, child.lastMove);
    if (Is3D(child)) UpdateABOwners(child);
  }
  return KingTest(child, WhiteToMove(child) ? -1 : 1, move);
}

int MakeMove(Position& child, Position& parent, Move& move) {
  return DoMove(child, parent, move) ? FinishMove(child, move) : 0;
}

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

void MakeNullMove(Position& pos) {
  pos.hashKey ^= uint32_t(pos.epSquare) << 8;
  pos.epSquare = 0;
  pos.ply += 1;
  pos.hashKey ^= 1;
}

}  // namespace torvik
