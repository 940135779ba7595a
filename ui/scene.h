// The frame: board, pieces, captured pieces, axes, the text lines and the move list.
#pragma once

#include "ui/ui_state.h"

namespace torvik::ui {

// The display callback's work: redraws everything from the game and the view.
void DisplayMain(UiState& ui);

// Composes the text lines for the frame about to be drawn.
void ComposeText(UiState& ui);

}  // namespace torvik::ui
