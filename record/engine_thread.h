// The engine's thread: it wakes every 100 ms and, on the engine's turn, thinks
// on a private copy of the game and plays its move through PlayerMoved.
#pragma once

#include <atomic>
#include <thread>

namespace torvik {

struct Game;

struct EngineThread {
  std::thread thread;
  std::atomic<bool> stop{false};
};

// on = 1 starts the thread unless it runs; on = 0 stops it and returns only once
// no search runs and no move of the stopped search can be played.
void StartEngine(Game& game, int on);

}  // namespace torvik
