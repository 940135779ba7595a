// Small helpers over the GL and GLU calls the drawing makes.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <memory>

#include "ui/colours.h"

namespace torvik::ui {

inline void SetColour(const Rgb& c) { glColor3f(c.r, c.g, c.b); }

struct QuadricDeleter {
  void operator()(GLUquadric* q) const { gluDeleteQuadric(q); }
};
// A GLU quadric for the cylinders and cones; may be empty when GLU had no memory.
using Quadric = std::unique_ptr<GLUquadric, QuadricDeleter>;
inline Quadric MakeQuadric() { return Quadric(gluNewQuadric()); }

}  // namespace torvik::ui
