// Making moves by copy-make: a move writes a new Position from its parent; going
// back means going back to the parent.
#pragma once

#include "board/position.h"

namespace torvik {

// DoMove and, when that says the move may be legal, FinishMove. Returns 1 when
// the mover's king is not attacked afterwards. Child and parent may be the same.
// The child links to its parent (`previous`), which must outlive it unchanged
// but for what the evaluation caches in it.
int MakeMove(Position& child, Position& parent, Move& move);

// Writes the child. May leave the attack maps for FinishMove (flags bit 20).
// Returns 0 when the move is already known to be illegal. A piece move needs
// only its squares (and its kind for a promotion other than a queen): the
// mover and the capture come from the board, and the move's piece is filled
// in. Its kind may become 'x' or 'e'; its check byte is set by the king test.
// An attack-board move names its board in `piece`.
int DoMove(Position& child, Position& parent, Move& move);

// Completes a deferred DoMove; the parent (child.previous) must be unchanged.
int FinishMove(Position& child, Move& move);

// Incremental attack-map update for a plain piece move.
void UpdateMoves(Position& child, const Position& parent, const Move& move);

// Puts attack board `which_ab` on the free `pin` with its pieces: the pin keys,
// the en-passant square dropped, the castling rights of a king or home rook it
// carries away dropped, the board owners and the pawn marks brought up to
// date. The attack maps are left to the caller. A board move makes this step;
// the debug key K makes it alone.
void RelocateBoard(Position& pos, int which_ab, int pin);

}  // namespace torvik
