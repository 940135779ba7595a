// Where the window's text lines and the captured pieces go, from the window's
// size: the lines keep their place beside the scene (a square window of 800
// pixels shows them exactly where the scene's projection puts them) and their
// font shrinks with the scene, so that they never run into the boards; the
// captured pieces stand in two columns at the window's edges, below the text.
#pragma once

#include "ui/camera.h"

namespace torvik::ui {

// The bitmap fonts, by their height in pixels.
enum class TextFont { kTimes24, kHelvetica18, kHelvetica12, kHelvetica10 };
int FontHeight(TextFont font);

struct TextLayout {
  int left = 0;      // pixels from the window's left
  int baseline = 0;  // the first line's, pixels from the window's top
  int spacing = 0;   // from one line's baseline to the next
  TextFont font = TextFont::kTimes24;
  int Baseline(int line) const { return baseline + line * spacing; }
  int Bottom(int lines) const { return Baseline(lines - 1) + spacing / 2; }
};

// The text column in a window of width x height for the camera's projection.
TextLayout LayoutText(const CameraView& view, int width, int height);

// Where the n-th captured piece of a side stands, in pixels from the window's
// top left, and how many pixels a board unit takes there. White's captured
// pieces stand at the left edge, black's at the right; `count` pieces in a column.
struct CapturedSpot {
  int x = 0, y = 0;
  double unit = 0;
};
CapturedSpot CapturedSpotOf(const TextLayout& text, int width, int height, bool white, int n, int count);

// The number of text lines the layout keeps room for.
constexpr int kTextLines = 4;

}  // namespace torvik::ui
