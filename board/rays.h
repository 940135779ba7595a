// The ray lookup: which squares lie one step away from a square in a direction.
// In the 2D game that is at most one square, computed on the spot. In the 3D game
// one step can land on several levels, and the answer depends on where the four
// attack boards stand, so the lists are built once per board configuration and
// kept in a cache selected by the configuration's key.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "board/position.h"
#include "board/square.h"

namespace torvik {

// A direction is 8 x (file step) + (rank step). Its slot indexes the tables;
// the opposite of slot k is slot k ^ 8.
constexpr int kDirectionCount = 16;
constexpr std::array<int, kDirectionCount> kDirections = {
    1, 10, 9, 17, 8, 15, 7, 6, -1, -10, -9, -17, -8, -15, -7, -6};

// Slot of a direction code, or -1 for 0 and every unknown code.
constexpr int DirectionSlot(int direction) {
  for (int k = 0; k < kDirectionCount; ++k)
    if (kDirections[k] == direction) return k;
  return -1;
}

// Rank steps run from -2 to +2, so the file step is the direction over 8, rounded.
constexpr int FileStep(int direction) { return (direction + 36) / 8 - 4; }
constexpr int RankStep(int direction) { return direction - 8 * FileStep(direction); }
static_assert(FileStep(10) == 1 && RankStep(10) == 2);
static_assert(FileStep(15) == 2 && RankStep(15) == -1);
static_assert(FileStep(-15) == -2 && RankStep(-15) == 1);
static_assert(FileStep(-1) == 0 && RankStep(-1) == -1);
static_assert(FileStep(-7) == -1 && RankStep(-7) == 1);
static_assert(FileStep(6) == 1 && RankStep(6) == -2);

// The squares one step away; never more than four (one per level).
struct RayList {
  int count = 0;
  std::array<Square, 4> squares{};
};

// Fills `out` and returns its count. In the 3D game this selects (and on first
// use builds) the table of the position's board configuration.
int GetRay(const Position& pos, Square square, int direction, RayList& out);

// The configuration key: the four pins, board 0 in the top byte.
constexpr uint32_t ConfigKey(const Position& pos) {
  return (uint32_t(pos.pins[0]) << 24) + (uint32_t(pos.pins[1]) << 16) +
         (uint32_t(pos.pins[2]) << 8) + uint32_t(pos.pins[3]);
}

// The pins' lower-case names one after another: "q1q6k1k6" at the start.
std::string GetConfigName(const Position& pos);
std::string GetConfigName(uint32_t key);  // of a configuration key

// Selects the position's configuration table, building it when it is new.
void DirTo(const Position& pos);

// Starts the cache of configuration tables over: every configuration is
// announced again when next met, counting from #1 (board/config_cache.h).
void ResetRayCache();

}  // namespace torvik
