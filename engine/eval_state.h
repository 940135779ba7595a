// The evaluation's cached state kept in every Position.
#pragma once

#include <array>
#include <cstdint>

namespace torvik {

enum Side : int { kWhite = 0, kBlack = 1 };

struct EvalState {
  int32_t stage = 0;             // game stage 0..3
  uint32_t recomputeMask = 0;    // slots whose per-piece value must be recomputed
  std::array<int32_t, 2> material{};      // material sums by side, kings included
  std::array<uint32_t, 2> passedMask{};   // slots of passed pawns by side
};

}  // namespace torvik
