// The static exchange evaluation: the material a capture wins or loses when
// both sides go on taking on its square, each with its least valuable
// attacker, and either side stops as soon as going on would cost it. It reads
// the attack maps as they stand, in both games; in the 2D game a slider lined
// up behind a slider of its side (the x-ray map) joins once that one has
// taken. Pins are not looked at, and a king takes only when nothing can take
// back.
#pragma once

#include <cstdint>

#include "board/piece_values.h"
#include "board/position.h"

namespace torvik {

// From the mover's view: the piece on `from` takes on `to` (empty or holding
// an enemy piece) and the exchange runs its course. The position's attack
// maps must be up to date.
int32_t StaticExchange(const Position& pos, Square from, Square to);

// The most that one of `attackers` (slots of the same side, on the board) wins
// by taking on `to` and letting the exchange run; 0 when none gains.
int32_t BestExchange(const Position& pos, uint32_t attackers, Square to);

// The piece on `from` takes the enemy piece on `to` and loses material once the
// exchange has run; a piece worth no more than its victim never does, and is
// not searched.
inline bool LosesByExchange(const Position& pos, Square from, Square to) {
  return PieceValue(pos.board[from]) > PieceValue(pos.board[to]) && StaticExchange(pos, from, to) < 0;
}

}  // namespace torvik
