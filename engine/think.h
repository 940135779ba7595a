// The engine's choice of a move: iterative deepening over MTD(f), each depth a
// series of null-window root searches that close a lower and an upper bound
// around the value, under the tick budget and the difficulty's ply cap.
#pragma once

#include <cstdint>
#include <vector>

#include "board/position.h"
#include "engine/engine.h"

namespace torvik {

// Thinks on `pos`, the engine's own copy of the game position whose key
// history points at engine.keys. Rebuilds its maps and evaluation, searches,
// and leaves the chosen move in `move` (the null move when there is none) with
// its White-positive score. Returns the value from the side to move's view.
int32_t Think(Engine& engine, Position& pos, Move& move);

// Deepens from depth 2 (or the table's depth for the position) until the
// difficulty, the budget, a forced move or a found mate ends it.
int32_t IterativeDeepening(Engine& engine, Position& pos, Move& best);

// The value at `depth` by MTD(f) from `guess`; `best` follows the fail highs.
int32_t Mtdf(Engine& engine, Position& pos, Move& best, int depth, int32_t guess);

// 1 when only one root move can still beat `lower` at this depth.
int mtd_converged(Engine& engine, Position& pos, int32_t lower, int32_t upper, int depth);

// The line the table keeps from `root`: the best move, then the stored move of
// each position reached, as far as the difficulty reaches. Returns its length.
int PrincipalVariation(Engine& engine, const Position& root, const Move& best, std::vector<Move>& line);

// The root list, built once per think: ordered, ranked by what each move wins
// by captures, illegal moves dropped.
void PrepareRootMoves(Engine& engine, Position& pos, const Move& best);

}  // namespace torvik
