// The right-button menu tree: built once at start-up, its choice menus
// relabelled to show the settings in force.
#pragma once

#include "ui/ui_state.h"

namespace torvik::ui {

// Builds the tree and attaches it to the right button (the engine plays black).
void BuildMenus(UiState& ui);

// Relabels the choice menus (Torvik, Difficulty, Rules, Notation) from the
// settings in force: after a new game or a restore. Nothing before the menus
// exist; while a menu is open, once it has closed (FollowModal).
void RelabelMenus(UiState& ui);

// Called on every idle turn: detaches the tree from the right button while a
// dialog holds the input, and attaches it again when the dialog is gone; does
// a relabelling that waited for a menu to close. Nothing while a menu is open.
void FollowModal(UiState& ui);

}  // namespace torvik::ui
