#include "rules/regen.h"

#include "board/console.h"
#include "board/geometry.h"
#include "board/pieces.h"
#include "board/rebuild.h"
#include "rules/piece_attacks.h"

namespace torvik {

int RegenAttackMaps(Position& pos) {
  pos.attackedBy.fill(0);
  pos.xrayBy.fill(0);
  for (int slot = 0; slot < kSlots; ++slot) {
    const PieceEntry& e = pos.pieces[slot];
    if (e.code == 0) continue;
    if (!IsSquare(e.square)) {
      Warn(false, "RegenToPieces pi present but pos");
      pos.attackedBy.fill(0);
      pos.xrayBy.fill(0);
      return 0;
    }
    GeneratePieceAttacks(pos, slot);
  }
  return 1;
}

void ForgetEvaluation(Position& pos) {
  pos.flags &= ~(kEvalCached | kTacticsCached);
  pos.eval.recomputeMask = pos.occupiedMask;
}

int RegenToPieces(Position& pos) {
  pos.previous = nullptr;
  if (!RegenAttackMaps(pos)) return 0;
  if (Is3D(pos)) UpdateABOwners(pos);
  MarkPawns(pos);
  ForgetEvaluation(pos);
  return 1;
}

int RebuildFromBoard(Position& pos) { return BoardToPieces(pos) && RegenToPieces(pos); }

}  // namespace torvik
