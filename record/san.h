// Standard algebraic notation (SAN) of the 2D game, as every chess program
// reads and writes it: Nf3, exd5, Nbd7, R1e2, e8=Q, O-O, Qh5+, Qxf7#.
#pragma once

#include <string>
#include <string_view>

#include "board/position.h"

namespace torvik {

// The SAN of `move`, a legal move of `pos` (the position before it), with
// just enough of its origin to tell it from the other legal moves, and "+" or
// "#" when it checks or mates.
std::string SanOfMove(Position& pos, const Move& move);

// The legal move of `pos` that `san` names. SAN is read as written by people
// and programs: check and mate marks, "!"/"?" suffixes and an "e.p." are
// ignored, the promotion's "=" may be left out, castling may be written with
// zeros, a pawn's capture may name its full origin square, a promotion
// without its piece makes a queen. False, with the reason in `error`, when
// no legal move or more than one has that name.
bool MoveOfSan(Position& pos, std::string_view san, Move& found, std::string& error);

}  // namespace torvik
