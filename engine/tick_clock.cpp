#include "engine/tick_clock.h"

namespace torvik {
namespace {

constexpr double kTickLimit = 10.0;
constexpr double kDeepenShare = 0.7;
constexpr int64_t kNodesPerTick = 1000;

// Reading the clock moves it on.
double Read(TickClock& c) { return c.ticks += 1.0; }

double Elapsed(TickClock& c) { return Read(c) - c.start; }

}  // namespace

void StartClock(Engine& engine) {
  TickClock& c = engine.clock;
  c.mode = TickClock::kRunning;
  c.start = Read(c);
  c.limit = kTickLimit;
}

void StopClock(Engine& engine) { engine.clock.mode = TickClock::kStopped; }

int TimeUp(Engine& engine) {
  TickClock& c = engine.clock;
  if (c.mode == TickClock::kStopped) return 0;
  if (c.mode == TickClock::kRunning && Elapsed(c) > c.limit) c.mode = TickClock::kTimeUp;
  return c.mode == TickClock::kTimeUp ? 1 : 0;
}

int StopDeepening(Engine& engine, int /*depth*/, bool onlyOne) {
  if (onlyOne) return 1;
  TickClock& c = engine.clock;
  if (c.mode == TickClock::kStopped) return 0;
  return Elapsed(c) >= kDeepenShare * c.limit ? 1 : 0;
}

int AbortCheck(Engine& engine) {
  const EngineControls& k = engine.controls;
  if ((k.abortSearch && *k.abortSearch) || (k.engineSide && *k.engineSide == 0)) return 1;
  if (k.stop && k.stop->load(std::memory_order_acquire)) return 1;
  if (engine.rootDepth <= 2) return 0;
  if (engine.nodes < engine.lastCheckNodes) engine.lastCheckNodes = engine.nodes;
  if (engine.nodes - engine.lastCheckNodes > kNodesPerTick) {
    if (TimeUp(engine)) return 1;
    engine.lastCheckNodes = engine.nodes;
  }
  return 0;
}

}  // namespace torvik
