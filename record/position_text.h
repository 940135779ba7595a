// Positions as one line of text.
//
// 2D game: FEN. Square = 8 x file + rank (a1 = 0, h8 = 63); castling K Q k q are
// the flags' bits 0..3; the halfmove clock h is halfmoveCount h + 1; an
// en-passant square no double step can have left is dropped.
//
// 3D game: six fields and then, as in FEN, optionally the halfmove clock and the
// fullmove number:
//   1. 64 characters, squares 0..63 in order, '.' empty, PNBRQK white, pnbrqk black;
//   2. w or b, the side to move;
//   3. the pins of attack boards 0..3, joined by commas (QL1,QL6,KL1,KL6);
//   4. the owners of boards 0..3, four of w/b;
//   5. castling rights as in FEN;
//   6. the en-passant square as a square number, or - (kept as given: only its
//      file and rank count, and a piece may stand on it).
#pragma once

#include <string>
#include <string_view>

#include "board/position.h"

namespace torvik {

extern const char* const kStartText3D;
extern const char* const kStartText2D;

// Reads `text` as a position of `mode` and rebuilds it, maps and evaluation
// included. Castling rights whose king or rook is not home are dropped.
// Refuses, returning false with a one-line reason in `error` and `out`
// unchanged: bad syntax, counters beyond what a game record can hold, a side
// without one king or with more pieces than its slots hold, a pawn that must
// already have promoted, and a side not to move that stands in check.
bool ParsePosition(std::string_view text, int mode, Position& out, std::string& error);

std::string FormatPosition(const Position& pos);

}  // namespace torvik
