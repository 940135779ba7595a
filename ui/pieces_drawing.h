// The pieces on the board and the captured pieces beside it.
#pragma once

#include <GL/glu.h>

#include "board/position.h"
#include "record/game_record.h"
#include "ui/text_layout.h"

namespace torvik::ui {

// Degrees a knight or bishop on `s` is turned about the vertical (applied as
// a rotation by minus this): 3D, white 0 and black 180; 2D, towards the enemy king.
float FacingAngle(const Position& pos, Square s);

void DrawPieces(const Position& pos, GLUquadric* quadric);

// The captured pieces in two columns at the window's edges (white's at the
// left, black's at the right, codes below 1 counting as black), below the text,
// each standing upright and tilted toward the viewer; drawn over the scene.
void DrawCaptured(const GameRecord& record, const TextLayout& text, int width, int height, GLUquadric* quadric);

}  // namespace torvik::ui
