// Pawn pushes: the straight steps of a pawn onto empty squares, and the double
// step from its starting square.
#pragma once

#include <array>

#include "board/position.h"

namespace torvik {

// Four single steps at most, then at most four squares beyond each of them.
struct PawnTargets {
  int count = 0;
  std::array<Square, 20> squares{};
};

// The pushes of the pawn `code` on `from`, in the order the generator lists
// them: every empty square of the forward step, then the double steps, a square
// once for each empty first-step square it is reached through.
int PawnPushTargets(const Position& pos, Square from, int code, PawnTargets& out);

// 1 when the pawn on `from` may push to `to`.
bool PawnPushesTo(const Position& pos, Square from, Square to);

// 1 when a pawn standing on `from` may make a double step at all.
bool MayDoubleStep(const Position& pos, Square from, int code);

}  // namespace torvik
