// Evaluation rates over a fixed set of 2D and 3D positions: full evaluations,
// incremental ones (a child of an evaluated parent), make-move with and
// without the evaluation, and where the time of an evaluation goes.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench_positions.h"
#include "board/console.h"
#include "engine/evaluate.h"
#include "engine/square_control.h"
#include "engine/tactics.h"
#include "record/position_text.h"
#include "rules/make_move.h"
#include "rules/perft.h"

using namespace torvik;

namespace {

using bench::Clock;
using bench::Seconds;
using bench::kSamples;
using bench::Sample;

// An evaluated parent and its legal children, made but not evaluated.
struct Family {
  std::unique_ptr<Position> parent;
  std::vector<Position> children;
};

std::vector<Family> Load(int mode) {
  std::vector<Family> families;
  auto list = std::make_unique<MoveList>();
  for (const Sample& s : kSamples) {
    if (s.mode != mode) continue;
    Family f{std::make_unique<Position>(), {}};
    if (!bench::LoadSample(s, *f.parent)) continue;
    f.parent->flags |= kEngineWhite;
    SetGameStage(*f.parent, 1);
    f.parent->flags &= ~(kEvalCached | kTacticsCached);
    Evaluate(*f.parent, kNoScore, EvalMode::Fresh);
    const int n = LegalMoves(*f.parent, *list);
    for (int i = 0; i < n; ++i) {
      Move m = (*list)[i];
      Position child;
      if (MakeMove(child, *f.parent, m)) f.children.push_back(child);
    }
    families.push_back(std::move(f));
  }
  return families;
}

// Runs `work` on a fresh copy of every child, `rounds` times; returns the
// rate per second, less the cost of the copies.
template <class Work>
double Rate(std::vector<Family>& families, int rounds, Work&& work) {
  auto copy = std::make_unique<Position>();
  long n = 0;
  auto start = Clock::now();
  for (int r = 0; r < rounds; ++r)
    for (Family& f : families)
      for (const Position& c : f.children) {
        *copy = c;
        ++n;
      }
  const double copying = Seconds(start);
  start = Clock::now();
  for (int r = 0; r < rounds; ++r)
    for (Family& f : families)
      for (const Position& c : f.children) {
        *copy = c;
        work(*copy);
      }
  return n / std::max(Seconds(start) - copying, 1e-9);
}

// Make-move from each parent, each move `rounds` times, with and without
// evaluating the child.
double MakeRate(std::vector<Family>& families, int rounds, bool evaluate) {
  auto list = std::make_unique<MoveList>();
  auto child = std::make_unique<Position>();
  long made = 0;
  const auto start = Clock::now();
  for (Family& f : families) {
    const int n = LegalMoves(*f.parent, *list);
    for (int r = 0; r < rounds; ++r)
      for (int i = 0; i < n; ++i) {
        Move m = (*list)[i];
        if (!MakeMove(*child, *f.parent, m)) continue;
        if (evaluate) Evaluate(*child, 0, EvalMode::Incremental);
        ++made;
      }
  }
  return made / Seconds(start);
}

void Measure(const char* name, std::vector<Family>& families) {
  const int rounds = 400;
  std::printf("%s:\n", name);
  const double full = Rate(families, rounds, [](Position& p) { Evaluate(p, kNoScore, EvalMode::Fresh); });
  const double mode2 = Rate(families, rounds, [](Position& p) { Evaluate(p, 0, EvalMode::Fresh); });
  const double incremental = Rate(families, rounds, [](Position& p) { Evaluate(p, 0, EvalMode::Incremental); });
  std::printf("  evaluations/s: full from scratch %.2f M, mode 2 %.2f M, incremental (mode 1) %.2f M\n",
              full / 1e6, mode2 / 1e6, incremental / 1e6);
  const double bare = MakeRate(families, rounds / 4, false), with = MakeRate(families, rounds / 4, true);
  std::printf("  make-move/s: %.2f M alone, %.2f M with the incremental evaluation\n", bare / 1e6, with / 1e6);
  // Where an incremental evaluation's time goes (each part alone, on the child as made).
  struct Part {
    const char* name;
    void (*run)(Position&);
  };
  const Part parts[] = {
      {"pinned pieces", [](Position& p) { PinnedPass(p); }},
      {"piece values", [](Position& p) { PieceValues(p); }},
      {"king safety", [](Position& p) { KingSafety(p); }},
      {"tactics", [](Position& p) { TacticsTerm(p); }},
      {"square control", [](Position& p) { SquareControlPass(p); }},
      {"attacks", [](Position& p) { AttackPass(p); }},
      {"mobility", [](Position& p) { MobilityTerm(p); }},
      {"overload", [](Position& p) { OverloadTerm(p); }},
  };
  std::printf("  per incremental evaluation %.0f ns:", 1e9 / incremental);
  for (const Part& part : parts) std::printf(" %s %.0f,", part.name, 1e9 / Rate(families, rounds / 4, part.run));
  std::printf(" (ns)\n");
}

}  // namespace

int main() {
  ConsoleCapture quiet;  // building messages
  auto families2D = Load(kGame2D);
  auto families3D = Load(kGame3D);
  Measure("2D", families2D);
  Measure("3D", families3D);
  return 0;
}
