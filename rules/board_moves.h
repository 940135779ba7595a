// Attack-board moves: a board moves from pin to pin carrying what stands on it.
#pragma once

#include "board/position.h"
#include "rules/make_move.h"
#include "rules/move_list.h"

namespace torvik {

// 1 when the board may move now. Under either rule set `direction` is the sum
// of the signed piece codes on the board: 0 empty, positive when it carries a
// white piece, negative for a black one.
int BoardCanMove(const Position& pos, int boardCode, int& direction);

// Appends the board's moves at list[at] onwards; returns how many it wrote.
int GenAtBoMoves(const Position& pos, int boardCode, MoveList& list, int at);

// The steps of making an attack-board move.

// Puts attack board `which_ab` on the free `pin` with its pieces: the pin keys,
// the en-passant square dropped, the castling rights of a king or home rook it
// carries away dropped, the board owners and the pawn marks brought up to
// date. The attack maps are left to the caller. A board move makes this step;
// the debug key K makes it alone.
void RelocateBoard(Position& pos, int which_ab, int pin);

// The castling rights attack board `which_ab` takes away with its pieces: the
// king's, and a rook's standing on its home square.
uint32_t RightsCarried(const Position& pos, int which_ab);

// The square of the pawn that moving attack board `which_ab` to `pin` carries
// onto its last rank, kNoSquare for none.
Square CarriedPromotion(const Position& pos, int which_ab, int pin);

// An attack-board move: the board changes pins, carrying its pieces.
void MakeBoardMove(MoveStep& step, int which_ab);

}  // namespace torvik
