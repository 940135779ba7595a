// Outlines on the board: the last move's squares (its from and to, or the four
// squares of an attack board that moved), the engine's hint and the square of
// a king in check.
// Drawn at the squares' edges, so that their colours still show inside.
#pragma once

#include <vector>

#include "board/position.h"

namespace torvik::ui {

struct Outlines {
  std::vector<Square> lastMove;
  std::vector<Square> hint;  // the engine's suggestion: from and to, or a board and its pin
  Square check = kNoSquare;
};

Outlines OutlinesOf(const Position& pos, const Move& hint = {});

void DrawOutlines(const Position& pos, const Move& hint = {});

}  // namespace torvik::ui
