// A ray table: the 3D ray lists of every square in every direction for one
// attack-board configuration, 1024 lists indexed slot x 64 + square.
#pragma once

#include <array>
#include <cstdint>

#include "board/rays.h"
#include "board/square.h"

namespace torvik {

constexpr int kRayLists = kDirectionCount * kSquareCount;
constexpr int kMaxRayLength = 4;  // one step reaches at most four levels

// One list: entries in the order they were added, unused entries kNoSquare.
struct RayEntry {
  uint8_t count = 0;
  std::array<uint8_t, kMaxRayLength> squares = {kNoSquare, kNoSquare, kNoSquare, kNoSquare};
};

using RayTable = std::array<RayEntry, kRayLists>;

constexpr int RayListIndex(int slot, Square square) { return slot * kSquareCount + square; }

// Fills `table` for the configuration packed in `key` (see ConfigKey): the base
// links, then each board's links to the fixed levels and to the other boards.
// Boards that cannot stand where the key puts them are reported and left unlinked.
void BuildRayTable(uint32_t key, RayTable& table);

}  // namespace torvik
