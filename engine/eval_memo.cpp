#include "engine/eval_memo.h"

namespace torvik {
namespace {

constexpr uint32_t kReadFlags = kCastleRights | kWhiteCastled | kBlackCastled | kEngineWhite;
constexpr uint32_t kLeftFlags = kDrawish | kKingZones;

std::size_t IndexOf(const Position& pos) {
  const uint32_t mixed = (pos.hashKey ^ (pos.hashLock * 0x9e3779b1u)) * 0x85ebca6bu;
  return mixed >> (32 - EvalMemo::kEntryBits);
}

void Fill(EvalInputs& in, const Position& pos) {
  in.hashKey = pos.hashKey;
  in.hashLock = pos.hashLock;
  in.mover = WhiteToMove(pos) ? kWhite : kBlack;
  in.gameMode = pos.gameMode;
  in.rules = pos.rules;
  in.stage = pos.eval.stage;
  in.halfmoveCount = pos.halfmoveCount;
  in.flags = pos.flags & kReadFlags;
  in.sliderMask = pos.sliderMask;
  in.pieceMask = pos.pieceMask;
  in.occupiedMask = pos.occupiedMask;
  in.material = pos.eval.material;
  in.pins = pos.pins;
  in.owners = pos.owners;
  in.board = pos.board;
  in.slotOf = pos.slotOf;
  in.attackedBy = pos.attackedBy;
  in.xrayBy = pos.xrayBy;
}

bool Holds(const EvalInputs& in, const Position& pos) {
  return in.hashKey == pos.hashKey && in.hashLock == pos.hashLock &&
         in.mover == (WhiteToMove(pos) ? kWhite : kBlack) && in.gameMode == pos.gameMode &&
         in.rules == pos.rules && in.stage == pos.eval.stage && in.halfmoveCount == pos.halfmoveCount &&
         in.flags == (pos.flags & kReadFlags) && in.sliderMask == pos.sliderMask &&
         in.pieceMask == pos.pieceMask && in.occupiedMask == pos.occupiedMask &&
         in.material == pos.eval.material && in.pins == pos.pins && in.owners == pos.owners &&
         in.board == pos.board && in.slotOf == pos.slotOf && in.attackedBy == pos.attackedBy &&
         in.xrayBy == pos.xrayBy;
}

}  // namespace

void StartEvalMemo(EvalMemo& memo) {
  if (memo.entries.empty()) memo.entries.resize(std::size_t(1) << EvalMemo::kEntryBits);
  if (++memo.think == 0) {  // the count wrapped: forget by clearing
    for (EvalMemoEntry& e : memo.entries) e.think = 0;
    memo.think = 1;
  }
}

const EvalResult* FindEvaluation(const EvalMemo& memo, const Position& pos) {
  if (memo.entries.empty()) return nullptr;
  const EvalMemoEntry& e = memo.entries[IndexOf(pos)];
  if (e.think != memo.think || !Holds(e.inputs, pos)) return nullptr;
  return &e.result;
}

void StoreEvaluation(EvalMemo& memo, const Position& pos) {
  if (memo.entries.empty()) return;
  EvalMemoEntry& e = memo.entries[IndexOf(pos)];
  e.think = memo.think;
  Fill(e.inputs, pos);
  e.result.eval = pos.eval;
  e.result.evalScore = pos.evalScore;
  e.result.evalTerm = pos.evalTerm;
  e.result.flags = pos.flags & kLeftFlags;
  e.result.bestMove = pos.bestMove;
}

}  // namespace torvik
