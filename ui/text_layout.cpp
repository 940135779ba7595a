#include "ui/text_layout.h"

#include <algorithm>
#include <cmath>

namespace torvik::ui {
namespace {

// The text column's top left in the scene's units, seen with no model turns.
constexpr SpacePoint kPerspectiveAnchor{-10, 10, 0}, kOrthoAnchor{-7, 7, 0};

// Pixels from the window's top left where `p` lands with no model turns.
void Place(const CameraView& lens, const SpacePoint& p, int width, int height, int& x, int& y) {
  double wx = 0, wy = 0;
  ProjectToWindow(lens, p, width, height, wx, wy);
  x = static_cast<int>(std::lround(wx));
  y = height - static_cast<int>(std::lround(wy));
}

TextFont FontFor(int spacing) {
  if (spacing >= 30) return TextFont::kTimes24;
  if (spacing >= 22) return TextFont::kHelvetica18;
  if (spacing >= 14) return TextFont::kHelvetica12;
  return TextFont::kHelvetica10;
}

}  // namespace

int FontHeight(TextFont font) {
  switch (font) {
    case TextFont::kTimes24: return 24;
    case TextFont::kHelvetica18: return 18;
    case TextFont::kHelvetica12: return 12;
    case TextFont::kHelvetica10: break;
  }
  return 10;
}

TextLayout LayoutText(const CameraView& view, int width, int height) {
  CameraView lens;
  lens.orthographic = view.orthographic;
  const SpacePoint anchor = view.orthographic ? kOrthoAnchor : kPerspectiveAnchor;
  TextLayout t;
  int nextX = 0, next = 0;
  Place(lens, anchor, width, height, t.left, t.baseline);
  Place(lens, {anchor.x, anchor.y - 1, anchor.z}, width, height, nextX, next);
  t.spacing = std::max(next - t.baseline, 1);
  t.font = FontFor(t.spacing);
  t.left = std::clamp(t.left, 2, std::max(2, width - 2));
  t.baseline = std::clamp(t.baseline, FontHeight(t.font), std::max(FontHeight(t.font), height));
  return t;
}

CapturedSpot CapturedSpotOf(const TextLayout& text, int width, int height, bool white, int n, int count) {
  CapturedSpot at;
  at.unit = std::min(width, height) / 20.0;
  const double top = text.Bottom(kTextLines) + 0.8 * at.unit;
  const double room = height - top - 0.6 * at.unit;
  const double step = count > 1 ? std::min(0.6 * at.unit, std::max(room, 0.0) / (count - 1)) : 0;
  at.x = static_cast<int>(std::lround(white ? 0.75 * at.unit : width - 0.75 * at.unit));
  at.y = static_cast<int>(std::lround(top + step * n));
  return at;
}

}  // namespace torvik::ui
