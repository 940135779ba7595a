// Castling of the side to move: the king's move, short before long.
#pragma once

#include "board/position.h"
#include "rules/make_move.h"
#include "rules/move_list.h"

namespace torvik {

// 2D: king e1-g1 / e1-c1 (e8-g8 / e8-c8), with the rook on its corner, over
// empty squares none of which, the king's own included, the opponent attacks.
void AddCastling2D(const Position& pos, MoveSink& sink);

// 3D: the king on its board's corner takes the rook's square (short) or the
// square beside it (long). A right whose king or rook is not home is cleared.
void AddCastling3D(Position& pos, MoveSink& sink);

// The steps of making a castling move.

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

}  // namespace torvik
