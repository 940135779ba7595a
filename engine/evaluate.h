// The evaluation: a Position to one score, White-positive inside, from the side
// to move's view outside. One pawn is about 10000.
//
// A position made from a parent keeps the parent's per-piece values and square
// control and recomputes only what the move can have changed; the first
// evaluation of a position is cached in it (flags bit 14, `evalScore`).
#pragma once

#include <cstdint>

#include "board/position.h"

namespace torvik {

// How much of the evaluation one call may skip.
enum class EvalMode {
  Lazy,         // an estimate from the fast terms when they clear the bound by far
  Incremental,  // the whole evaluation, reusing the parent's per-piece values
  Fresh,        // the whole evaluation, every piece valued afresh
};

// `bound` is the search's test value (kNoScore for none: every piece is then
// valued afresh and the parent link is cut). A parent not yet evaluated is
// evaluated first. The result is clamped to -kEvalLimit..kEvalLimit.
int32_t Evaluate(Position& pos, int32_t bound, EvalMode mode);

// The stage the material on the board calls for: 3 without pawns, 2 with six
// officers or fewer (a queen pair counting two more), 0 with all officers and a
// castling right, else 1. When `apply` is set it becomes the position's stage:
// kings and queens are marked for recomputing, and when the stage changed every
// piece is, and the cached score is dropped. Returns the stage; a caller that
// keeps searched scores drops them when it differs from the old one.
int SetGameStage(Position& pos, int apply);

// The sum of the per-piece values, White-positive: the marked slots (every slot
// when there is no parent) recomputed, the others reused. Clears the marks.
int32_t PieceValues(Position& pos);

// The White-positive score of a drawn position, a little below zero for the
// side the engine plays.
int32_t DrawValue(const Position& pos);

// What to add to the White-positive score `s`: recognised draws, the fading of
// an unchanging score after 20 quiet plies, the trade-down bonus. Sets or
// clears the drawish flag (bit 13).
int32_t EndgameAdjust(Position& pos, int32_t s);

// Corrects `evalScore` after the side to move changed without a new evaluation
// (a null move): pawn races against a bare king that the tempo decides.
void PassedPawnTempo(Position& pos);

// The terms of one full evaluation, White-positive, for people to read.
struct EvalBreakdown {
  int32_t material = 0;       // White's material less Black's, clamped
  int32_t patterns = 0;
  int32_t pieces = 0;         // the per-piece values (their sum after the slow passes)
  int32_t kingSafety = 0;
  int32_t tactics = 0;
  int32_t pins = 0;
  int32_t squareControl = 0;
  int32_t attacks = 0;
  int32_t mobility = 0;
  int32_t overload = 0;
  int32_t endgame = 0;        // what EndgameAdjust added
  int32_t total = 0;          // White-positive, not clamped
};

// Evaluates the position afresh as the search's root does (no bound, every
// piece valued) and reports the terms. Returns what Evaluate would.
int32_t ExplainEvaluation(Position& pos, EvalBreakdown& out);

}  // namespace torvik
