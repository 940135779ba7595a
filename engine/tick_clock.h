// The engine's time budget. By default counted in ticks that the search
// advances itself: one per 1000 nodes searched above the quiescence search
// (Engine::tickNodes) at root depth 3 or more, one per test after each depth.
// Ten ticks make a move; a new depth is not begun after seven. A real-time
// budget (controls.budget.realTime) reads the wall clock instead: no new
// depth after half the soft limit, the running search given up at the hard
// limit, polled every 1000 of those nodes at every depth. A node cap, on all
// the nodes (Engine::nodes), ends either.
#pragma once

#include "engine/engine.h"

namespace torvik {

void StartClock(Engine& engine);
void StopClock(Engine& engine);

// 1 once the budget is spent (and from then on).
int TimeUp(Engine& engine);

// 1 when deepening should stop after `depth`: one move only, or most of the
// budget spent.
int StopDeepening(Engine& engine, int depth, bool onlyOne);

// 1 when the running search must give up: the window asked it to, the engine
// no longer plays, its thread is being stopped, or (polled every 1000 nodes
// from root depth 3, or from the first under a real clock) the budget is spent.
int AbortCheck(Engine& engine);

// The quiescence search's poll, under a real clock only (its nodes are not in
// the tick budget's count, so the ticks never look there and stay
// repeatable): every 1024 of its nodes, 1 when the search must give up, as
// AbortCheck says.
int QuiesceAbortCheck(Engine& engine);

}  // namespace torvik
