// The frame: board, pieces, captured pieces, axes, and the three text lines.
#pragma once

#include "ui/ui_state.h"

namespace torvik::ui {

// The display callback's work: redraws everything from the game and the view.
void DisplayMain(UiState& ui);

// Composes the title, banner and status lines for the frame about to be drawn.
void ComposeText(UiState& ui);

}  // namespace torvik::ui
