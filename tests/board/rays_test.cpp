// The ray tables and their cache, held against the 3D movement rule computed
// straight from square projections: t is one step from s in direction d when
// both squares exist and their projections differ by d's (file step, rank step).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "board/config_cache.h"
#include "board/console.h"
#include "board/geometry.h"
#include "board/rays.h"

namespace torvik {
namespace {

using Pins = std::array<int, 4>;
using V = std::vector<int>;
constexpr Pins kStart = {32, 39, 56, 63};

struct Step {
  int code, file, rank;
};

// The sixteen steps: one square straight or diagonally, or a knight's leap,
// coded 8 x file step + rank step.
std::vector<Step> RuleSteps() {
  std::vector<Step> steps;
  for (int f = -2; f <= 2; ++f)
    for (int r = -2; r <= 2; ++r)
      if (f * f + r * r == 1 || f * f + r * r == 2 || f * f + r * r == 5) steps.push_back({8 * f + r, f, r});
  return steps;
}
const std::vector<Step> kSteps = RuleSteps();

Position Make3D(const Pins& pins) {
  Position pos;
  pos.gameMode = kGame3D;
  for (int i = 0; i < 4; ++i) pos.pins[i] = pins[i];
  return pos;
}

// Every placement of the four boards on four distinct pins.
std::vector<Pins> AllConfigurations() {
  std::vector<Pins> all;
  for (int a = 0; a < 12; ++a)
    for (int b = 0; b < 12; ++b)
      for (int c = 0; c < 12; ++c)
        for (int d = 0; d < 12; ++d)
          if (a != b && a != c && a != d && b != c && b != d && c != d)
            all.push_back({kPinTable[a].square, kPinTable[b].square, kPinTable[c].square,
                           kPinTable[d].square});
  return all;
}

// Every list of the position against the rule, plus the order every list keeps:
// fixed-level entries of a fixed-level square before any attack-board entry, and
// white/black-level entries before neutral-level ones.
::testing::AssertionResult ListsFollowRule(const Position& pos) {
  std::array<Projection, 64> proj{};
  std::array<bool, 64> exists{};
  for (int s = 0; s < 64; ++s) exists[s] = ProjectionOf(pos, s, proj[s]);
  std::array<std::array<uint64_t, 64>, 35> rule{};  // [code + 17][s]: bit t when t is one step away
  for (int s = 0; s < 64; ++s)
    for (int t = 0; t < 64; ++t) {
      const int df = proj[t].file - proj[s].file, dr = proj[t].rank - proj[s].rank;
      const int d2 = df * df + dr * dr;
      if (!exists[s] || !exists[t] || (d2 != 1 && d2 != 2 && d2 != 5)) continue;
      rule[8 * df + dr + 17][s] |= uint64_t(1) << t;
    }
  for (const Step& step : kSteps) {
    for (int s = 0; s < 64; ++s) {
      auto fail = [&](const char* what) {
        return ::testing::AssertionFailure() << what << " at " << s << " dir " << step.code << " in "
                                             << GetConfigName(pos);
      };
      RayList list;
      GetRay(pos, s, step.code, list);
      uint64_t got = 0;
      bool seenNeutral = false, seenBoard = false;
      for (int i = 0; i < list.count; ++i) {
        const int t = list.squares[i];
        if (t < 0 || t >= 64) return fail("no square");
        if (got >> t & 1) return fail("a square twice");
        got |= uint64_t(1) << t;
        if (t >= 32 && seenNeutral) return fail("neutral level before outer level");
        if (BoardOfSquare(t) < 0 && seenBoard && BoardOfSquare(s) < 0) return fail("board before fixed");
        seenNeutral |= t < 32 && (t & 7) >= 2 && (t & 7) <= 5;
        seenBoard |= BoardOfSquare(t) >= 0;
      }
      if (got != rule[step.code + 17][s]) return fail("not the rule's set");
    }
  }
  return ::testing::AssertionSuccess();
}

V Ray(const Position& pos, int square, int direction) {
  RayList list;
  const int n = GetRay(pos, square, direction, list);
  return V(list.squares.begin(), list.squares.begin() + n);
}

TEST(RayTable, EveryConfigurationFollowsTheRule) {
  ConsoleCapture quiet;
  ResetRayCache();
  const auto all = AllConfigurations();
  ASSERT_EQ(all.size(), 11880u);
  for (const auto& pins : all) ASSERT_TRUE(ListsFollowRule(Make3D(pins)));
  const std::string log = quiet.Text();
  EXPECT_EQ(log.find("\nBuilding q1q2q3q4 #1\nBuilding q1q2q3q5 #2"), 0u);
  EXPECT_NE(log.find("#11880"), std::string::npos);
  EXPECT_EQ(log.find("DirTo"), std::string::npos) << "no warning for a valid configuration";
  ResetRayCache();
}

// The order within a list where the rule test leaves it open: from an attack-board
// square, the fixed levels first, then the boards in board order.
TEST(RayTable, OrderFromAttackBoardSquares) {
  ConsoleCapture quiet;
  struct Case {
    Pins pins;
    int square, direction;
    V ray;
  };
  const Pins pair = {35, 36, 56, 63};  // boards 0 on QL2 and 1 on QL5 share ranks 4 and 5
  const Case cases[] = {
      {kStart, 8, 1, {32, 9}},         // a0: white a1, then the board's own a1
      {pair, 0, 1, {1, 7}},            // z4: own z5, the other board's z5
      {pair, 8, 1, {36, 4, 9, 15}},    // a4: fixed a5s, own a5, other a5
      {pair, 14, 1, {36, 4, 9, 15}},   // board 1's a4: board 0's a5 before its own
      {pair, 0, 8, {35, 3, 8, 14}},    // z4 to white, neutral, both boards' a4
      {{59, 39, 56, 60}, 30, 1, {9, 31}},  // boards 0 on KL2 and 3 on KL5: e4 to both e5s
  };
  for (const Case& c : cases) EXPECT_EQ(Ray(Make3D(c.pins), c.square, c.direction), c.ray) << c.square;
}

// Boards stacked on one pin (three over white a4's file would ask for a fifth
// entry) stay within their lists.
TEST(RayTable, StackedBoardsStayWithinTheirLists) {
  ResetRayCache();
  ConsoleCapture quiet;
  for (const Pins& pins : {Pins{35, 35, 36, 63}, Pins{35, 36, 35, 36}, Pins{2, 2, 2, 2}, Pins{0, 0, 0, 0}}) {
    const Position pos = Make3D(pins);
    for (int s = 0; s < 64; ++s)
      for (int d : kDirections)
        for (int t : Ray(pos, s, d)) EXPECT_TRUE(t >= 0 && t < 64);
  }
  ResetRayCache();
}

TEST(RayLookup2D, OneSquareWhileTheStepStaysOnTheBoard) {
  Position pos;
  pos.gameMode = kGame2D;
  pos.pins = {2, 2, 2, 2};  // the attack-board fields mean nothing in this game
  ConsoleCapture log;
  for (int s = 0; s < 64; ++s) {
    for (const Step& step : kSteps) {
      const int file = s / 8 + step.file, rank = s % 8 + step.rank;
      const bool on = file >= 0 && file < 8 && rank >= 0 && rank < 8;
      EXPECT_EQ(Ray(pos, s, step.code), on ? V{file * 8 + rank} : V{}) << s << " " << step.code;
    }
  }
  EXPECT_EQ(Ray(pos, 64, -1), V{});
  EXPECT_EQ(log.Text(), "") << "no table is built for the 2D game";
}

// Each configuration is built and announced once between resets, however it
// is asked for. Handles are checked, never trusted.
TEST(RayCache, BuildsOnceAndChecksHandles) {
  ResetRayCache();
  ConsoleCapture log;
  Position start = Make3D(kStart), moved = Make3D({32, 2, 56, 63});  // board 1 on QL3
  ResolveConfig(start);
  ResolveConfig(moved);
  DirTo(start);  // asked for again: nothing new
  Ray(Make3D(moved.pins), 9, 1);
  EXPECT_EQ(log.Text(), "\nBuilding q1q6k1k6 #1\nBuilding q1q3k1k6 #2");
  EXPECT_EQ(RayTablesBuilt(), 2);
  ASSERT_NE(start.config, nullptr);
  EXPECT_EQ(&ConfigOf(start), start.config);
  Position wrong = moved;  // another configuration's handle, or none
  for (const ConfigTables* handle : {start.config, static_cast<const ConfigTables*>(nullptr)}) {
    wrong.config = handle;
    EXPECT_EQ(Ray(wrong, 1, 1), V{6});  // QL1's z1 below QL3's z2
  }
  // A handle from before a reset still holds its configuration's tables, and
  // answers without announcing them; resolving again announces them anew.
  ResetRayCache();
  log.Clear();
  EXPECT_EQ(Ray(moved, 1, 1), V{6});
  EXPECT_TRUE(ListsFollowRule(start));
  EXPECT_EQ(RayTablesBuilt(), 0);
  ResolveConfig(start);
  EXPECT_EQ(RayTablesBuilt(), 1);
  EXPECT_EQ(log.Text(), "\nBuilding q1q6k1k6 #1");
  ResetRayCache();
}

TEST(RayCache, ThreadsShareOneCache) {
  ConsoleCapture log;
  ResetRayCache();
  const auto all = AllConfigurations();
  bool right[2] = {false, false};
  auto walk = [&](int t) {
    right[t] = true;
    for (size_t i = 0; i < all.size(); i += 41) {
      Position pos = Make3D(all[i]);
      pos.rules = t ? kStandard : kTournament;
      right[t] = right[t] && ListsFollowRule(pos) && LineDir(pos, 32, 34) == 1;
    }
  };
  std::thread a(walk, 0), b(walk, 1);
  a.join();
  b.join();
  EXPECT_TRUE(right[0] && right[1]);
  const int met = int((all.size() + 40) / 41);
  EXPECT_EQ(RayTablesBuilt(), met);
  const std::string text = log.Text();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), met) << "one announcement per configuration";
  ResetRayCache();
}

}  // namespace
}  // namespace torvik
