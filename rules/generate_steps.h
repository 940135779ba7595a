// The steps the two generators share.
#pragma once

#include <cstdint>

#include "board/position.h"
#include "rules/move_sink.h"

namespace torvik {

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

}  // namespace torvik
