// The start positions of both games.
#pragma once

#include "board/position.h"

namespace torvik {

// Empties `pos` but for its rules and key history and puts the start position
// of `mode` on its board (pieces, pins, owners, castling rights). The piece
// list and everything derived are left for the rebuild.
void PlaceStartPosition(Position& pos, int mode);

// Empties the cache of ray tables; called before every new game.
void ResetBoardHashes();

}  // namespace torvik
