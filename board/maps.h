// The tables that depend on where the attack boards stand: the straight line
// between two squares and the reach of each piece type on an empty board.
#pragma once

#include "board/position.h"

namespace torvik {

// Brings the line and reach tables up to the position's board configuration.
void RegenMaps(const Position& pos);

}  // namespace torvik
