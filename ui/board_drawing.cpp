#include "ui/board_drawing.h"

#include <array>

#include "board/geometry.h"
#include "board/piece.h"
#include "ui/board_markers.h"
#include "ui/piece_models.h"
#include "ui/target_marks.h"

namespace torvik::ui {
namespace {

constexpr float kPinCapHeight = 1.015f;

// 32 rows of alternating bits, every other row shifted: a 50 % screen door.
constexpr std::array<GLubyte, 128> MakeStipple() {
  std::array<GLubyte, 128> pattern{};
  for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = ((i / 4) % 2 == 0) ? 0xAA : 0x55;
  return pattern;
}
constexpr std::array<GLubyte, 128> kStipple = MakeStipple();

// A cone on each free pin the board may move to, large enough to click; in
// selection mode named by the pin, so that a click on it moves the board there.
void DrawMarkers(const GameState& gs, int boardCode, DrawMode mode, GLUquadric* quadric) {
  constexpr double kRadius = 0.3, kHeight = 0.35;
  SetColour(kYellow);
  for (const Marker& m : DestinationMarkers(gs.position, boardCode)) {
    glPushMatrix();
    glTranslatef(m.point.x, m.point.y, m.point.z);
    if (mode == DrawMode::kSelect) glPushName(static_cast<GLuint>(m.pin));
    gluDisk(quadric, 0.0, kRadius, 10, 1);
    gluCylinder(quadric, kRadius, 0.0, kHeight, 10, 8);
    if (mode == DrawMode::kSelect) glPopName();
    glPopMatrix();
  }
}

// The pin under the board whose lowest square is `s`, from that square's corner.
void DrawPin(const GameState& gs, Square s, DrawMode mode, GLUquadric* quadric) {
  const int code = s + 100;
  SetColour(gs.selection == code ? kSelected
            : WhiteOwns(gs.position, code) ? kIvory
                                           : kLavender);
  glTranslatef(1, 1, -1);
  if (mode == DrawMode::kSelect) glPushName(static_cast<GLuint>(code));
  gluCylinder(quadric, 0.1, 0.1, 1.0, 10, 8);
  // Its cap just above the board, where the board's four squares meet, so that
  // from any side, even straight above, the pin shows and can be picked.
  glTranslatef(0, 0, kPinCapHeight);
  gluDisk(quadric, 0.0, 0.1, 10, 1);
  if (mode == DrawMode::kSelect) glPopName();
}

bool IsBoardBase(Square s) { return s == 0 || s == 6 || s == 16 || s == 22; }

void DrawSquare(const GameState& gs, Square s, DrawMode mode, GLUquadric* quadric) {
  const bool is3D = gs.gameMode == kGame3D;
  if (is3D && gs.selection == s + 100) {
    DrawMarkers(gs, s + 100, mode, quadric);
    SetColour(kSelected);
  }
  SpacePoint corner;
  if (!SquareCoords(gs.position, s, corner)) return;
  if (mode == DrawMode::kSelect) glPushName(static_cast<GLuint>(RowOf(s)));
  SetColour(SquareColour(gs, s));
  glPushMatrix();
  glTranslatef(corner.x, corner.y, corner.z);
  if (gs.transparent) {
    glEnable(GL_POLYGON_STIPPLE);
    glPolygonStipple(kStipple.data());
  }
  glRectf(0, 0, 1, 1);
  glDisable(GL_POLYGON_STIPPLE);
  if (mode == DrawMode::kSelect) {
    // A click on a piece picks its square, wherever the piece stands on screen.
    if (quadric && gs.position.board[static_cast<std::size_t>(s)] != 0) {
      glPushMatrix();
      glTranslatef(0.5f, 0.5f, 0.01f);
      DrawPieceShape(TypeOf(gs.position.board[static_cast<std::size_t>(s)]), quadric);
      glPopMatrix();
    }
    glPopName();
  }
  if (is3D && IsBoardBase(s) && quadric) DrawPin(gs, s, mode, quadric);
  glPopMatrix();
}

}  // namespace

Rgb SquareColour(const GameState& gs, Square s) {
  if (s == gs.selection) return kSelected;
  switch (gs.targetMarks[static_cast<std::size_t>(s)]) {
    case kMarkCapture: return kMagenta;
    case kMarkMove: return kGreen;
    case kMarkAttacked: return kLeaf;
    default: return ((ColumnOf(s) + RowOf(s)) % 2 == 0) ? kDarkSquare : kLightSquare;
  }
}

void DrawBoard(const GameState& gs, DrawMode mode, GLUquadric* quadric) {
  glPushAttrib(GL_ENABLE_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_DITHER);
  for (int c = 0; c < 8; ++c) {
    if (mode == DrawMode::kSelect) glLoadName(static_cast<GLuint>(c));
    for (int r = 0; r < 8; ++r) DrawSquare(gs, MakeSquare(c, r), mode, quadric);
  }
  glPopAttrib();
}

}  // namespace torvik::ui
