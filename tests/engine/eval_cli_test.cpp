// torvik-cli eval, run as a program: the score line a script reads, then the
// terms, for positions of both games.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/coefficients.h"
#include "eval_support.h"
#include "support/positions.h"
#include "support/run.h"

namespace torvik {
namespace {

test::RunResult Eval(const std::string& args) {
  return test::RunCommand(std::string(TORVIK_CLI) + " eval " + args);
}

// The two numbers of the first line, "score W S".
std::pair<int, int> Score(const std::string& out) {
  std::istringstream in(out);
  std::string word;
  std::pair<int, int> s{0, 0};
  in >> word >> s.first >> s.second;
  EXPECT_EQ(word, "score") << out;
  return s;
}

TEST(EvalCli, ScoresAsTheRootDoes) {
  struct Case {
    const char* args;
    const char* text;
    int mode;
  };
  const Case cases[] = {
      {"", kStartText3D, kGame3D},
      {"--mode 2d", kStartText2D, kGame2D},
      {"--mode 2d --position '4k3/8/8/3q4/8/8/3R4/K7 b - - 0 1'", "4k3/8/8/3q4/8/8/3R4/K7 b - - 0 1", kGame2D},
      {"--rules standard --position 'R.....prQ.....pq.P....pk.P.K..prNP...p.nB.....pbBP..P.pb.P....pn b "
       "QL3,QL6,KL1,KL6 wbwb kq - 7 23'",
       "R.....prQ.....pq.P....pk.P.K..prNP...p.nB.....pbBP..P.pb.P....pn b QL3,QL6,KL1,KL6 wbwb kq - 7 23",
       kGame3D},
  };
  for (const Case& c : cases) {
    const test::RunResult r = Eval(c.args);
    ASSERT_EQ(r.status, 0) << c.args << "\n" << r.err;
    Position pos = test::FromText(c.text, c.mode, std::string(c.args).find("standard") != std::string::npos);
    const int32_t white = test::RootScore(pos, WhiteToMove(pos));
    EXPECT_EQ(Score(r.out), std::make_pair(white, WhiteToMove(pos) ? white : -white)) << c.args;
    for (const char* term : {"material", "pieces", "pawn structure", "patterns", "king safety", "square control",
                             "attacks", "mobility", "overload", "tactics", "endgame", "stage", "drawish"})
      EXPECT_NE(r.out.find(term), std::string::npos) << term;
  }
  // Black to move wins the rook: the capture is named.
  EXPECT_NE(Eval("--mode 2d --position '4k3/8/8/3q4/8/8/3R4/K7 b - - 0 1'").out.find("black d5d2"),
            std::string::npos);
}

TEST(EvalCli, RefusesWhatItCannotRead) {
  EXPECT_EQ(Eval("--depth 3").status, 2);
  EXPECT_EQ(Eval("--mode 2d --position 'not a position'").status, 2);
  const test::RunResult help = test::RunCommand(std::string(TORVIK_CLI) + " --help");
  EXPECT_NE(help.out.find("eval"), std::string::npos);
}

}  // namespace
}  // namespace torvik
