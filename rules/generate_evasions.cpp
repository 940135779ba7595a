#include <bit>

#include "board/geometry.h"
#include "board/line_tables.h"
#include "rules/en_passant_moves.h"
#include "rules/evasion.h"
#include "rules/generate.h"
#include "rules/generate_steps.h"

namespace torvik {
namespace {

// K, the checkers and X. False when the mover has no king on its king slot or
// nothing attacks it: the position is then no check to answer.
bool FindCheckers(Evasion& e) {
  const Position& pos = e.pos;
  e.side = WhiteToMove(pos) ? 1 : -1;
  e.mover = MoverSlots(pos);
  e.enemy = EnemySlots(pos);
  const PieceEntry& king = pos.pieces[e.side > 0 ? kKingSlot : kSideSlots + kKingSlot];
  if (king.code != e.side * kKing || !IsSquare(king.square)) return false;
  e.king = king.square;
  e.checkers = pos.attackedBy[e.king] & e.enemy;
  if (e.checkers == 0) return false;
  e.checker = SingleCheck(e) ? pos.pieces[std::countr_zero(e.checkers)].square : e.king;
  return true;
}

// Every piece of the mover that attacks the single checker takes it.
void AddCheckerCaptures(Evasion& e) {
  const Position& pos = e.pos;
  for (uint32_t slots = pos.attackedBy[e.checker] & e.mover; slots; slots &= slots - 1) {
    const PieceEntry& p = pos.pieces[std::countr_zero(slots)];
    if (!KingBarred(pos, p.code, e.checker)) AddOnce(e, p.code, p.square, e.checker, kCapture, Fill::kKeep);
  }
}

// 2D: an en-passant capture answers a checker when it takes it (the pawn
// beside the en-passant square) or lands between it and the king.
bool EnPassantAnswers(const Evasion& e, Square ep) {
  const Square victim = ep - e.side;
  for (uint32_t slots = e.checkers; slots; slots &= slots - 1) {
    const PieceEntry& c = e.pos.pieces[std::countr_zero(slots)];
    const bool blocks = IsSlider(c.code) && IsBetween(e.pos, e.king, ep, c.square);
    if (c.square != victim && !blocks) return false;
  }
  return true;
}

void AddEnPassantEvasions2D(Evasion& e) {
  const int begin = e.sink.count;
  AddEnPassant2D(e.pos, e.sink);
  if (e.sink.count == begin || EnPassantAnswers(e, e.pos.epSquare)) return;
  e.sink.count = begin;
}

// 3D: the board under the king first, then the others.
void AddAllBoardMoves(Evasion& e) {
  const int own = BoardOfSquare(e.king);
  if (own >= 0) AddBoardMoves(e.pos, kBoardCodes[own], e.sink);
  for (int b = 0; b < kAttackBoards; ++b)
    if (b != own) AddBoardMoves(e.pos, kBoardCodes[b], e.sink);
}

}  // namespace

bool AddOnce(Evasion& e, int piece, Square from, Square to, char kind, Fill fill) {
  const uint64_t bit = uint64_t{1} << to;
  if (e.listed[from] & bit) return false;
  e.listed[from] |= bit;
  Append(e.sink, piece, from, to, kind, fill);
  return true;
}

// Captures of a single checker, en passant, blocks of a sliding checker, then
// (3D) the other moves that touch a checker's line and the attack-board moves,
// then the king's steps, and last the promotion variants.
int GenerateEvasions(Position& pos, MoveList& list) {
  Evasion e{pos, MoveSink{list}};
  if (!FindCheckers(e)) return GenerateMoves(pos, list);  // flagged, but no check to answer
  const bool single = SingleCheck(e);
  if (single) AddCheckerCaptures(e);
  if (Is3D(pos)) AddEnPassant3D(pos, e.sink);
  else AddEnPassantEvasions2D(e);
  if (single && IsSlider(pos.board[e.checker])) {
    if (Is3D(pos)) AddLineBlocks3D(e);
    else AddLineBlocks2D(e);
  }
  if (Is3D(pos)) {
    AddPathMoves(e);
    AddAllBoardMoves(e);
  }
  AddKingSteps(e);
  AddPromotionVariants(pos, e.sink);
  return e.sink.count;
}

}  // namespace torvik
