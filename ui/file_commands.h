// Saving, restoring and listing the game from the window: S, R, L and the Game
// menu go through the file chooser, Alt+S, Alt+R and Alt+L take the fixed
// names; exporting and importing the game as text, from the Game menu, too. While the chooser is open it holds the window's input; the idle
// callback polls it and carries out the command on the name chosen. Where no
// chooser can be started the commands use the default names, said once.
#pragma once

#include <string>

#include "ui/ui_state.h"

namespace torvik::ui {

constexpr const char* kSaveFilterLabel = "Save Files (*.sav)";
constexpr const char* kListFilterLabel = "List Files (*.txt)";
constexpr const char* kPgnFilterLabel = "PGN Files (*.pgn)";

// The chooser opened for `command` (nothing while another dialog is open);
// without a chooser, the command at once on its default name.
void StartFileCommand(UiState& ui, FileCommand command);

// The quick forms: save to and restore from "torvik.sav", list on the console.
void QuickFileCommand(UiState& ui, FileCommand command);

// The command on `name`: the game saved, restored (the view toggles outside
// the game reset, the menus relabelled), listed to the file, exported or
// imported (the view reset when the game's mode changed).
void RunFileCommand(UiState& ui, FileCommand command, const std::string& name);

// From the idle callback: the chooser's answer, once it is in, carried out.
// True when the chooser closed (the window is to be redrawn).
bool PollFileCommand(UiState& ui);

}  // namespace torvik::ui
