#include "record/engine_thread.h"

#include "record/game.h"

namespace torvik {

// The engine does not play yet: starting and stopping have nothing to run.
void StartEngine(Game& game, int on) {
  EngineThread& e = game.engine;
  if (!on && e.thread.joinable()) {
    e.stop = true;
    e.thread.join();
    e.stop = false;
  }
}

}  // namespace torvik
