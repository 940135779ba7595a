// The headless tool, run as a program.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "engine/eval_support.h"
#include "record/position_text.h"
#include "support/bad_positions.h"
#include "support/positions.h"
#include "support/working_folder.h"
#include "cli_run.h"

namespace torvik {
namespace {

using test::Cli;
using test::Quote;

TEST(Cli, ShowHelpAndMoves) {
  Cli("show", "", 0,
      {std::string(kStartText3D) + "\nattack boards above the black level\n", "black level",
       "attack boards above the white level\n1  P P     P P\n0  R Q     K R\n",
       "white level\n4    . . . .\n3    . . . .\n2    P P P P\n1    N B B N\n", "100 on QL1 (white)"});
  Cli("show --mode 2d", "", 0, {std::string(kStartText2D) + "\n8  r n b q k b n r\n"});
  const std::string text =
      "RP....prQP....pq.P....pkRP.K..prNP....pnBP....pbBP....pbNP....pn b QL3,QL6,KL1,KL6 wbwb q - 2 14";
  const std::string err = Cli("show --position " + Quote(text), "", 0, {text + "\n"}).err;
  EXPECT_EQ(err.find("UNSTABLE"), std::string::npos) << err;
  Cli("--help", "", 0, {"", "show", "--mode", "--rules", "--position", "QL1,QL6,KL1,KL6"});
  Cli("moves --notation standard", "", 0, {"", "33-34 Pb2-b3(2)\n"});
  const std::string moves = Cli("moves --mode 2d --notation algebraic", "", 0, {"", "g1f3 Nf3\n"}).out;
  EXPECT_EQ(std::count(moves.begin(), moves.end(), '\n'), 20);
  Cli("perft --mode 2d --depth 3", "", 0, {"depth 1 nodes 20\ndepth 2 nodes 400\ndepth 3 nodes 8902\ntime "});
  Cli("divide --mode 2d --depth 2", "", 0, {"", "e2e4 20\n", "total 400\n"});
}

TEST(Cli, BadInputExitsWithTwo) {
  const test::RunResult r = Cli("show --position " + Quote("8/8 w - -"), "", 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "torvik-cli: bad position: 3D position needs 6 or 8 fields\n");
  EXPECT_EQ(Cli("show --mode 4d", "", 2).err, "torvik-cli: --mode takes 2d or 3d\n");
  for (const char* args : {"fly", "show --depth", "moves --notation roman", "perft --depth 0", "divide",
                           "eval --depth 3", "search --difficulty impossible", "search --movetime soon",
                           "play --engine nobody"})
    Cli(args, "", 2);
  // An option's missing value is named; an empty position is no position.
  EXPECT_EQ(Cli("moves --notation", "", 2).err, "torvik-cli: --notation needs a value\n");
  EXPECT_EQ(Cli("perft --depth", "", 2).err, "torvik-cli: --depth needs a value\n");
  EXPECT_EQ(Cli("show --position ''", "", 2).err, "torvik-cli: --position needs a position text\n");
  EXPECT_EQ(Cli("play --mode 2d --position ' '", "", 2).out, "");
}

// Positions no game can reach are refused with the reason.
TEST(Cli, ImpossiblePositionsAreRefused) {
  for (const test::BadPosition& bad : test::BadPositions()) {
    const std::string mode = bad.mode == kGame2D ? " --mode 2d" : "";
    const test::RunResult r = Cli("play" + mode + " --position " + Quote(bad.text), "", 2);
    EXPECT_NE(r.err.find("torvik-cli: bad position: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(bad.reason), std::string::npos) << r.err;
  }
}

TEST(Cli, PlayScripts) {
  const std::string script = "e2e4\ne7e5\nNf3\nNc6\nBb5\na6\nBxNc6\nundo 2\nback 1\nback 200\nforward 1\n"
                             "Nf6\nd2d4\nquit\ne2e4\n";
  const std::string out =
      Cli("play --mode 2d", script, 0,
          {"", "\n1. e4\n1. ... e5\n2. Nf3\n2. ... Nc6\n3. Bb5\n3. ... a6\n4. BxNc6\nmove undone",
           "\nReplay 4 of 5\nReplay 0 of 5\nReplay 1 of 5", "\n3. ... Nf6\n4. d4"})  // a move ends replay
          .out;
  EXPECT_EQ(out.find("\n5."), std::string::npos) << "nothing after quit";
  // A board carrying four pieces cannot move.
  Cli("play --notation algebraic", "33-35\n38-36\n100:QL1-QL3\nshow\nundo 1\nz9\n13-14\nmoves\n", 0,
      {"", "\n1. a4W\n1. ... a5B", "\nillegal move 100:QL1-QL3", "\nmove undone", "\nillegal move z9",
       "\nillegal move 13-14", "\n38-37 a6B"});
  Cli("play --mode 2d", "e2e5\nQh5\nundo x\ne4\nshow\n", 0,
      {"", "\nillegal move e2e5\nillegal move Qh5\nundo takes a number of plies\n1. e4",
       "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"});
}

// A promotion typed with its piece keeps it, also when it captures and when the
// game is rebuilt; a game may start at any move; replay steps never overflow.
TEST(Cli, PlayPromotionsLaterStartsAndLongSteps) {
  Cli("play --mode 2d --position " + Quote("3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1"), "e7d8n\nundo 0\nshow\n", 0,
      {"", "\n1. exRd8N", "3N3k/8/8/8/8/8/8/4K3 b - - 0 1"});
  Cli("play --mode 2d", "e2e4\ne7e5\nback 1\nback 1\nforward 2147483647\n", 0, {"", "Replay 2 of 2"});
  // Undo in a replay leaves it: the replay then starts again at the new end.
  Cli("play --mode 2d", "e2e4\ne7e5\nback 1\nundo 1\nback 2\n", 0,
      {"", "Replay 1 of 2\nmove undone\nReplay 0 of 1"});
  // A game may start late: the record counts from its start, and the replay
  // goes back no further than it.
  Cli("play --mode 2d --position " + Quote("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 501"),
      "e2e4\ne7e5\nundo 1\nshow\nback 9\nback 9\n", 0,
      {"", "\n501. e4\n501. ... e5\nmove undone", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 501",
       "Replay 1000 of 1001"});
}

// Each answer of the terminal game is a whole line as soon as the game waits
// for the next input; a word that is no move is an unknown command.
TEST(Cli, PlayAnswersInWholeLines) {
  auto p = test::Spawn("exec " + std::string(TORVIK_CLI) + " play");
  ASSERT_TRUE(p);
  test::Send(*p, "33-35\nhello\nz9");
  const int last = test::WaitFor(*p, "illegal move z9", 0, 10);  // while it waits for more
  ASSERT_GE(last, 2);
  const auto lines = test::Lines(*p);
  EXPECT_EQ(lines[std::size_t(last) - 2].text, "1. a4W");
  EXPECT_EQ(lines[std::size_t(last) - 1].text, "unknown command");
  EXPECT_EQ(test::Finish(*p, 10), 0);
}

// The referee a match between engines runs: a line for each move.
TEST(Cli, Referee) {
  Cli("referee --mode 2d", "f3\ne7e5\ne2e5\ng2g4\nQh4\na2a3\n", 0,
      {"ok f2f3\nok e7e5\nillegal e2e5\nok g2g4\nover 0-1 White is mated\nover 0-1 "});
}

// Games out and in as PGN: the terminal game writes one and loads one, the
// converter turns a saved game into one, --pgn starts from a file's game.
TEST(Cli, GamesAsPgn) {
  test::ScopedWorkingFolder folder("torvik-cli-pgn");
  Cli("play --mode 2d", "f2f3\ne7e5\ng2g4\nd8h4\npgn g.pgn\nsave g.sav\nload g.pgn 2\n", 0,
      {"", "Export g.pgn ... complete", "Import g.pgn game 2 ... failed! game 2: the file has 1 games"});
  Cli("pgn g.sav", "", 0, {"[Event \"Casual game\"]\n", "\n1. f3 e5 2. g4 Qh4# {White is mated} 0-1\n"});
  Cli("show --pgn g.pgn", "", 0, {"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3\n"});
  const std::string opera = Quote(std::string(TORVIK_SOURCE_DIR) + "/tests/record/data/opera_game.pgn");
  Cli("play --pgn " + opera + " --game 2", "undo 2\nshow\n", 0, {"", "8/8/3k4/8/4P3/8/3K4/8 w - - 3 42"});
  EXPECT_NE(Cli("show --pgn missing.pgn", "", 2).err.find("missing.pgn"), std::string::npos);
}

// The engine from the terminal: its move for a position, by difficulty or by
// the wall clock, a game against it, and a few games against itself.
TEST(Cli, TheEngine) {
  Cli("search --mode 2d --difficulty easy --position " + Quote("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1"), "", 0,
      {"bestmove a1a8 score 399999 depth ", "\nmove Ra8+\n", "\npv Ra8+"});
  Cli("search --mode 2d --movetime 150", "", 0, {"bestmove ", "\nmovetime 150 time "});
  Cli("play --mode 2d --engine black --difficulty easy", "e2e4\nquit\n", 0, {"", "\n1. e4\n1. ... "});
  Cli("play --mode 2d --engine white --difficulty easy", "quit\n", 0, {"", "\n1. "});
  Cli("play --mode 2d --engine black --movetime 100", "e2e4\nquit\n", 0, {"", "\n1. e4", "\n1. ... "});
  Cli("selfplay --mode 2d --games 2 --seed 5", "", 0, {"game 1: ", "game 2: ", "games 2:", "illegal moves 0\n"});
}

// eval: the score line a script reads as the root scores it, the terms and
// the winning capture; what it cannot read it refuses.
TEST(EvalCli, Smoke) {
  const char* fen = "4k3/8/8/3q4/8/8/3R4/K7 b - - 0 1";
  const test::RunResult r = Cli("eval --mode 2d --position " + Quote(fen), "", 0);
  Position pos = test::FromText(fen, kGame2D, false);
  const int32_t white = test::RootScore(pos, false);
  std::istringstream in(r.out);
  std::string word;
  int w = 0, s = 0;
  in >> word >> w >> s;
  EXPECT_EQ(std::tuple(word, w, s), std::tuple("score", white, -white)) << r.out;
  for (const char* term : {"material", "king safety", "square control", "tactics", "stage", "black d5d2"})
    EXPECT_NE(r.out.find(term), std::string::npos) << term;
  Cli("eval --mode 2d --position 'not a position'", "", 2);
}

}  // namespace
}  // namespace torvik
