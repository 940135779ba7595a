// Saved games: the game state's image in a file. A save writes it whole; a
// restore reads the file whole, checks all of it, and only then replaces the
// game. Failures are reported on the console, never thrown.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "record/game.h"

namespace torvik {

// The name the quick forms (Alt+S, Alt+R) use, and where the file dialogs start.
constexpr const char* kQuickSaveName = "torvik.sav";

// Writes the game's image to `name`: "\nSaving NAME ..." then "complete\n", or
// "failed\n" when not every byte reached the file; the window is then named
// after the file (game.record.windowTitle). A file that does not open prints
// "NAME: <system error>\n" and "\ncan't open save file NAME\n" and changes
// nothing. The engine is not stopped. True when the whole image was written.
bool SaveGame(Game& game, const std::string& name);

// A saved game's bytes, either layout (28760 or 49440 bytes), read into `out`
// and checked: every field of the image (ReadGameImage), and the record, whose
// moves must replay legally from the game's start up to its ply. `out` keeps
// its notation. False, with what is wrong in `error`, leaves `out` unchanged.
bool ReadSavedGame(std::span<const uint8_t> bytes, GameState& out, std::string& error);

// Restores the game saved in `name`. The file is read whole and checked
// before anything changes; refused, it leaves the game, the engine and the
// window title exactly as they were. Accepted, the engine's thread is stopped,
// the state replaced (keeping the notation in effect), the engine's tables
// cleared, the game rebuilt at its last ply by undo 0 (the engine then not
// playing, its thread started again) and the window named after the file.
// Console: "\nRestore game ...", then for a length other than the two layouts
// " failed! unrecognized file type: N sos: 28760" with the warning "Cannot
// autoconvert file - halting", for a refused image " failed! bad save file: WHY\n";
// restored, the banner (`printBanner`, when given) and "complete!\n". A file that
// does not open gives the warning "can't open restore file" and
// "NAME: <system error>\n". The player is told the outcome (TellPlayer).
// True when the game was replaced.
bool RestoreGame(Game& game, const std::string& name, void (*printBanner)() = nullptr);

}  // namespace torvik
