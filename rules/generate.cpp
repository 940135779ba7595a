#include "rules/generate.h"

#include <bit>

#include "board/geometry.h"
#include "board/promotion.h"
#include "board/rays.h"
#include "rules/board_moves.h"
#include "rules/castling.h"
#include "rules/en_passant.h"
#include "rules/make_move.h"
#include "rules/piece_lines.h"

namespace torvik {

void AddMapMoves(const Position& pos, MoveSink& sink) {
  const uint32_t mover = MoverSlots(pos);
  for (Square s = 0; s < kSquareCount; ++s) {
    const char kind = pos.board[s] != 0 ? kCapture : kPlain;
    for (uint32_t slots = MapMovers(pos, s, mover); slots; slots &= slots - 1) {
      const PieceEntry& p = pos.pieces[std::countr_zero(slots)];
      if (!KingBarred(pos, p.code, s)) Append(sink, p.code, p.square, s, kind);
    }
  }
}

void AddPawnPushes(const Position& pos, MoveSink& sink) {
  const int base = WhiteToMove(pos) ? 0 : kSideSlots;
  for (int slot = base; slot < base + kSideSlots; ++slot) {
    const PieceEntry& p = pos.pieces[slot];
    if (TypeOf(p.code) != kPawn || !IsSquare(p.square)) continue;
    PawnTargets targets;
    const int n = PawnPushTargets(pos, p.square, p.code, targets);
    for (int i = 0; i < n; ++i) Append(sink, p.code, p.square, targets.squares[i], kPlain);
  }
}

void AddBoardMoves(const Position& pos, int boardCode, MoveSink& sink) {
  sink.count += GenAtBoMoves(pos, boardCode, sink.list, sink.count);
}

namespace {

// 2D: whether a pawn of the side to move stands one step from its last rank,
// the only place a promotion starts from.
bool MayPromote2D(const Position& pos) {
  const bool white = WhiteToMove(pos);
  const int pawn = white ? kPawn : -kPawn, row = white ? 6 : 1;
  for (int column = 0; column < 8; ++column)
    if (pos.board[MakeSquare(column, row)] == pawn) return true;
  return false;
}

}  // namespace

void AddPromotionVariants(const Position& pos, MoveSink& sink, int begin) {
  if (!Is3D(pos) && !MayPromote2D(pos)) return;
  const int end = sink.count;
  for (int i = begin; i < end; ++i) {
    const Move m = sink.list[i];
    if (TypeOf(m.piece) != kPawn && m.piece < kBoardCodes[0]) continue;
    if (!IsPromotion(pos, m.piece, m.to, m)) continue;
    for (char kind : {kPromoteQueen, kPromoteBishop, kPromoteRook, kPromoteKnight})
      Append(sink, m.piece, m.from, m.to, kind);
  }
}

int GenerateMoves(Position& pos, MoveList& list) {
  MoveSink sink{list};
  AddMapMoves(pos, sink);
  if (!Is3D(pos)) {
    AddEnPassant2D(pos, sink);
    AddCastling2D(pos, sink);
  } else {
    AddEnPassant3D(pos, sink);
    AddCastling3D(pos, sink);
  }
  AddPawnPushes(pos, sink);
  if (Is3D(pos))
    for (int code : kBoardCodes) AddBoardMoves(pos, code, sink);
  AddPromotionVariants(pos, sink);
  return sink.count;
}

int GenerateAll(Position& pos, MoveList& list) {
  return (pos.flags & kInCheck) ? GenerateEvasions(pos, list) : GenerateMoves(pos, list);
}

// The double step belongs to the square, not to the piece-list slot: a white
// pawn on row 1, a black pawn on row 6, so that a position rebuilt from a board
// keeps it. A pawn on an attack board has it only while that board is home.
bool MayDoubleStep(const Position& pos, Square from, int code) {
  if (RowOf(from) != (code > 0 ? 1 : 6)) return false;
  if (!Is3D(pos)) return true;
  const int board = BoardOfSquare(from);
  return board < 0 || IsAttackBoardHome(pos, kBoardCodes[board]) == 1;
}

int PawnPushTargets(const Position& pos, Square from, int code, PawnTargets& out) {
  out.count = 0;
  const int forward = PawnForward(code);
  RayList ahead;
  GetRay(pos, from, forward, ahead);
  std::array<bool, kLevelCount> open;
  open.fill(true);
  bool blocked = false;
  for (int i = 0; i < ahead.count; ++i) {
    const Square f = ahead.squares[i];
    if (pos.board[f] != 0) {
      open[LevelOfSquare(pos, f)] = false;
      blocked = true;
    } else {
      out.squares[out.count++] = f;
    }
  }
  if (!MayDoubleStep(pos, from, code)) return out.count;
  if (blocked && Is3D(pos) && pos.rules == kTournament) return out.count;
  for (int i = 0; i < ahead.count; ++i) {
    const Square f = ahead.squares[i];
    if (pos.board[f] != 0) continue;
    RayList beyond;
    GetRay(pos, f, forward, beyond);
    for (int j = 0; j < beyond.count; ++j) {
      const Square t = beyond.squares[j];
      if (pos.board[t] == 0 && open[LevelOfSquare(pos, t)]) out.squares[out.count++] = t;
    }
  }
  return out.count;
}

bool PawnPushesTo(const Position& pos, Square from, Square to) {
  PawnTargets targets;
  const int n = PawnPushTargets(pos, from, pos.board[from], targets);
  for (int i = 0; i < n; ++i)
    if (targets.squares[i] == to) return true;
  return false;
}

}  // namespace torvik
