#include "engine/evaluate.h"

#include "board/eval_cache.h"

namespace torvik {

// Material only, until the full evaluation is in place.
int32_t Evaluate(Position& pos, int32_t /*bound*/, int /*mode*/) {
  int32_t white = pos.eval.material[kWhite] - pos.eval.material[kBlack];
  pos.eval.recomputeMask = 0;
  return WhiteToMove(pos) ? white : -white;
}

}  // namespace torvik
