#include "record/engine_thread.h"

#include <chrono>
#include <string>

#include "board/console.h"
#include "engine/think.h"
#include "engine/time_budget.h"
#include "record/board_editor.h"
#include "record/game.h"
#include "record/game_over.h"
#include "record/levels.h"
#include "record/move_text.h"
#include "record/notation.h"
#include "record/thinking_line.h"
#include "rules/legality.h"

namespace torvik {
namespace {

constexpr auto kPoll = std::chrono::milliseconds(100);

bool EnginesTurn(const GameState& gs) {
  const int side = WhiteToMove(gs.position) ? kEnginePlaysWhite : kEnginePlaysBlack;
  return gs.engineSide == side && gs.position.winner == kNoWinner;
}

// What the engine takes from the game for one think, under the game's lock.
struct Copy {
  std::unique_ptr<Position> pos = std::make_unique<Position>();
  uint32_t key = 0, lock = 0;
  int ply = 0;
};

// A hint is a think for a person to move; on the engine's turn it plays instead.
bool TakeCopy(Game& game, Engine& engine, Copy& copy, bool& hint) {
  std::lock_guard guard(game.mutex);
  GameState& gs = game.state;
  hint = hint && !EnginesTurn(gs);
  if (hint ? gs.position.winner != kNoWinner : !EnginesTurn(gs)) return false;
  ClearMove(game.hint);  // a new search: the old hint goes
  // An edited board may be one the engine cannot search: it stops playing.
  if (std::string why; !PlayablePosition(gs.position, why)) {
    ConsolePrintf("\nTorvik cannot play this position: %s", why.c_str());
    TellPlayer(game, "Torvik cannot play this position: " + why);
    gs.engineSide = kEnginePlaysNone;
    gs.autoPlay = 0;
    game.redrawRequested = true;
    return false;
  }
  if (GameOver(game)) return false;  // decided before the engine moves
  *copy.pos = gs.position;
  engine.keys = gs.keyHistory;
  copy.pos->history = &engine.keys;
  copy.key = gs.position.hashKey;
  copy.lock = gs.position.hashLock;
  copy.ply = gs.position.ply;
  engine.controls.abortSearch = &gs.abortSearch;
  engine.controls.engineSide = hint ? nullptr : &gs.engineSide;  // a hint is asked while it plays neither side
  engine.controls.stop = &game.engine.searchStop;
  game.engine.searchStop = game.engine.stop.load();
  ApplyLevel(gs.difficulty, engine.controls);  // an unknown one (a damaged setting) plays as Hard
  if (game.engine.moveTimeMs > 0) engine.controls.budget = MoveTimeBudget(game.engine.moveTimeMs);
  engine.controls.ttMegabytes = gs.ttMegabytes;
  const int notation = gs.notation;
  engine.controls.nameMove = [notation](const Position& p, const Move& m) { return NotationOfMove(p, m, notation); };
  // Each finished depth is shown, its line named from the position searched.
  std::shared_ptr<const Position> root = std::make_shared<Position>(*copy.pos);
  engine.controls.onDepth = [root, notation, &game](const DepthReport& r) {
    std::string line = ThinkingLine(r, *root, notation);
    if (game.engine.showThinking) ConsolePrintf("\n%s", line.c_str());
    std::lock_guard lock(game.engine.thinkingMutex);
    game.engine.thinkingLine = std::move(line);
    game.redrawRequested = true;
  };
  gs.abortSearch = 0;
  return true;
}

// Plays the move found, under the game's lock, when the game is still the one
// searched and nobody stopped the engine meanwhile.
EngineOutcome PlayFound(Game& game, const Copy& copy, Move move) {
  std::lock_guard guard(game.mutex);
  GameState& gs = game.state;
  if (game.engine.stop || !EnginesTurn(gs)) return EngineOutcome::kIdle;
  const Position& pos = gs.position;
  if (pos.hashKey != copy.key || pos.hashLock != copy.lock || pos.ply != copy.ply) return EngineOutcome::kIdle;
  Move legal = move;
  if (move.from == 0 && move.to == 0) {
    ResignEngine(game);
    return EngineOutcome::kResigned;
  }
  if (!LegalMove(gs.position, legal) || !PlayerMoved(game, move)) {
    ConsolePrintf("\nillegal move %s by the engine", FormatMoveText(gs.position, move).c_str());
    ResignEngine(game);
    return EngineOutcome::kIllegal;
  }
  gs.abortSearch = 0;
  game.redrawRequested = true;
  return EngineOutcome::kPlayed;
}

void MoveThread(Game& game) {
  EngineThread& t = game.engine;
  while (!t.stop) {
    EngineTurn(game);
    std::unique_lock wait(t.wakeMutex);
    t.wake.wait_for(wait, kPoll, [&] { return t.stop.load() || t.hintAsked.load(); });
  }
}

// The move found for a person: outlined and named, when the game is still the one searched.
EngineOutcome GiveHint(Game& game, const Copy& copy, Move move) {
  std::lock_guard guard(game.mutex);
  const Position& pos = game.state.position;
  if (game.engine.stop || pos.hashKey != copy.key || pos.hashLock != copy.lock || pos.ply != copy.ply)
    return EngineOutcome::kIdle;
  if (!LegalMove(game.state.position, move)) return EngineOutcome::kIdle;
  game.hint = move;
  TellPlayer(game, "hint: " + NotationOfMove(pos, move, game.state.notation));
  return EngineOutcome::kIdle;
}

}  // namespace

void AskHint(Game& game) {
  EngineThread& t = game.engine;
  {
    std::lock_guard wake(t.wakeMutex);
    t.hintAsked = true;
  }
  t.wake.notify_all();
}

EngineOutcome EngineTurn(Game& game) {
  Engine& engine = *game.engine.engine;
  Copy copy;
  bool hint = game.engine.hintAsked.exchange(false);
  if (!TakeCopy(game, engine, copy, hint)) return EngineOutcome::kIdle;
  game.engine.thinking = true;
  game.redrawRequested = true;
  Move move;
  game.engine.lastValue = Think(engine, *copy.pos, move);
  game.engine.thinking = false;
  {
    std::lock_guard lock(game.engine.thinkingMutex);
    game.engine.thinkingLine.clear();
  }
  return hint ? GiveHint(game, copy, move) : PlayFound(game, copy, move);
}

void MoveNow(Game& game) {
  if (game.engine.thinking) game.engine.searchStop = true;
}

std::string ThinkingText(Game& game) {
  if (!game.engine.thinking) return "";
  std::lock_guard lock(game.engine.thinkingMutex);
  return game.engine.thinkingLine;
}

void ResignEngine(Game& game) {
  std::lock_guard guard(game.mutex);
  GameState& gs = game.state;
  // The side the engine played for gives up: the other side wins.
  const bool white = gs.engineSide == kEnginePlaysWhite || (gs.engineSide != kEnginePlaysBlack && WhiteToMove(gs.position));
  gs.position.winner = white ? kBlackWon : kWhiteWon;
  PrintResult(white ? "\nWhite is mated!" : "\nBlack is mated!", gs.position.winner);
  gs.engineSide = kEnginePlaysNone;
  gs.autoPlay = 0;
  gs.abortSearch = 1;
  game.redrawRequested = true;
}

void StartEngine(Game& game, int on) {
  EngineThread& t = game.engine;
  if (on) {
    if (!t.thread.joinable()) t.thread = std::thread(MoveThread, std::ref(game));
    return;
  }
  if (!t.thread.joinable()) return;
  {
    std::lock_guard wake(t.wakeMutex);
    t.stop = true;
    t.searchStop = true;
  }
  t.wake.notify_all();
  t.thread.join();
  t.stop = false;
  t.searchStop = false;
}

}  // namespace torvik
