#include "rules/piece_attacks.h"

namespace torvik {

// Only the evaluation mark for now; the reach itself comes with move generation.
void GeneratePieceAttacks(Position& pos, int slot) {
  pos.eval.recomputeMask |= SlotBit(slot);
}

}  // namespace torvik
