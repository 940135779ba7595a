// The engine's thread: it plays on its turn, and once stopped (or once the
// game changed under it) no move of its search lands.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "board/console.h"
#include "record/engine_thread.h"
#include "record/game.h"

namespace torvik {
namespace {

using namespace std::chrono_literals;

std::unique_ptr<Game> NewGame(int mode, int difficulty, int engineSide) {
  auto game = std::make_unique<Game>();
  NewGameOfMode(*game, mode);
  StartEngine(*game, 0);
  game->state.difficulty = difficulty;
  game->state.engineSide = engineSide;
  return game;
}

// Waits up to `limit` for the test to hold.
template <class Test>
bool WaitFor(Test test, std::chrono::milliseconds limit = 20s) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!test()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(2ms);
  }
  return true;
}

int Ply(Game& game) {
  std::lock_guard lock(game.mutex);
  return game.state.position.ply;
}

TEST(EngineThread, PlaysItsTurnThenWaits) {
  ConsoleCapture log;
  auto game = NewGame(kGame2D, kEasy, kEnginePlaysWhite);
  StartEngine(*game, 1);
  ASSERT_TRUE(WaitFor([&] { return Ply(*game) == 1; })) << log.Text();
  std::this_thread::sleep_for(250ms);  // black's turn: the engine waits
  EXPECT_EQ(Ply(*game), 1);
  StartEngine(*game, 0);
  EXPECT_NE(log.Text().find("\n1. "), std::string::npos) << log.Text();
}

// Stopped in the middle of a search, or while the game is taken back or begun
// again, the engine plays nothing of what it searched.
TEST(EngineThread, NoMoveOfAStoppedSearchLands) {
  ConsoleCapture quiet;
  for (int stopper = 0; stopper < 3; ++stopper) {
    auto game = NewGame(kGame3D, kHard, kEnginePlaysWhite);
    StartEngine(*game, 1);
    ASSERT_TRUE(WaitFor([&] { return game->engine.thinking.load(); }));
    if (stopper == 0) StartEngine(*game, 0);
    if (stopper == 1) Undo(*game, 0);
    if (stopper == 2) NewGameOfMode(*game, kGame2D);
    EXPECT_FALSE(game->engine.thinking.load() && stopper == 0);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(Ply(*game), 0) << "stopper " << stopper;
    StartEngine(*game, 0);
  }
}

// Told not to play in the middle of a search, the engine stops at its next
// abort check and plays nothing.
TEST(EngineThread, NotPlayingStopsTheSearch) {
  ConsoleCapture quiet;
  auto game = NewGame(kGame3D, kHard, kEnginePlaysWhite);
  StartEngine(*game, 1);
  ASSERT_TRUE(WaitFor([&] { return game->engine.thinking.load(); }));
  game->state.engineSide = kEnginePlaysNone;
  EXPECT_TRUE(WaitFor([&] { return !game->engine.thinking.load(); }, 5s));
  std::this_thread::sleep_for(150ms);
  EXPECT_EQ(Ply(*game), 0);
  StartEngine(*game, 0);
}

// With both sides its own, the engine plays a game of legal moves.
TEST(EngineThread, PlaysBothSides) {
  ConsoleCapture quiet;
  for (int mode : {kGame2D, kGame3D}) {
    auto game = NewGame(mode, kEasy, kEnginePlaysWhite);
    for (int ply = 0; ply < 12; ++ply) {
      {
        std::lock_guard lock(game->mutex);
        game->state.engineSide = WhiteToMove(game->state.position) ? kEnginePlaysWhite : kEnginePlaysBlack;
      }
      ASSERT_NE(EngineTurn(*game), EngineOutcome::kIdle) << "mode " << mode << " ply " << ply;
      if (game->state.position.winner != kNoWinner) break;
      ASSERT_EQ(game->state.position.ply, ply + 1) << "mode " << mode;
    }
  }
}

}  // namespace
}  // namespace torvik
