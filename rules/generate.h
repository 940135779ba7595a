// Move generation for the side to move: pseudo-legal moves, read mostly off the
// attack maps. Whether a move leaves the mover's king attacked is tested by
// making it.
#pragma once

#include <array>
#include <cstdint>

#include "board/position.h"
#include "rules/move_list.h"

namespace torvik {

// All pseudo-legal moves when the side to move is not in check; returns the
// count. May clear castling rights whose king or rook is not home.
int GenerateMoves(Position& pos, MoveList& list);

// The moves that can answer a check; returns the count.
int GenerateEvasions(Position& pos, MoveList& list);

// GenerateEvasions when the side to move is in check (flags bit 7), else GenerateMoves.
int GenerateAll(Position& pos, MoveList& list);

// The steps the two generators share.
// Slot masks of the side to move and of its opponent.
inline uint32_t MoverSlots(const Position& pos) { return WhiteToMove(pos) ? kWhiteSlots : kBlackSlots; }
inline uint32_t EnemySlots(const Position& pos) { return ~MoverSlots(pos); }

// The mover's slots that may go to square `s`, read off the attack map: none
// when s holds a piece of the mover, no pawns when it is empty.
inline uint32_t MapMovers(const Position& pos, Square s, uint32_t mover) {
  const int there = pos.board[s];
  if (there != 0 && (there > 0) == WhiteToMove(pos)) return 0;
  const uint32_t slots = pos.attackedBy[s] & mover;
  return there == 0 ? slots & pos.pieceMask : slots;
}

// 1 when the king may not step onto `s`: the opponent attacks it.
inline bool KingBarred(const Position& pos, int code, Square s) {
  return TypeOf(code) == kKing && (pos.attackedBy[s] & EnemySlots(pos)) != 0;
}

// Piece moves from the attack map, square 0..63, slot by slot.
void AddMapMoves(const Position& pos, MoveSink& sink);

// Every pawn push of the side to move, pawns in slot order.
void AddPawnPushes(const Position& pos, MoveSink& sink);

// The moves of one attack board.
void AddBoardMoves(const Position& pos, int boardCode, MoveSink& sink);

// For every move listed from `begin` on that promotes, four more records with
// kinds 'Q', 'B', 'R', 'N', appended at the end.
void AddPromotionVariants(const Position& pos, MoveSink& sink, int begin = 0);

// Pawn pushes: the straight steps of a pawn onto empty squares, and the double
// step from its starting square.
// Four single steps at most, then at most four squares beyond each of them.
struct PawnTargets {
  int count = 0;
  std::array<Square, 20> squares{};
};

// The pushes of the pawn `code` on `from`, in the order the generator lists
// them: every empty square of the forward step, then the double steps, a square
// once for each empty first-step square it is reached through.
int PawnPushTargets(const Position& pos, Square from, int code, PawnTargets& out);

// 1 when the pawn on `from` may push to `to`.
bool PawnPushesTo(const Position& pos, Square from, Square to);

// 1 when a pawn standing on `from` may make a double step at all.
bool MayDoubleStep(const Position& pos, Square from, int code);

}  // namespace torvik
