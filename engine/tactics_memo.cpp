#include "engine/tactics_memo.h"

namespace torvik {
namespace {

std::size_t IndexOf(const Position& pos) {
  const uint32_t mixed = (pos.hashKey ^ (pos.hashLock * 0x9e3779b1u)) * 0x85ebca6bu;
  return mixed >> (32 - TacticsMemo::kEntryBits);
}

int8_t Mover(const Position& pos) { return WhiteToMove(pos) ? kWhite : kBlack; }

bool Holds(const TacticsMemoEntry& e, const Position& pos) {
  if (e.mover != Mover(pos) || e.gameMode != pos.gameMode || e.rules != pos.rules || e.pins != pos.pins ||
      e.slotOf != pos.slotOf)
    return false;
  for (int slot = 0; slot < kSlots; ++slot)
    if (e.codes[slot] != pos.pieces[slot].code) return false;
  return true;
}

}  // namespace

void StartTacticsMemo(TacticsMemo& memo) {
  if (memo.entries.empty()) memo.entries.resize(std::size_t(1) << TacticsMemo::kEntryBits);
  if (++memo.think == 0) {  // the count wrapped: forget by clearing
    for (TacticsMemoEntry& e : memo.entries) e.think = 0;
    memo.think = 1;
  }
}

const TacticsAnswer* FindTactics(const TacticsMemo& memo, const Position& pos) {
  if (memo.entries.empty()) return nullptr;
  const TacticsMemoEntry& e = memo.entries[IndexOf(pos)];
  if (e.think != memo.think || !Holds(e, pos)) return nullptr;
  return &e.answer;
}

void StoreTactics(TacticsMemo& memo, const Position& pos, const TacticsAnswer& answer) {
  if (memo.entries.empty()) return;
  TacticsMemoEntry& e = memo.entries[IndexOf(pos)];
  e.think = memo.think;
  e.mover = Mover(pos);
  e.gameMode = int8_t(pos.gameMode);
  e.rules = int8_t(pos.rules);
  e.pins = pos.pins;
  e.slotOf = pos.slotOf;
  for (int slot = 0; slot < kSlots; ++slot) e.codes[slot] = int8_t(pos.pieces[slot].code);
  e.answer = answer;
}

}  // namespace torvik
