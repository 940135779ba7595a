// Cost of the ray lookup in a warm cache, and of building one configuration.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "board/config_cache.h"
#include "board/console.h"
#include "board/geometry.h"
#include "board/ray_table.h"
#include "board/rays.h"

using namespace torvik;

namespace {

using Clock = std::chrono::steady_clock;

long checksum = 0;  // keeps the lookups' results alive

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

Position Make3D(int p0, int p1, int p2, int p3) {
  Position pos;
  pos.gameMode = kGame3D;
  pos.pins = {p0, p1, p2, p3};
  return pos;
}

struct Query {
  Square square;
  int direction;
};

std::vector<Query> MixedQueries(int n) {
  std::vector<Query> queries;
  uint32_t seed = 12345;
  for (int i = 0; i < n; ++i) {
    seed = seed * 1664525u + 1013904223u;
    queries.push_back({Square(seed >> 26), kDirections[(seed >> 8) & 15]});
  }
  return queries;
}

// Lookups over `positions` in turn, `perPosition` queries each before moving on.
double LookupsPerSecond(const std::vector<Position>& positions, int perPosition) {
  const std::vector<Query> queries = MixedQueries(4096);
  const long rounds = 200'000'000 / perPosition;
  long sum = 0;
  RayList list;
  size_t q = 0, p = 0;
  const auto start = Clock::now();
  for (long r = 0; r < rounds; ++r) {
    const Position& pos = positions[p];
    p = p + 1 == positions.size() ? 0 : p + 1;
    for (int i = 0; i < perPosition; ++i, q = (q + 1) & 4095)
      sum += GetRay(pos, queries[q].square, queries[q].direction, list);
  }
  const double seconds = SecondsSince(start);
  checksum += sum;
  return double(rounds * perPosition) / seconds;
}

std::vector<Position> DistinctConfigurations(int n) {
  std::vector<Position> all;
  for (int a = 0; a < kPins && int(all.size()) < n; ++a)
    for (int b = 0; b < kPins && int(all.size()) < n; ++b)
      for (int c = 0; c < kPins && int(all.size()) < n; ++c)
        for (int d = 0; d < kPins && int(all.size()) < n; ++d)
          if (a != b && a != c && a != d && b != c && b != d && c != d)
            all.push_back(Make3D(kPinTable[a].square, kPinTable[b].square, kPinTable[c].square,
                                 kPinTable[d].square));
  return all;
}

}  // namespace

int main() {
  ConsoleCapture quiet;  // the building messages go to memory, not the terminal
  std::vector<Position> start = {Make3D(32, 39, 56, 63)};
  DirTo(start[0]);
  LookupsPerSecond(start, 16);  // warm-up: caches, branch history, clock speed
  std::printf("warm cache, one configuration: %.0f lookups/s\n", LookupsPerSecond(start, 16));

  std::vector<Position> pair = {Make3D(32, 39, 56, 63), Make3D(2, 39, 56, 63)};
  for (Position& p : pair) ResolveConfig(p);
  std::printf("warm cache, two configurations alternating every 16 lookups (resolved): "
              "%.0f lookups/s\n", LookupsPerSecond(pair, 16));
  std::vector<Position> unresolved = {Make3D(32, 39, 56, 63), Make3D(2, 39, 56, 63)};
  std::printf("warm cache, two configurations alternating every 16 lookups (unresolved): "
              "%.0f lookups/s\n", LookupsPerSecond(unresolved, 16));

  // New configurations, then the same ones again after a reset (kept, announced again).
  const std::vector<Position> configs = DistinctConfigurations(kConfigCacheCapacity);
  for (const char* pass : {"first builds", "after a reset"}) {
    ResetRayCache();
    const auto t = Clock::now();
    for (const Position& p : configs) DirTo(p);
    std::printf("building one configuration, %s (average of %zu): %.2f us\n", pass,
                configs.size(), SecondsSince(t) / double(configs.size()) * 1e6);
  }
  static RayTable table;
  const auto t = Clock::now();
  for (const Position& p : configs) BuildRayTable(ConfigKey(p), table);
  std::printf("filling one table alone, no selection or message: %.2f us\n",
              SecondsSince(t) / double(configs.size()) * 1e6);
  std::printf("(checksum %ld)\n", checksum);
  ResetRayCache();
  return 0;
}
