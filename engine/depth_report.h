// What the engine tells whoever watches a think after each depth it finishes.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "board/position.h"

namespace torvik {

struct DepthReport {
  int depth = 0;
  int32_t value = 0;  // from the side to move's view; a pawn is about 10000
  int64_t nodes = 0;  // since the think began
  int deepestPly = 0;
  std::vector<Move> line;  // the expected line, the best move first
};

using DepthWatcher = std::function<void(const DepthReport&)>;

}  // namespace torvik
