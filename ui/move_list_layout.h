// Where the move list goes: a column against the window's right edge (clear
// of the captured pieces standing there), its lines on the rows of the
// text lines and on as many rows below them as the boards leave free there;
// none when the window leaves no room for it beside the text lines.
#pragma once

#include <array>

#include "record/game_state.h"
#include "ui/camera.h"
#include "ui/text_layout.h"

namespace torvik::ui {

struct MoveListPlace {
  int left = 0;   // the column's left, pixels from the window's left
  int first = 0;  // its first row, one of the text layout's
  int rows = 0;   // from there down
};

// The rows the column could ever have in a window of that height.
int MoveListRowsAtMost(const TextLayout& text, int height);

// For a column `columnWidth` pixels wide beside the text lines, `beside`
// their widths in pixels, with the scene of `gs` seen through `view`. A row
// is free when no square of the boards, a piece on it or a pin beneath it
// comes into it.
MoveListPlace PlaceMoveList(const GameState& gs, const CameraView& view, const TextLayout& text, int width,
                            int height, int columnWidth, const std::array<int, kTextLines>& beside);

}  // namespace torvik::ui
