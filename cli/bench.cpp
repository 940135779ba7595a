// bench: the engine's move for each bench position at each difficulty, on
// the tick budget and with a fresh engine every time, so that the total node
// count is the same on every machine, in every run and in any order: the
// engine's signature. A change meant to leave play alone keeps it.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "board/console.h"
#include "cli/bench_positions.h"
#include "cli/commands.h"
#include "engine/think.h"
#include "record/game_state.h"
#include "record/levels.h"
#include "record/move_text.h"
#include "record/position_text.h"

namespace torvik::cli {
namespace {

struct Level {
  const char* name;
  int difficulty;
};
constexpr Level kLevels[] = {{"easy", kEasy}, {"medium", kMedium}, {"hard", kHard}};

const char* ModeName(const BenchPosition& p) {
  if (p.mode == kGame2D) return "2d";
  return p.rules == kStandard ? "3d-standard" : "3d-tournament";
}

// Nodes and milliseconds, summed.
struct Tally {
  int64_t nodes = 0;
  double ms = 0;
};

void PrintTally(const char* label, const Tally& t) {
  const double rate = t.ms > 0 ? double(t.nodes) * 1000.0 / t.ms : 0.0;
  std::printf("%s: %lld nodes %.0f ms %.0f nodes/s\n", label, static_cast<long long>(t.nodes), t.ms, rate);
}

}  // namespace

int Bench(Options& options) {
  if (!options.position.empty()) {
    std::fprintf(stderr, "torvik-cli: bench searches its own positions\n");
    return kBadUsage;
  }
  if (!NoOtherOptions(options)) return kBadUsage;
  Tally total, byMode[3];
  for (const BenchPosition& b : kBenchPositions) {
    auto root = std::make_unique<Position>();
    root->rules = b.rules;
    std::string error;
    if (!ParsePosition(b.text, b.mode, *root, error)) {
      ConsoleEndLine();
      std::fprintf(stderr, "torvik-cli: bench position %s %s: %s\n", ModeName(b), b.name, error.c_str());
      return 1;
    }
    Tally& mode = byMode[b.mode == kGame2D ? 0 : b.rules == kStandard ? 2 : 1];
    for (const Level& level : kLevels) {
      auto engine = std::make_unique<Engine>();
      ApplyLevel(level.difficulty, engine->controls);
      auto pos = std::make_unique<Position>(*root);
      pos->history = &engine->keys;
      Move move;
      const auto start = std::chrono::steady_clock::now();
      Think(*engine, *pos, move);
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      ConsoleEndLine();
      const bool none = move.from == 0 && move.to == 0;
      std::printf("%-13s %-6s %-16s %-16s depth %2d nodes %lld\n", ModeName(b), level.name, b.name,
                  none ? "none" : FormatMoveText(*root, move).c_str(), engine->lastDepth,
                  static_cast<long long>(engine->nodes));
      for (Tally* t : {&total, &mode}) t->nodes += engine->nodes, t->ms += ms;
    }
  }
  PrintTally("2d", byMode[0]);
  PrintTally("3d-tournament", byMode[1]);
  PrintTally("3d-standard", byMode[2]);
  PrintTally("bench", total);
  return 0;
}

}  // namespace torvik::cli
