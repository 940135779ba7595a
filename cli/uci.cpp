// uci: the Universal Chess Interface, for the 2D game and (by the Variant
// option) the 3D game under either rule set. This thread reads the
// lines and answers the short ones; a search runs on a thread of its own,
// which prints an info line after each finished depth and then its bestmove.
// stop sets the engine's stop flag, so the search gives up at once and plays
// the best it has. Only the protocol goes to standard output, each line
// flushed; the program's log goes to standard error.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "cli/commands.h"
#include "cli/uci_command.h"
#include "cli/uci_game.h"
#include "cli/uci_report.h"
#include "cli/uci_variant.h"
#include "engine/think.h"
#include "record/game_state.h"
#include "record/levels.h"

namespace torvik::cli {
namespace {

struct Session {
  std::mutex outMutex;
  UciGame game = StartGame();
  std::unique_ptr<Engine> engine = std::make_unique<Engine>();
  int hashMegabytes = 8;
  int difficulty = kHard;
  bool difficultySet = false;  // then a go without a clock plays on the tick budget
  std::thread search;
  std::atomic<bool> stop{false};
  bool infinite = false;  // the running search answers only after stop
};

// One think, handed to the search thread.
struct Job {
  std::unique_ptr<Position> root;  // the position as set, to name moves in
  std::unique_ptr<Position> pos;   // the engine's copy
  bool infinite = false;           // the answer waits for stop
};

void Say(Session& s, const std::string& line) {
  std::lock_guard lock(s.outMutex);
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// Stops the running search, if any, and waits for its answer.
void Finish(Session& s) {
  if (!s.search.joinable()) return;
  s.stop = true;
  s.search.join();
}

// Lets the running search end by itself (one that waits for stop is stopped).
void Wait(Session& s) {
  if (!s.search.joinable()) return;
  if (s.infinite) s.stop = true;
  s.search.join();
}

void RunSearch(Session& s, Job job) {
  Move move;
  Think(*s.engine, *job.pos, move);
  while (job.infinite && !s.stop.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  Say(s, "bestmove " + UciBestMove(*job.root, move));
}

void Go(Session& s, const UciCommand& c) {
  Wait(s);
  s.stop = false;
  Engine& e = *s.engine;
  Job job;
  job.root = std::make_unique<Position>(*s.game.pos);
  job.root->history = nullptr;  // the game's keys may change while the search runs
  job.pos = std::make_unique<Position>(*s.game.pos);
  e.keys = *s.game.keys;
  job.pos->history = &e.keys;
  job.infinite = s.infinite = c.limits.infinite;
  e.controls.stop = &s.stop;
  ApplyLevel(s.difficulty, e.controls);  // the depth cap and the tick budget's size
  e.controls.ttMegabytes = s.hashMegabytes;
  const bool capped = c.limits.depth > 0 || c.limits.nodes > 0;
  const bool ticks = s.difficultySet || (!HasClock(c.limits) && !capped);
  e.controls.budget = PlanBudget(c.limits, WhiteToMove(*job.pos), ticks);
  const Position* root = job.root.get();
  const auto start = std::chrono::steady_clock::now();
  e.controls.onDepth = [&s, root, start](const DepthReport& r) {
    using namespace std::chrono;
    Say(s, UciInfo(r, *root, duration_cast<milliseconds>(steady_clock::now() - start).count()));
  };
  s.search = std::thread(RunSearch, std::ref(s), std::move(job));
}

void Identify(Session& s) {
  Say(s, "id name Torvik 2.80");
  Say(s, "id author The Torvik authors");
  Say(s, "option name Hash type spin default 8 min 1 max " + std::to_string(kUciMaxHash));
  Say(s, "option name Difficulty type combo default hard var easy var medium var hard var expert var master");
  Say(s, UciVariantOption());
  Say(s, "uciok");
}

void NewGame(Session& s) {
  Wait(s);
  ClearTT(s.engine->tt);
  ClearSearchTables(*s.engine);
  s.engine->lastStage = -1;
  s.engine->lastAgePly = 0;
}

void SetOption(Session& s, const UciCommand& c) {
  if (c.option == UciOption::kOther) return;
  Wait(s);
  if (c.option == UciOption::kVariant) {
    const UciVariant& v = kUciVariants[std::size_t(c.variant)];
    s.game = StartGame(v.mode, v.rules);  // another game: its start, and a table of its own
    NewGame(s);
  } else if (c.option == UciOption::kDifficulty) {
    s.difficulty = c.difficulty;
    s.difficultySet = true;
  } else if (c.hashMegabytes != s.hashMegabytes) {
    s.hashMegabytes = c.hashMegabytes;
    s.engine = std::make_unique<Engine>();  // the table is made at the next think
  }
}

// One line; false on quit.
bool Handle(Session& s, const std::string& line) {
  UciCommand c;
  std::string error;
  if (!ParseUciCommand(line, c, error)) {
    Say(s, "info string " + error);
    return true;
  }
  switch (c.kind) {
    case UciKind::kUci: Identify(s); break;
    case UciKind::kIsReady: Say(s, "readyok"); break;
    case UciKind::kSetOption: SetOption(s, c); break;
    case UciKind::kNewGame: NewGame(s); break;
    case UciKind::kPosition:
      if (!ApplyUciPosition(c, s.game, error)) Say(s, "info string " + error);
      break;
    case UciKind::kGo: Go(s, c); break;
    case UciKind::kStop: Finish(s); break;
    case UciKind::kQuit: return false;
    default: break;  // debug, register, ponderhit and what the protocol does not know
  }
  return true;
}

}  // namespace

int Uci(Options& options) {
  if (!NoOtherOptions(options)) return kBadUsage;
  auto session = std::make_unique<Session>();
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!Handle(*session, line)) {
      Finish(*session);  // quit: at once
      return 0;
    }
  }
  Wait(*session);  // the end of the input: a running search is let finish
  return 0;
}

}  // namespace torvik::cli
