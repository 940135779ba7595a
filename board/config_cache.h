// The tables that depend on where the four attack boards stand, one set per
// configuration: the ray lists of every square and direction, and for each rule
// set the line and reach tables. A position resolves its configuration's set
// once (ResolveConfig: when it is set up and when a board moves) and every
// lookup on it then takes that handle.
//
// One cache serves every thread. A set, once published, never changes and is
// never freed, so a handle stays good for the life of the process; a new set is
// built under the cache's lock, by whichever thread needs it first, and
// announced once ("\nBuilding <config name> #<n>", n counting the sets
// announced since the last reset). A reset (a new game) starts the announcing
// and the count over and keeps what was built.
//
// The cache holds at most kConfigCacheCapacity sets. Past that, a thread keeps
// the sets it needs in a small ring of its own, which positions never point at.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "board/line_tables.h"
#include "board/position.h"
#include "board/ray_table.h"
#include "board/rays.h"

namespace torvik {

constexpr int kConfigCacheCapacity = 2048;  // sets of about 5 KB, and 11 KB per rule set in use

struct ConfigTables {
  uint32_t key = 0;  // ConfigKey of the configuration
  RayTable rays{};
  // Line and reach tables by rule set (0 Tournament, 1 Standard), built on first use.
  std::array<std::atomic<const LineTables*>, 2> lines{};
  std::array<std::unique_ptr<LineTables>, 2> owned;
};

namespace config_detail {
const ConfigTables& ConfigSlow(const Position& pos, uint32_t key);
const LineTables& LinesSlow(const ConfigTables& config, int rules);
}  // namespace config_detail

// The set of the position's configuration (3D game only).
inline const ConfigTables& ConfigOf(const Position& pos) {
  const uint32_t key = ConfigKey(pos);
  const ConfigTables* c = pos.config;
  if (c && c->key == key) return *c;
  return config_detail::ConfigSlow(pos, key);
}

// The line and reach tables of the position's configuration and rules (3D).
inline const LineTables& LinesOf(const Position& pos) {
  const ConfigTables& c = ConfigOf(pos);
  const int rules = pos.rules == kStandard ? 1 : 0;
  if (const LineTables* t = c.lines[rules].load(std::memory_order_acquire)) return *t;
  return config_detail::LinesSlow(c, rules);
}

// Points the position's handle at its configuration's set, building it when it
// is new (a position past the cache's capacity gets none and looks up by key).
void ResolveConfig(Position& pos);

// Sets announced since the last reset.
int RayTablesBuilt();

}  // namespace torvik
