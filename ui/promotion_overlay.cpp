#include "ui/promotion_overlay.h"

#include <GL/freeglut.h>

#include <cstring>

#include "ui/gl_util.h"
#include "ui/promotion_dialog.h"

namespace torvik::ui {
namespace {

constexpr Rgb kFace{0.83f, 0.83f, 0.83f};
constexpr Rgb kButtonFace{0.92f, 0.92f, 0.92f};
constexpr Rgb kCaptionBar{0.1f, 0.2f, 0.5f};
constexpr Rgb kInk{0.0f, 0.0f, 0.0f};
void* const kFont = GLUT_BITMAP_HELVETICA_12;
constexpr int kFontHeight = 12;

void Fill(const Rgb& c, int x, int y, int w, int h) {
  SetColour(c);
  glRecti(x, y, x + w, y + h);
}

void Outline(const Rgb& c, int x, int y, int w, int h, float width) {
  SetColour(c);
  glLineWidth(width);
  glBegin(GL_LINE_LOOP);
  glVertex2f(x + 0.5f, y + 0.5f);
  glVertex2f(x + w - 0.5f, y + 0.5f);
  glVertex2f(x + w - 0.5f, y + h - 0.5f);
  glVertex2f(x + 0.5f, y + h - 0.5f);
  glEnd();
  glLineWidth(1);
}

// `text` centred in the box, or from its left edge plus a margin.
void Label(const char* text, const Rgb& c, int x, int y, int w, int h, bool centred) {
  const unsigned char* chars = reinterpret_cast<const unsigned char*>(text);
  const int width = glutBitmapLength(kFont, chars);
  SetColour(c);
  glRasterPos2i(centred ? x + (w - width) / 2 : x + 6, y + (h + kFontHeight) / 2 - 1);
  for (std::size_t i = 0; i < std::strlen(text); ++i) glutBitmapCharacter(kFont, chars[i]);
}

void DrawFrame(const DialogFrame& f) {
  const int w = kDialogWidth * f.unit, h = kDialogHeight * f.unit;
  Fill(kCaptionBar, f.left, f.top, w, f.captionHeight);
  Label(kPromotionCaption, kWhite, f.left, f.top, w, f.captionHeight, false);
  Fill(kFace, f.left, f.BodyTop(), w, h);
  Outline(kInk, f.left, f.top, w, f.captionHeight + h, 1);
}

void DrawButton(const DialogFrame& f, const DialogButton& b, bool isDefault) {
  const int x = f.left + b.x * f.unit, y = f.BodyTop() + b.y * f.unit;
  const int w = kButtonWidth * f.unit, h = kButtonHeight * f.unit;
  Fill(kButtonFace, x, y, w, h);
  Outline(kInk, x, y, w, h, isDefault ? 2.5f : 1);
  Label(b.label, kInk, x, y, w, h, true);
}

}  // namespace

void DrawPromotionDialog(int width, int height) {
  glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);  // window pixels, from the top left
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  const DialogFrame frame = PromotionFrame(width, height);
  DrawFrame(frame);
  for (std::size_t i = 0; i < kPromotionButtons.size(); ++i) DrawButton(frame, kPromotionButtons[i], i == 0);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopAttrib();
}

}  // namespace torvik::ui
