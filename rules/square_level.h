// The level of a 3D square, as GetSquareLevel gives it, without the lookups'
// warnings: the slides ask for it on every square they pass.
#pragma once

#include <array>
#include <cstdint>

#include "board/geometry.h"
#include "board/position.h"

namespace torvik {

// Levels run 0..7; a slide keeps one open flag per level number.
constexpr int kLevelCount = 8;

// Level of the board standing on each pin, indexed by the pin's square code; 0
// where the code is no pin.
constexpr std::array<int8_t, kSquareCount> kLevelOfPin = [] {
  std::array<int8_t, kSquareCount> levels{};
  for (const PinInfo& pin : kPinTable) levels[pin.square] = int8_t(pin.level);
  return levels;
}();

inline int SquareLevel3D(const Position& pos, Square s) {
  if (s >= 32) return RowOf(s) < 4 ? kWhiteLevel : kBlackLevel;
  const int row = RowOf(s);
  if (row >= 2 && row <= 5) return kNeutralLevel;
  const int board = (ColumnOf(s) >= 2 ? 2 : 0) + (row >= 6 ? 1 : 0);
  const int pin = pos.pins[board];
  return IsSquare(pin) ? kLevelOfPin[pin] : 0;
}

inline int SquareLevel(const Position& pos, Square s) {
  return Is3D(pos) ? SquareLevel3D(pos, s) : kLevel2D;
}

}  // namespace torvik
