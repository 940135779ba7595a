// Move ordering: the hash move first, then the captures that do not lose by
// their exchange, then by killers, the position's winning capture, the counter
// move, the children's table bounds and the history.
#pragma once

#include <cstdint>

#include "board/geometry.h"
#include "board/position.h"
#include "engine/engine.h"

namespace torvik {

constexpr bool IsBoardMove(const Move& m) { return m.piece >= kWhiteQueenBoard; }

// Two moves are the same for ordering when they share from and to and are both
// board moves or both piece moves.
constexpr bool SameSquares(const Move& a, const Move& b) {
  return a.from == b.from && a.to == b.to && IsBoardMove(a) == IsBoardMove(b);
}

// A move the search may make: an attack-board move, or a piece move whose
// from-square holds a piece. (A board move's from is its pin, whatever stands
// on the square beneath.)
inline bool HasMover(const Position& pos, const Move& m) {
  return IsBoardMove(m) || (m.from >= 0 && m.from < kSquareCount && pos.board[m.from] != 0);
}

// One of the two moves that last cut off at this ply (a killer).
bool IsKiller(const Engine& engine, const Move& move, int ply);

// The ordering key of one move.
int32_t MoveScore(Engine& engine, const Position& pos, const Move& move, int ply, int32_t gamma);

// Scores every move that has a mover (the others keep their score) and sorts
// the list, highest first, keeping the generator's order among equals. With
// no hash move the position's tactics term is computed first (it names the
// winning capture the scores favour). Returns the children's keys by place in
// the sorted list, kept in the ply's own store until the ply orders again.
const PositionKeys* OrderMoves(Engine& engine, Position& pos, Move* list, int count, int ply, const Move* hashMove,
                               int32_t gamma);

// Sorts by score, highest first, keeping list order among equals; `keys`,
// when given, are the moves' children's keys and move with them.
void SortByScore(Engine& engine, Move* list, int count, PositionKeys* keys = nullptr);

// After `move` cut off at `depth` (after extensions): history (held below a
// cap, all of it halved when one counter would pass it), counter move, killers.
void CutoffUpdate(Engine& engine, const Position& pos, const Move& move, int depth, int ply);

// The history counter of `move`'s squares.
uint32_t HistoryOf(const Engine& engine, const Move& move);

// A quiet move searched before a quiet cutoff at `depth` loses what the
// cutoff gained, down to nothing.
void LowerHistory(Engine& engine, const Move& move, int depth);

// Enhanced transposition cutoff: 1 when some move's child is proven by the
// table to give at least gamma; `value` the best such value, `best` its move.
// `ply` is the node's (its children are made in that ply's child slot);
// `keys` the children's keys by list place, or none to compute them.
int ETC(Engine& engine, Position& pos, Move* list, int count, const PositionKeys* keys, int depth, int32_t gamma,
        int32_t& value, Move& best, int ply);

}  // namespace torvik
