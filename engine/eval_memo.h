// The engine's memo of full evaluations within one think: a position met
// again (by another move order, in the next MTD(f) pass or the next depth)
// takes the terms and the score its first full evaluation left, instead of
// being evaluated again.
//
// A full evaluation's result depends only on the position (the incremental
// one finds exactly what a fresh one does), so an entry keeps everything the
// evaluation reads (board, slots, attack and x-ray words, masks, material,
// stage, castling state, the engine's side, the halfmove count, the side to
// move, mode, rules and attack boards) and serves only a position equal in all
// of them; the hash keys only pick the entry and reject most others quickly.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "board/eval_cache.h"
#include "board/move.h"
#include "board/position.h"

namespace torvik {

// What the evaluation reads of a position.
struct EvalInputs {
  uint32_t hashKey = 0, hashLock = 0;
  int32_t mover = 0, gameMode = 0, rules = 0, stage = 0, halfmoveCount = 0;
  uint32_t flags = 0;  // castling rights, castled, the engine's side
  uint32_t sliderMask = 0, pieceMask = 0, occupiedMask = 0;
  std::array<int32_t, 2> material{};
  std::array<int32_t, 4> pins{}, owners{};
  std::array<int32_t, kSquareCount> board{};
  std::array<uint8_t, kSquareCount> slotOf{};
  std::array<uint32_t, kSquareCount> attackedBy{}, xrayBy{};

  bool operator==(const EvalInputs&) const = default;
};

// What a full evaluation leaves in the position.
struct EvalResult {
  EvalCache eval;
  int32_t evalScore = 0, evalTerm = 0;
  uint32_t flags = 0;  // the drawish flag and the king zones
  Move bestMove;
};

struct EvalMemoEntry {
  uint32_t think = 0;  // the think that stored it; 0 never stored
  EvalInputs inputs;
  EvalResult result;
};

struct EvalMemo {
  static constexpr int kEntryBits = 12;
  std::vector<EvalMemoEntry> entries;  // allocated at the first think
  uint32_t think = 0;
};

// A new think: every stored evaluation is forgotten.
void StartEvalMemo(EvalMemo& memo);

// The stored evaluation of `pos`, or none.
const EvalResult* FindEvaluation(const EvalMemo& memo, const Position& pos);

// Keeps what the full evaluation just left in `pos`.
void StoreEvaluation(EvalMemo& memo, const Position& pos);

}  // namespace torvik
