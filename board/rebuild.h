// Rebuilding a Position from its board: the piece list and everything kept
// beside it (the attack maps come from the rules' RegenToPieces).
#pragma once

#include "board/position.h"

namespace torvik {

// Rebuilds the piece list, masks, keys and material from board[], pins, flags,
// epSquare and ply; drops castling rights whose king and rook are not home.
// Returns 0, with a message on the console, when a side has no king (or two)
// or more pieces than its slots hold (see SidesFit): the piece list is then
// left empty and the Position must not be played on.
int BoardToPieces(Position& pos);

}  // namespace torvik
