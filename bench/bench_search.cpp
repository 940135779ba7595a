// The engine's speed: one engine move at each difficulty on a fixed set of 2D
// and 3D positions, with its nodes per second. The budget is counted in ticks,
// so a move's time measures the engine's speed alone.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "bench_positions.h"
#include "board/console.h"
#include "engine/think.h"
#include "record/position_text.h"

using namespace torvik;

namespace {

using bench::Clock;
using bench::kSamples;
using bench::Sample;

struct Level {
  const char* name;
  int difficulty;
};
constexpr Level kLevels[] = {{"Easy", 4}, {"Medium", 8}, {"Hard", 50}};

}  // namespace

int main() {
  ConsoleCapture quiet;
  std::printf("%-22s %-7s %8s %6s %10s %12s\n", "position", "level", "ms", "depth", "nodes", "nodes/s");
  for (const Sample& s : kSamples) {
    for (const Level& level : kLevels) {
      auto pos = std::make_unique<Position>();
      if (!bench::LoadSample(s, *pos)) return 1;
      auto engine = std::make_unique<Engine>();
      engine->controls.difficulty = level.difficulty;
      pos->history = &engine->keys;
      Move move;
      const auto start = Clock::now();
      Think(*engine, *pos, move);
      const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
      std::printf("%-22s %-7s %8.1f %6d %10lld %12.0f\n", s.name, level.name, seconds * 1e3, engine->lastDepth,
                  static_cast<long long>(engine->nodes), double(engine->nodes) / seconds);
    }
  }
  return 0;
}
