// A move typed in the window, the way in for every move (also for a piece the
// view hides): Return opens the line, printable keys add to it, Backspace
// takes the last back, Return plays it, Esc drops it. The status line echoes it.
#pragma once

#include <string>

#include "ui/ui_state.h"

namespace torvik::ui {

void StartTypedMove(UiState& ui);

// A key while the line is open.
void TypedMoveKey(UiState& ui, unsigned char key);

// "move: e2e4_" while the line is open; empty otherwise.
std::string TypedMoveEcho(const UiState& ui);

}  // namespace torvik::ui
