// The frame drawn by the real DisplayMain into a GL window, read back: the
// destination cones of a selected attack board, the captured pieces, the axes.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <filesystem>
#include <vector>

#include "board/maps.h"
#include "board/rebuild.h"
#include "gl_context.h"
#include "screenshot.h"
#include "ui/camera.h"
#include "ui/scene.h"
#include "ui_fixture.h"

namespace torvik::ui {
namespace {

using Rgb8 = test::Pixel;

// What the window shows, read from the X server.
test::Image ReadFrame(const std::string& name) {
  const test::Image image = test::CaptureWindow(test::GlDisplay(), glXGetCurrentDrawable());
  std::filesystem::create_directories(TORVIK_ARTEFACTS);
  test::WritePng(image, std::string(TORVIK_ARTEFACTS) + "/scene_" + name + ".png");
  return image;
}

// Pixels around where `p` appears that satisfy `test`.
template <typename Test>
int CountNear(const test::Image& frame, const UiState& ui, SpacePoint p, int r, Test test) {
  double wx = 0, wy = 0;
  EXPECT_TRUE(ProjectToWindow(CameraOf(ui.game->state, ui.view), p, kWindowSize, kWindowSize, wx, wy));
  const int x = static_cast<int>(wx);
  const int y = kWindowSize - 1 - static_cast<int>(wy);  // the image counts rows from the top
  int n = 0;
  for (int dy = -r; dy <= r; ++dy)
    for (int dx = -r; dx <= r; ++dx) n += test(frame.At(x + dx, y + dy));
  return n;
}

bool Yellow(Rgb8 c) { return c.r == 255 && c.g == 255 && c.b == 0; }
bool SelectedOrange(Rgb8 c) { return c.r == 255 && c.g == 64 && c.b == 0; }
bool Lit(Rgb8 c) { return c.r + c.g + c.b > 60; }
bool Bluish(Rgb8 c) { return c.b > c.r + 10; }      // lavender, lit or shaded
bool Yellowish(Rgb8 c) { return c.r > c.b + 10; }   // ivory, lit or shaded

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!test::EnsureGlWindow(why)) GTEST_SKIP() << "no X server for the GL context: " << why;
  }

  static test::Image Draw(TestUi& t, const std::string& name) {
    t.ui.windowId = glutGetWindow();
    for (int i = 0; i < 200 && !test::WindowViewable(test::GlDisplay(), glXGetCurrentDrawable()); ++i) {
      glutMainLoopEvent();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    DisplayMain(t.ui);
    glFinish();
    return ReadFrame(name);
  }
};

TEST_F(SceneTest, SelectedBoardShowsItsDestinations) {
  TestUi t(kGame3D);
  {
    ConsoleCapture quiet;
    for (std::size_t s : {0u, 1u, 8u, 9u}) t.Pos().board[s] = 0;
    ASSERT_EQ(BoardToPieces(t.Pos()), 1);
    RegenMaps(t.Pos());
    RegenToPieces(t.Pos());
  }
  t.State().selection = 100;
  const auto frame = Draw(t, "board_selected");
  // Cones at QL3 (neutral a3's near left corner) and QL2 (white a4's far left).
  EXPECT_GT(CountNear(frame, t.ui, {-2, -2, 0.02f}, 4, Yellow), 3);
  EXPECT_GT(CountNear(frame, t.ui, {-2, 0, -1.98f}, 4, Yellow), 3);
  EXPECT_EQ(CountNear(frame, t.ui, {2, -4, -1.98f}, 4, Yellow), 0);  // KL1 holds a board
  // The board's pin in the selected colour, below the board's middle.
  EXPECT_GT(CountNear(frame, t.ui, {-2, -4, -1.6f}, 4, SelectedOrange), 3);
  EXPECT_EQ(t.ui.text.title, "Torvik 2.80");
}

TEST_F(SceneTest, CapturedPiecesStandBesideTheBoard) {
  TestUi t(kGame2D);
  AppendCaptured(t.game->record, -kQueen);
  AppendCaptured(t.game->record, kRook);
  auto frame = Draw(t, "captured");
  EXPECT_GT(CountNear(frame, t.ui, {4.5f, 4.0f, 0.5f}, 3, Bluish), 10);
  EXPECT_GT(CountNear(frame, t.ui, {-4.5f, 4.0f, 0.3f}, 3, Yellowish), 10);
  t.ui.view.showCaptured = 0;
  frame = Draw(t, "captured_hidden");
  EXPECT_EQ(CountNear(frame, t.ui, {4.5f, 4.0f, 0.5f}, 3, Lit), 0);
}

TEST_F(SceneTest, AxesWhenAsked) {
  TestUi t(kGame3D);
  auto frame = Draw(t, "no_axes");
  EXPECT_EQ(CountNear(frame, t.ui, {3, 0, 0}, 2, Yellow), 0);
  t.ui.view.showAxes = 1;
  frame = Draw(t, "axes");
  EXPECT_GT(CountNear(frame, t.ui, {3, 0, 0}, 2, Yellow), 0);
  EXPECT_GT(CountNear(frame, t.ui, {0, 0, 3}, 2, Yellow), 0);
}

TEST_F(SceneTest, StatusMessageIsDrawnOnce) {
  TestUi t(kGame2D);
  t.ui.text.status = "illegal move a1-a5\n";
  Draw(t, "message");
  EXPECT_EQ(t.ui.text.status, "");
  EXPECT_EQ(t.ui.text.statusColour, (Rgb{1, 1, 1}));
  Draw(t, "message_gone");
  EXPECT_EQ(t.ui.text.statusColour, kGreen);
}

}  // namespace
}  // namespace torvik::ui
