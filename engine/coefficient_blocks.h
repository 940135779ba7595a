// The building blocks the coefficient tables are written in: vectors by stage,
// square tables drawn as pictures, percentages. Only the sources that write
// the tables read this header.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/coefficients.h"

namespace torvik {

// Reached only while a table is built at compile time, where a call to it
// stops the build with the reason in the compiler's message. It has no body:
// nothing at run time may call it.
void TableLayoutError(const char* why);

namespace coefficient_blocks {

template <std::size_t N>
using Values = std::array<int32_t, N>;

using PerStage = std::array<int32_t, kStages>;

// A square table drawn as the board looks from White's side: the first line is
// row 7, the last line row 0, columns 0..7 from left to right.
using Picture = std::array<std::array<int32_t, 8>, 8>;

// The value of stage s among four.
constexpr int32_t Pick(int s, PerStage byStage) { return byStage[s]; }

template <class T>
constexpr const T& Pick(int s, const T& opening, const T& middle, const T& ending, const T& pawnless) {
  const T* byStage[kStages] = {&opening, &middle, &ending, &pawnless};
  return *byStage[s];
}

// v x percent / 100, rounded half away from zero.
constexpr int32_t Scale(int32_t v, int32_t percent) {
  int64_t x = int64_t{v} * percent;
  return static_cast<int32_t>(x >= 0 ? (x + 50) / 100 : (x - 50) / 100);
}

template <std::size_t N>
constexpr Values<N> Scaled(const Values<N>& values, int32_t percent) {
  Values<N> out{};
  for (std::size_t i = 0; i < N; ++i) out[i] = Scale(values[i], percent);
  return out;
}

constexpr Values<64> Squares(const Picture& picture) {
  Values<64> out{};
  for (int c = 0; c < 8; ++c) {
    for (int r = 0; r < 8; ++r) out[8 * c + r] = picture[7 - r][c];
  }
  return out;
}

// The entries of `table` from `first` on, N of them.
template <std::size_t N>
constexpr Values<N> Entries(const CoefficientTable& table, int first) {
  if (first < 0 || first + static_cast<int>(N) > kCoefficients) TableLayoutError("coefficient range out of the block");
  Values<N> out{};
  for (std::size_t i = 0; i < N; ++i) out[i] = table[first + i];
  return out;
}

// Writes `values` over the entries of `table` from `first` on.
template <std::size_t N>
constexpr void Overwrite(CoefficientTable& table, int first, const Values<N>& values) {
  if (first < 0 || first + static_cast<int>(N) > kCoefficients) TableLayoutError("coefficient range out of the block");
  for (std::size_t i = 0; i < N; ++i) table[first + i] = values[i];
}
constexpr void Overwrite(CoefficientTable& table, int index, int32_t value) {
  Overwrite(table, index, Values<1>{value});
}

}  // namespace coefficient_blocks
}  // namespace torvik
