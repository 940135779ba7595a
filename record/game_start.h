// A game begun somewhere other than the set-up: at a position typed or pasted
// in, or at the start of a game read from a file, with the moves read after it.
// The game is built beside the one in play and takes its place only whole.
#pragma once

#include <string>
#include <string_view>

#include "record/game.h"

namespace torvik {

// `gs` begins at `start` (its mode and rules become the game's): the set-up of
// the mode when `start` is that (no edited start), else an edited start at
// `start`'s own ply, whose key history no earlier ply can repeat. The record
// is emptied; every other setting of `gs` stays.
void BeginGameAt(GameState& gs, const Position& start);

// The game's start for undo in gs.position: the set-up of its mode, or the
// edited start. False when it cannot be rebuilt.
bool SetUpGameStart(GameState& gs);

// The game's history begins at the position now in `gs`: no ply before it
// can repeat it (the board editor's edits and BeginGameAt).
void StartKeyHistory(GameState& gs);

// Plays `move` (a legal move of gs.position, as the rules gave it) and records
// it. False, with the reason, when it is not legal or the record is full.
bool RecordMove(GameState& gs, Move move, std::string& error);

// The game built in `built` takes the place of the one in play: the engine's
// thread stopped, the state replaced (keeping the notation in effect), the
// engine's tables cleared, the game rebuilt at its last ply by undo 0 (the
// engine then not playing, its thread started again). The window's title
// becomes `title` unless it is empty.
void AdoptGame(Game& game, const GameState& built, const std::string& title);

// The position text (FEN in the 2D game, the 3D position text in the 3D game)
// of the position shown.
std::string GamePositionText(Game& game);

// Sets up the game at a position text of the game's mode, as a new game with
// that start. Refused, false with the reason in `error` and nothing changed.
bool SetUpPositionText(Game& game, std::string_view text, std::string& error);

}  // namespace torvik
