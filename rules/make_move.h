// Making moves by copy-make: a move writes a new Position from its parent; going
// back means going back to the parent.
#pragma once

#include <cstdint>

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

// The side to move passes (the search's null move): the en-passant square goes
// with its key bits and the other side is to move, the keys staying those of
// the position so reached. Nothing else changes; the caller goes back by
// restoring the position it kept.
void MakeNullMove(Position& pos);

// Completes a deferred DoMove; the parent (child.previous) must be unchanged.
int FinishMove(Position& child, Move& move);

// What the steps of DoMove tell each other. Castling, en passant and the
// attack-board moves carry out their own steps (rules/castling.h,
// rules/en_passant.h, rules/board_moves.h).
struct MoveStep {
  const Position& parent;
  Position& child;
  Move& move;
  bool fullCheck = false;  // the maps must be rebuilt now and the king tested
  bool captured = false;
  int capturedSlot = -1;   // the captured piece's slot in the parent
};

// Mover's side +1 white, -1 black. 0 when the mover's king is attacked;
// otherwise sets the check flag and move.check from the other king.
int KingTest(Position& pos, int moverSide, Move& move);

// The hash keys of the position a move leads to, without making the move: the
// search probes its table for a child before it pays for making it.
struct PositionKeys {
  uint32_t key = 0;
  uint32_t lock = 0;
};

// The keys MakeMove would give the child of `move`, a move of the generators or
// one that carries only its squares (a promotion without a piece makes a queen).
// A move that make-move would refuse gets the parent's keys with the side bit
// turned.
PositionKeys ChildKeys(const Position& parent, const Move& move);

}  // namespace torvik
