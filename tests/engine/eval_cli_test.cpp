// torvik-cli eval, run as a program: the score line a script reads as the root
// scores it, the terms and the winning capture; what it cannot read it refuses.
#include <gtest/gtest.h>

#include <sstream>

#include "eval_support.h"
#include "support/positions.h"
#include "support/run.h"

namespace torvik {
namespace {

TEST(EvalCli, Smoke) {
  const char* fen = "4k3/8/8/3q4/8/8/3R4/K7 b - - 0 1";
  const test::RunResult r = test::RunCommand(std::string(TORVIK_CLI) + " eval --mode 2d --position '" + fen + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  Position pos = test::FromText(fen, kGame2D, false);
  const int32_t white = test::RootScore(pos, false);
  std::istringstream in(r.out);
  std::string word;
  int w = 0, s = 0;
  in >> word >> w >> s;
  EXPECT_EQ(word + " " + std::to_string(w) + " " + std::to_string(s), "score " + std::to_string(white) + " " +
                                                                        std::to_string(-white));
  for (const char* term : {"material", "king safety", "square control", "tactics", "stage", "black d5d2"})
    EXPECT_NE(r.out.find(term), std::string::npos) << term;
  EXPECT_EQ(test::RunCommand(std::string(TORVIK_CLI) + " eval --mode 2d --position 'not a position'").status, 2);
}

}  // namespace
}  // namespace torvik
