// The x-ray map of the 2D game: a slider's line runs on past a friendly slider
// that attacks back along the same line (a battery).
#pragma once

#include "board/position.h"

namespace torvik {

// 1 when a line from `from` may run on through `to`: either square is empty, or
// the piece on `to` is a slider of the same side as the piece on `from` that
// reaches `from` from `to`.
int ExtendsXray(const Position& pos, Square from, Square to);

}  // namespace torvik
