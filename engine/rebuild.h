// Rebuilding a position whole and evaluating it at once, so that the
// evaluation's cached terms are current whenever a position is set up, read,
// edited or taken back.
#pragma once

#include "board/position.h"

namespace torvik {

// RegenToPieces, then a full evaluation. Returns 0 on a corrupt piece list.
int RegenPosition(Position& pos);

// BoardToPieces, RegenToPieces and a full evaluation. Returns 0 when the board
// cannot be rebuilt (the position must then not be used).
int RebuildPosition(Position& pos);

}  // namespace torvik
