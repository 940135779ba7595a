#include "ui/move_outlines.h"

#include "board/geometry.h"
#include "board/piece.h"
#include "ui/colours.h"
#include "ui/gl_util.h"

namespace torvik::ui {
namespace {

constexpr float kInset = 0.05f, kLift = 0.02f, kWidth = 3;

void Outline(const Position& pos, Square s, const Rgb& colour) {
  SpacePoint c;
  if (!SquareCoords(pos, s, c)) return;
  SetColour(colour);
  glBegin(GL_LINE_LOOP);
  glVertex3f(c.x + kInset, c.y + kInset, c.z + kLift);
  glVertex3f(c.x + 1 - kInset, c.y + kInset, c.z + kLift);
  glVertex3f(c.x + 1 - kInset, c.y + 1 - kInset, c.z + kLift);
  glVertex3f(c.x + kInset, c.y + 1 - kInset, c.z + kLift);
  glEnd();
}

// A piece move's from and to; an attack board's four squares (and, for a move
// still to come, the square of the pin it goes to).
std::vector<Square> MoveSquares(const Move& m, bool withPin) {
  std::vector<Square> squares;
  if (const int b = BoardIndexOfCode(m.piece); b >= 0) {
    for (int d : {0, 1, 8, 9}) squares.push_back(kBoardBase[b] + d);
    if (withPin && IsSquare(m.to)) squares.push_back(m.to);
  } else if (m.piece != 0 && IsSquare(m.from) && IsSquare(m.to)) {
    squares = {m.from, m.to};
  }
  return squares;
}

}  // namespace

Outlines OutlinesOf(const Position& pos, const Move& hint) {
  Outlines o;
  const Move& m = pos.lastMove;
  o.lastMove = MoveSquares(m, false);
  o.hint = MoveSquares(hint, true);
  if (pos.flags & kInCheck) {
    const PieceEntry& king = pos.pieces[WhiteToMove(pos) ? kKingSlot : kSideSlots + kKingSlot];
    if (TypeOf(king.code) == kKing && IsSquare(king.square)) o.check = king.square;
  }
  return o;
}

void DrawOutlines(const Position& pos, const Move& hint) {
  const Outlines o = OutlinesOf(pos, hint);
  glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
  glDisable(GL_LIGHTING);
  glLineWidth(kWidth);
  for (Square s : o.lastMove) Outline(pos, s, kLastMoveBlue);
  for (Square s : o.hint) Outline(pos, s, kHintYellow);
  if (o.check != kNoSquare) Outline(pos, o.check, kRed);
  glPopAttrib();
}

}  // namespace torvik::ui
