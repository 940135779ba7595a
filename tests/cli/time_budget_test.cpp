// The time budget: the plan a clock gives, a real-time think kept to its node
// cap, and a think on the ticks reporting each depth it finishes.
#include <gtest/gtest.h>

#include <vector>

#include "engine/eval_support.h"
#include "engine/think.h"
#include "support/positions.h"

namespace torvik {
namespace {

TEST(TimeBudget, Plans) {
  ClockLimits none;
  EXPECT_FALSE(PlanBudget(none, true, true).realTime);  // no clock: the ticks
  none.depth = 4;
  const TimeBudget capped = PlanBudget(none, true, false);
  EXPECT_TRUE(capped.realTime);
  EXPECT_EQ(capped.hardMs, 0);
  EXPECT_EQ(capped.depth, 4);

  ClockLimits fixed;
  fixed.moveTime = 1000;
  const TimeBudget move = PlanBudget(fixed, false, true);  // a clock overrides the ticks
  EXPECT_TRUE(move.realTime);
  EXPECT_EQ(move.softMs, 0);  // deepens until the hard limit
  EXPECT_LT(move.hardMs, 1000);
  EXPECT_GT(move.hardMs, 900);
  fixed.moveTime = 1;
  EXPECT_GT(PlanBudget(fixed, true, false).hardMs, 0);  // never nothing: 0 would mean no limit

  ClockLimits clock;
  clock.timed = true;
  clock.time[0] = 60000, clock.time[1] = 6000;
  clock.increment[0] = 1000;
  const TimeBudget white = PlanBudget(clock, true, false), black = PlanBudget(clock, false, false);
  EXPECT_GT(white.softMs, 60000 / 20);               // the increment counts
  EXPECT_LE(white.softMs, 60000 / 20 + 750);
  EXPECT_LE(white.hardMs, 60000 * 3 / 10);
  EXPECT_GE(white.hardMs, white.softMs);
  EXPECT_LT(black.hardMs, white.hardMs);             // each side its own clock
  EXPECT_LT(black.hardMs, 6000 * 3 / 10);
  clock.time[1] = -50;                               // flagged: still a short think, not an endless one
  EXPECT_GT(PlanBudget(clock, false, false).hardMs, 0);
  EXPECT_LT(PlanBudget(clock, false, false).hardMs, 100);
  ClockLimits endless;
  endless.infinite = true;
  EXPECT_EQ(PlanBudget(endless, true, true).hardMs, 0);
  EXPECT_TRUE(PlanBudget(endless, true, true).realTime);
}

// A think on `budget` from a middle-game position; `depths` hears of each
// depth it finishes, `value` of the last one's value.
test::Thought ThinkWithin(const TimeBudget& budget, std::vector<int>* depths = nullptr, int32_t* value = nullptr) {
  EngineControls controls;
  controls.budget = budget;
  if (depths) {
    controls.onDepth = [depths, value](const DepthReport& r) {
      depths->push_back(r.depth);
      if (value) *value = r.value;
      EXPECT_FALSE(r.line.empty());
    };
  }
  const Position middle = test::From2D("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4");
  return test::ThinkOn(middle, controls);
}

// A node cap, polled every 1000 nodes, is kept (the depth cap through
// Uci.HandshakeGameAndDepthSearch).
TEST(TimeBudget, RealTimeThinksKeepTheirCaps) {
  TimeBudget nodes;
  nodes.realTime = true;
  nodes.nodes = 20000;
  std::vector<int> depths;
  const test::Thought byNodes = ThinkWithin(nodes, &depths);
  EXPECT_LT(byNodes.nodes, 20000 + 2000);
  EXPECT_GE(byNodes.nodes, 20000);
  EXPECT_TRUE(byNodes.move.from != 0 || byNodes.move.to != 0);
}

// Watching a think on the tick budget changes nothing of it; each depth
// reported carries its score, the last the think's own.
TEST(TimeBudget, WatchedTickThinksRepeat) {
  std::vector<int> depths;
  int32_t reported = 0;
  const test::Thought plain = ThinkWithin(TimeBudget{}), watched = ThinkWithin(TimeBudget{}, &depths, &reported);
  EXPECT_NE(reported, 0);
  EXPECT_EQ(reported, plain.value);
  EXPECT_EQ(std::tuple(plain.nodes, plain.move.from, plain.move.to),
            std::tuple(watched.nodes, watched.move.from, watched.move.to));
  ASSERT_FALSE(depths.empty());
  EXPECT_EQ(depths.front(), 2);  // the tick budget starts at depth 2
}

}  // namespace
}  // namespace torvik
