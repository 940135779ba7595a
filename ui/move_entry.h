// The moves a second click builds: a piece move (with castling recognised by
// where the king is sent) or an attack-board move.
#pragma once

#include "board/move.h"
#include "board/position.h"

namespace torvik::ui {

// The kind of a piece move from `from` to `to` as the mouse enters it: 'x' onto
// an occupied square, else '-'; 'S' or 'L' for a king sent where castling goes
// while the right is held.
char ClickedMoveKind(const Position& pos, Square from, Square to);

Move PieceMove(const Position& pos, Square from, Square to);

// The move of board `boardCode` from its pin to pin `to`.
Move BoardMove(const Position& pos, int boardCode, int to);

}  // namespace torvik::ui
