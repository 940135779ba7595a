// "Position text...": the position shown, as its text (FEN in the 2D game,
// the position text in the 3D game), in zenity's entry dialog, where it can be
// copied, or replaced by a typed or pasted one that then sets up the game.
// The dialog runs as a child (ui/zenity_child.h) and holds the window's input
// while it is open; the idle callback polls it.
#pragma once

#include <string>

#include "ui/ui_state.h"

namespace torvik::ui {

// Opens the dialog on the position shown (nothing while another dialog is
// open). Where no dialog can be started, the text goes to the console.
void StartPositionText(UiState& ui);

// The dialog's answer: a text other than the one shown sets the game up at it
// (a refusal, with the reason, goes to the player and the console); an
// unchanged or cancelled one does nothing.
void AnswerPositionText(UiState& ui, const std::string& answer);

// From the idle callback: the answer, once it is in, carried out. True when
// the dialog closed (the window is to be redrawn).
bool PollPositionText(UiState& ui);

}  // namespace torvik::ui
