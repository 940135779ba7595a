// Attack-board moves: a board moves from pin to pin carrying what stands on it.
#pragma once

#include "board/position.h"
#include "rules/move_list.h"

namespace torvik {

// 1 when the board may move now. Under either rule set `direction` is the sum
// of the signed piece codes on the board: 0 empty, positive when it carries a
// white piece, negative for a black one.
int BoardCanMove(const Position& pos, int boardCode, int& direction);

// Appends the board's moves at list[at] onwards; returns how many it wrote.
int GenAtBoMoves(const Position& pos, int boardCode, MoveList& list, int at);

}  // namespace torvik
