#include "engine/time_budget.h"

#include <algorithm>

namespace torvik {
namespace {

constexpr int64_t kMoveOverheadMs = 5;   // the answer's way to the other side: a pipe
constexpr int64_t kFloorMs = 5;          // never plan less than this
constexpr int kDefaultMovesToGo = 20;
constexpr int64_t kSafetyMs = 30;  // kept back from the clock's limits
constexpr int64_t kLongestMs = int64_t(1) << 40;  // beyond any game, and far from overflow

int64_t Floor(int64_t ms) { return std::max(ms, kFloorMs); }
int64_t Bound(int64_t ms) { return std::min(ms, kLongestMs); }

}  // namespace

bool HasClock(const ClockLimits& l) {
  return l.moveTime > 0 || l.timed || l.infinite;
}

TimeBudget PlanBudget(const ClockLimits& l, bool white, bool ticks) {
  TimeBudget b;
  b.depth = std::max(l.depth, 0);
  b.nodes = std::max<int64_t>(l.nodes, 0);
  b.realTime = !(ticks && !HasClock(l));
  if (!b.realTime || l.infinite) return b;
  if (l.moveTime > 0) {
    // What a move time leaves unused is lost, not saved for later moves: the
    // search deepens until the hard limit stops it, and a depth cut short
    // still hands on a move that proved better.
    b.hardMs = Floor(Bound(l.moveTime) - kMoveOverheadMs);
    return b;
  }
  if (!l.timed) return b;
  const int side = white ? 0 : 1;
  const int64_t remaining = Bound(l.time[side]);
  if (remaining <= 0) {  // a clock already run out (some interfaces send it negative)
    b.softMs = b.hardMs = kFloorMs;
    return b;
  }
  const int64_t togo = l.movesToGo > 0 ? l.movesToGo : kDefaultMovesToGo;
  const int64_t soft = remaining / togo + std::clamp<int64_t>(l.increment[side], 0, kLongestMs) * 3 / 4;
  const int64_t hard = std::min(remaining * 3 / 10, 4 * soft);
  b.hardMs = Floor(hard - kSafetyMs);
  b.softMs = std::min(Floor(soft - kSafetyMs), b.hardMs);
  return b;
}

TimeBudget MoveTimeBudget(int64_t milliseconds) {
  ClockLimits limits;
  limits.moveTime = milliseconds;
  return PlanBudget(limits, true, false);
}

}  // namespace torvik
