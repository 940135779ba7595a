// What a board must be before it is rebuilt or played on: checked by the
// rebuild and by every reader of positions from outside (text and images).
#pragma once

#include <array>
#include <string>

#include "board/position.h"

namespace torvik {

// The piece type each of a side's first eight slots holds (or holds none).
constexpr std::array<int, kPawnSlot> kOfficerLayout = {kKing, kQueen, kRook, kRook,
                                                       kBishop, kBishop, kKnight, kKnight};

// True when each side has one king and its pieces fit its 16 slots: the eight
// slots K Q R R B B N N, then eight for its pawns and for the pieces the layout
// has no room for (a second queen, a third bishop). Otherwise false, with a
// message naming the side and what it lacks or has too many of.
bool SidesFit(const Position& pos, std::string& error);

// The same but for the kings: a board the editor left may lack one or hold two
// (a second king counts as a piece the layout has no room for).
bool SidesFitSlots(const Position& pos, std::string& error);

// The square of a pawn that stands where it must already have promoted, or
// kNoSquare. 2D: the first or last rank. 3D: where a pawn's move promotes it
// (no square ahead on any level, or the far rank of an attack board at the far
// end), for the boards' current pins; but a pawn may stand on a level's corner
// beneath its end pin (a8 or d8 for White, a1 or d1 for Black) once the board
// that stood on that pin has moved away.
Square PawnPastPromotion(const Position& pos);

// 2D: whether the en-passant square is one the last move can have left: empty,
// on the third (sixth) rank, with the pawn that stepped just beyond it.
bool EpSquareFits2D(const Position& pos);

// Drops the castling rights whose king or rook is not on its home square.
// The hash key is not touched.
void DropUnbackedCastling(Position& pos);

}  // namespace torvik
