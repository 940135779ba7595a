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

namespace ray_detail {

// Slot of every code from -17 to +17, -1 where the code is no direction.
constexpr int kLargestStep = 17;
constexpr std::array<int8_t, 2 * kLargestStep + 1> kSlotByCode = [] {
  std::array<int8_t, 2 * kLargestStep + 1> slots{};
  for (int d = -kLargestStep; d <= kLargestStep; ++d) slots[d + kLargestStep] = int8_t(DirectionSlot(d));
  return slots;
}();

constexpr int SlotOf(int direction) {
  const unsigned i = unsigned(direction + kLargestStep);
  return i < kSlotByCode.size() ? kSlotByCode[i] : -1;
}

// The 2D step of every direction slot from every square: the square reached,
// or -1 off the board.
constexpr std::array<std::array<int8_t, kSquareCount>, kDirectionCount> kSteps2D = [] {
  std::array<std::array<int8_t, kSquareCount>, kDirectionCount> steps{};
  for (int k = 0; k < kDirectionCount; ++k) {
    const int d = kDirections[k];
    for (Square s = 0; s < kSquareCount; ++s) {
      const int file = ColumnOf(s) + FileStep(d), rank = RowOf(s) + RankStep(d);
      steps[k][s] = int8_t(file < 0 || file > 7 || rank < 0 || rank > 7 ? -1 : s + d);
    }
  }
  return steps;
}();

// A direction that is no direction (reported), a square off the board, and
// every 3D lookup.
int GetRaySlow(const Position& pos, Square square, int direction, RayList& out);

}  // namespace ray_detail

// Fills `out` and returns its count. In the 3D game this selects (and on first
// use builds) the table of the position's board configuration.
inline int GetRay(const Position& pos, Square square, int direction, RayList& out) {
  const int slot = ray_detail::SlotOf(direction);
  if (Is3D(pos) || slot < 0 || !IsSquare(square)) return ray_detail::GetRaySlow(pos, square, direction, out);
  const int to = ray_detail::kSteps2D[slot][square];
  out.squares = {to < 0 ? kNoSquare : to, kNoSquare, kNoSquare, kNoSquare};
  out.count = to < 0 ? 0 : 1;
  return out.count;
}

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
