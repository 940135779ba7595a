// The terms read off the attack maps: pinned pieces, who holds each square and
// what that is worth near the kings, attacks on enemy pieces, king safety,
// mobility and overloaded defenders. All White-positive; the per-square and
// per-slot results are kept in the position's evaluation cache.
#pragma once

#include <cstdint>

#include "board/position.h"

namespace torvik {

// Who holds `square` with `attackers` on it and `occupant` standing there:
// positive White, negative Black, 0 neither. An attacker cheaper than the
// occupant wins it outright (the result is then minus the occupant's code);
// otherwise the side with more pawns on it holds it, and with as many pawns the
// side with more officers (x-ray officers included).
int ControlBalance(const Position& pos, uint32_t attackers, int occupant, Square square);

// Fills the pinned mask: pieces that stand between an enemy slider and an own
// officer the slider would then win. Empty in the pawnless stage. Returns 0.
int32_t PinnedPass(Position& pos);

// Square control: balance, value, sign and effective controllers of every
// square, the per-slot counts of attacked and controlled squares and the total,
// brought forward from a cached parent where nothing changed. Marks the pieces
// on recomputed squares for re-valuing. Returns the total (0 in the pawnless stage).
int32_t SquareControlPass(Position& pos);

// Officers attacking enemy pieces, by count for each side; fills the en-prise
// and attacking-officers masks. 0 in the pawnless stage.
int32_t AttackPass(Position& pos);

// White king's exposure minus Black's: enemy officers bearing on the king's
// 3 x 3 zone, and open columns there.
int32_t KingSafety(const Position& pos);

// Each officer by its attacked and controlled squares and its row. 0 in the
// pawnless stage.
int32_t MobilityTerm(const Position& pos);

// Officers defending two or more contested pieces.
int32_t OverloadTerm(const Position& pos);

// How many squares `side` (kWhite, kBlack) controls, as the last full
// evaluation found: one for every officer effectively controlling a square.
int ControlledSquares(const Position& pos, int side);

}  // namespace torvik
