// The evaluation's cached terms, kept in every Position as plain data. The
// board keeps the material sums and clears the passed-pawn marks of a removed
// piece; everything else is the evaluation's to fill and read.
//
// Make-move copies the whole record from the parent, so a child starts with its
// parent's per-piece values, square control and counts, and the evaluation
// brings forward only what the move changed.
#pragma once

#include <array>
#include <cstdint>

namespace torvik {

enum Side : int { kWhite = 0, kBlack = 1 };

struct EvalCache {
  int32_t stage = 0;             // game stage 0..3
  uint32_t recomputeMask = 0;    // slots whose per-piece value must be recomputed
  std::array<int32_t, 2> material{};      // material sums by side, kings included
  std::array<uint32_t, 2> passedMask{};   // slots of passed pawns by side

  // Per-piece values by slot, White-positive; 0 for an empty slot.
  std::array<int32_t, 32> pieceValue{};
  // Pinned-piece, square-control, attack and mobility terms of the last full
  // evaluation, White-positive.
  int32_t slowTerms = 0;
  uint32_t pinnedMask = 0;      // pieces not counted as attackers or defenders
  uint32_t enPriseMask = 0;     // pieces on squares the enemy controls
  uint32_t attackingMask = 0;   // officers attacking an enemy piece other than the king

  // Square control, per square: the value (White-positive), the sign of the
  // balance (-1, 0, +1) and the officers that effectively control it.
  std::array<int32_t, 64> controlValue{};
  std::array<int8_t, 64> controlSign{};
  std::array<uint32_t, 64> controllers{};
  int32_t controlTotal = 0;     // the sum of controlValue

  // Per slot: squares it attacks, squares it effectively controls; per side:
  // squares controlled, counted once for every controlling officer.
  std::array<uint8_t, 32> attackedCount{};
  std::array<uint8_t, 32> controlledCount{};
  std::array<int32_t, 2> controlledTotal{};

  // Passed pawns of a race against a bare king that the side to move decides:
  // A, won only with the pawn's side to move; B, won only with the other side to move.
  std::array<uint32_t, 2> raceMask{};

  int32_t lastSearchScore = 0;  // White-positive, written by the search driver
  // Counts this position's full evaluations. A child copies it with the rest;
  // when the parent's count has moved on since, the parent was evaluated after
  // the child was made, and the child takes the parent's terms again.
  uint32_t serial = 0;
};

}  // namespace torvik
