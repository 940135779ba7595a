// Rebuilding a Position from its board: the piece list and everything kept
// beside it (the attack maps come from the rules' RegenToPieces).
#pragma once

#include "board/position.h"

namespace torvik {

// Rebuilds the piece list, masks, keys and material from board[], pins, flags,
// epSquare and ply; drops castling rights whose king and rook are not home.
// Returns 0, with a message on the console, when a side has more pieces than
// its slots hold (see SidesFitSlots): the piece list is then left empty. Also
// returns 0 when a side has no king or two (the board editor's "may be
// unstable"); the piece list is then rebuilt all the same, every piece in a
// slot of its own, so that the board can be read and shown without harm.
int BoardToPieces(Position& pos);

}  // namespace torvik
