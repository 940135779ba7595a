// The list a move generator fills: the caller's array, the generator's count.
#pragma once

#include <array>

#include "board/move.h"

namespace torvik {

constexpr int kMoveListSize = 306;
using MoveList = std::array<Move, kMoveListSize>;

}  // namespace torvik
