// En-passant captures of the side to move.
#pragma once

#include "board/position.h"
#include "rules/move_sink.h"

namespace torvik {

// 2D: the pawns beside the en-passant square's victim, the lower file first;
// kind 'e' for white, 'E' for black.
void AddEnPassant2D(const Position& pos, MoveSink& sink);

// 3D: every pawn one capture step away from the en-passant square takes to
// every empty square of that capture step (all of them share the square's
// place on the file/rank grid); kind 'e'. A value that is no square is reported
// and the en-passant square cleared.
void AddEnPassant3D(Position& pos, MoveSink& sink);

}  // namespace torvik
