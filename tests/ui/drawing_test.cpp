// The real drawing code in a GL window on a private X server: picking, and
// the frame DisplayMain draws, read back (the captured pieces).
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
#include "ui/text_layout.h"
#include "ui_fixture.h"
#include "x_display.h"

namespace torvik::ui {
namespace {

using test::Pixel;

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

  // What a pick finds where `p` appears.
  static int PickAt(TestUi& t, const SpacePoint& p) {
    const auto [x, y] = WindowPoint(t, p);
    return Pick(t.State(), t.ui.view, x, y);
  }

  // Whether `p` is in view: at its pixel (and, `around`, two pixels around,
  // so that it lies well inside what shows it) the nearest surface drawn (the
  // frame drawn opaque, its depth buffer read back) lies within `slack` of `p`
  // in distance from the eye.
  bool InView(TestUi& t, const SpacePoint& p, double slack, bool around) {
    const CameraView view = CameraOf(t.State(), t.ui.view);
    double x = 0, y = 0, z = 0;
    EXPECT_TRUE(ProjectToWindow(view, p, kWindowSize, kWindowSize, x, y, &z));
    for (auto [dx, dy] : {std::pair{0, 0}, {2, 0}, {-2, 0}, {0, 2}, {0, -2}}) {
      if (!around && (dx || dy)) break;
      float drawn = 1;
      glReadPixels(int(std::lround(x)) + dx, int(std::lround(y)) + dy, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &drawn);
      if (std::abs(EyeDistance(view, drawn) - EyeDistance(view, z)) > slack) return false;
    }
    return true;
  }

  // Every square whose centre is in view (the nearest surface drawn there is
  // the square's) picks itself; so does a point in the body of every piece
  // that is in view there. Returns how many squares and pieces were seen.
  std::pair<int, int> CheckVisiblePicks(TestUi& t) {
    t.State().transparent = 0;  // the screen door leaves holes in the depth buffer
    t.ui.view.showCaptured = 0;
    Draw(t, "picking");
    int squares = 0, pieces = 0;
    for (Square s = 0; s < kSquareCount; ++s) {
      SpacePoint c;
      if (!SquareCoords(t.Pos(), s, c)) continue;
      const SpacePoint centre{c.x + 0.5f, c.y + 0.5f, c.z}, body{c.x + 0.5f, c.y + 0.5f, c.z + 0.6f};
      if (InView(t, centre, 0.1, false)) {
        ++squares;
        EXPECT_EQ(PickAt(t, centre), s) << "centre of square " << s;
      }
      if (t.Pos().board[s] == 0) continue;
      if (InView(t, body, 0.3, true)) {
        ++pieces;
        EXPECT_EQ(PickAt(t, body), s) << "the piece on square " << s;
      }
    }
    return {squares, pieces};
  }

  // Some point on each pin (its shaft below the board, its cap on it) picks its
  // board, and none picks another board.
  static void CheckPins(TestUi& t) {
    for (Square base : kBoardBase) {
      SpacePoint c;
      ASSERT_TRUE(SquareCoords(t.Pos(), base, c));
      int hits = 0;
      for (float h : {0.05f, 0.25f, 0.45f, 0.65f, 0.85f, 1.015f})
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

// What is seen is what is picked: a square or a piece in front wins over what
// lies behind it, whatever was drawn first.
TEST_F(DrawingTest, PickingWhatIsSeen) {
  struct Case {
    int mode;
    void (*view)(GameState&, ViewToggles&);
    const char* name;
    int squares, pieces;  // at least this many seen
  };
  const Case cases[] = {
      {kGame3D, nullptr, "default 3D", 20, 20},
      {kGame3D, [](GameState& gs, ViewToggles& v) { OverheadView(gs, v); }, "overhead 3D", 16, 16},
      {kGame2D, nullptr, "2D", 30, 16},
      {kGame2D, [](GameState& gs, ViewToggles& v) { ToggleBlackView(gs, v); }, "2D black view", 30, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestUi t(c.mode);
    if (c.view) c.view(t.State(), t.ui.view);
    const auto [squares, pieces] = CheckVisiblePicks(t);
    EXPECT_GE(squares, c.squares);
    EXPECT_GE(pieces, c.pieces);
    if (c.mode == kGame3D) CheckPins(t);
  }
}

// The captured pieces stand at the window's edges below the text: black's
// (lavender) at the right, white's (ivory) at the left.
TEST_F(DrawingTest, CapturedPiecesAndTheStatusMessage) {
  TestUi t(kGame2D);
  AppendCaptured(t.game->record, -kQueen);
  AppendCaptured(t.game->record, kRook);
  TellPlayer(*t.game, "illegal move a1-a5\n");
  Draw(t, "captured");
  const TextLayout text = LayoutText(CameraOf(t.State(), t.ui.view), kWindowSize, kWindowSize);
  auto countAt = [&](bool white, bool (*test)(Pixel)) {
    const CapturedSpot at = CapturedSpotOf(text, kWindowSize, kWindowSize, white, 0, 1);
    const int y = at.y - int(0.3 * at.unit);
    return frame_.Count(at.x - 3, y - 3, at.x + 4, y + 4, test);
  };
  EXPECT_GT(countAt(false, Bluish), 10);
  EXPECT_GT(countAt(true, Yellowish), 10);
  EXPECT_EQ(t.ui.text.statusColour, kWhite);
  t.ui.view.showCaptured = 0;
  Draw(t, "captured_hidden");
  EXPECT_EQ(countAt(false, Lit), 0);
}

}  // namespace
}  // namespace torvik::ui
