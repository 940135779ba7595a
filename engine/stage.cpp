// The game stage, which selects the block of coefficients every term reads.
#include "engine/eval_terms.h"
#include "engine/evaluate.h"

namespace torvik {
namespace {

constexpr uint32_t kOfficerSlots = 0x00ff00ffu;
constexpr uint32_t kQueens = SlotBit(kQueenSlot) | SlotBit(kSideSlots + kQueenSlot);

int StageOf(const Position& pos) {
  int count = Popcount(pos.pieceMask & kOfficerSlots);
  if ((pos.pieceMask & kQueens) == kQueens) count += 2;
  if (pos.pieceMask == pos.occupiedMask) return 3;
  if (count <= 6) return 2;
  if (count >= 16 && (pos.flags & kCastleRights)) return 0;
  return 1;
}

}  // namespace

int SetGameStage(Position& pos, int apply) {
  const int stage = StageOf(pos);
  if (!apply) return stage;
  uint32_t marks = SlotBit(kKingSlot) | SlotBit(kSideSlots + kKingSlot) | (pos.occupiedMask & kQueens);
  if (stage != pos.eval.stage) {
    marks = pos.occupiedMask;
    pos.flags &= ~(kEvalCached | kTacticsCached);
  }
  pos.eval.stage = stage;
  pos.eval.recomputeMask |= marks & pos.occupiedMask;
  return stage;
}

}  // namespace torvik
