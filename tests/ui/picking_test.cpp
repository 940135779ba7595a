// Picking with the real drawing code in a GL context. A pick returns the first
// thing drawn under the cursor (squares in column order, each pin right after
// its board's lowest square), so the expectation is worked out here from the
// projected outlines: a square's centre picks that square unless something
// drawn earlier covers it, and the part of a pin that nothing earlier covers
// picks its board.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <optional>
#include <sstream>
#include <vector>

#include "board/geometry.h"
#include "board/setup.h"
#include "gl_context.h"
#include "record/game_state.h"
#include "ui/camera.h"
#include "ui/picking.h"
#include "ui/view.h"

namespace torvik::ui {
namespace {

constexpr double kMargin = 1.5;  // pixels kept from every outline's edge

struct Scene {
  std::unique_ptr<GameState> gs = std::make_unique<GameState>();
  ViewToggles view;
};

std::unique_ptr<Scene> NewScene(int mode) {
  auto scene = std::make_unique<Scene>();
  ClearGameState(*scene->gs);
  scene->gs->gameMode = mode;
  EXPECT_EQ(NewGameSetup(*scene->gs), 1);
  ResetView(*scene->gs, scene->view);
  return scene;
}

struct Point {
  double x, y;  // GL window coordinates
};

Point Project(const Scene& scene, const SpacePoint& p) {
  Point w{};
  EXPECT_TRUE(ProjectToWindow(CameraOf(*scene.gs, scene.view), p, kWindowSize, kWindowSize, w.x, w.y));
  return w;
}

double Cross(const Point& o, const Point& a, const Point& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Convex hull, counter-clockwise.
std::vector<Point> Hull(std::vector<Point> p) {
  std::sort(p.begin(), p.end(), [](const Point& a, const Point& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  std::vector<Point> h(2 * p.size());
  std::size_t k = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    while (k >= 2 && Cross(h[k - 2], h[k - 1], p[i]) <= 0) --k;
    h[k++] = p[i];
  }
  for (std::size_t i = p.size() - 1, t = k + 1; i-- > 0;) {
    while (k >= t && Cross(h[k - 2], h[k - 1], p[i]) <= 0) --k;
    h[k++] = p[i];
  }
  h.resize(k - 1);
  return h;
}

enum class Inside { kNo, kYes, kEdge };

// Where `p` lies against a convex outline, with kMargin pixels of doubt at the edge.
Inside Locate(const std::vector<Point>& hull, const Point& p) {
  double nearest = 1e9;
  for (std::size_t i = 0; i < hull.size(); ++i) {
    const Point& a = hull[i];
    const Point& b = hull[(i + 1) % hull.size()];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    nearest = std::min(nearest, length > 0 ? Cross(a, b, p) / length : 0.0);
  }
  if (nearest >= kMargin) return Inside::kYes;
  if (nearest <= -kMargin) return Inside::kNo;
  return Inside::kEdge;
}

// One thing that picking can hit, in drawing order.
struct Drawn {
  int name;
  std::vector<Point> outline;
};

std::vector<Drawn> DrawingOrder(const Scene& scene) {
  std::vector<Drawn> order;
  const Position& pos = scene.gs->position;
  for (Square s = 0; s < kSquareCount; ++s) {
    SpacePoint c;
    if (!SquareCoords(pos, s, c)) continue;
    order.push_back({s, Hull({Project(scene, c), Project(scene, {c.x + 1, c.y, c.z}),
                              Project(scene, {c.x, c.y + 1, c.z}), Project(scene, {c.x + 1, c.y + 1, c.z})})});
    if (!Is3D(pos) || (s != 0 && s != 6 && s != 16 && s != 22)) continue;
    std::vector<Point> pin;
    for (int i = 0; i < 10; ++i) {
      const double a = i * 2 * std::numbers::pi / 10;
      for (float z : {c.z - 1, c.z})
        pin.push_back(Project(scene, {c.x + 1 + float(0.1 * std::cos(a)), c.y + 1 + float(0.1 * std::sin(a)), z}));
    }
    order.push_back({s + 100, Hull(pin)});
  }
  return order;
}

// The name a pick at `p` must give, or nothing when `p` is too near an edge to say.
std::optional<int> ExpectedPick(const std::vector<Drawn>& order, const Point& p) {
  for (const Drawn& d : order) {
    const Inside where = Locate(d.outline, p);
    if (where == Inside::kEdge) return std::nullopt;
    if (where == Inside::kYes) return d.name;
  }
  return kNoSquare;
}

int PickAt(const Scene& scene, const Point& p) {
  const int x = static_cast<int>(std::lround(p.x));
  const int y = kWindowSize - static_cast<int>(std::lround(p.y));
  return Pick(*scene.gs, scene.view, x, y);
}

class PickingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!test::EnsureGlWindow(why)) GTEST_SKIP() << "no X server for the GL context: " << why;
  }

  // Checks every square's centre; returns the squares whose centre lies under
  // something drawn before them.
  static std::vector<int> CheckCentres(const Scene& scene) {
    const auto order = DrawingOrder(scene);
    std::vector<int> covered;
    for (Square s = 0; s < kSquareCount; ++s) {
      SpacePoint c;
      if (!SquareCoords(scene.gs->position, s, c)) continue;
      const Point centre = Project(scene, {c.x + 0.5f, c.y + 0.5f, c.z});
      const std::optional<int> expected = ExpectedPick(order, centre);
      EXPECT_TRUE(expected.has_value()) << "centre of square " << s << " lies on an edge";
      if (!expected) continue;
      EXPECT_EQ(PickAt(scene, centre), *expected) << "centre of square " << s;
      if (*expected != s) covered.push_back(s);
    }
    return covered;
  }

  // Points on each pin that nothing drawn earlier covers pick its board.
  static void CheckPins(const Scene& scene) {
    const auto order = DrawingOrder(scene);
    const Position& pos = scene.gs->position;
    for (Square base : kBoardBase) {
      SpacePoint c;
      ASSERT_TRUE(SquareCoords(pos, base, c));
      int hits = 0;
      for (float t = 0.05f; t < 1.0f; t += 0.1f)
        for (float dx : {-0.06f, 0.0f, 0.06f})
          for (float dy : {-0.06f, 0.0f, 0.06f}) {
            const Point p = Project(scene, {c.x + 1 + dx, c.y + 1 + dy, c.z - 1 + t});
            if (ExpectedPick(order, p) != base + 100) continue;
            EXPECT_EQ(PickAt(scene, p), base + 100) << "pin of board " << base + 100;
            ++hits;
          }
      EXPECT_GT(hits, 0) << "no point of the pin of board " << base + 100 << " can be picked";
    }
  }
};

std::string List(const std::vector<int>& v) {
  std::ostringstream out;
  for (int s : v) out << ' ' << s;
  return out.str();
}

TEST_F(PickingTest, DefaultView) {
  auto scene = NewScene(kGame3D);
  const std::vector<int> covered = CheckCentres(*scene);
  // Only the white level's corners beneath the two white attack boards hide
  // their centres; the rest of each of these squares stays in view.
  EXPECT_EQ(covered, (std::vector<int>{32, 33, 56, 57})) << List(covered);
  CheckPins(*scene);
}

TEST_F(PickingTest, OverheadView) {
  auto scene = NewScene(kGame3D);
  OverheadView(*scene->gs, scene->view);
  const std::vector<int> covered = CheckCentres(*scene);
  // Seen from straight above, the white level's ranks 3 and 4 lie exactly under
  // the neutral level, the black level's ranks 5 and 6 likewise, and the four
  // level corners under the attack boards: those centres pick the square drawn
  // first, the neutral level's or the attack board's.
  EXPECT_EQ(covered, (std::vector<int>{32, 34, 35, 36, 37, 39, 42, 43, 44, 45, 50, 51, 52, 53,
                                       56, 58, 59, 60, 61, 63}))
      << List(covered);
  CheckPins(*scene);
}

TEST_F(PickingTest, TwoDGame) {
  auto scene = NewScene(kGame2D);
  EXPECT_EQ(CheckCentres(*scene), std::vector<int>{});
}

}  // namespace
}  // namespace torvik::ui
