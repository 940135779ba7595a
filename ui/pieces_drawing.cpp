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

CapturedPlace CapturedPlaceOf(int code, int nthInColumn) {
  return {code < 1 ? 4.5f : -4.5f, 4.0f - 0.6f * static_cast<float>(nthInColumn), 0.01f};
}

void DrawCaptured(const GameRecord& record, GLUquadric* quadric) {
  int blacks = 0;
  int whites = 0;
  const int count = CapturedCount(record);
  for (int i = 0; i < count; ++i) {
    const int code = CapturedEntry(record, i);
    const CapturedPlace at = CapturedPlaceOf(code, code < 1 ? blacks++ : whites++);
    glPushMatrix();
    glTranslatef(at.x, at.y, at.z);
    SetColour(code < 1 ? kLavender : kIvory);
    if (TypeOf(code) != kKing) DrawPieceShape(TypeOf(code), quadric);
    glPopMatrix();
  }
}

}  // namespace torvik::ui
