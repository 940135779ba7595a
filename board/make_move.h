// Making moves by copy-make: a move writes a new Position from its parent; going
// back means going back to the parent.
#pragma once

#include "board/position.h"

namespace torvik {

// DoMove and, when that says the move may be legal, FinishMove. Returns 1 when
// the mover's king is not attacked afterwards. Child and parent may be the same.
int MakeMove(Position& child, const Position& parent, Move& move);

// Writes the child. May leave the attack maps for FinishMove (flags bit 20).
// Returns 0 when the move is already known to be illegal. The move's kind may
// become 'x' or 'e' and its check byte is set.
int DoMove(Position& child, const Position& parent, Move& move);

// Completes a deferred DoMove; the parent (child.previous) must be unchanged.
int FinishMove(Position& child, Move& move);

// Incremental attack-map update for a plain piece move.
void UpdateMoves(Position& child, const Position& parent, const Move& move);

// Moves the piece of `slot` to the empty square `to`; captures nothing.
int MovePiece(Position& pos, int slot, Square to);

// 1 when moving `piece` to `to` promotes it.
int IsPromotion(const Position& pos, int piece, Square to, const Move& move);

// 1 when moving attack board `boardCode` to the move's destination pin carries a
// pawn onto its last rank.
int BoardMovePromotes(const Position& pos, int boardCode, const Move& move);

}  // namespace torvik
