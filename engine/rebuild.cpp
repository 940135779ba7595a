#include "engine/rebuild.h"

#include "board/rebuild.h"
#include "engine/evaluate.h"
#include "rules/attack_maps.h"

namespace torvik {

int RegenPosition(Position& pos) {
  if (!RegenToPieces(pos)) return 0;
  SetGameStage(pos, 1);
  Evaluate(pos, kNoScore, EvalMode::Fresh);
  return 1;
}

int RebuildPosition(Position& pos) { return BoardToPieces(pos) && RegenPosition(pos); }

}  // namespace torvik
