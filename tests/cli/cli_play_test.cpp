#include <gtest/gtest.h>

#include "support/run.h"

namespace torvik {
namespace {

using test::RunCommand;

std::string Cli(const std::string& args) { return std::string(TORVIK_CLI) + " " + args; }

TEST(CliPlay, ScriptedGame2D) {
  auto r = RunCommand(Cli("play --mode 2d"),
                      "e2e4\ne7e5\nNf3\nNc6\nBb5\na6\nBxNc6\nundo 2\nback 1\nback 200\nforward 1\n"
                      "Nf6\nd2d4\nquit\ne2e4\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\n1. e4\n1. ... e5\n2. Nf3\n2. ... Nc6\n3. Bb5\n3. ... a6\n4. BxNc6\nmove undone"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\nReplay 5 of 5\nReplay 0 of 5\nReplay 1 of 5"), std::string::npos) << r.out;
  // A move leaves the replay, back at the end of the game.
  EXPECT_NE(r.out.find("\n3. ... Nf6\n4. d4"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("\n5."), std::string::npos) << "nothing after quit";
}

TEST(CliPlay, ScriptedGame3D) {
  auto r = RunCommand(Cli("play --notation algebraic"),
                      "33-35\n38-36\n100:QL1-QL3\nshow\nundo 1\nz9\n13-14\nmoves\n");
  // A board carrying four pieces cannot move.
  EXPECT_NE(r.out.find("\nillegal move 100:QL1-QL3"), std::string::npos) << r.out;
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\n1. a4W\n1. ... a5B"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nillegal move z9"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nillegal move 13-14"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nmove undone"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n38-37 a6B"), std::string::npos) << "moves with their names: " << r.out;
}

TEST(CliPlay, AmbiguousAndIllegalChangeNothing) {
  auto r = RunCommand(Cli("play --mode 2d"), "e2e5\nQh5\nundo x\ne4\nshow\n");
  EXPECT_NE(r.out.find("\nillegal move e2e5\nillegal move Qh5\nundo takes a number of plies\n1. e4"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"), std::string::npos);
}

TEST(CliMoves, NotationsOfTheStart) {
  auto r = RunCommand(Cli("moves --notation standard"));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("33-34 Pb2-b3(2)\n"), std::string::npos) << r.out;
  r = RunCommand(Cli("moves --mode 2d --notation algebraic"));
  EXPECT_NE(r.out.find("g1f3 Nf3\n"), std::string::npos) << r.out;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 20);
  r = RunCommand(Cli("moves --notation roman"));
  EXPECT_EQ(r.status, 2);
}

TEST(CliPerft, CountsAndDivide) {
  auto r = RunCommand(Cli("perft --mode 2d --depth 3"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("depth 1 nodes 20\ndepth 2 nodes 400\ndepth 3 nodes 8902\ntime ", 0), 0u) << r.out;
  r = RunCommand(Cli("divide --mode 2d --depth 2"));
  EXPECT_NE(r.out.find("e2e4 20\n"), std::string::npos);
  EXPECT_NE(r.out.find("total 400\n"), std::string::npos);
  r = RunCommand(Cli("perft --depth 0"));
  EXPECT_EQ(r.status, 2);
  r = RunCommand(Cli("divide"));
  EXPECT_EQ(r.status, 2);
}

}  // namespace
}  // namespace torvik
