// The time budget: the plan a clock gives, and a real-time think kept to its
// caps and reporting each depth it finishes.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "board/console.h"
#include "engine/think.h"
#include "record/position_text.h"

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
  EXPECT_EQ(move.softMs, move.hardMs);
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

struct RealThink {
  Move move;
  std::vector<int> depths;
  int64_t nodes = 0;
};

RealThink ThinkWithin(const TimeBudget& budget, bool watched = true) {
  ConsoleCapture quiet;
  auto pos = std::make_unique<Position>();
  std::string error;
  EXPECT_TRUE(ParsePosition("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4", kGame2D, *pos,
                            error));
  auto engine = std::make_unique<Engine>();
  engine->controls.ttMegabytes = 1;
  engine->controls.budget = budget;
  RealThink t;
  if (watched) {
    engine->controls.onDepth = [&t](const DepthReport& r) {
      t.depths.push_back(r.depth);
      EXPECT_FALSE(r.line.empty());
    };
  }
  pos->history = &engine->keys;
  Think(*engine, *pos, t.move);
  t.nodes = engine->nodes;
  return t;
}

TEST(TimeBudget, RealTimeThinksKeepTheirCaps) {
  TimeBudget depth;
  depth.realTime = true;
  depth.depth = 4;
  const RealThink byDepth = ThinkWithin(depth);
  EXPECT_EQ(byDepth.depths, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_TRUE(byDepth.move.from != 0 || byDepth.move.to != 0);

  TimeBudget nodes;
  nodes.realTime = true;
  nodes.nodes = 20000;
  const RealThink byNodes = ThinkWithin(nodes);
  EXPECT_LT(byNodes.nodes, 20000 + 2000);  // polled every 1000 nodes
  EXPECT_GE(byNodes.nodes, 20000);
  EXPECT_TRUE(byNodes.move.from != 0 || byNodes.move.to != 0);
}

// Watching a think on the tick budget changes nothing of it.
TEST(TimeBudget, WatchedTickThinksRepeat) {
  const RealThink plain = ThinkWithin(TimeBudget{}, false), watched = ThinkWithin(TimeBudget{});
  EXPECT_EQ(plain.nodes, watched.nodes);
  EXPECT_EQ(plain.move.from, watched.move.from);
  EXPECT_EQ(plain.move.to, watched.move.to);
  EXPECT_FALSE(watched.depths.empty());
  EXPECT_EQ(watched.depths.front(), 2);  // the tick budget starts at depth 2
}

}  // namespace
}  // namespace torvik
