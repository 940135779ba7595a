#include "engine/think.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "board/console.h"
#include "engine/evaluate.h"
#include "engine/move_order.h"
#include "engine/score.h"
#include "engine/search.h"
#include "engine/square_control.h"
#include "engine/tactics.h"
#include "engine/tick_clock.h"
#include "rules/attack_maps.h"
#include "rules/generate.h"
#include "rules/legality.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

constexpr int kStartDepth = 2;
constexpr int32_t kSettled = 700;  // bounds this close need no further pass
constexpr int kMaxRetries = 4;   // a depth is searched again at most this many times
// The best move's child must be found in the table at least this much worse
// for the mover than the value claims before a depth is searched again.
constexpr int32_t kRetryMargin = 10000;

bool IsNull(const Move& m) { return m.from == 0 && m.to == 0; }

// The table's word on the root: the stored move, the depth to start from and
// its value. The move must be legal here: the keys do not tell apart positions
// that differ only in who owns an attack board.
int StartFromTable(Engine& e, Position& pos, Move& best, int32_t& value) {
  // Under a real clock depth 1 costs next to nothing and is a move to fall back on.
  const int first = e.controls.budget.realTime ? 1 : kStartDepth;
  const TTEntry* entry = LookupTT(e.tt, pos);
  if (!entry || !TTHasMove(*entry)) return first;
  Move stored = TTMove(*entry, pos, '?');
  if (!LegalMove(pos, stored)) return first;
  best = TTMove(*entry, pos, '?');
  int depth = std::max<int>(entry->lowerDepth, first);
  value = entry->lower;
  if (entry->upperDepth >= entry->lowerDepth && entry->lower + kSettled >= entry->upper) ++depth;
  return depth;
}

// One depth; repeated (at most four times) when time is up and the best
// move's child is found worse in the table than the value claims.
int32_t SearchDepth(Engine& e, Position& pos, Move& best, int depth, int32_t value, bool& onlyOne) {
  int32_t guess = value;
  for (int tries = 1;; ++tries) {
    value = Mtdf(e, pos, best, depth, guess);
    const bool timeUp = TimeUp(e);
    onlyOne = e.stack[0].moves.count == 1;
    if (onlyOne || !timeUp || e.mateBound) return value;
    Position child;
    Move m = best;
    if (!MakeMove(child, pos, m)) return value;
    const TTEntry* entry = LookupTT(e.tt, child);
    if (!entry || entry->upper <= kRetryMargin - value) return value;
    value = -2 - entry->lower;
    if (tries >= kMaxRetries) return value;
    guess = value;
  }
}

Move FirstLegalRootMove(const Engine& e, Position& pos) {
  const PlyMoves& root = e.stack[0].moves;
  Position child;
  for (int i = 0; root.moves && i < root.count; ++i) {
    Move m = root.moves[i];
    if (HasMover(pos, m) && MakeMove(child, pos, m)) return root.moves[i];
  }
  return Move{};
}

// The budget's depth cap, which never stops the first depth.
bool BeyondDepthCap(const Engine& e, int depth, int first) {
  const int cap = e.controls.budget.depth;
  return cap > 0 && depth > cap && depth > first;
}

// Tells the watcher, if any, of a finished depth.
void ReportDepth(Engine& e, const Position& pos, const Move& best, int depth, int32_t value) {
  if (!e.controls.onDepth) return;
  DepthReport r;
  r.depth = depth;
  r.value = value;
  r.nodes = e.nodes;
  r.deepestPly = e.deepestPly;
  PrincipalVariation(e, pos, best, r.line);
  e.controls.onDepth(r);
}

}  // namespace

int PrincipalVariation(Engine& e, const Position& root, const Move& best, std::vector<Move>& line) {
  line.clear();
  auto slots = std::make_unique<std::array<Position, 2>>();
  auto& at = *slots;
  at[0] = root;
  at[0].previous = nullptr;
  Move m = best;
  if (IsNull(best) || !MakeMove(at[1], at[0], m)) return 0;
  line.push_back(m);
  for (int i = 1; int(line.size()) < e.controls.difficulty; i ^= 1) {
    const Position& pos = at[i];
    const TTEntry* entry = LookupTT(e.tt, pos);
    if (!entry || !TTHasMove(*entry)) break;
    Move next = TTMove(*entry, pos, '-');
    if (next.piece == 0) {
      Warn(false, "ShowPV: No piece but not zero move");
      break;
    }
    if (!MakeMove(at[i ^ 1], at[i], next)) break;
    line.push_back(next);
  }
  return int(line.size());
}

int32_t Think(Engine& e, Position& pos, Move& move) {
  MoverIsTheEngine(pos);
  pos.winner = kNoWinner;
  move = Move{};
  const bool tableIsNew = !e.tt.created;  // and so empty already
  if (tableIsNew) {
    CreateTT(e.tt, e.controls.ttMegabytes);
    ClearSearchTables(e);
  }
  RegenToPieces(pos);
  StartTacticsMemo(e.tacticsMemo);
  pos.tacticsMemo = &e.tacticsMemo;
  Evaluate(pos, kNoScore, EvalMode::Fresh);
  const int stage = SetGameStage(pos, 1);
  // The weights changed: stored values mean other things.
  if (stage != e.lastStage && !tableIsNew) ClearTT(e.tt);
  e.lastStage = stage;
  e.stack[0] = {};
  StartClock(e);
  const int32_t value = IterativeDeepening(e, pos, move);
  // No pass proved a move (every one failed low, or the first was cut short):
  // the best ordered legal move rather than none.
  if (IsNull(move)) move = FirstLegalRootMove(e, pos);
  move.score = WhiteToMove(pos) ? value : -value;
  StopClock(e);
  pos.tacticsMemo = nullptr;  // the memo is the engine's: a position may outlive it
  return value;
}

int32_t IterativeDeepening(Engine& e, Position& pos, Move& best) {
  e.nodes = 0;
  e.tickNodes = 0;
  e.lastDepth = 0;
  e.deepestPly = 0;
  e.lastCheckNodes = 0;
  AgeHistory(e, pos.ply);
  AgeTT(e.tt, pos.ply);
  int32_t value = 0;
  int depth = StartFromTable(e, pos, best, value);
  if (e.controls.budget.depth > 0) depth = std::min(depth, e.controls.budget.depth);  // the table may know deeper
  const int first = depth;
  int lastCompleted = depth - 1;
  for (bool done = false; !done; ++depth) {
    if (depth >= e.controls.difficulty || BeyondDepthCap(e, depth, first)) break;
    bool onlyOne = false;
    value = SearchDepth(e, pos, best, depth, value, onlyOne);
    e.lastDepth = depth;
    if (!e.aborted) ReportDepth(e, pos, best, depth, value);
    done = false;
    if (lastCompleted > 2 || e.controls.budget.realTime) {
      if (!AbortCheck(e)) lastCompleted = depth;
      done = StopDeepening(e, depth, onlyOne) != 0;
    }
    if (AbortCheck(e)) done = true;
    else lastCompleted = depth;
    // A mate within the completed depth ends the deepening. (The line the
    // table keeps is walked only when someone reads it: PrincipalVariation.)
    if (value >= kFirstMate - lastCompleted || value <= -(kFirstMate - lastCompleted)) done = true;
  }
  return value;
}

void PrepareRootMoves(Engine& e, Position& pos, const Move& best) {
  if (e.stack[0].moves.moves && e.stack[0].listOf == &pos) return;
  MoveList* list = PlyList(e, 0);
  if (!list) return;
  int count = GenerateAll(pos, *list);
  Move* moves = list->data();
  OrderMoves(e, pos, moves, count, 0, IsNull(best) ? nullptr : &best, 0);
  for (int i = 0; i < count; ++i)
    if (HasMover(pos, moves[i])) moves[i].score = RootMoveGain(pos, moves[i]);
  SortByScore(e, moves, count);
  while (count > 0 && moves[count - 1].score < kUnsearched) --count;
  e.stack[0].moves = {moves, count};
  e.stack[0].listOf = &pos;
}

}  // namespace torvik
