// How far the move counters of a position may run. A game may start at any
// fullmove number up to kMaxFullmoveNumber and then record kMaxGamePlies plies;
// every counter stays far below the integer limit, so counting on never overflows.
#pragma once

#include <cstdint>

namespace torvik {

constexpr int32_t kMaxFullmoveNumber = 100000;
constexpr int32_t kMaxGamePlies = 1000;  // the moves a game record holds
constexpr int32_t kMaxStartPly = 2 * kMaxFullmoveNumber - 1;
constexpr int32_t kMaxPly = kMaxStartPly + kMaxGamePlies;
// A halfmove count is at most one more than the plies a game has run.
constexpr int32_t kMaxHalfmoveCount = kMaxPly + 1;
static_assert(kMaxHalfmoveCount < (1 << 30), "room to count on");

}  // namespace torvik
