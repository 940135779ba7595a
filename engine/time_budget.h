// How long a think may run. The default is the tick budget, which the search
// advances itself so that its play is repeatable; under a real clock the same
// driver runs against limits in milliseconds instead. Either way the budget may
// cap the depth and the nodes.
#pragma once

#include <cstdint>

namespace torvik {

struct TimeBudget {
  bool realTime = false;  // false: the tick budget
  int64_t softMs = 0;     // real time: no new depth once half of this has passed (0: none)
  int64_t hardMs = 0;     // real time: the running search gives up here (0: never)
  int64_t nodes = 0;      // the search gives up after this many nodes (0: no cap)
  int depth = 0;          // the deepest depth searched (0: the difficulty's cap only)
};

// What a player's clock says when the engine is to move, in milliseconds (0:
// not given).
struct ClockLimits {
  bool timed = false;             // the remaining times were given
  int64_t time[2] = {0, 0};       // remaining: white, black (may be negative)
  int64_t increment[2] = {0, 0};  // per move: white, black
  int movesToGo = 0;
  int64_t moveTime = 0;  // 0: none
  int depth = 0;
  int64_t nodes = 0;
  bool infinite = false;
};

// Whether the limits name any time at all (a move time, a clock or infinite).
bool HasClock(const ClockLimits& limits);

// The budget for the side to move (`white`): a move time is spent whole but
// for a small overhead, with no soft limit (new depths until the hard one); a
// clock gives remaining / (moves to go, or 20) plus three quarters of the
// increment as the soft limit and the lesser of 30% of the remaining time and
// four soft limits as the hard one, both less a safety margin; infinite has no
// limit. Without any of them the budget has no time limit either, only the
// depth and node caps. `ticks` asks for the tick budget (the depth and node
// caps kept) when no time is given.
TimeBudget PlanBudget(const ClockLimits& limits, bool white, bool ticks);

// The budget of a fixed time a move (PlanBudget's for a move time alone).
TimeBudget MoveTimeBudget(int64_t milliseconds);

}  // namespace torvik
