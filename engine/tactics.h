// The capture search and the tactics term: whether a side can win half a pawn
// or more by a sequence of captures on the board as it stands, valued by the
// material sums alone.
#pragma once

#include <cstdint>

#include "board/position.h"

namespace torvik {

// The best material difference (from `side`'s view, kWhite or kBlack, the side
// to capture first) that captures of pieces in `targets` reach, fail-soft
// against `gamma`. `used` holds the slots already moved or captured in the
// sequence. Pieces are moved on the board and the piece list and put back;
// the position is left as it was, but for `bestMove`, which the outermost
// call (`top`) sets to the first capture that reaches gamma. In the 2D game a
// slider behind a capturing piece joins the attack on the square its line
// now reaches.
int32_t CaptureSearch(Position& pos, int side, uint32_t targets, uint32_t used, int32_t gamma, bool top);

// +1 when the side to move wins material (kCaptureGain or more) by captures
// from the position as it stands, else -1 when the other side does, else 0.
// Each side's search is an outermost call (it may set `bestMove`).
int CaptureOutcome(Position& pos);

// The tactics term, White-positive, computed once per position (flags bit
// 28, `evalTerm`): the side to move wins material by captures (in the 2D game
// judged by the static exchange on each square; coefficient
// 1188 for it), else the other side threatens to (1189 against the side to
// move, and in the 3D game half of what the lesser capture of a double threat
// wins), else 0. Clears `bestMove` and may set it.
int32_t TacticsTerm(Position& pos);

// The most the tactics term can take off the side to move, without the
// capture search: what the lazy evaluation allows for when it leaves the term out.
int32_t TacticsTermCost(const Position& pos);

// After the side to move changed without a new evaluation (a null move):
// brings the tactics term and `evalScore` up to date.
void RefreshTactics(Position& pos);

// 0, or the material (negative) that `move` loses to the opponent's best
// capture sequence afterwards; -kNoScore when the move is illegal. The move is
// made on a copy; `pos` is not changed.
int32_t RootMoveGain(Position& pos, const Move& move);

}  // namespace torvik
