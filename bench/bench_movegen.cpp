// Move generation and make-move rates over a fixed set of 2D and 3D positions.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench_positions.h"
#include "board/console.h"
#include "record/position_text.h"
#include "rules/generate.h"
#include "rules/make_move.h"
#include "rules/perft.h"

using namespace torvik;

namespace {

using bench::Clock;
using bench::Seconds;

std::vector<Position> Load(int mode) { return bench::LoadSamples(mode); }

void Measure(const char* name, std::vector<Position>& positions) {
  const int rounds = 20000;
  MoveList list;
  long generated = 0;
  auto start = Clock::now();
  for (int r = 0; r < rounds; ++r)
    for (Position& p : positions) generated += GenerateAll(p, list);
  const double genSeconds = Seconds(start);

  auto child = std::make_unique<Position>();
  long made = 0;
  start = Clock::now();
  for (int r = 0; r < rounds / 4; ++r) {
    for (Position& p : positions) {
      const int n = GenerateAll(p, list);
      for (int i = 0; i < n; ++i) {
        Move m = list[i];
        made += MakeMove(*child, p, m) >= 0;
      }
    }
  }
  const double makeSeconds = Seconds(start);
  std::printf("%s: %.1f M moves generated/s, %.2f M moves made/s (make and finish)\n", name,
              generated / genSeconds / 1e6, made / makeSeconds / 1e6);
}

void TimePerft(const char* name, const char* text, int mode, int rules, int depth) {
  Position pos;
  pos.rules = rules;
  std::string error;
  ParsePosition(text, mode, pos, error);
  const auto t = Clock::now();
  const uint64_t nodes = Perft(pos, depth);
  const double s = Seconds(t);
  std::printf("perft %d of the %s: %llu nodes in %.2f s, %.2f M nodes/s\n", depth, name,
              static_cast<unsigned long long>(nodes), s, nodes / s / 1e6);
}

}  // namespace

int main() {
  ConsoleCapture quiet;  // building messages
  auto positions2D = Load(kGame2D);
  auto positions3D = Load(kGame3D);
  Measure("2D", positions2D);
  Measure("3D", positions3D);
  TimePerft("2D start", kStartText2D, kGame2D, kTournament, 6);
  TimePerft("Kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", kGame2D, kTournament, 5);
  TimePerft("3D start, Tournament", kStartText3D, kGame3D, kTournament, 4);
  TimePerft("3D start, Standard", kStartText3D, kGame3D, kStandard, 4);
  return 0;
}
