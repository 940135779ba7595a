#include <bit>

#include "board/geometry.h"
#include "board/promotion.h"
#include "rules/board_moves.h"
#include "rules/castling_moves.h"
#include "rules/en_passant_moves.h"
#include "rules/generate.h"
#include "rules/generate_steps.h"
#include "rules/make_move.h"
#include "rules/pawn_pushes.h"

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

void AddPromotionVariants(const Position& pos, MoveSink& sink, int begin) {
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

}  // namespace torvik
