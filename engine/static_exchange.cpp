#include "engine/static_exchange.h"

#include <algorithm>
#include <array>
#include <bit>

#include "board/piece_values.h"

namespace torvik {
namespace {

// The slot of the least valuable piece among `attackers` (not empty).
int Cheapest(const Position& pos, uint32_t attackers) {
  int best = std::countr_zero(attackers);
  for (uint32_t m = attackers & (attackers - 1); m; m &= m - 1) {
    const int slot = std::countr_zero(m);
    if (PieceValue(pos.pieces[slot].code) < PieceValue(pos.pieces[best].code)) best = slot;
  }
  return best;
}

}  // namespace

int32_t StaticExchange(const Position& pos, Square from, Square to) {
  int slot = pos.slotOf[from];
  if (slot == kNoSlot) return 0;
  uint32_t attackers = pos.attackedBy[to] & pos.occupiedMask;
  uint32_t behind = Is3D(pos) ? 0 : pos.xrayBy[to] & pos.occupiedMask & ~attackers;
  uint32_t side = pos.board[from] > 0 ? kWhiteSlots : kBlackSlots;  // the side taking now
  // gain[d]: what the side taking at step d has won if the exchange stopped there.
  std::array<int32_t, kSlots + 1> gain{};
  gain[0] = pos.board[to] ? PieceValue(pos.board[to]) : 0;
  int d = 0;
  for (;;) {
    attackers &= ~SlotBit(slot);
    if (IsSlider(pos.pieces[slot].code)) {
      attackers |= behind & side;
      behind &= ~side;
    }
    side = ~side;
    const uint32_t answers = attackers & side;
    if (!answers) break;
    const int next = Cheapest(pos, answers);
    if (TypeOf(pos.pieces[next].code) == kKing && (attackers & ~side)) break;
    ++d;
    gain[d] = PieceValue(pos.pieces[slot].code) - gain[d - 1];
    slot = next;
  }
  for (; d > 0; --d) gain[d - 1] = -std::max(-gain[d - 1], gain[d]);
  return gain[0];
}

int32_t BestExchange(const Position& pos, uint32_t attackers, Square to) {
  int32_t best = 0;
  for (uint32_t m = attackers; m; m &= m - 1)
    best = std::max(best, StaticExchange(pos, pos.pieces[std::countr_zero(m)].square, to));
  return best;
}

}  // namespace torvik
