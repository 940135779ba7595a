// What a UCI session prints of a think: the info line after each finished
// depth, and the move it plays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "board/position.h"
#include "engine/depth_report.h"

namespace torvik::cli {

// "cp X" (a pawn is 100) or "mate N" (N moves, negative when the side to move
// is mated), from the side to move's value.
std::string UciScore(int32_t value);

// The moves, from `root` on, in long algebraic notation joined by spaces (as
// far as they can be made).
std::string UciLine(const Position& root, const std::vector<Move>& moves);

// "info depth D seldepth S score ... nodes N nps N time MS pv ...".
std::string UciInfo(const DepthReport& report, const Position& root, int64_t milliseconds);

// The move to answer with: `move` when legal in `root`, else the first legal
// move, else "0000".
std::string UciBestMove(const Position& root, const Move& move);

}  // namespace torvik::cli
