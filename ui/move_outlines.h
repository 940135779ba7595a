// Outlines on the board: the last move's squares (its from and to, or the four
// squares of an attack board that moved) and the square of a king in check.
// Drawn at the squares' edges, so that their colours still show inside.
#pragma once

#include <vector>

#include "board/position.h"

namespace torvik::ui {

struct Outlines {
  std::vector<Square> lastMove;
  Square check = kNoSquare;
};

Outlines OutlinesOf(const Position& pos);

void DrawOutlines(const Position& pos);

}  // namespace torvik::ui
