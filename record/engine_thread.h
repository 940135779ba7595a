// The engine's thread: it wakes every 100 ms and, on the engine's turn, thinks
// on a private copy of the game and plays its move through PlayerMoved.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "engine/engine.h"

namespace torvik {

struct Game;

struct EngineThread {
  std::thread thread;
  std::atomic<bool> stop{false};        // the thread is to end
  std::atomic<bool> searchStop{false};  // the running search is to end: the abort check reads it
  std::atomic<bool> thinking{false};    // a search runs
  std::atomic<bool> showThinking{false};  // each finished depth's line also goes to the console
  std::atomic<bool> hintAsked{false};     // the next wake-up searches for the person to move
  int64_t moveTimeMs = 0;  // the headless tool's wall-clock time a move (0: the level's); set before a think
  std::atomic<int32_t> lastValue{0};  // the last finished think's value, from its side to move's view
  // The latest finished depth of the running think, as ThinkingLine writes it;
  // empty when none runs.
  std::mutex thinkingMutex;
  std::string thinkingLine;
  std::mutex wakeMutex;
  std::condition_variable wake;
  std::unique_ptr<Engine> engine = std::make_unique<Engine>();  // kept from one think to the next
};

// on = 1 starts the thread unless it runs; on = 0 stops it and returns only once
// no search runs and no move of the stopped search can be played.
void StartEngine(Game& game, int on);

// kIdle: not the engine's turn, or its search was stopped or outdated.
// kIllegal: the engine chose a move the rules refuse, and gave up.
enum class EngineOutcome { kIdle, kPlayed, kResigned, kIllegal };

// One turn of the thread, when it is the engine's: think on a copy of the game
// and play the move if the game is still the one searched.
EngineOutcome EngineTurn(Game& game);

// Asks for a hint: the engine searches at its level for the person to move
// and, the game unchanged meanwhile, sets Game::hint and names the move in a
// notice. Nothing once the game is decided; on the engine's turn it plays.
void AskHint(Game& game);

// A thinking engine plays the best move of its last finished depth at once.
void MoveNow(Game& game);

// The thinking line, empty while the engine is not thinking.
std::string ThinkingText(Game& game);

// The engine gives up: the game is decided against its side.
void ResignEngine(Game& game);

}  // namespace torvik
