// The tree search: null-window tests. Given a test value gamma each call
// answers whether the position is worth at least gamma, with a fail-soft bound
// (>= gamma proves at least, < gamma proves below). Children are copies made
// by make-move; nothing is unmade.
//
// A node of the search is one function, Search, read top to bottom in its
// numbered steps; the quiescence node likewise (Quiesce). The table, the
// ordering, the evaluation and the MTD(f) driver have files of their own.
#pragma once

#include <cstdint>

#include "board/position.h"
#include "engine/engine.h"

namespace torvik {

// The search below the root; `ply` counts from the root.
int32_t Search(Engine& engine, Position& pos, int depth, int32_t gamma, int ply);

// One pass at the root over the prepared root list. On a fail high `best`
// becomes the move that gave it; otherwise it stays. Sets engine.aborted when
// the pass gave up.
int32_t RootSearch(Engine& engine, Position& pos, int depth, int32_t gamma, Move& best);

// The quiescence search (promotions and captures), entered here: counts the
// node for the tick budget (the caller has counted it among the nodes) and
// starts one ply deeper. The quiescence search counts the children it makes.
int32_t QuiesceEntry(Engine& engine, Position& pos, int32_t gamma, int ply);
int32_t Quiesce(Engine& engine, Position& pos, int32_t gamma, int ply);

// Whether the side to move may pass here: within the ply cap, with an officer,
// not in check, not right after a null move, not at the engine's own shallow
// nodes, in the 2D game from a static score (the mover's view) at gamma or
// above, and with enough squares under control to make zugzwang unlikely.
bool NullMoveAllowed(const Engine& engine, const Position& pos, int depth, int ply, int32_t staticEval,
                     int32_t gamma);

// The node's side is the engine's (flags bit 27 names the engine's colour).
inline bool IsEngineNode(const Position& pos) { return WhiteToMove(pos) == ((pos.flags & kEngineWhite) != 0); }

// Makes the side to move the engine's, as at the root of a think.
inline void MoverIsTheEngine(Position& pos) {
  pos.flags = WhiteToMove(pos) ? pos.flags | kEngineWhite : pos.flags & ~kEngineWhite;
}

// The draw value from the side to move's view.
int32_t DrawForMover(const Position& pos);

}  // namespace torvik
