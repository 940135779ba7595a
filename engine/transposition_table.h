// The transposition table: for positions met in the search, a lower and an
// upper bound on their value, each with the depth it was proven to, and the
// move of the last fail high. One flat array of 28-byte entries in buckets of
// two, indexed by the position's primary key; slot 0 of a bucket holds the
// preferred (deeper or fresher) entry.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "board/position.h"

namespace torvik {

constexpr int32_t kNoLower = -kNoScore;
constexpr int32_t kNoUpper = kNoScore;

struct TTEntry {
  uint32_t key = 0;   // hashKey (bit 0: the side to move)
  uint32_t lock = 0;  // hashLock
  int32_t lower = 0;
  int32_t upper = 0;
  uint8_t lowerDepth = 0;
  uint8_t upperDepth = 0;
  uint32_t moveAge = 0;  // bits 0..5 from, 6..11 to, 12..15 age, 16..17 board, 18 board move
  uint32_t reserved = 0;
};
static_assert(sizeof(TTEntry) == 28, "an entry is 28 bytes");

constexpr int TTFrom(const TTEntry& e) { return int(e.moveAge & 63); }
constexpr int TTTo(const TTEntry& e) { return int(e.moveAge >> 6 & 63); }
constexpr int TTAge(const TTEntry& e) { return int(e.moveAge >> 12 & 15); }
constexpr int TTDraft(const TTEntry& e) { return e.lowerDepth > e.upperDepth ? e.lowerDepth : e.upperDepth; }
constexpr bool TTHasMove(const TTEntry& e) { return (e.moveAge & 0xfffu) != 0; }

// The stored move as a Move of `pos`: an attack-board move names its board, a
// piece move the piece on its from-square.
Move TTMove(const TTEntry& e, const Position& pos, char kind);

struct TranspositionTable {
  struct Free {
    void operator()(TTEntry* p) const { std::free(p); }
  };
  std::unique_ptr<TTEntry[], Free> entries;
  uint32_t count = 0;   // even; 0 until created, or when no memory could be had
  int megabytes = 0;    // the size it was created with
  bool created = false;
  int age = 1;          // 1..15, advanced once per engine move
  int lastPly = -1;     // the game ply of the last engine move
};

// Entries for `megabytes`: megabytes x 2^20 / 28, made even.
constexpr uint32_t TTEntriesFor(int megabytes) {
  return uint32_t((uint64_t(megabytes) << 20) / sizeof(TTEntry)) & ~1u;
}

// Creates the table once, of `megabytes` or, when that cannot be had, one
// megabyte less at a time; with none to be had the engine plays without a
// table and says so. Returns the megabytes taken (0 for none).
int CreateTT(TranspositionTable& tt, int megabytes);

// Empties the table (nothing before it is created).
void ClearTT(TranspositionTable& tt);

// At the start of every engine move: empties the table when the game went back
// (moves taken back, a new game), then advances the age.
void AgeTT(TranspositionTable& tt, int gamePly);

// The entry of `pos`, or of the position with these keys; none when absent.
const TTEntry* LookupTT(const TranspositionTable& tt, const Position& pos);
const TTEntry* LookupTT(const TranspositionTable& tt, uint32_t key, uint32_t lock);

// The first of the two entries a position of hashKey `key` may take (the
// table must have entries).
inline TTEntry* TTBucket(const TranspositionTable& tt, uint32_t key) { return &tt.entries[(key % tt.count) & ~1u]; }

// Asks the processor to fetch the bucket of `key` into the cache, so that a
// lookup a little later does not wait for memory.
inline void PrefetchTT(const TranspositionTable& tt, uint32_t key) {
  if (tt.count) __builtin_prefetch(TTBucket(tt, key));
}

// 1 when the stored bounds decide the test against gamma at `depth` (depth 0,
// the quiescence search, takes bounds of any depth); `value` gets the bound.
// `move`, when given, gets the stored move (kind 'G') whenever the position is
// found.
int ProbeTT(const TranspositionTable& tt, const Position& pos, int depth, int32_t gamma, int32_t& value,
            Move* move);

// 1 when the stored upper bound of the position with these keys, of at least
// `depth`, is below gamma.
int ProbeUpperTT(const TranspositionTable& tt, uint32_t key, uint32_t lock, int depth, int32_t gamma,
                 int32_t& value);

// Stores `value` as a lower bound (value >= gamma, with the move when given)
// or an upper bound. A quiescence store (depth 0) never replaces or drops a
// bound of depth 1 or more.
void StoreTT(TranspositionTable& tt, const Position& pos, int depth, int32_t gamma, int32_t value,
             const Move* move);

}  // namespace torvik
