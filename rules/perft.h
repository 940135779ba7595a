// Counting move paths: every legal move a player could enter, to a given depth.
#pragma once

#include <cstdint>

#include "board/position.h"
#include "rules/move_list.h"

namespace torvik {

// The legal moves of the position as a player could enter them, each once: a
// move is its piece (or board), from, to and promotion piece. An unexpanded
// promotion is the queen's. Returns the count written into `out`.
int LegalMoves(Position& pos, MoveList& out);

// Number of move paths of `depth` plies from the position.
uint64_t Perft(Position& pos, int depth);

}  // namespace torvik
