#include "ui/scene.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <array>
#include <mutex>

#include "ui/axes.h"
#include "ui/board_drawing.h"
#include "ui/camera.h"
#include "ui/gl_util.h"
#include "ui/move_list.h"
#include "ui/move_list_layout.h"
#include "ui/move_outlines.h"
#include "ui/pieces_drawing.h"
#include "ui/promotion_overlay.h"
#include "ui/notice_line.h"
#include "ui/status_text.h"
#include "ui/typed_move.h"
#include "ui/text_layout.h"

namespace torvik::ui {
namespace {

void* GlutFont(TextFont font) {
  switch (font) {
    case TextFont::kTimes24: return GLUT_BITMAP_TIMES_ROMAN_24;
    case TextFont::kHelvetica18: return GLUT_BITMAP_HELVETICA_18;
    case TextFont::kHelvetica12: return GLUT_BITMAP_HELVETICA_12;
    case TextFont::kHelvetica10: break;
  }
  return GLUT_BITMAP_HELVETICA_10;
}

void DrawText(const std::string& text, const Rgb& colour, TextFont font, int x, int y) {
  SetColour(colour);
  glRasterPos2i(x, y);
  for (char c : text) glutBitmapCharacter(GlutFont(font), static_cast<unsigned char>(c));
}

int TextWidth(const std::string& text, TextFont font) {
  return glutBitmapLength(GlutFont(font), reinterpret_cast<const unsigned char*>(text.c_str()));
}

// The move list where the boards leave room for it (ui/move_list_layout.h):
// the lines that fit, the marked move in yellow.
void DrawMoveList(const UiState& ui, const CameraView& camera, const TextLayout& t, int width, int height) {
  if (!ui.view.showMoveList) return;
  const GameState& gs = ui.game->state;
  const auto widest = [&t](const std::vector<MoveListLine>& lines) {
    int w = 0;
    for (const MoveListLine& line : lines) w = std::max(w, TextWidth(line.text, t.font));
    return w;
  };
  std::vector<MoveListLine> lines = MoveListLines(gs, ui.game->record, MoveListRowsAtMost(t, height));
  if (lines.empty()) return;
  std::array<int, kTextLines> beside{};
  const std::array<const std::string*, kTextLines> texts = {&ui.text.title, &ui.text.banner, &ui.text.status,
                                                            &ui.text.turn};
  for (std::size_t i = 0; i < texts.size(); ++i) beside[i] = TextWidth(*texts[i], t.font);
  // The widest of all the lines makes the column no narrower than those that fit.
  const MoveListPlace place = PlaceMoveList(gs, camera, t, width, height, widest(lines), beside);
  lines = MoveListLines(gs, ui.game->record, place.rows);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const MoveListLine& line = lines[i];
    const int y = t.Baseline(place.first + int(i));
    const std::string before = line.text.substr(0, line.markBegin);
    const std::string marked = line.text.substr(line.markBegin, line.markEnd - line.markBegin);
    DrawText(before, kIvory, t.font, place.left, y);
    const int markLeft = place.left + TextWidth(before, t.font);
    DrawText(marked, kYellow, t.font, markLeft, y);
    DrawText(line.text.substr(line.markEnd), kIvory, t.font, markLeft + TextWidth(marked, t.font), y);
  }
}

// The lines in window pixels, from the top left.
void DrawTextLines(UiState& ui, const CameraView& camera, const TextLayout& t, int width, int height) {
  glPushAttrib(GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  DrawText(ui.text.title, ui.text.titleColour, t.font, t.left, t.Baseline(0));
  DrawText(ui.text.banner, ui.text.bannerColour, t.font, t.left, t.Baseline(1));
  DrawText(ui.text.status, ui.text.statusColour, t.font, t.left, t.Baseline(2));
  DrawText(ui.text.turn, ui.text.turnColour, t.font, t.left, t.Baseline(3));
  DrawMoveList(ui, camera, t, width, height);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

void DrawModel(UiState& ui) {
  const GameState& gs = ui.game->state;
  Quadric quadric = MakeQuadric();
  DrawBoard(gs, DrawMode::kRender, quadric.get());
  DrawOutlines(gs.position, ui.game->hint);
  DrawPieces(gs.position, quadric.get());
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
  // A move being typed is echoed before anything else, even a check.
  const std::string typed = TypedMoveEcho(ui);
  const TextLine status = typed.empty() ? StatusLine(gs, NoticeToShow(ui, NoticeClock::now())) : TextLine{typed, kWhite};
  ui.text.status = status.text;
  ui.text.statusColour = status.colour;
  // While the engine thinks, the fourth line shows its latest finished depth.
  const std::string thinking = ThinkingText(*ui.game);
  const TextLine turn = thinking.empty() ? TurnLine(gs) : TextLine{thinking, kGreen};
  ui.text.turn = turn.text;
  ui.text.turnColour = turn.colour;
}

void DisplayMain(UiState& ui) {
  std::lock_guard lock(ui.game->mutex);  // no frame reads a half-made move
  glutSetWindow(ui.windowId);
  glDrawBuffer(GL_BACK);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glShadeModel(GL_FLAT);

  const int width = std::max(glutGet(GLUT_WINDOW_WIDTH), 1), height = std::max(glutGet(GLUT_WINDOW_HEIGHT), 1);
  const CameraView camera = CameraOf(ui.game->state, ui.view, double(width) / height);
  const TextLayout text = LayoutText(camera, width, height);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  SetCamera(camera);
  DrawModel(ui);
  if (ui.view.showCaptured) {
    Quadric quadric = MakeQuadric();
    DrawCaptured(ui.game->record, text, width, height, quadric.get());
  }

  glDisable(GL_LIGHTING);
  ComposeText(ui);
  DrawTextLines(ui, camera, text, width, height);
  if (ui.input.modal == Modal::kPromotion) DrawPromotionDialog(width, height);

  glEnable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glutSwapBuffers();
  glFlush();
}

}  // namespace torvik::ui
