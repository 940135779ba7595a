// The cache of ray tables, one table per attack-board configuration met, selected
// by the configuration key. Each thread has its own cache: a table is a pure
// function of its key, so the engine's thread and the window's thread each build
// what they meet and never share storage or need a lock.
//
// Selection, cheapest first:
//   1. the thread's current table (the last one selected): one key compare;
//   2. the index hinted by the Position's rayTable, if that entry holds its key;
//   3. the key's entry in a hash index of the tables in use;
//   4. a new build, which prints "\nBuilding <config name> #<n>", n counting the
//      tables built since the last reset.
// Up to kRayCacheCapacity tables are kept. A new configuration that finds the
// cache full starts it over: every entry is dropped and the storage is reused, so
// memory stays at most kRayCacheCapacity tables whatever the length of the game.
//
// Other data kept per configuration (line and reach tables) can live in arrays of
// kRayCacheCapacity beside the cache: the entry at RayTableId::index belongs to the
// same configuration as long as the stamp recorded with it equals RayTableId::stamp.
// Stamps are unique to each build in a thread and never 0.
#pragma once

#include <cstdint>

#include "board/position.h"
#include "board/ray_table.h"
#include "board/rays.h"

namespace torvik {

constexpr uint32_t kRayCacheCapacity = 2048;  // x 5 KB of lists per table

struct RayTableId {
  uint32_t index = 0;  // below kRayCacheCapacity
  uint64_t stamp = 0;  // which build of this thread fills that index
};

namespace ray_cache_detail {

// This thread's current table. `key` holds kNoKey when there is none.
constexpr uint64_t kNoKey = uint64_t(1) << 32;
struct Current {
  uint64_t key = kNoKey;
  const RayTable* table = nullptr;
  RayTableId id;
};
extern constinit thread_local Current current;

const RayTable& SelectSlow(const Position& pos, uint32_t key);

}  // namespace ray_cache_detail

// The table of the position's configuration; it becomes this thread's current
// table. The reference stays good until the next selection or reset on this thread.
inline const RayTable& SelectRayTable(const Position& pos) {
  const uint32_t key = ConfigKey(pos);
  const ray_cache_detail::Current& c = ray_cache_detail::current;
  if (c.key == key) return *c.table;
  return ray_cache_detail::SelectSlow(pos, key);
}

// Selects the position's table and tells which entry holds it.
inline RayTableId SelectRayTableId(const Position& pos) {
  SelectRayTable(pos);
  return ray_cache_detail::current.id;
}

// Selects the position's table and records its index as the position's hint.
void SetRayTableHint(Position& pos);

// Tables built on this thread since its last reset.
int RayTablesBuilt();

}  // namespace torvik
