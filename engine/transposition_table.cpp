#include "engine/transposition_table.h"

#include <cstring>
#include <utility>

#include "board/console.h"
#include "board/geometry.h"

namespace torvik {
namespace {

bool Matches(const TTEntry& e, const Position& pos) { return e.key == pos.hashKey && e.lock == pos.hashLock; }

TTEntry* Find(const TranspositionTable& tt, uint32_t key, uint32_t lock) {
  if (tt.count == 0) return nullptr;
  TTEntry* bucket = TTBucket(tt, key);
  if (bucket[0].key == key && bucket[0].lock == lock) return &bucket[0];
  if (bucket[1].key == key && bucket[1].lock == lock) return &bucket[1];
  return nullptr;
}

TTEntry* Find(const TranspositionTable& tt, const Position& pos) { return Find(tt, pos.hashKey, pos.hashLock); }

// The slot a store for `pos` at `depth` takes, or none when a quiescence
// store must not evict a fresh entry.
TTEntry* ChooseSlot(TranspositionTable& tt, const Position& pos, int depth) {
  TTEntry* slot = TTBucket(tt, pos.hashKey);
  if (Matches(slot[0], pos)) return &slot[0];
  if (Matches(slot[1], pos)) {
    if (TTDraft(slot[1]) < TTDraft(slot[0])) return &slot[1];
    std::swap(slot[0], slot[1]);
    return &slot[0];
  }
  if (TTAge(slot[0]) == tt.age && TTDraft(slot[0]) > depth) {
    if (depth != 0 || TTDraft(slot[1]) < 1 || TTAge(slot[1]) != tt.age) return &slot[1];
    return nullptr;
  }
  slot[1] = slot[0];
  return &slot[0];
}

constexpr uint32_t kMoveBits = 0xfffu | 7u << 16;
constexpr uint32_t kBoardMoveBit = 1u << 18;

// A board move keeps which board it moves: from and to are pins, and the
// piece on the pin's square is not the mover.
uint32_t MoveBits(const Move& m) {
  uint32_t bits = uint32_t(m.from & 63) | uint32_t(m.to & 63) << 6;
  if (const int board = BoardIndexOfCode(m.piece); board >= 0) bits |= kBoardMoveBit | uint32_t(board) << 16;
  return bits;
}

void StoreLower(TTEntry& e, int depth, int32_t value, const Move* move) {
  if (move) e.moveAge = (e.moveAge & ~kMoveBits) | MoveBits(*move);
  const int oldDepth = e.lowerDepth;
  e.lowerDepth = uint8_t(depth);
  e.lower = value;
  if (e.upper >= e.lower) return;
  if (oldDepth == depth && e.upperDepth == depth) {
    e.upper = e.lower;  // both bounds proven to this depth: the value is exact
  } else {
    e.upper = kNoUpper;
    e.upperDepth = 0;
  }
}

void StoreUpper(TTEntry& e, int depth, int32_t value) {
  const int oldDepth = e.upperDepth;
  e.upperDepth = uint8_t(depth);
  e.upper = value;
  if (e.upper >= e.lower) return;
  if (oldDepth == depth && e.lowerDepth == depth) {
    e.lower = e.upper;
  } else {
    e.lower = kNoLower;
    e.lowerDepth = 0;
  }
}

// A quiescence result (depth 0) leaves alone an entry whose bound of the same
// kind the main search proved deeper, and one whose deeper other bound it
// would contradict: the shallow bound is worth less than what it would drop.
bool KeepsDeeperBound(const TTEntry& e, int depth, bool lower, int32_t value) {
  if (depth != 0) return false;
  if (lower) return e.lowerDepth > 0 || (e.upperDepth > 0 && value > e.upper);
  return e.upperDepth > 0 || (e.lowerDepth > 0 && value < e.lower);
}

}  // namespace

int CreateTT(TranspositionTable& tt, int megabytes) {
  if (tt.created) return tt.megabytes;
  tt.created = true;
  for (int mb = megabytes; mb >= 1; --mb) {
    const uint32_t count = TTEntriesFor(mb);
    tt.entries.reset(static_cast<TTEntry*>(std::calloc(count, sizeof(TTEntry))));
    if (!tt.entries) continue;
    tt.count = count;
    tt.megabytes = mb;
    return mb;
  }
  ConsolePrintf("\nno memory for the transposition table: the engine plays without one");
  return 0;
}

void ClearTT(TranspositionTable& tt) {
  if (tt.count) std::memset(static_cast<void*>(tt.entries.get()), 0, size_t(tt.count) * sizeof(TTEntry));
}

void AgeTT(TranspositionTable& tt, int gamePly) {
  if (gamePly < tt.lastPly) ClearTT(tt);
  tt.lastPly = gamePly;
  tt.age = tt.age % 15 + 1;
}

Move TTMove(const TTEntry& e, const Position& pos, char kind) {
  const int piece = (e.moveAge & kBoardMoveBit) ? kBoardCodes[e.moveAge >> 16 & 3] : pos.board[TTFrom(e)];
  return Move{TTFrom(e), TTTo(e), 0, piece, kind, 0, {0, 0}};
}

const TTEntry* LookupTT(const TranspositionTable& tt, const Position& pos) { return Find(tt, pos); }

const TTEntry* LookupTT(const TranspositionTable& tt, uint32_t key, uint32_t lock) { return Find(tt, key, lock); }

int ProbeTT(const TranspositionTable& tt, const Position& pos, int depth, int32_t gamma, int32_t& value,
            Move* move) {
  const TTEntry* e = Find(tt, pos);
  if (!e) return 0;
  if (move) *move = TTMove(*e, pos, 'G');
  if (e->upperDepth >= depth && e->upper < gamma) {
    value = e->upper;
    return 1;
  }
  if (e->lowerDepth >= depth && e->lower >= gamma) {
    value = e->lower;
    return 1;
  }
  return 0;
}

int ProbeUpperTT(const TranspositionTable& tt, uint32_t key, uint32_t lock, int depth, int32_t gamma,
                 int32_t& value) {
  const TTEntry* e = Find(tt, key, lock);
  if (!e || e->upperDepth < depth || e->upper >= gamma) return 0;
  value = e->upper;
  return 1;
}

void StoreTT(TranspositionTable& tt, const Position& pos, int depth, int32_t gamma, int32_t value,
             const Move* move) {
  if (tt.count == 0) return;
  TTEntry* e = ChooseSlot(tt, pos, depth);
  if (!e) return;
  if (!Matches(*e, pos)) *e = TTEntry{pos.hashKey, pos.hashLock, kNoLower, kNoUpper, 0, 0, 0, 0};
  else if (KeepsDeeperBound(*e, depth, value >= gamma, value)) return;
  e->moveAge = (e->moveAge & ~(15u << 12)) | uint32_t(tt.age) << 12;
  if (value >= gamma) StoreLower(*e, depth, value, move);
  else StoreUpper(*e, depth, value);
}

}  // namespace torvik
