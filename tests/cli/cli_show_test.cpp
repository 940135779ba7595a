#include <gtest/gtest.h>

#include "record/position_text.h"
#include "support/run.h"

namespace torvik {
namespace {

using test::Quote;
using test::RunCommand;

std::string Cli(const std::string& args) { return std::string(TORVIK_CLI) + " " + args; }

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

TEST(CliShow, StartPositions) {
  auto r = RunCommand(Cli("show"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(FirstLine(r.out), kStartText3D);
  EXPECT_NE(r.out.find("black level"), std::string::npos);
  EXPECT_NE(r.out.find("100 on QL1 (white)"), std::string::npos);
  r = RunCommand(Cli("show --mode 2d"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(FirstLine(r.out), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  EXPECT_NE(r.out.find("8  r n b q k b n r\n"), std::string::npos);
}

TEST(CliShow, PositionComesBackUnchanged) {
  const std::string text =
      "RP....prQP....pq.P....pkRP.K..prNP....pnBP....pbBP....pbNP....pn b QL3,QL6,KL1,KL6 wbwb q - 2 14";
  auto r = RunCommand(Cli("show --position " + Quote(text)));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(FirstLine(r.out), text);
  EXPECT_EQ(r.err.find("UNSTABLE"), std::string::npos) << r.err;
}

TEST(CliShow, PictureOf3DLevels) {
  auto r = RunCommand(Cli("show"));
  // The white level from the top: rank 4 down to rank 1, files a..d.
  EXPECT_NE(r.out.find("white level\n4    . . . .\n3    . . . .\n2    P P P P\n1    N B B N\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("attack boards above the white level\n1  P P     P P\n0  R Q     K R\n"),
            std::string::npos)
      << r.out;
}

TEST(CliShow, BadInputExitsWithTwo) {
  auto r = RunCommand(Cli("show --position " + Quote("8/8 w - -")));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "torvik-cli: bad position: 3D position needs 6 or 8 fields\n");
  r = RunCommand(Cli("show --mode 4d"));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "torvik-cli: --mode takes 2d or 3d\n");
  r = RunCommand(Cli("fly"));
  EXPECT_EQ(r.status, 2);
  r = RunCommand(Cli("show --depth"));
  EXPECT_EQ(r.status, 2);
}

TEST(CliShow, HelpExplainsEveryOption) {
  auto r = RunCommand(Cli("--help"));
  EXPECT_EQ(r.status, 0);
  for (const char* word : {"show", "--mode", "--rules", "--position", "QL1,QL6,KL1,KL6"})
    EXPECT_NE(r.out.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace torvik
