// The engine's memo of tactics answers within one think: a position met again
// (by another move order, in the next MTD(f) pass or the next depth) takes the
// answer of its first capture search instead of searching again.
//
// An entry keeps what decides everything the capture search reads: the mover,
// the game, the rules and the pins, which slot stands on each square and each
// slot's piece. The board, the masks, the material and the attack maps all
// follow from these, so an entry serves only a position whose search would give
// its answer; the hash keys only pick the entry.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "board/move.h"
#include "board/position.h"

namespace torvik {

// What the tactics term found: the side to move wins material (+1), the
// other side threatens to (-1), neither (0); and the first winning capture.
struct TacticsAnswer {
  int32_t outcome = 0;
  Move bestMove;
};

struct TacticsMemoEntry {
  uint32_t think = 0;  // the think that stored it; 0 never stored
  int8_t mover = 0;
  int8_t gameMode = 0;
  int8_t rules = 0;
  std::array<int32_t, 4> pins{};
  std::array<uint8_t, kSquareCount> slotOf{};
  std::array<int8_t, kSlots> codes{};  // each slot's piece, 0 when gone
  TacticsAnswer answer;
};

struct TacticsMemo {
  static constexpr int kEntryBits = 12;
  std::vector<TacticsMemoEntry> entries;  // allocated at the first think
  uint32_t think = 0;
};

// A new think: every stored answer is forgotten.
void StartTacticsMemo(TacticsMemo& memo);

// The stored answer for `pos`, or none.
const TacticsAnswer* FindTactics(const TacticsMemo& memo, const Position& pos);

void StoreTactics(TacticsMemo& memo, const Position& pos, const TacticsAnswer& answer);

}  // namespace torvik
