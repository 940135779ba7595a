#include "rules/make_move.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "board/console.h"
#include "board/geometry.h"
#include "board/hash_keys.h"
#include "board/pieces.h"
#include "board/promotion.h"
#include "rules/make_move_steps.h"
#include "rules/regen.h"

namespace torvik {
namespace {

static_assert(std::is_trivially_copyable_v<Position> && std::is_standard_layout_v<Position>);

// Copy-make copies the leading fields only: the board, the pieces, the keys,
// the masks and the evaluation's terms. The maps are rebuilt or updated.
void CopyLeading(Position& child, const Position& parent) {
  std::memcpy(static_cast<void*>(&child), &parent, offsetof(Position, attackedBy));
}

constexpr uint32_t kClearedOnMove = kInCheck | kEvalCached | kExtended | kTacticsCached;

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
  child.movesCache = {};
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
  if (Is3D(child) || !child.previous) {
    if (!RegenAfterMove(child)) return 0;
  } else {
    UpdateMoves(child, *child.previous, child.lastMove);
  }
  return KingTest(child, WhiteToMove(child) ? -1 : 1, move);
}

int MakeMove(Position& child, Position& parent, Move& move) {
  return DoMove(child, parent, move) ? FinishMove(child, move) : 0;
}

}  // namespace torvik
