// Castling of the side to move: the king's move, short before long.
#pragma once

#include "board/position.h"
#include "rules/move_sink.h"

namespace torvik {

// 2D: king e1-g1 / e1-c1 (e8-g8 / e8-c8), with the rook on its corner, over
// empty squares none of which, the king's own included, the opponent attacks.
void AddCastling2D(const Position& pos, MoveSink& sink);

// 3D: the king on its board's corner takes the rook's square (short) or the
// square beside it (long). A right whose king or rook is not home is cleared.
void AddCastling3D(Position& pos, MoveSink& sink);

}  // namespace torvik
