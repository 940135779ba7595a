// Setting up a new game of either mode.
#pragma once

#include "board/position.h"

namespace torvik {

struct GameState;

// Sets up a new game of gs.gameMode in gs.position and resets the game's
// settings that a new game resets. Returns 0 when the rebuild fails.
int NewGameSetup(GameState& gs);

// Fills `pos` with the start position of `mode` (board, pins, owners, flags)
// and rebuilds it. Returns 0 when the rebuild fails.
int SetStartPosition(Position& pos, int mode);

// Empties the cache of ray tables; called before every new game.
void ResetBoardHashes();

}  // namespace torvik
