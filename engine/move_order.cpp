#include "engine/move_order.h"

#include <algorithm>
#include <functional>

#include "board/piece_values.h"
#include "engine/square_control.h"
#include "engine/static_exchange.h"
#include "engine/tactics.h"
#include "rules/legality.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

constexpr int32_t kHashMoveScore = int32_t(1) << 28;  // above every other ordering key
constexpr int32_t kKillerBonus = 10000;         // a killer of this ply
constexpr int32_t kWinningCaptureBonus = 15000; // the position's winning capture (the tactics term's)
constexpr int32_t kCounterMoveBonus = 10000;    // the reply that last refuted the previous move
// A capture that does not lose material by its exchange comes before every
// quiet move (above the history's cap), the dearest victim first and, for the
// same victim, the cheapest attacker; a losing capture is ordered as a quiet
// move.
constexpr int32_t kGoodCaptureBase = int32_t(1) << 26;
constexpr int32_t kVictimWeight = 8;
constexpr int32_t kAttackerDivisor = 1024;
// A child's table bound moves its move by kBoundBonus for every kBoundStep
// (and one more) that the bound lies beyond gamma.
constexpr int32_t kBoundBonus = 10000;
constexpr int32_t kBoundStep = 5000;
// A history counter never passes this: it is read back as a signed score, and
// with the other terms it stays below the hash move's.
constexpr uint32_t kHistoryCap = uint32_t(1) << 25;
static_assert(kHistoryCap < uint32_t(kGoodCaptureBase) &&
              uint32_t(kGoodCaptureBase) + kHistoryCap < uint32_t(kHashMoveScore) / 2);
// The sort's room for list places: far more moves than any position has.
constexpr int kSortPlaceBits = 20;
constexpr int64_t kSortPlaces = int64_t(1) << kSortPlaceBits;

// From the child's table entry: children proven bad for the mover's opponent
// come first, children proven good for it last.
int32_t ChildBoundTerm(const Engine& engine, const PositionKeys& keys, int32_t gamma) {
  const TTEntry* e = LookupTT(engine.tt, keys.key, keys.lock);
  if (!e) return 0;
  const int32_t g = 1 - gamma;
  if (e->lower < g && e->upper < g) return kBoundBonus * ((g - e->upper) / kBoundStep + 1);
  if (e->lower >= g) return -kBoundBonus * ((e->lower - g) / kBoundStep + 1);
  return 0;
}

const Move& CounterMoveOf(const Engine& engine, const Position& pos) {
  const Move& last = pos.lastMove;
  return engine.counterMoves[last.from & 63][last.to & 63];
}

// A cutoff's 2^depth into the move's history counter. A counter the bonus
// would take past the cap first halves every counter (their order kept), and
// the sum is then held to the cap, so a long think never wraps one.
uint32_t HistoryBonus(int depth) { return std::min(uint32_t(1) << (depth & 31), kHistoryCap); }

uint32_t& HistoryCounter(Engine& engine, const Move& move) { return engine.history[move.from & 63][move.to & 63]; }

void AddHistory(Engine& engine, const Move& move, int depth) {
  uint32_t& h = HistoryCounter(engine, move);
  const uint32_t bonus = HistoryBonus(depth);
  if (h + bonus > kHistoryCap)
    for (auto& row : engine.history)
      for (uint32_t& x : row) x >>= 1;
  h = std::min(h + bonus, kHistoryCap);
}

int32_t CaptureTerm(const Position& pos, const Move& move) {
  if (!IsSquare(move.from) || !IsSquare(move.to)) return 0;
  const int victim = pos.board[move.to], attacker = pos.board[move.from];
  if (victim == 0 || SameSide(victim, attacker)) return 0;
  if (LosesByExchange(pos, move.from, move.to)) return 0;
  return kGoodCaptureBase + PieceValue(victim) * kVictimWeight - PieceValue(attacker) / kAttackerDivisor;
}

int32_t Score(const Engine& engine, const Position& pos, const Move& move, const PositionKeys& keys, int ply,
              int32_t gamma) {
  if (SameSquares(move, engine.hashMove)) return kHashMoveScore;
  int32_t score = IsKiller(engine, move, ply) ? kKillerBonus : 0;
  score += CaptureTerm(pos, move);
  if (SameSquares(move, pos.bestMove)) score += kWinningCaptureBonus;
  if (SameSquares(move, CounterMoveOf(engine, pos))) score += kCounterMoveBonus;
  score += ChildBoundTerm(engine, keys, gamma);
  return score + int32_t(HistoryOf(engine, move));
}

// Every child's keys, by list place, into the ply's own store, each child's
// table bucket fetched meanwhile so that the lookups that follow find it in
// the cache.
PositionKeys* KeysOfChildren(Engine& engine, const Position& pos, const Move* list, int count, int ply) {
  const std::size_t at = std::size_t(std::max(ply, 0));
  if (engine.childKeys.size() <= at) engine.childKeys.resize(at + 1);
  std::vector<PositionKeys>& store = engine.childKeys[at];
  if (int(store.size()) < count) store.resize(count);
  PositionKeys* keys = store.data();
  for (int i = 0; i < count; ++i) {
    if (!HasMover(pos, list[i])) continue;
    keys[i] = ChildKeys(pos, list[i]);
    PrefetchTT(engine.tt, keys[i].key);
  }
  return keys;
}

}  // namespace

bool IsKiller(const Engine& engine, const Move& move, int ply) {
  if (ply >= engine.controls.difficulty || ply >= kKillerPlies) return false;
  const auto& k = engine.killers[ply];
  return SameSquares(move, k[0]) || SameSquares(move, k[1]);
}

int32_t MoveScore(Engine& engine, const Position& pos, const Move& move, int ply, int32_t gamma) {
  return Score(engine, pos, move, ChildKeys(pos, move), ply, gamma);
}

const PositionKeys* OrderMoves(Engine& engine, Position& pos, Move* list, int count, int ply, const Move* hashMove,
                               int32_t gamma) {
  if (hashMove) {
    engine.hashMove = *hashMove;
  } else {
    TacticsTerm(pos);
    engine.hashMove = Move{};
  }
  PositionKeys* keys = KeysOfChildren(engine, pos, list, count, ply);
  for (int i = 0; i < count; ++i)
    if (HasMover(pos, list[i])) list[i].score = Score(engine, pos, list[i], keys[i], ply, gamma);
  SortByScore(engine, list, count, keys);
  return keys;
}

void SortByScore(Engine& engine, Move* list, int count, PositionKeys* keys) {
  if (count < 2) return;
  const std::size_t n = std::size_t(count);
  if (engine.order.size() < n) {
    engine.order.resize(n);
    engine.scratch.resize(n);
    engine.keyScratch.resize(n);
  }
  // One word a move, its score above its list place counted down: every word
  // differs, and sorting them high to low is the stable sort by score.
  int64_t* order = engine.order.data();
  for (int i = 0; i < count; ++i) order[i] = int64_t(list[i].score) * kSortPlaces + (kSortPlaces - 1 - i);
  std::sort(order, order + count, std::greater<int64_t>());
  const auto place = [&](int i) { return int(kSortPlaces - 1 - (order[i] & (kSortPlaces - 1))); };
  // The moves, and their keys with them, gathered in that order.
  for (int i = 0; i < count; ++i) engine.scratch[i] = list[place(i)];
  std::copy(engine.scratch.begin(), engine.scratch.begin() + count, list);
  if (!keys) return;
  for (int i = 0; i < count; ++i) engine.keyScratch[i] = keys[place(i)];
  std::copy(engine.keyScratch.begin(), engine.keyScratch.begin() + count, keys);
}

uint32_t HistoryOf(const Engine& engine, const Move& move) { return engine.history[move.from & 63][move.to & 63]; }

void LowerHistory(Engine& engine, const Move& move, int depth) {
  uint32_t& h = HistoryCounter(engine, move);
  h -= std::min(h, HistoryBonus(depth));
}

void CutoffUpdate(Engine& engine, const Position& pos, const Move& move, int depth, int ply) {
  AddHistory(engine, move, depth);
  engine.counterMoves[pos.lastMove.from & 63][pos.lastMove.to & 63] = move;
  if (ply >= engine.controls.difficulty || ply >= kKillerPlies || IsKiller(engine, move, ply)) return;
  auto& k = engine.killers[ply];
  const bool capture = move.to >= 0 && move.to < kSquareCount && pos.board[move.to] != 0;
  k[capture ? 0 : 1] = move;
}

int ETC(Engine& engine, Position& pos, Move* list, int count, const PositionKeys* known, int depth, int32_t gamma,
        int32_t& value, Move& best, int ply) {
  const int32_t g = 1 - gamma;
  bool found = false;
  Position& child = ChildAt(engine, ply);
  const PositionKeys* keys = known ? known : KeysOfChildren(engine, pos, list, count, ply);
  for (int i = 0; i < count; ++i) {
    const Move& m = list[i];
    if (!HasMover(pos, m)) continue;
    int32_t upper = 0;
    if (!ProbeUpperTT(engine.tt, keys[i].key, keys[i].lock, depth - 1, g, upper)) continue;
    Move made = m;
    if (!MakeMove(child, pos, made) || IsRepetition(child, 1)) continue;
    if (!ProbeUpperTT(engine.tt, child.hashKey, child.hashLock, depth - 1, g, upper)) continue;
    if (!found || -upper > value) {
      value = -upper;
      best = m;
      found = true;
    }
  }
  return found ? 1 : 0;
}

}  // namespace torvik
