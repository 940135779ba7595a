// The engine's time budget, counted in ticks that the search advances itself:
// one per 1000 nodes searched at root depth 3 or more, one per test after each
// depth. Ten ticks make a move; a new depth is not begun after seven.
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
// from root depth 3) the budget is spent.
int AbortCheck(Engine& engine);

}  // namespace torvik
