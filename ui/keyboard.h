// The keyboard: letters and signs, one command each.
#pragma once

#include "ui/ui_state.h"

namespace torvik::ui {

enum class KeyCommand {
  kUnknown,
  kQuit,
  kHelp,
  kBanner,
  kBuildStamp,
  kToggleAxes,
  kEnginePlaysBlack,
  kEnginePlaysWhite,
  kToggleCaptured,
  kShowAngles,
  kNextDebugBoard,
  kMoveDebugBoard,
  kListGame,
  kOverheadView,
  kRestoreGame,
  kSaveGame,
  kToggleTransparent,
  kUndo,
  kResetView,
  kBlackView,
  kTypeMove,
  kShowThinking,
  kMoveNow,
  kHint,
};

// The command of a key (modulo 256, letters in either case).
KeyCommand KeyCommandOf(unsigned char key);

// What the caller does after a key: quitting is the window's own business.
enum class KeyOutcome { kRedraw, kQuit };

// Runs the key's command; `alt` is whether Alt was held.
KeyOutcome KeyboardKey(UiState& ui, unsigned char key, bool alt);

}  // namespace torvik::ui
