// Games in and out of the program as text: PGN for the 2D game, and the same
// form for the 3D game (its own Variant tag, its position text as the start,
// moves in the notation in effect). Failures are reported, never thrown.
#pragma once

#include <string>

#include "record/game.h"
#include "record/pgn.h"

namespace torvik {

constexpr const char* kPgnName = "torvik.pgn";  // where the dialogs start

// Writes the game, up to its last ply, to `name`: "\nExport NAME ... complete\n"
// on the console, or the reason; the player is told (TellPlayer). True when the
// whole text reached the file.
bool ExportGame(Game& game, const std::string& name);

// Reads game `number` (1 for the first) of the file `name` and makes it the
// game in play (AdoptGame): its start, its moves as the record. A file that
// does not open, or a game with a bad tag or move, is refused with the game,
// line and reason on the console and to the player, and nothing changes.
bool ImportGame(Game& game, const std::string& name, int number = 1);

// Reads game `number` of the file `name` into `gs` (PlayPgnGame), its result
// into `result`. False, with the game, line and reason in `error`.
bool LoadPgnGame(const std::string& name, int number, GameState& gs, std::string& result, std::string& error);

// Today as PGN dates a game ("2026.12.07").
std::string PgnToday();

// The players of the game for its tags: the engine's sides are "Torvik", a
// person's the user's login name ("?" when unknown).
PgnPlayers PgnPlayersOf(const GameState& gs);

}  // namespace torvik
