// The board: its squares in their colours and marks, the attack boards' pins,
// and the destination markers of a selected attack board. Drawn for the frame
// (render mode) and for picking (selection mode, with names).
#pragma once

#include <GL/gl.h>

#include "record/game_state.h"
#include "ui/gl_util.h"

namespace torvik::ui {

enum class DrawMode { kRender, kSelect };

// The name of a square is its column over its row; a pin's is its board code
// over the column of the board's lowest square.
void DrawBoard(const GameState& gs, DrawMode mode, GLUquadric* quadric);

// The colour of square `s` by selection and target mark.
Rgb SquareColour(const GameState& gs, Square s);

}  // namespace torvik::ui
