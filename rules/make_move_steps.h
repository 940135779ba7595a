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

// The castling rights attack board `which_ab` takes away with its pieces: the
// king's, and a rook's standing on its home square.
uint32_t RightsCarried(const Position& pos, int which_ab);

// The square of the pawn that moving attack board `which_ab` to `pin` carries
// onto its last rank, kNoSquare for none.
Square CarriedPromotion(const Position& pos, int which_ab, int pin);

// An attack-board move: the board changes pins, carrying its pieces.
void MakeBoardMove(MoveStep& step, int which_ab);

// The pawn `mover`'s move from `parent` takes en passant: kNoSquare when it
// takes none. `offBoard` is set when the move steps onto the en-passant square
// of the 3D game and finds no pawn to take.
Square EnPassantVictim(const Position& parent, int mover, const Move& move, bool* offBoard = nullptr);

// The en-passant square `mover`'s move from `parent` leaves behind, 0 for none.
Square EpSquareAfter(const Position& parent, int mover, const Move& move);

// En passant capture by a pawn that has just moved (3D and 2D).
void CaptureEnPassant(MoveStep& step, int mover);

// The new en-passant square after a pawn's double step, with its key bits.
void SetEpSquare(MoveStep& step, int mover);

// The rook's squares when a king's move castles.
struct RookShift {
  Square from = kNoSquare, to = kNoSquare;
};

// Whether `mover`'s move from `parent` castles, and how its rook moves. A 3D
// king move from its home square onto a castling square castles while the side
// holds that right, whatever kind it was entered with.
bool CastlingRookShift(const Position& parent, int mover, const Move& move, RookShift& out);

// The castling rights (flags & 15) after `mover`'s move; `captured` when it took
// a piece.
uint32_t CastlingRightsAfter(const Position& parent, int mover, const Move& move, bool captured);

// Gives a 3D castling move its kind.
void RecogniseCastling(MoveStep& step, int mover);

// Castling: the rook's move, the castled marks and the rights that go.
void UpdateCastling(MoveStep& step, int mover);

// Mover's side +1 white, -1 black. 0 when the mover's king is attacked;
// otherwise sets the check flag and move.check from the other king.
int KingTest(Position& pos, int moverSide, Move& move);

}  // namespace torvik
