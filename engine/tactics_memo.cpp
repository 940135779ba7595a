#include "engine/tactics_memo.h"

namespace torvik {
namespace {

std::size_t IndexOf(const Position& pos) {
  const uint32_t mixed = (pos.hashKey ^ (pos.hashLock * 0x9e3779b1u)) * 0x85ebca6bu;
  return mixed >> (32 - TacticsMemo::kEntryBits);
}

int32_t Mover(const Position& pos) { return WhiteToMove(pos) ? kWhite : kBlack; }

bool Holds(const TacticsMemoEntry& e, const Position& pos) {
  return e.mover == Mover(pos) && e.gameMode == pos.gameMode && e.occupiedMask == pos.occupiedMask &&
         e.sliderMask == pos.sliderMask && e.material == pos.eval.material && e.slotOf == pos.slotOf &&
         e.board == pos.board && e.attackedBy == pos.attackedBy;
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
  e.gameMode = pos.gameMode;
  e.occupiedMask = pos.occupiedMask;
  e.sliderMask = pos.sliderMask;
  e.material = pos.eval.material;
  e.board = pos.board;
  e.slotOf = pos.slotOf;
  e.attackedBy = pos.attackedBy;
  e.answer = answer;
}

}  // namespace torvik
