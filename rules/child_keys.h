// The hash keys of the position a move leads to, without making the move: the
// search probes its table for a child before it pays for making it.
#pragma once

#include <cstdint>

#include "board/position.h"

namespace torvik {

struct PositionKeys {
  uint32_t key = 0;
  uint32_t lock = 0;
};

// The keys MakeMove would give the child of `move`, a move of the generators or
// one that carries only its squares (a promotion without a piece makes a queen).
// A move that make-move would refuse gets the parent's keys with the side bit
// turned.
PositionKeys ChildKeys(const Position& parent, const Move& move);

}  // namespace torvik
