#include "ui/scene.h"

#include <GL/freeglut.h>

#include <mutex>

#include "ui/axes.h"
#include "ui/board_drawing.h"
#include "ui/camera.h"
#include "ui/gl_util.h"
#include "ui/pieces_drawing.h"
#include "ui/promotion_overlay.h"
#include "ui/status_text.h"

namespace torvik::ui {
namespace {

// Where the text column starts, in the scene's projection with no model turns.
struct TextOrigin {
  float left, top;
};
constexpr TextOrigin kOrthoText{-7, 7};
constexpr TextOrigin kPerspectiveText{-10, 10};

void DrawText(const std::string& text, const Rgb& colour, float x, float y) {
  SetColour(colour);
  glRasterPos3f(x, y, 0);
  for (char c : text) glutBitmapCharacter(GLUT_BITMAP_TIMES_ROMAN_24, static_cast<unsigned char>(c));
}

void DrawTextLines(UiState& ui) {
  const TextOrigin at = ui.game->state.orthographic ? kOrthoText : kPerspectiveText;
  glPushAttrib(GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  DrawText(ui.text.banner, ui.text.bannerColour, at.left, at.top - 1);
  DrawText(ui.text.title, ui.text.titleColour, at.left, at.top);
  DrawText(ui.text.status, ui.text.statusColour, at.left, at.top - 2);
  ui.text.status.clear();
  glPopMatrix();
  glPopAttrib();
}

void DrawModel(UiState& ui) {
  const GameState& gs = ui.game->state;
  Quadric quadric = MakeQuadric();
  DrawBoard(gs, DrawMode::kRender, quadric.get());
  DrawPieces(gs.position, quadric.get());
  if (ui.view.showCaptured) DrawCaptured(ui.game->record, quadric.get());
  if (ui.view.showAxes) DrawAxes();
}

}  // namespace

void ComposeText(UiState& ui) {
  const GameState& gs = ui.game->state;
  const TextLine title = TitleLine(gs, ui.game->record, ui.input.editMode);
  ui.text.title = title.text;
  ui.text.titleColour = title.colour;
  TextLine banner{ui.text.banner, ui.text.bannerColour};
  if (BannerLine(gs, banner)) {
    ui.text.banner = banner.text;
    ui.text.bannerColour = banner.colour;
  }
  const TextLine status = StatusLine(gs, ui.text.status);
  ui.text.status = status.text;
  ui.text.statusColour = status.colour;
}

void DisplayMain(UiState& ui) {
  std::lock_guard lock(ui.game->mutex);  // no frame reads a half-made move
  glutSetWindow(ui.windowId);
  glDrawBuffer(GL_BACK);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glShadeModel(GL_FLAT);

  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  SetCamera(CameraOf(ui.game->state, ui.view));
  DrawModel(ui);

  glDisable(GL_LIGHTING);
  ComposeText(ui);
  DrawTextLines(ui);
  if (ui.input.modal == Modal::kPromotion)
    DrawPromotionDialog(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));

  glEnable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glutSwapBuffers();
  glFlush();
}

}  // namespace torvik::ui
