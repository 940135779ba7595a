// The engine's thinking as the window and the console show it, one line for
// each depth it finishes: depth, score, nodes and the line it expects.
#pragma once

#include <string>

#include "engine/depth_report.h"

namespace torvik {

// "depth 7  +0.34  nodes 814711  Nf3 Nc6 Bb5": the score in pawns from the
// engine's view ("mate in 3", "mated in 2"), the line named in `notation`
// from `root`, the position searched.
std::string ThinkingLine(const DepthReport& report, const Position& root, int notation);

}  // namespace torvik
