// The mouse: a left click selects a piece or an attack board, the next one
// plays it. Picking is handed in, so the state machine runs without a window.
#pragma once

#include <functional>

#include "ui/ui_state.h"

namespace torvik::ui {

// Picks at the cursor of the event being handled; 65 when nothing is hit.
using Picker = std::function<int()>;

// Toolkit button and state codes.
enum MouseCode : int {
  kLeftButton = 0,
  kMiddleButton = 1,
  kRightButton = 2,
  kWheelUp = 3,
  kWheelDown = 4,
  kButtonDown = 0,
  kButtonUp = 1,
};

// One button event. Returns true when the window is to be redrawn (every
// left-button event, and a wheel notch, which zooms as the page keys do).
bool MouseEvent(UiState& ui, int button, int state, bool shift, const Picker& pick);

// Plays a move entered with the mouse; a refused one is named in the status
// line. A played one that leaves a person to move is followed by the game-end test.
void PlayMouseMove(UiState& ui, Move move);

// The press of the left button, the replay already left.
void LeftPress(UiState& ui, bool shift, const Picker& pick);

}  // namespace torvik::ui
