// The end of the game before the side to move moves: the test the engine makes
// before it thinks, made too after a person's move when a person moves next.
#pragma once

#include <string>

#include "record/game.h"

namespace torvik {

// The result as a game score writes it: "1-0", "0-1", "1/2-1/2"; "*" while undecided.
const char* ResultCode(int winner);

// The result on the console: its words ("\nWhite is mated"), then the score on a line of its own.
void PrintResult(const std::string& words, int winner);

// True when the game is decided, under the game's lock. A game decided already
// says nothing more; one found decided now is announced (mate, stalemate, a
// draw), gets its winner, and the engine stops playing in it.
bool GameOver(Game& game);

// The test after a person's move, made only when a person moves next (the
// engine does not play that side, nor both): when the engine moves next it
// makes the test itself before it thinks.
void GameOverBeforePlayer(Game& game);

}  // namespace torvik
