// What a 3D slider's reach of one square depends on. The 3D slide reads nothing
// but the ray lists, the levels and what stands on the squares it looks at; a
// move that changes none of those squares leaves the reach as it was.
#pragma once

#include <cstdint>

#include "board/position.h"

namespace torvik {

// The squares whose contents the slider in `slot` looks at on the lines by which
// it reaches `target` (its slides in every direction that reaches it, and the
// Tournament walks when they reach it), one bit per square; 0 when it does not
// reach `target`.
uint64_t ReachPath(const Position& pos, int slot, Square target);

// 1 when the slider in `slot` reaches `to` once the king has stepped from
// `kingFrom` to `to`.
bool ReachesAfterKingStep(const Position& pos, int slot, Square kingFrom, Square to);

}  // namespace torvik
