// The function and arrow keys: new games, the favourite view, replay, the
// engine's autoplay and stop, turning and zooming the view.
#pragma once

#include "ui/ui_state.h"

namespace torvik::ui {

// Toolkit codes of the special keys.
enum SpecialKey : int {
  kKeyF1 = 1,
  kKeyF2 = 2,
  kKeyF3 = 3,
  kKeyF4 = 4,
  kKeyF5 = 5,
  kKeyF6 = 6,
  kKeyF7 = 7,
  kKeyF8 = 8,
  kKeyF9 = 9,
  kKeyF10 = 10,
  kKeyLeft = 100,
  kKeyUp = 101,
  kKeyRight = 102,
  kKeyDown = 103,
  kKeyPageUp = 104,
  kKeyPageDown = 105,
  // The toolkit also reports the modifier keys pressed alone (shift, control,
  // alt, super, left and right): they are no commands and pass unremarked.
  kFirstModifierKey = 0x70,
  kLastModifierKey = 0x77,
};

void SpecialKeyPressed(UiState& ui, int key, bool shift, bool alt);

// One turn of an angle by `by` degrees, brought back into 0..360.
float TurnedAngle(float degrees, float by);
int TurnedSpin(int degrees, int by);

}  // namespace torvik::ui
