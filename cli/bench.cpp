// bench: the engine's move for each bench position at each difficulty, on
// the tick budget and with a fresh engine every time, so that the total node
// count is the same on every machine, in every run and in any order: the
// engine's signature. A change meant to leave play alone keeps it.
//
// Beside it, the evaluation's signature: a hash of the scores of the positions
// met on fixed random walks from the bench positions, each evaluated from its
// parent as the search does and afresh. A change meant to keep every score
// (a faster way to the same evaluation) keeps it, where the node count would
// move only if some score changed enough to steer the search.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "board/console.h"
#include "cli/bench_positions.h"
#include "cli/commands.h"
#include "engine/evaluate.h"
#include "engine/search.h"
#include "engine/think.h"
#include "record/game_state.h"
#include "record/levels.h"
#include "record/move_text.h"
#include "record/position_text.h"
#include "rules/make_move.h"
#include "rules/perft.h"

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

// The walks of the evaluation's signature: so many from each bench position,
// of so many plies at most (a walk ends where the game does).
constexpr int kWalks = 4;
constexpr int kWalkPlies = 60;

// FNV-1a over the scores, byte by byte.
struct ScoreHash {
  uint64_t value = 14695981039346656037ull;
  int64_t count = 0;
  void Add(int32_t score) {
    for (int i = 0; i < 4; ++i) value = (value ^ ((uint32_t(score) >> (8 * i)) & 0xff)) * 1099511628211ull;
    ++count;
  }
};

// One walk from `root` (evaluated, its stage set), chosen by `seed`: every
// position's score reached from its parent and afresh into `hash`.
void Walk(const Position& root, uint64_t seed, ScoreHash& hash) {
  std::vector<std::unique_ptr<Position>> line;
  line.push_back(std::make_unique<Position>(root));
  for (int ply = 0; ply < kWalkPlies; ++ply) {
    Position& parent = *line.back();
    MoveList moves;
    const int n = LegalMoves(parent, moves);
    if (n == 0 || parent.winner != kNoWinner) return;
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    Move move = moves[(seed >> 33) % n];
    auto child = std::make_unique<Position>();
    if (MakeMove(*child, parent, move) != 1) return;  // the list holds legal moves only
    hash.Add(Evaluate(*child, 0, EvalMode::Incremental));
    auto fresh = std::make_unique<Position>(*child);
    SetGameStage(*fresh, 1);
    hash.Add(Evaluate(*fresh, kNoScore, EvalMode::Fresh));
    line.push_back(std::move(child));
  }
}

// The walks from one root, the side to move as the engine's side.
void WalkFrom(const Position& start, ScoreHash& hash) {
  auto root = std::make_unique<Position>(start);
  KeyHistory keys;
  root->history = &keys;
  MoverIsTheEngine(*root);
  SetGameStage(*root, 1);
  hash.Add(Evaluate(*root, kNoScore, EvalMode::Fresh));
  for (int w = 0; w < kWalks; ++w) Walk(*root, w + 1, hash);
}

// The bench position `b` read into `pos`; a message when it cannot be.
bool ReadBenchPosition(const BenchPosition& b, Position& pos) {
  pos.rules = b.rules;
  std::string error;
  if (ParsePosition(b.text, b.mode, pos, error)) return true;
  ConsoleEndLine();
  std::fprintf(stderr, "torvik-cli: bench position %s %s: %s\n", ModeName(b), b.name, error.c_str());
  return false;
}

}  // namespace

int Bench(Options& options) {
  if (!options.position.empty()) {
    std::fprintf(stderr, "torvik-cli: bench searches its own positions\n");
    return kBadUsage;
  }
  if (!NoOtherOptions(options)) return kBadUsage;
  Tally total, byMode[3];
  ScoreHash scores;
  for (const BenchPosition& b : kBenchPositions) {
    auto root = std::make_unique<Position>();
    if (!ReadBenchPosition(b, *root)) return 1;
    WalkFrom(*root, scores);
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
  for (const BenchPosition& b : kEvalWalkPositions) {
    auto root = std::make_unique<Position>();
    if (!ReadBenchPosition(b, *root)) return 1;
    WalkFrom(*root, scores);
  }
  PrintTally("2d", byMode[0]);
  PrintTally("3d-tournament", byMode[1]);
  PrintTally("3d-standard", byMode[2]);
  std::printf("evaluation: %016llx over %lld scores\n", static_cast<unsigned long long>(scores.value),
              static_cast<long long>(scores.count));
  PrintTally("bench", total);
  return 0;
}

}  // namespace torvik::cli
