// The toolkit's callbacks: plain functions that reach the one UiState through
// the pointer installed here (the toolkit hands callbacks no data of ours).
#pragma once

#include "ui/ui_state.h"

namespace torvik::ui {

// Installs `ui` as the state the callbacks work on.
void InstallUiState(UiState* ui);

// The installed state, for the menus' handlers.
UiState& InstalledUi();

// Registers display, reshape, keyboard, special keys and mouse.
void RegisterInputCallbacks();
// Registers the idle callback.
void RegisterIdleCallback();

// Quit: finishes drawing, closes the window and ends the process with status 0,
// whatever the engine thread is doing.
[[noreturn]] void Quit(UiState& ui);

}  // namespace torvik::ui
