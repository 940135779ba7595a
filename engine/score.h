// The score scale: one pawn is about 10000; the evaluation is White-positive
// inside and from the side to move's view outside.
#pragma once

#include <cstdint>

#include "board/move.h"

namespace torvik {

// kNoScore (board/move.h, 405000): no bound, no value.
constexpr int32_t kKingTaken = 400000;       // the side to move can capture the king
constexpr int32_t kEvalLimit = 399852;       // an evaluation never goes beyond this
constexpr int32_t kMaterialClamp = 300000;   // the material difference used inside
constexpr int32_t kLazyMargin = 20000;       // the fast terms must clear the bound by this
constexpr int32_t kLazyDeduction = 15000;    // taken off a lazy estimate towards the bound
constexpr int32_t kCaptureGain = 5000;       // a capture sequence wins when it gains this

}  // namespace torvik
