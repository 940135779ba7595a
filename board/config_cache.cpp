#include "board/config_cache.h"

#include <mutex>
#include <unordered_map>
#include <unordered_set>

#include "board/console.h"
#include "board/geometry.h"

namespace torvik {
namespace {

constexpr int kOverflowSets = 32;  // per thread, once the shared cache is full

struct SharedCache {
  std::mutex mutex;
  std::unordered_map<uint32_t, std::unique_ptr<ConfigTables>> sets;
  std::unordered_set<uint32_t> announced;  // since the last reset
  int count = 0;                           // announced since the last reset
  std::atomic<uint64_t> epoch{1};          // advanced by every reset
};

SharedCache& Shared() {
  static SharedCache cache;
  return cache;
}

// The sets this thread met since the last reset, by key (direct-mapped), so
// that a lookup or a board move of the search seldom takes the lock. `shared`
// tells a set of the cache (a position may point at it) from one of the ring.
struct Seen {
  uint32_t key = 0;
  const ConfigTables* set = nullptr;
  uint64_t epoch = 0;
  bool shared = false;
};
constexpr uint32_t kSeenBits = 8;
thread_local std::array<Seen, 1u << kSeenBits> seen;

Seen& SeenSlot(uint32_t key) { return seen[(key * 0x9e3779b1u) >> (32 - kSeenBits)]; }

struct Overflow {
  std::array<std::unique_ptr<ConfigTables>, kOverflowSets> sets;
  int next = 0;
};
thread_local Overflow overflow;

// Whether the ring still holds `set` for `key`. A ring set is freed when its
// place is taken, so it is looked for, never read through the memory's pointer.
bool InRing(const ConfigTables* set, uint32_t key) {
  for (const auto& held : overflow.sets)
    if (held.get() == set) return held->key == key;
  return false;
}

// The slot of `key` when it is still good (a ring set may have been rebuilt).
const Seen* Recall(uint32_t key, uint64_t epoch) {
  const Seen& s = SeenSlot(key);
  if (!s.set || s.key != key || s.epoch != epoch) return nullptr;
  return s.shared || InRing(s.set, key) ? &s : nullptr;
}

// A position of the configuration packed in `key`, whose lookups take `set`.
std::unique_ptr<Position> PositionOf(uint32_t key, int rules, const ConfigTables* set) {
  auto pos = std::make_unique<Position>();
  for (int b = 0; b < kAttackBoards; ++b) pos->pins[b] = int32_t((key >> (24 - 8 * b)) & 0xff);
  pos->rules = rules;
  pos->config = set;
  return pos;
}

// Under the lock: the first sight of a configuration since the reset says so.
void Announce(SharedCache& c, uint32_t key) {
  if (!c.announced.insert(key).second) return;
  ConsolePrintf("\nBuilding %s #%d", GetConfigName(key).c_str(), ++c.count);
}

std::unique_ptr<ConfigTables> Build(uint32_t key) {
  auto set = std::make_unique<ConfigTables>();
  set->key = key;
  BuildRayTable(key, set->rays);
  return set;
}

// Under the lock: the shared set of `key`, built when there is room; null when
// the cache is full.
const ConfigTables* FindShared(SharedCache& c, uint32_t key) {
  Announce(c, key);
  if (auto it = c.sets.find(key); it != c.sets.end()) return it->second.get();
  if (int(c.sets.size()) >= kConfigCacheCapacity) return nullptr;
  return c.sets.emplace(key, Build(key)).first->second.get();
}

const ConfigTables& FromOverflow(uint32_t key) {
  for (const auto& set : overflow.sets)
    if (set && set->key == key) return *set;
  auto& slot = overflow.sets[overflow.next];
  overflow.next = (overflow.next + 1) % kOverflowSets;
  slot = Build(key);
  return *slot;
}

// The set of `key`: this thread's memory of it, else the cache's under the
// lock (built when new), else the ring's past the cache's capacity.
const Seen& Find(uint32_t key) {
  SharedCache& c = Shared();
  const uint64_t epoch = c.epoch.load(std::memory_order_acquire);
  if (const Seen* s = Recall(key, epoch)) return *s;
  const ConfigTables* set;
  {
    std::lock_guard lock(c.mutex);
    set = FindShared(c, key);
  }
  const bool shared = set != nullptr;
  if (!shared) set = &FromOverflow(key);
  Seen& slot = SeenSlot(key);
  slot = {key, set, epoch, shared};
  return slot;
}

}  // namespace

namespace config_detail {

const ConfigTables& ConfigSlow(const Position&, uint32_t key) { return *Find(key).set; }

// Built under the lock, so that two threads never build the same tables.
const LineTables& LinesSlow(const ConfigTables& config, int rules) {
  auto& set = const_cast<ConfigTables&>(config);  // only the lazily built tables change
  std::lock_guard lock(Shared().mutex);
  if (const LineTables* t = set.lines[rules].load(std::memory_order_acquire)) return *t;
  auto tables = std::make_unique<LineTables>();
  BuildLineTables(*PositionOf(config.key, rules == 1 ? kStandard : kTournament, &config), *tables);
  set.owned[rules] = std::move(tables);
  set.lines[rules].store(set.owned[rules].get(), std::memory_order_release);
  return *set.owned[rules];
}

}  // namespace config_detail

void ResolveConfig(Position& pos) {
  if (!Is3D(pos)) {
    pos.config = nullptr;
    return;
  }
  const Seen& s = Find(ConfigKey(pos));
  pos.config = s.shared ? s.set : nullptr;
}

int RayTablesBuilt() {
  SharedCache& c = Shared();
  std::lock_guard lock(c.mutex);
  return c.count;
}

void ResetRayCache() {
  SharedCache& c = Shared();
  std::lock_guard lock(c.mutex);
  c.announced.clear();
  c.count = 0;
  c.epoch.fetch_add(1, std::memory_order_acq_rel);
}

}  // namespace torvik
