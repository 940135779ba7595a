#include "engine/engine.h"

#include <algorithm>
#include <new>

#include "board/console.h"

namespace torvik {

MoveList* PlyList(Engine& engine, int ply) {
  if (ply < 0) return nullptr;
  try {
    while (int(engine.plyLists.size()) <= ply)
      for (int i = 0; i < kPlyListsStep; ++i) engine.plyLists.push_back(std::make_unique<MoveList>());
  } catch (const std::bad_alloc&) {
    Warn(true, "Realloc failed");
    return nullptr;
  }
  return engine.plyLists[ply].get();
}

Position& ChildAt(Engine& engine, int ply) {
  const std::size_t at = std::size_t(std::max(ply, 0));
  while (engine.children.size() <= at) engine.children.push_back(std::make_unique<Position>());
  return *engine.children[at];
}

void ClearSearchTables(Engine& engine) {
  for (auto& row : engine.history) row.fill(0);
  for (auto& k : engine.killers) k = {};
  for (auto& row : engine.counterMoves) row.fill(Move{});
}

void AgeHistory(Engine& engine, int gamePly) {
  const int shift = std::max(gamePly - engine.lastAgePly, 3);
  engine.lastAgePly = gamePly;
  for (auto& k : engine.killers) k = {};
  for (auto& row : engine.counterMoves) row.fill(Move{});
  for (auto& row : engine.history)
    for (uint32_t& h : row) h = shift >= 32 ? 0 : h >> shift;
}

}  // namespace torvik
