// Which piece a pawn becomes.
#pragma once

#include "board/move.h"

namespace torvik {

// The piece type (knight..queen) a promotion makes. A move whose kind names a
// piece ('Q', 'R', 'B', 'N') makes that piece; any other kind makes a queen and
// the kind becomes 'Q'.
int GetPromotedPiece(Move& move);

}  // namespace torvik
