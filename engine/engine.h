// The engine: everything one search needs and keeps between searches (the
// transposition table, the ordering tables, the per-ply move lists, the
// counters and the tick clock), owned by one record rather than scattered.
// The search reads the game only through the copy Think takes of it.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/key_history.h"
#include "board/position.h"
#include "engine/depth_report.h"
#include "engine/shared_int.h"
#include "engine/tactics_memo.h"
#include "engine/time_budget.h"
#include "engine/transposition_table.h"
#include "rules/make_move.h"
#include "rules/move_list.h"

namespace torvik {

constexpr int kKillerPlies = 60;
constexpr int kMaxSearchPly = 128;  // beyond every extension the search allows
constexpr int kPlyListsStep = 30;   // per-ply lists are added this many at a time

// The time budget counted in ticks: the search advances the clock itself, so
// its play is repeatable.
struct TickClock {
  enum Mode : int { kStopped = 0, kRunning = 1, kTimeUp = 2 };
  double ticks = 0;  // only ever grows
  double start = 0;
  double limit = 10.0;
  int mode = kStopped;
  std::chrono::steady_clock::time_point began;  // a real-time budget's start
};

// What the game lends the engine for one think: the flags the window may
// change while it runs, the request to stop the engine's thread, the
// difficulty (the ply cap), the table size, how to name a move on the
// console in the game's notation, the time budget (ticks unless a real clock
// is asked for) and who hears of each finished depth.
struct EngineControls {
  const SharedInt* abortSearch = nullptr;
  const SharedInt* engineSide = nullptr;
  const std::atomic<bool>* stop = nullptr;
  int difficulty = 50;  // the depth cap
  int tickScale = 1;     // the tick budget's multiple (Expert 10, Master 100)
  int ttMegabytes = 8;
  std::function<std::string(const Position&, const Move&)> nameMove;
  TimeBudget budget;
  DepthWatcher onDepth;
};

// A node's generated and ordered moves, in its ply's MoveList.
struct PlyMoves {
  Move* moves = nullptr;
  int32_t count = 0;
  const PositionKeys* keys = nullptr;  // the children's keys by list place, as ordering found them
};

// What the search keeps for one ply of its path, indexed by ply (0 the root).
// A node's entry is set up by its parent before the node is searched: a new
// child starts with no list and unextended; a child searched again keeps what
// its first search left.
struct SearchStack {
  PlyMoves moves;                  // the node's list, made once
  const Position* listOf = nullptr; // the position the list was made for
  bool nullMove = false;           // the node is searching its null move
  bool extended = false;           // the search extended the move that led here
  bool parentExtended = false;     // ... and the one that led to the node's parent
};

struct Engine {
  TranspositionTable tt;
  // Ordering tables.
  std::array<std::array<uint32_t, 64>, 64> history{};  // by from and to, capped (move_order.cpp)
  std::array<std::array<Move, 2>, kKillerPlies> killers{};  // [ply][0 capture, 1 quiet]
  std::array<std::array<Move, 64>, 64> counterMoves{};      // by the last move's from and to
  Move hashMove;
  std::vector<int64_t> order;                // the sort's words: score and list place
  std::vector<Move> scratch;                 // the sorted list being gathered
  std::vector<PositionKeys> keyScratch;      // ... and its keys
  // By ply: the children's keys of the node's list, by list place (ordering, ETC).
  std::vector<std::vector<PositionKeys>> childKeys;
  std::array<SearchStack, kMaxSearchPly + 2> stack{};
  // Per-ply move lists, grown kPlyListsStep at a time.
  std::vector<std::unique_ptr<MoveList>> plyLists;
  std::vector<std::unique_ptr<Position>> children;  // by the parent's ply
  // The repetition test's keys: the game's, copied in at the start of a think,
  // then the search path's.
  KeyHistory keys;
  TacticsMemo tacticsMemo;  // answers of the running think's capture searches
  // Counters and the clock.
  int64_t nodes = 0;          // every position searched, the quiescence search's included
  int64_t tickNodes = 0;      // the tick budget's count: the nodes above the quiescence
                              // search and its entries (a node sent there after its
                              // extensions is counted twice), never its nodes below
  uint32_t quiesceNodes = 0;  // counted only to pace the quiescence search's polls
  int64_t lastCheckNodes = 0;  // tickNodes at the last look at the budget
  int deepestPly = 0;
  int quiesceStart = 0;  // the ply the running quiescence search began at
  int rootDepth = 0;
  int lastDepth = 0;   // the deepest depth the last think searched
  int passes = 0;
  bool mateBound = false;
  bool aborted = false;  // the running pass gave up
  int lastAgePly = 0;
  int lastStage = -1;  // the game stage of the last think
  TickClock clock;
  EngineControls controls;
};

// The position a node at `ply` makes its children in, kept from one search to
// the next so that making a child never pays for clearing one.
Position& ChildAt(Engine& engine, int ply);

// The move list of ply `ply`, or none when no memory could be had for it.
MoveList* PlyList(Engine& engine, int ply);

// Empties the history, killers and counter moves.
void ClearSearchTables(Engine& engine);

// At the start of every engine move: the history fades by the plies played
// since the last call (at least 3 bits), killers and counter moves are emptied.
void AgeHistory(Engine& engine, int gamePly);

}  // namespace torvik
