#include "ui/move_list_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "board/geometry.h"
#include "board/piece.h"

namespace torvik::ui {
namespace {

// The pieces' heights by type (a little above their tops) and the radius of their feet, in board units.
constexpr std::array<float, 7> kPieceHeights = {0, 0.8f, 1.15f, 1.1f, 0.9f, 1.35f, 1.55f};
constexpr float kFoot = 0.3f;
constexpr double kCapturedReach = 1.2;  // in captured-piece units from the window's edge

struct Box {
  double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;  // pixels from the top left
  bool Meets(const Box& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
};

// Grows `box` by where `p` lands; false behind the eye.
bool Cover(const CameraView& view, const SpacePoint& p, int width, int height, Box& box) {
  double wx = 0, wy = 0;
  if (!ProjectToWindow(view, p, width, height, wx, wy)) return false;
  box = {std::min(box.x0, wx), std::min(box.y0, height - wy), std::max(box.x1, wx), std::max(box.y1, height - wy)};
  return true;
}

// What square `s` takes on screen: the square, its piece, the pin beneath
// an attack board (from its lowest square's far corner one unit down).
std::vector<Box> SquareBoxes(const GameState& gs, const CameraView& view, Square s, int width, int height) {
  SpacePoint c;
  if (!SquareCoords(gs.position, s, c)) return {};
  std::vector<Box> boxes(1);
  bool seen = true;
  for (float dx : {0.0f, 1.0f})
    for (float dy : {0.0f, 1.0f}) seen &= Cover(view, {c.x + dx, c.y + dy, c.z}, width, height, boxes[0]);
  const int type = TypeOf(gs.position.board[s]);
  if (type > 0 && type < int(kPieceHeights.size())) {
    Box& piece = boxes.emplace_back();
    for (float dx : {0.5f - kFoot, 0.5f + kFoot})
      for (float dy : {0.5f - kFoot, 0.5f + kFoot})
        for (float z : {c.z, c.z + kPieceHeights[std::size_t(type)]})
          seen &= Cover(view, {c.x + dx, c.y + dy, z}, width, height, piece);
  }
  if (gs.gameMode == kGame3D && (s == 0 || s == 6 || s == 16 || s == 22)) {
    Box& pin = boxes.emplace_back();
    for (float z : {c.z - 1, c.z}) seen &= Cover(view, {c.x + 1, c.y + 1, z}, width, height, pin);
  }
  return seen ? boxes : std::vector<Box>{};
}

}  // namespace

int MoveListRowsAtMost(const TextLayout& text, int height) {
  return std::max((height - text.baseline) / std::max(text.spacing, 1) + 1, 0);
}

MoveListPlace PlaceMoveList(const GameState& gs, const CameraView& view, const TextLayout& text, int width,
                            int height, int columnWidth, const std::array<int, kTextLines>& beside) {
  const double captured = kCapturedReach * std::min(width, height) / 20.0;
  const int right = width - std::max(2, static_cast<int>(std::ceil(captured)));
  MoveListPlace place{right - columnWidth, 0, 0};
  for (int i = 0; i < kTextLines; ++i)
    if (place.left < text.left + beside[std::size_t(i)] + text.spacing) place.first = i + 1;
  std::vector<Box> boxes;
  for (Square s = 0; s < kSquareCount; ++s)
    for (const Box& b : SquareBoxes(gs, view, s, width, height)) boxes.push_back(b);
  const int rows = MoveListRowsAtMost(text, height), ascent = FontHeight(text.font);
  for (; place.first + place.rows < rows; ++place.rows) {
    const int baseline = text.Baseline(place.first + place.rows);
    const Box row{double(place.left - text.spacing / 4), double(baseline - ascent), double(width),
                  double(baseline + text.spacing / 4)};
    if (row.y1 > height) break;
    if (std::any_of(boxes.begin(), boxes.end(), [&](const Box& b) { return b.Meets(row); })) break;
  }
  return place;
}

}  // namespace torvik::ui
