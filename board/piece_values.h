// Piece values by piece type, as the evaluation's stage-0 coefficients give them
// (entries 1181..1187). Material sums read them whatever the game stage.
#pragma once

#include <array>
#include <cstdint>

#include "board/piece.h"

namespace torvik {

constexpr int kPieceValueIndex = 1181;  // first of the seven values in a coefficient block
constexpr std::array<int32_t, 7> kPieceValues = {0, 10052, 40012, 41375, 60163, 119983, 800000};

constexpr int32_t PieceValue(int code) { return kPieceValues[TypeOf(code)]; }

}  // namespace torvik
