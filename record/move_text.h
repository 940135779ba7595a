// Moves as short machine-friendly text, for the headless tool.
//
// 2D: long algebraic, e2e4, e7e8q. 3D: square numbers, 33-34; a promotion adds
// =Q, =R, =B or =N; an attack-board move is the board code and its pins,
// 100:QL1-QL3 (pin square codes, 100:32-2, are read too).
#pragma once

#include <string>
#include <string_view>

#include "board/position.h"

namespace torvik {

std::string FormatMoveText(const Position& pos, const Move& move);

// Reads a move of the position (whose piece is taken from the board). False
// when the text is not a move of this form; legality is not checked here.
bool ParseMoveText(const Position& pos, std::string_view text, Move& move);

// The move of `moves` (the legal moves) that a move read from text names: the
// same piece, squares and promotion, a promotion typed without its piece being
// the queen's. False when none is.
bool MatchTypedMove(const Move& typed, const Move* moves, int count, Move& found);

}  // namespace torvik
