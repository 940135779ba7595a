#include "ui/axes.h"

#include <GL/gl.h>

#include <initializer_list>
#include <tuple>
#include <utility>

#include "ui/gl_util.h"

namespace torvik::ui {
namespace {

using Stroke = std::initializer_list<std::pair<float, float>>;

// A letter drawn in the x-y plane.
void StrokeXY(Stroke points) {
  glBegin(GL_LINE_STRIP);
  for (auto [x, y] : points) glVertex3f(x, y, 0);
  glEnd();
}

// A letter drawn in the y-z plane, its points given as (z, y).
void StrokeZY(Stroke points) {
  glBegin(GL_LINE_STRIP);
  for (auto [z, y] : points) glVertex3f(0, y, z);
  glEnd();
}

void Letter(float x, float y, float z) {
  glPushMatrix();
  glTranslatef(x, y, z);
  glScalef(0.4f, 0.4f, 0.4f);
}

}  // namespace

void DrawAxes() {
  glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
  glDisable(GL_LIGHTING);
  SetColour(kYellow);
  glLineWidth(2);
  for (auto [x, y, z] : {std::tuple{4.0f, 0.0f, 0.0f}, {0.0f, 4.0f, 0.0f}, {0.0f, 0.0f, 4.0f}}) {
    glBegin(GL_LINE_STRIP);
    glVertex3f(0, 0, 0);
    glVertex3f(x, y, z);
    glEnd();
  }
  Letter(4.4f, 0, 0);
  StrokeXY({{0, -0.5f}, {1, 0.5f}});
  StrokeXY({{0, 0.5f}, {1, -0.5f}});
  glPopMatrix();
  Letter(0, 4.4f, 0);
  StrokeXY({{0, 0}, {0, 0.6f}, {-0.5f, 1}});
  StrokeXY({{0, 0.6f}, {0.5f, 1}});
  glPopMatrix();
  Letter(0, 0, 4.4f);
  StrokeZY({{1, 0.5f}, {0, 0.5f}, {1, -0.5f}, {0, -0.5f}});
  StrokeZY({{0.25f, 0}, {0.75f, 0}});
  glPopMatrix();
  glLineWidth(1);
  glPopAttrib();
}

}  // namespace torvik::ui
