// The end of a game between two people: announced once; the engine's own test
// when it moves next.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "board/console.h"
#include "record/game.h"
#include "record/game_over.h"
#include "record/move_text.h"
#include "rules/perft.h"
#include "support/game_files.h"

namespace torvik {
namespace {

using test::QuietGame;

// Plays a move as a person does (the window, the terminal): the move, then the
// game-end test when a person moves next.
void PersonPlays(Game& game, const std::string& text) {
  Position& pos = game.state.position;
  Move typed, found{};
  ASSERT_TRUE(ParseMoveText(pos, text, typed)) << text;
  MoveList moves;
  const int n = LegalMoves(pos, moves);
  for (int i = 0; i < n; ++i)
    if (moves[i].from == typed.from && moves[i].to == typed.to) found = moves[i];
  if (pos.board[found.to] != 0) found.kind = kCapture;
  ASSERT_EQ(PlayerMoved(game, found), 1) << text;
  GameOverBeforePlayer(game);
}

// How many times the log announces an end of the game.
int Announcements(const std::string& log) {
  int count = 0;
  for (const char* text : {"mated", "Stalemate", "Draw -", "Auto-draw"})
    for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
  return count;
}

TEST(GameOver, AnnouncedOnceBetweenTwoPeople) {
  const std::vector<std::string> knights = {"g1f3", "g8f6", "f3g1", "f6g8"};
  struct Case {
    const char* start;
    std::vector<std::string> moves;
    const char* text;
    int winner;
  } cases[] = {
      // The move first, then the result and the score.
      {"", {"f2f3", "e7e5", "g2g4", "d8h4"}, "Qh4+\nWhite is mated\n0-1", kBlackWon},
      {"7k/8/6K1/8/8/8/8/5Q2 w - - 0 1", {"f1f7"}, "Qf7\nStalemate\n1/2-1/2", kDrawn},
      // The start stands a fourth time at ply 12; the move after the draw is
      // taken but says nothing more.
      {"", {}, "Ng8\nDraw - I'm repeating\n1/2-1/2", kDrawn},
      {"4k3/p7/8/8/8/8/P7/4K1N1 w - - 99 80", {"g1f3", "e8d8", "f3g1"}, "\nDraw - I'm repeating", kDrawn},
  };
  for (int i = 0; i < 3; ++i) cases[2].moves.insert(cases[2].moves.end(), knights.begin(), knights.end());
  cases[2].moves.push_back("g1f3");
  for (const Case& c : cases) {
    auto game = QuietGame(kGame2D, kTournament, c.start);
    ConsoleCapture log;
    for (const std::string& m : c.moves) PersonPlays(*game, m);
    EXPECT_NE(log.Text().find(c.text), std::string::npos) << log.Text();
    EXPECT_EQ(Announcements(log.Text()), 1) << log.Text();
    EXPECT_EQ(game->state.position.winner, c.winner) << c.text;
    EXPECT_EQ(game->state.engineSide, kEnginePlaysNone);
  }
}

// A decided position no move marked (an edited start): the person's test
// announces it when a person moves next; when the engine does, that test says
// nothing and the engine's own test, before it thinks, says the same.
TEST(GameOver, TheEngineToMoveMakesTheTestItself) {
  struct Case {
    const char* start;
    const char* text;
    int winner;
  } cases[] = {{"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "\nStalemate\n1/2-1/2", kDrawn},
               {"R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1", "\nBlack is mated\n1-0", kWhiteWon}};
  for (const Case& c : cases)
    for (int engine : {kEnginePlaysNone, kEnginePlaysWhite, kEnginePlaysBlack}) {
      auto game = QuietGame(kGame2D, kTournament, c.start);
      game->state.engineSide = engine;
      game->redrawRequested = false;
      ConsoleCapture log;
      GameOverBeforePlayer(*game);
      EXPECT_EQ(game->redrawRequested, engine != kEnginePlaysBlack) << "the window shows the end";
      if (engine == kEnginePlaysBlack) {
        EXPECT_EQ(log.Text(), "");
        EXPECT_EQ(game->state.position.winner, kNoWinner);
        EXPECT_EQ(EngineTurn(*game), EngineOutcome::kIdle);
      }
      EXPECT_EQ(log.Text(), c.text) << engine;
      EXPECT_EQ(game->state.position.winner, c.winner);
      EXPECT_EQ(game->state.engineSide, kEnginePlaysNone);
      GameOverBeforePlayer(*game);  // decided: nothing more
      EXPECT_EQ(log.Text(), c.text);
    }
  auto both = QuietGame(kGame2D, kTournament, cases[0].start);
  both->state.autoPlay = 1;
  ConsoleCapture log;
  GameOverBeforePlayer(*both);
  EXPECT_EQ(log.Text(), "");
}

// The engine that gives up loses: the other side wins.
TEST(GameOver, TheEngineResigningLoses) {
  for (auto [side, text, winner] : {std::tuple{kEnginePlaysWhite, "\nWhite is mated!\n0-1", kBlackWon},
                                    {kEnginePlaysBlack, "\nBlack is mated!\n1-0", kWhiteWon}}) {
    auto game = QuietGame(kGame2D, kTournament, "");
    game->state.engineSide = side;
    ConsoleCapture log;
    ResignEngine(*game);
    EXPECT_EQ(log.Text(), text);
    EXPECT_EQ(game->state.position.winner, winner);
    EXPECT_EQ(game->state.engineSide, kEnginePlaysNone);
  }
}

}  // namespace
}  // namespace torvik
