// En-passant captures of the side to move.
#pragma once

#include "board/position.h"
#include "rules/make_move.h"
#include "rules/move_list.h"

namespace torvik {

// 2D: the pawns beside the en-passant square's victim, the lower file first;
// kind 'e' for white, 'E' for black.
void AddEnPassant2D(const Position& pos, MoveSink& sink);

// 3D: every pawn one capture step away from the en-passant square takes to
// every empty square of that capture step (all of them share the square's
// place on the file/rank grid); kind 'e'. A value that is no square is reported
// and the en-passant square cleared.
void AddEnPassant3D(Position& pos, MoveSink& sink);

// The steps of making an en-passant capture or a double step.

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

}  // namespace torvik
