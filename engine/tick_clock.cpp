#include "engine/tick_clock.h"

namespace torvik {
namespace {

constexpr double kTickLimit = 10.0;
constexpr double kDeepenShare = 0.7;
constexpr double kRealDeepenShare = 0.5;  // the next depth takes longer than all before it
constexpr int64_t kNodesPerTick = 1000;

// Reading the clock moves it on.
double Read(TickClock& c) { return c.ticks += 1.0; }

double Elapsed(TickClock& c) { return Read(c) - c.start; }

int64_t ElapsedMs(const TickClock& c) {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now() - c.began).count();
}

bool NodesSpent(const Engine& e) { return e.controls.budget.nodes > 0 && e.nodes >= e.controls.budget.nodes; }

// The budget's own test, without the node cap.
bool Spent(Engine& e) {
  const TimeBudget& b = e.controls.budget;
  if (!b.realTime) return Elapsed(e.clock) > e.clock.limit;
  return b.hardMs > 0 && ElapsedMs(e.clock) >= b.hardMs;
}

// Someone outside the search asked it to give up.
bool StopAsked(const EngineControls& k) {
  return (k.abortSearch && *k.abortSearch) || (k.engineSide && *k.engineSide == 0) ||
         (k.stop && k.stop->load(std::memory_order_acquire));
}

constexpr uint32_t kQuiescePoll = 1023;  // quiescence nodes between looks

}  // namespace

void StartClock(Engine& engine) {
  TickClock& c = engine.clock;
  c.mode = TickClock::kRunning;
  c.start = Read(c);
  c.limit = kTickLimit * engine.controls.tickScale;
  c.began = std::chrono::steady_clock::now();
}

void StopClock(Engine& engine) { engine.clock.mode = TickClock::kStopped; }

int TimeUp(Engine& engine) {
  TickClock& c = engine.clock;
  if (c.mode == TickClock::kStopped) return 0;
  if (c.mode == TickClock::kRunning && (Spent(engine) || NodesSpent(engine))) c.mode = TickClock::kTimeUp;
  return c.mode == TickClock::kTimeUp ? 1 : 0;
}

int StopDeepening(Engine& engine, int /*depth*/, bool onlyOne) {
  if (onlyOne) return 1;
  TickClock& c = engine.clock;
  if (c.mode == TickClock::kStopped) return 0;
  const TimeBudget& b = engine.controls.budget;
  if (NodesSpent(engine)) return 1;
  if (!b.realTime) return Elapsed(c) >= kDeepenShare * c.limit ? 1 : 0;
  return b.softMs > 0 && ElapsedMs(c) > kRealDeepenShare * double(b.softMs) ? 1 : 0;
}

int AbortCheck(Engine& engine) {
  const EngineControls& k = engine.controls;
  if (StopAsked(k)) return 1;
  if (engine.rootDepth <= 2 && !k.budget.realTime) return 0;
  if (engine.tickNodes < engine.lastCheckNodes) engine.lastCheckNodes = engine.tickNodes;
  if (engine.tickNodes - engine.lastCheckNodes > kNodesPerTick) {
    if (TimeUp(engine)) return 1;
    engine.lastCheckNodes = engine.tickNodes;
  }
  return 0;
}

int QuiesceAbortCheck(Engine& engine) {
  if (!engine.controls.budget.realTime) return 0;
  if ((++engine.quiesceNodes & kQuiescePoll) != 0) return 0;
  return StopAsked(engine.controls) || TimeUp(engine) ? 1 : 0;
}

}  // namespace torvik
