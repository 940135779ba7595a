// The attack maps: which pieces attack (and x-ray) each square, built whole or
// brought up to date after a move.
//
// What a Position derives from its piece list, rebuilt whole: the attack maps,
// the owners of the attack boards, the pawn marks, and the evaluation's cache
// marked stale. Each step stands alone; callers take the ones they need.
#pragma once

#include "board/position.h"

namespace torvik {

// Clears both maps and adds every piece's reach again. Returns 0, with a
// warning and the maps left cleared, when a piece stands on no square.
int RegenAttackMaps(Position& pos);

// Marks every piece for the evaluation to recompute and drops the cached
// evaluation and tactics terms.
void ForgetEvaluation(Position& pos);

// The whole rebuild: the parent link cut, the maps, the board owners, the pawn
// marks and a stale evaluation. Returns 0 on a corrupt piece list. The position
// is not evaluated; the engine's RegenPosition does both.
int RegenToPieces(Position& pos);

// BoardToPieces followed by RegenToPieces.
int RebuildFromBoard(Position& pos);

// The attack builder: which squares a piece attacks or could move to.
// Adds the reach of the piece in `slot` to the attack maps and marks the slot
// for the evaluation to recompute.
void GeneratePieceAttacks(Position& pos, int slot);

// 3D: 1 when a slide or walk of a slider among `slots` reaches `target` on the
// board as it stands. The maps are neither read nor written.
bool SlidersReach3D(const Position& pos, uint32_t slots, Square target);

// Incremental attack-map update for a plain piece move.
void UpdateMoves(Position& child, const Position& parent, const Move& move);

}  // namespace torvik
