// The evaluation: a Position to one score, from the side to move's view.
#pragma once

#include <cstdint>

#include "board/position.h"

namespace torvik {

// `bound` is the search's test value (kNoScore for none); `mode` 0 allows a lazy
// estimate, 1 evaluates with incremental reuse, 2 or more re-evaluates every piece.
int32_t Evaluate(Position& pos, int32_t bound, int mode);

}  // namespace torvik
