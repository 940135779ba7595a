// Move generation for the side to move: pseudo-legal moves, read mostly off the
// attack maps. Whether a move leaves the mover's king attacked is tested by
// making it.
#pragma once

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

}  // namespace torvik
