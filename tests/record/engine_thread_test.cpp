// The engine's thread: it plays on its turn, and once stopped (or once the
// game changed under it) no move of its search lands.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <thread>

#include "board/console.h"
#include "record/engine_thread.h"
#include "record/game.h"
#include "record/named_move.h"
#include "rules/make_move.h"
#include "support/game_files.h"

namespace torvik {
namespace {

using namespace std::chrono_literals;

std::unique_ptr<Game> NewGame(int mode, int difficulty) {
  auto game = test::QuietGame(mode);
  game->state.difficulty = difficulty;
  game->state.engineSide = kEnginePlaysWhite;
  return game;
}

// Waits up to `limit` for the test to hold.
template <class Test>
bool WaitFor(Test test, std::chrono::milliseconds limit = 20s) {
  for (const auto end = std::chrono::steady_clock::now() + limit; !test(); std::this_thread::sleep_for(2ms))
    if (std::chrono::steady_clock::now() > end) return false;
  return true;
}

int Ply(Game& game) {
  std::lock_guard lock(game.mutex);
  return game.state.position.ply;
}

TEST(EngineThread, PlaysItsTurnThenWaits) {
  ConsoleCapture log;
  auto game = NewGame(kGame2D, kEasy);
  StartEngine(*game, 1);
  ASSERT_TRUE(WaitFor([&] { return Ply(*game) == 1; })) << log.Text();
  std::this_thread::sleep_for(250ms);  // black's turn: the engine waits
  EXPECT_EQ(Ply(*game), 1);
  StartEngine(*game, 0);
  EXPECT_NE(log.Text().find("\n1. "), std::string::npos) << log.Text();
}

// A Master think shows each finished depth; told to move now, it plays the
// best of its last depth at once, and the line goes with the think.
TEST(EngineThread, ShowsItsThinkingAndMovesNow) {
  ConsoleCapture log;
  auto game = NewGame(kGame2D, kMaster);
  game->engine.showThinking = true;
  StartEngine(*game, 1);
  ASSERT_TRUE(WaitFor([&] {  // depth 4 or deeper: a poll may miss the moment of any one depth
    const std::string text = ThinkingText(*game);
    return text.rfind("depth ", 0) == 0 && std::atoi(text.c_str() + 6) >= 4;
  })) << ThinkingText(*game);
  // "depth D  SCORE  nodes N  LINE": every move of the line is legal in turn.
  const std::string text = ThinkingText(*game);
  auto position = std::make_unique<Position>(game->state.position);
  position->history = nullptr;
  std::istringstream line(text.substr(text.find("  ", text.find("nodes")) + 2));
  int named = 0;
  for (std::string word; line >> word; ++named) {
    Move m;
    ASSERT_EQ(FindNamedMove(*position, game->state.notation, word, m), NamedMove::kFound) << text;
    ASSERT_TRUE(MakeMove(*position, *position, m));
  }
  EXPECT_GE(named, 2) << text;
  MoveNow(*game);
  ASSERT_TRUE(WaitFor([&] { return Ply(*game) == 1; }, 5s));
  EXPECT_EQ(ThinkingText(*game), "");
  StartEngine(*game, 0);
  EXPECT_NE(log.Text().find("\ndepth "), std::string::npos) << log.Text();
}

// A hint between two people: a legal move for the side to move, named, not
// played; the next move takes it away. Not on the engine's turn.
TEST(EngineThread, HintsWithoutPlaying) {
  ConsoleCapture quiet;
  auto game = NewGame(kGame2D, kEasy);
  game->state.engineSide = kEnginePlaysNone;
  StartEngine(*game, 1);
  AskHint(*game);
  ASSERT_TRUE(WaitFor([&] {
    std::lock_guard lock(game->mutex);
    return game->hint.piece != 0;
  }));
  std::this_thread::sleep_for(250ms);  // the thread's next wake-ups leave it
  Move hint;
  {
    std::lock_guard lock(game->mutex);
    hint = game->hint;
    EXPECT_EQ(game->notice.text.rfind("hint: ", 0), 0u) << game->notice.text;
  }
  ASSERT_NE(hint.piece, 0);
  EXPECT_EQ(Ply(*game), 0);
  ASSERT_EQ(PlayerMoved(*game, hint), 1);
  EXPECT_EQ(game->hint.piece, 0);
  game->state.engineSide = kEnginePlaysBlack;
  StartEngine(*game, 0);
  game->engine.hintAsked = true;
  EXPECT_EQ(EngineTurn(*game), EngineOutcome::kPlayed) << "the engine's turn: it plays";
  EXPECT_EQ(game->hint.piece, 0);
}

// Stopped in the middle of a search, the game taken back or begun again, or
// told not to play (it stops at its next abort check): nothing it searched lands.
TEST(EngineThread, NoMoveOfAStoppedSearchLands) {
  ConsoleCapture quiet;
  for (int stopper = 0; stopper < 4; ++stopper) {
    auto game = NewGame(kGame3D, kMaster);  // a think long enough to be caught in
    StartEngine(*game, 1);
    ASSERT_TRUE(WaitFor([&] { return game->engine.thinking.load(); }));
    if (stopper == 0) StartEngine(*game, 0);
    if (stopper == 1) Undo(*game, 0);
    if (stopper == 2) NewGameOfMode(*game, kGame2D);
    if (stopper == 3) game->state.engineSide = kEnginePlaysNone;
    EXPECT_FALSE(game->engine.thinking.load() && stopper == 0);
    EXPECT_TRUE(stopper != 3 || WaitFor([&] { return !game->engine.thinking.load(); }, 5s));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(Ply(*game), 0) << "stopper " << stopper;
    StartEngine(*game, 0);
  }
}

// With both sides its own, the engine plays a game of legal moves; a new game
// then thinks as a fresh one would (no history of the old game's search).
TEST(EngineThread, PlaysBothSides) {
  ConsoleCapture quiet;
  for (int mode : {kGame2D, kGame3D}) {
    auto game = NewGame(mode, kEasy);
    for (int ply = 0; ply < 12 && game->state.position.winner == kNoWinner; ++ply) {
      {
        std::lock_guard lock(game->mutex);
        game->state.engineSide = WhiteToMove(game->state.position) ? kEnginePlaysWhite : kEnginePlaysBlack;
      }
      ASSERT_NE(EngineTurn(*game), EngineOutcome::kIdle) << "mode " << mode << " ply " << ply;
      ASSERT_TRUE(game->state.position.winner != kNoWinner || Ply(*game) == ply + 1) << "mode " << mode;
    }
    NewGameOfMode(*game, mode);
    StartEngine(*game, 0);  // the turn below is taken here, not on the thread
    game->state.engineSide = kEnginePlaysWhite;
    auto fresh = NewGame(mode, kEasy);
    ASSERT_EQ(EngineTurn(*game), EngineOutcome::kPlayed);
    ASSERT_EQ(EngineTurn(*fresh), EngineOutcome::kPlayed);
    EXPECT_EQ(game->engine.engine->nodes, fresh->engine.engine->nodes) << "mode " << mode;
  }
}

}  // namespace
}  // namespace torvik
