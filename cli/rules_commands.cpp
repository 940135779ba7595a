// perft, divide and moves: the rules as counts and lists.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "record/move_text.h"
#include "record/notation.h"
#include "rules/make_move.h"
#include "rules/perft.h"

namespace torvik::cli {
namespace {

// --depth N, 1..20, which the command needs.
bool TakeDepth(Options& options, int& depth) {
  depth = 0;
  if (!TakeNumber(options, "--depth", 1, 20, depth)) return false;
  if (depth > 0) return true;
  std::fprintf(stderr, "torvik-cli: %s needs --depth N\n", options.command.c_str());
  return false;
}

bool Prepare(Options& options, Position& pos, int* depth) {
  if (depth && !TakeDepth(options, *depth)) return false;
  return NoOtherOptions(options) && LoadPosition(options, pos);
}

}  // namespace

int Perft(Options& options) {
  auto pos = std::make_unique<Position>();
  int depth = 0;
  if (!Prepare(options, *pos, &depth)) return kBadUsage;
  const auto start = std::chrono::steady_clock::now();
  uint64_t nodes = 0;
  for (int d = 1; d <= depth; ++d) {
    const uint64_t count = torvik::Perft(*pos, d);
    nodes += count;
    std::printf("depth %d nodes %llu\n", d, static_cast<unsigned long long>(count));
    std::fflush(stdout);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("time %.3f s, %.0f nodes per second\n", seconds, seconds > 0 ? nodes / seconds : 0.0);
  return 0;
}

int Divide(Options& options) {
  auto pos = std::make_unique<Position>();
  int depth = 0;
  if (!Prepare(options, *pos, &depth)) return kBadUsage;
  MoveList moves;
  const int n = LegalMoves(*pos, moves);
  auto child = std::make_unique<Position>();
  uint64_t total = 0;
  for (int i = 0; i < n; ++i) {
    Move m = moves[i];
    MakeMove(*child, *pos, m);
    const uint64_t count = torvik::Perft(*child, depth - 1);
    total += count;
    std::printf("%s %llu\n", FormatMoveText(*pos, moves[i]).c_str(), static_cast<unsigned long long>(count));
  }
  std::printf("total %llu\n", static_cast<unsigned long long>(total));
  return 0;
}

// With --notation, each move also as the program names it once made.
int Moves(Options& options) {
  auto pos = std::make_unique<Position>();
  int notation = -1;
  if (!TakeNotation(options, notation) || !Prepare(options, *pos, nullptr)) return kBadUsage;
  MoveList moves;
  const int n = LegalMoves(*pos, moves);
  for (int i = 0; i < n; ++i) {
    std::string line = FormatMoveText(*pos, moves[i]);
    if (notation >= 0) line += " " + NotationOfMove(*pos, moves[i], notation);
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

}  // namespace torvik::cli
