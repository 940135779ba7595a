// MTD(f): null-window root searches that close in on the value. An
// aspiration phase finds a first lower bound below the guess with widening
// margins; a closing phase then steps between the bounds, the steps growing
// with the square of the number of steps in one direction, until they are
// within 700, in the 2D game 1500 (mate scores are solved exactly).
#include <algorithm>
#include <array>
#include <cmath>

#include "board/console.h"
#include "engine/move_order.h"
#include "engine/score.h"
#include "engine/search.h"
#include "engine/think.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

// The aspiration phase's margins below the guess, one a pass, until a pass
// finds a lower bound.
constexpr std::array<int32_t, 7> kAspiration = {5000, 20000, 60000, 130000, 300000, 300000, 300000};
constexpr int kAspirationPasses = 6;  // the last index of kAspiration
constexpr int32_t kFirstAspiration2D = 2000;  // the 2D game's first margin, in place of kAspiration[0]
constexpr int32_t kStep = 700;        // the closing phase's step unit (it grows with its square)
constexpr int32_t kClampGap = 100;    // an aspiration test value stays this far inside the bounds
constexpr int32_t kCloseEnough = 10;  // bounds this close end the closing phase
constexpr int32_t kSettle2D = 1500;   // the 2D game's bounds this close need no further pass (else kStep)
constexpr int kMaxPasses = 30;        // beyond this many passes a settled window stops the closing
// After one aspiration pass that failed low, the next test starts at most this
// far below the guess.
constexpr double kFirstPullBack = 350.00000000000006;

struct Window {
  int32_t lower = kMated;
  int32_t upper = kKingTaken;
  int32_t g = 0;
  int iterations = 0;
  bool aborted = false;
};

int32_t Pass(Engine& e, Position& pos, Move& best, int depth, int32_t gamma) {
  const int32_t g = RootSearch(e, pos, depth, gamma, best);
  ++e.passes;
  return g;
}

void Aspire(Engine& e, Position& pos, Move& best, int depth, int32_t guess, Window& w) {
  while (w.lower == kMated && w.upper > w.lower && w.iterations <= kAspirationPasses && !w.aborted) {
    int32_t gamma = w.g - (w.iterations == 0 && !Is3D(pos) ? kFirstAspiration2D : kAspiration[w.iterations]);
    if (gamma <= w.lower) gamma = w.lower + kClampGap;
    if (gamma >= w.upper) gamma = w.upper - kClampGap;
    w.g = Pass(e, pos, best, depth, gamma);
    ++w.iterations;
    if (e.aborted) {
      w.aborted = true;
      if (w.lower == kMated) w.lower = guess;
    } else if (w.g >= gamma) {
      w.lower = w.g;
    } else {
      w.upper = w.g;
    }
  }
}

// The next test value: up from a lower bound, down from an upper one.
int32_t NextGamma(Window& w, int& up, int& down) {
  const int32_t middle = (w.lower + w.upper) / 2;
  if (w.g == w.lower) {
    ++up;
    down = 0;
    return std::min(w.g + up * up * kStep, middle);
  }
  if (w.g == w.upper) {
    up = 0;
    ++down;
    return std::max(w.g - down * down * kStep, middle);
  }
  return w.g;
}

void Close(Engine& e, Position& pos, Move& best, int depth, int32_t guess, Window& w) {
  int up = 0, down = 0;
  while (w.upper > w.lower + kCloseEnough && !w.aborted) {
    ++w.iterations;
    const int32_t gamma = NextGamma(w, up, down);
    if (w.lower >= -kFirstMate && w.upper < kKingTaken && mtd_converged(e, pos, w.lower, w.upper, depth)) return;
    w.g = Pass(e, pos, best, depth, gamma);
    if (e.aborted) {
      w.aborted = true;
      if (w.lower == kMated) w.lower = guess;
      return;
    }
    if (w.g < gamma) w.upper = w.g;
    else w.lower = w.g;
    if (w.lower > kFirstMate || w.upper < -kFirstMate) {
      e.mateBound = true;
      return;
    }
    if (w.lower < w.upper - (Is3D(pos) ? kStep : kSettle2D)) continue;
    if (e.passes > kMaxPasses || std::abs(w.lower) < kMateScores - 1) return;
  }
}

}  // namespace

int32_t Mtdf(Engine& e, Position& pos, Move& best, int depth, int32_t guess) {
  Window w;
  w.g = guess;
  e.passes = 0;
  e.mateBound = false;
  PrepareRootMoves(e, pos, best);
  int32_t etcValue = 0;
  Move etcMove;
  if (ETC(e, pos, e.stack[0].moves.moves, e.stack[0].moves.count, nullptr, depth, kMated, etcValue, etcMove, 0)) {
    w.lower = etcValue;
    w.g = w.lower;
    best = etcMove;  // the move that proves the lower bound, as a fail high would
  }
  Aspire(e, pos, best, depth, guess, w);
  if (w.aborted || w.lower == w.upper) return w.lower;
  if (e.passes == 1 && w.g < guess) w.g = std::max(int32_t(double(guess) - kFirstPullBack), w.g);
  else if (e.passes == 0) w.g += kStep;
  Close(e, pos, best, depth, guess, w);
  if (w.lower == kMated) w.lower = w.g;
  return w.lower;
}

int mtd_converged(Engine& e, Position& pos, int32_t lower, int32_t /*upper*/, int depth) {
  int better = 0;
  Position& child = ChildAt(e, 0);
  const PlyMoves& root = e.stack[0].moves;
  for (int i = 0; i < root.count; ++i) {
    Move m = root.moves[i];
    if (!MakeMove(child, pos, m)) {
      const std::string name = e.controls.nameMove ? e.controls.nameMove(pos, m) : std::string();
      ConsolePrintf("\nillegal move %s in mtd_converged", name.c_str());
      continue;
    }
    const TTEntry* entry = LookupTT(e.tt, child);
    if (!entry || entry->upperDepth < depth - 1) return 0;
    if (-entry->lower > lower) ++better;
  }
  return better == 1 ? 1 : 0;
}

}  // namespace torvik
