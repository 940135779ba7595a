// Rebuilding a Position: from its board to everything else (BoardToPieces), and
// from its piece list to the derived maps (RegenToPieces).
#pragma once

#include "board/position.h"

namespace torvik {

// Rebuilds the piece list, masks, keys and material from board[], pins, flags,
// epSquare and ply; drops castling rights whose king and rook are not home.
// Returns 0 when a side has no king (or two, or more than 16 pieces): the
// Position is then half rebuilt and must not be used.
int BoardToPieces(Position& pos);

// Recomputes the attack maps, board ownership and the evaluation's per-piece
// state from the piece list. Returns 0 on a corrupt piece list.
int RegenToPieces(Position& pos);

}  // namespace torvik
