// A readable picture of a position for the terminal.
#pragma once

#include <string>

#include "board/position.h"

namespace torvik::cli {

// 2D: the 8x8 board, rank 8 on top. 3D: the levels from the top down (the black
// attack boards, the black level, the neutral level, the white level, the white
// attack boards), each on the file/rank grid z..e by 0..9, then the boards' pins.
std::string Picture(const Position& pos);

}  // namespace torvik::cli
