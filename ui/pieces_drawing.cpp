#include "ui/pieces_drawing.h"

#include <cmath>

#include "board/geometry.h"
#include "board/piece.h"
#include "ui/colours.h"
#include "ui/gl_util.h"
#include "ui/piece_models.h"

namespace torvik::ui {
namespace {

constexpr double kTurn = 6.2831853072;  // radians in a full turn

bool Faces(int code) { return TypeOf(code) == kKnight || TypeOf(code) == kBishop; }

}  // namespace

float FacingAngle(const Position& pos, Square s) {
  const int code = pos.board[static_cast<std::size_t>(s)];
  if (pos.gameMode == kGame3D) return code < 0 ? 180.0f : 0.0f;
  const PieceEntry& king = pos.pieces[code < 0 ? kKingSlot : kSideSlots + kKingSlot];
  if (king.code == 0 || !IsSquare(king.square)) return 0;
  const double dx = ColumnOf(king.square) - ColumnOf(s);
  const double dy = RowOf(king.square) - RowOf(s);
  double a = std::atan(dx / (dy + 0.01)) * 360 / kTurn;
  if (dy < 0) a += 180;
  return static_cast<float>(a);
}

void DrawPieces(const Position& pos, GLUquadric* quadric) {
  for (Square s = 0; s < kSquareCount; ++s) {
    const int code = pos.board[static_cast<std::size_t>(s)];
    SpacePoint corner;
    if (code == 0 || !SquareCoords(pos, s, corner)) continue;
    glPushMatrix();
    glTranslatef(corner.x + 0.5f, corner.y + 0.5f, corner.z + 0.01f);
    SetColour(SideColour(code));
    if (Faces(code)) glRotatef(-FacingAngle(pos, s), 0, 0, 1);
    DrawPieceShape(TypeOf(code), quadric);
    glPopMatrix();
  }
}

void DrawCaptured(const GameRecord& record, const TextLayout& text, int width, int height, GLUquadric* quadric) {
  constexpr float kTilt = -60;  // as the reset view tilts the 3D board
  const int count = CapturedCount(record);
  int columns[2] = {0, 0};  // white's, black's
  for (int i = 0; i < count; ++i) ++columns[CapturedEntry(record, i) < 1 ? 1 : 0];
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, width, 0, height, -4 * height, 4 * height);  // pixels from the bottom left
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glClear(GL_DEPTH_BUFFER_BIT);  // over the scene
  glEnable(GL_NORMALIZE);
  int seen[2] = {0, 0};
  for (int i = 0; i < count; ++i) {
    const int code = CapturedEntry(record, i);
    const int side = code < 1 ? 1 : 0;
    const CapturedSpot at = CapturedSpotOf(text, width, height, side == 0, seen[side]++, columns[side]);
    glLoadIdentity();
    glTranslatef(float(at.x), float(height - at.y), 0);
    glScalef(float(at.unit), float(at.unit), float(at.unit));
    glRotatef(kTilt, 1, 0, 0);
    SetColour(side == 1 ? kLavender : kIvory);
    if (TypeOf(code) != kKing) DrawPieceShape(TypeOf(code), quadric);
  }
  glDisable(GL_NORMALIZE);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace torvik::ui
