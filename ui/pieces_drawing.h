// The pieces on the board and the captured pieces beside it.
#pragma once

#include <GL/glu.h>

#include "board/position.h"
#include "record/game_record.h"

namespace torvik::ui {

// Degrees a knight or bishop on `s` is turned about the vertical (applied as
// a rotation by minus this): 3D, white 0 and black 180; 2D, towards the enemy king.
float FacingAngle(const Position& pos, Square s);

void DrawPieces(const Position& pos, GLUquadric* quadric);

// Where the n-th captured piece of a column stands: black pieces (codes below
// 1) at x = 4.5, white ones at x = -4.5.
struct CapturedPlace {
  float x, y, z;
};
CapturedPlace CapturedPlaceOf(int code, int nthInColumn);

void DrawCaptured(const GameRecord& record, GLUquadric* quadric);

}  // namespace torvik::ui
