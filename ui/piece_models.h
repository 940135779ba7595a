// The pieces, each built from GLU and GLUT solids from the bottom up, standing
// on the current origin with its base in the plane z = 0.
#pragma once

#include <GL/glu.h>

namespace torvik::ui {

// Draws the shape of piece type 1 (pawn) .. 6 (king); other values draw nothing.
void DrawPieceShape(int type, GLUquadric* quadric);

}  // namespace torvik::ui
