// The evaluation's cached terms, kept in every Position as plain data. The
// board keeps the material sums and clears the passed-pawn marks of a removed
// piece; everything else is the evaluation's to fill and read.
#pragma once

#include <array>
#include <cstdint>

namespace torvik {

enum Side : int { kWhite = 0, kBlack = 1 };

struct EvalCache {
  int32_t stage = 0;             // game stage 0..3
  uint32_t recomputeMask = 0;    // slots whose per-piece value must be recomputed
  std::array<int32_t, 2> material{};      // material sums by side, kings included
  std::array<uint32_t, 2> passedMask{};   // slots of passed pawns by side
};

}  // namespace torvik
