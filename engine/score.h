// The score scale: one pawn is about 10000; the evaluation is White-positive
// inside and from the side to move's view outside, as the search is.
//
// Mate distance: every node of the search moves a mate score one step towards
// zero and the incoming test value one step away, so that a mate n plies below
// the root reads 400000 - n there (mate in one: 399999).
#pragma once

#include <cstdint>

#include "board/move.h"

namespace torvik {

// kNoScore (board/move.h, 405000): no bound, no value.
constexpr int32_t kKingTaken = 400000;       // the side to move can capture the king
constexpr int32_t kEvalLimit = 399852;       // an evaluation never goes beyond this
constexpr int32_t kMaterialClamp = 300000;   // the material difference used inside
constexpr int32_t kLazyMargin = 8000;        // the fast terms must clear the bound by this
constexpr int32_t kLazyDeduction = 5000;     // taken off a lazy estimate towards the bound
constexpr int32_t kCaptureGain = 5000;       // a capture sequence wins when it gains this

constexpr int32_t kMated = -400000;      // no legal move while in check; an illegal move's score
constexpr int32_t kFirstMate = 399999;   // mate in one, at the root
constexpr int32_t kMateScores = 399873;  // winning mates are at least this
constexpr int32_t kUnsearched = -399999; // every move of a fresh list

constexpr bool IsWinningMate(int32_t v) { return v >= kMateScores; }
constexpr bool IsLosingMate(int32_t v) { return v < -(kMateScores - 1); }

// The incoming test value, one step away from zero inside the mate range.
constexpr int32_t GammaAway(int32_t gamma) {
  if (gamma >= kMateScores && gamma <= kFirstMate - 1) return gamma + 1;
  if (gamma <= -kMateScores && gamma >= -(kFirstMate - 1)) return gamma - 1;
  return gamma;
}

// A returned value, `steps` steps towards zero when it is a mate score.
constexpr int32_t TowardZero(int32_t v, int32_t steps = 1) {
  if (IsWinningMate(v)) return v - steps;
  if (IsLosingMate(v)) return v + steps;
  return v;
}

static_assert(TowardZero(kMated) == -kFirstMate && TowardZero(kKingTaken) == kFirstMate);

}  // namespace torvik
