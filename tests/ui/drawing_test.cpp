// The real drawing code in a GL window on a private X server: picking, and
// the frame DisplayMain draws, read back (the destination cones of a selected
// attack board, the captured pieces, the axes).
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "board/geometry.h"
#include "ui/camera.h"
#include "ui/picking.h"
#include "ui/scene.h"
#include "ui_fixture.h"
#include "x_display.h"

namespace torvik::ui {
namespace {

using test::Pixel;

bool Yellow(Pixel c) { return c.r == 255 && c.g == 255 && c.b == 0; }
bool SelectedOrange(Pixel c) { return c.r == 255 && c.g == 64 && c.b == 0; }
bool Lit(Pixel c) { return c.r + c.g + c.b > 60; }
bool Bluish(Pixel c) { return c.b > c.r + 10; }     // lavender, lit or shaded
bool Yellowish(Pixel c) { return c.r > c.b + 10; }  // ivory, lit or shaded

// Where `p` appears in the window (x, y from the top left).
std::pair<int, int> WindowPoint(const TestUi& t, const SpacePoint& p) {
  double x = 0, y = 0;
  EXPECT_TRUE(ProjectToWindow(CameraOf(t.game->state, t.ui.view), p, kWindowSize, kWindowSize, x, y));
  return {int(std::lround(x)), kWindowSize - int(std::lround(y))};
}

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!test::EnsureGlWindow(why)) GTEST_SKIP() << "no X server for the GL context: " << why;
  }

  // Draws the frame and reads back what the window shows.
  void Draw(TestUi& t, const std::string& name) {
    t.ui.windowId = glutGetWindow();
    const auto window = glXGetCurrentDrawable();
    for (int i = 0; i < 200 && test::CaptureWindow(test::GlDisplay(), window).rgb.empty(); ++i) {
      glutMainLoopEvent();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    DisplayMain(t.ui);
    glFinish();
    frame_ = test::CaptureWindow(test::GlDisplay(), window);
    test::Keep(frame_, "scene_" + name);
  }

  // Pixels around where `p` appears that satisfy `test`.
  int CountNear(const TestUi& t, SpacePoint p, int r, bool (*test)(Pixel)) {
    const auto [x, y] = WindowPoint(t, p);
    return frame_.Count(x - r, y - r, x + r + 1, y + r + 1, test);
  }

  // What a pick finds where `p` appears.
  static int PickAt(TestUi& t, const SpacePoint& p) {
    const auto [x, y] = WindowPoint(t, p);
    return Pick(t.State(), t.ui.view, x, y);
  }

  // A square's centre picks that square, unless it is `covered` by something
  // drawn before it (squares go in column order, each pin right after its
  // board's lowest square): then it picks that.
  static void CheckCentres(TestUi& t, const std::vector<int>& covered) {
    for (Square s = 0; s < kSquareCount; ++s) {
      SpacePoint c;
      if (!SquareCoords(t.Pos(), s, c)) continue;
      const int picked = PickAt(t, {c.x + 0.5f, c.y + 0.5f, c.z});
      if (std::find(covered.begin(), covered.end(), s) == covered.end()) {
        EXPECT_EQ(picked, s) << "centre of square " << s;
      } else {
        EXPECT_TRUE(picked < s || (picked >= 100 && picked - 100 < s)) << s << " picks " << picked;
      }
    }
  }

  // Some point on each pin picks its board, and none picks another board.
  static void CheckPins(TestUi& t) {
    for (Square base : kBoardBase) {
      SpacePoint c;
      ASSERT_TRUE(SquareCoords(t.Pos(), base, c));
      int hits = 0;
      for (float h = 0.05f; h < 1.0f; h += 0.1f)
        for (float dx : {-0.06f, 0.0f, 0.06f})
          for (float dy : {-0.06f, 0.0f, 0.06f}) {
            const int picked = PickAt(t, {c.x + 1 + dx, c.y + 1 + dy, c.z - 1 + h});
            hits += picked == base + 100;
            EXPECT_TRUE(picked < 100 || picked == base + 100 || picked == kNoSquare) << picked;
          }
      EXPECT_GT(hits, 0) << "no point of the pin of board " << base + 100 << " can be picked";
    }
  }

  test::Image frame_;
};

TEST_F(DrawingTest, PickingDefaultView) {
  TestUi t(kGame3D);
  // Only the white level's corners beneath the two white attack boards hide
  // their centres; the rest of each of these squares stays in view.
  CheckCentres(t, {32, 33, 56, 57});
  CheckPins(t);
}

TEST_F(DrawingTest, PickingOverheadView) {
  TestUi t(kGame3D);
  OverheadView(t.State(), t.ui.view);
  // Seen from straight above, the white level's ranks 3 and 4 lie exactly under
  // the neutral level, the black level's ranks 5 and 6 likewise, and the four
  // level corners under the attack boards: those centres pick the square drawn
  // first, the neutral level's or the attack board's.
  CheckCentres(t, {32, 34, 35, 36, 37, 39, 42, 43, 44, 45, 50, 51, 52, 53, 56, 58, 59, 60, 61, 63});
  CheckPins(t);
}

TEST_F(DrawingTest, PickingTwoDGame) {
  TestUi t(kGame2D);
  CheckCentres(t, {});
}

TEST_F(DrawingTest, SelectedBoardShowsItsDestinations) {
  TestUi t(kGame3D);
  t.EmptyBoardZero();
  t.State().selection = 100;
  Draw(t, "board_selected");
  // Cones at QL3 (neutral a3's near left corner) and QL2 (white a4's far left).
  EXPECT_GT(CountNear(t, {-2, -2, 0.02f}, 4, Yellow), 3);
  EXPECT_GT(CountNear(t, {-2, 0, -1.98f}, 4, Yellow), 3);
  EXPECT_EQ(CountNear(t, {2, -4, -1.98f}, 4, Yellow), 0);  // KL1 holds a board
  // The board's pin in the selected colour, below the board's middle.
  EXPECT_GT(CountNear(t, {-2, -4, -1.6f}, 4, SelectedOrange), 3);
  EXPECT_EQ(t.ui.text.title, "Torvik 2.80");
}

TEST_F(DrawingTest, CapturedPiecesAndTheStatusMessage) {
  TestUi t(kGame2D);
  AppendCaptured(t.game->record, -kQueen);
  AppendCaptured(t.game->record, kRook);
  t.ui.text.status = "illegal move a1-a5\n";
  Draw(t, "captured");
  EXPECT_GT(CountNear(t, {4.5f, 4.0f, 0.5f}, 3, Bluish), 10);  // beside the board
  EXPECT_GT(CountNear(t, {-4.5f, 4.0f, 0.3f}, 3, Yellowish), 10);
  EXPECT_EQ(t.ui.text.status, "");  // drawn once
  EXPECT_EQ(t.ui.text.statusColour, kWhite);
  t.ui.view.showCaptured = 0;
  Draw(t, "captured_hidden");
  EXPECT_EQ(CountNear(t, {4.5f, 4.0f, 0.5f}, 3, Lit), 0);
  EXPECT_EQ(t.ui.text.statusColour, kGreen);
}

TEST_F(DrawingTest, AxesWhenAsked) {
  TestUi t(kGame3D);
  Draw(t, "no_axes");
  EXPECT_EQ(CountNear(t, {3, 0, 0}, 2, Yellow), 0);
  t.ui.view.showAxes = 1;
  Draw(t, "axes");
  EXPECT_GT(CountNear(t, {3, 0, 0}, 2, Yellow), 0);
  EXPECT_GT(CountNear(t, {0, 0, 3}, 2, Yellow), 0);
}

}  // namespace
}  // namespace torvik::ui
