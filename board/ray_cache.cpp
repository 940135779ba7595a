#include "board/ray_cache.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "board/console.h"

namespace torvik {
namespace ray_cache_detail {

constinit thread_local Current current;

}  // namespace ray_cache_detail

namespace {

using ray_cache_detail::current;
using ray_cache_detail::kNoKey;

// Open addressing, linear probing, at most half full.
constexpr uint32_t kHashBits = 12;
constexpr uint32_t kHashSize = 1u << kHashBits;
static_assert(kHashSize >= 2 * kRayCacheCapacity);
constexpr int32_t kEmptyBucket = -1;

struct RayCache {
  std::vector<std::unique_ptr<RayTable>> tables;  // grows to the capacity, then reused
  std::vector<uint32_t> keys = std::vector<uint32_t>(kRayCacheCapacity);
  std::vector<uint64_t> stamps = std::vector<uint64_t>(kRayCacheCapacity);
  std::vector<int32_t> buckets = std::vector<int32_t>(kHashSize, kEmptyBucket);
  uint32_t used = 0;    // entries 0..used-1 hold tables
  int built = 0;        // tables built since the last reset
  uint64_t serial = 0;  // tables ever built on this thread: the stamps
};

RayCache& Cache() {
  thread_local RayCache cache;
  return cache;
}

uint32_t FirstBucket(uint32_t key) { return (key * 0x9e3779b1u) >> (32 - kHashBits); }

int32_t FindEntry(const RayCache& c, uint32_t key) {
  for (uint32_t h = FirstBucket(key);; h = (h + 1) & (kHashSize - 1)) {
    const int32_t entry = c.buckets[h];
    if (entry == kEmptyBucket || c.keys[entry] == key) return entry;
  }
}

void AddToIndex(RayCache& c, uint32_t key, int32_t entry) {
  uint32_t h = FirstBucket(key);
  while (c.buckets[h] != kEmptyBucket) h = (h + 1) & (kHashSize - 1);
  c.buckets[h] = entry;
}

// Drops every entry; the tables' storage stays for the next builds.
void DropEntries(RayCache& c) {
  c.used = 0;
  std::fill(c.buckets.begin(), c.buckets.end(), kEmptyBucket);
  current = {};
}

uint32_t BuildEntry(RayCache& c, const Position& pos, uint32_t key) {
  if (c.used == kRayCacheCapacity) DropEntries(c);
  const uint32_t entry = c.used++;
  if (entry == c.tables.size()) c.tables.push_back(std::make_unique<RayTable>());
  c.keys[entry] = key;
  c.stamps[entry] = ++c.serial;
  AddToIndex(c, key, int32_t(entry));
  ++c.built;
  ConsolePrintf("\nBuilding %s #%d", GetConfigName(pos).c_str(), c.built);
  BuildRayTable(key, *c.tables[entry]);
  return entry;
}

}  // namespace

namespace ray_cache_detail {

const RayTable& SelectSlow(const Position& pos, uint32_t key) {
  RayCache& c = Cache();
  uint32_t entry = pos.rayTable;
  if (entry >= c.used || c.keys[entry] != key) {
    const int32_t found = FindEntry(c, key);
    entry = found == kEmptyBucket ? BuildEntry(c, pos, key) : uint32_t(found);
  }
  const RayTable* table = c.tables[entry].get();
  current = {key, table, {entry, c.stamps[entry]}};
  return *table;
}

}  // namespace ray_cache_detail

void SetRayTableHint(Position& pos) { pos.rayTable = SelectRayTableId(pos).index; }

int RayTablesBuilt() { return Cache().built; }

void ResetRayCache() {
  RayCache& c = Cache();
  DropEntries(c);
  c.built = 0;
}

}  // namespace torvik
