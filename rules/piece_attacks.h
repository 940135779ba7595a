// The attack builder: which squares a piece attacks or could move to.
#pragma once

#include "board/position.h"

namespace torvik {

// Adds the reach of the piece in `slot` to the attack maps and marks the slot
// for the evaluation to recompute.
void GeneratePieceAttacks(Position& pos, int slot);

}  // namespace torvik
