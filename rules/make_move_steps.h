// The steps of making a move, shared by the files that carry them out.
#pragma once

#include "board/position.h"

namespace torvik {

// What the steps of DoMove tell each other.
struct MoveStep {
  const Position& parent;
  Position& child;
  Move& move;
  bool fullCheck = false;  // the maps must be rebuilt now and the king tested
  bool captured = false;
  int capturedSlot = -1;   // the captured piece's slot in the parent
};

// An attack-board move: the board changes pins, carrying its pieces.
void MakeBoardMove(MoveStep& step, int which_ab);

// En passant capture by a pawn that has just moved (3D and 2D).
void CaptureEnPassant(MoveStep& step, int mover);

// The new en-passant square after a pawn's double step, with its key bits.
void SetEpSquare(MoveStep& step, int mover);

// A 3D king move from its home square onto its castling square while the side
// holds that right is castling, whatever kind it was entered with.
void RecogniseCastling(MoveStep& step, int mover);

// Castling: the rook's move, the castled marks and the rights that go.
void UpdateCastling(MoveStep& step, int mover);

// Mover's side +1 white, -1 black. 0 when the mover's king is attacked;
// otherwise sets the check flag and move.check from the other king.
int KingTest(Position& pos, int moverSide, Move& move);

}  // namespace torvik
