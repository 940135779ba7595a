// Reading UCI lines: what each good line says, and why each bad one is refused
// (the plain commands are the fuzz corpus's, read by its test).
#include <gtest/gtest.h>

#include <string>

#include "cli/uci_command.h"
#include "record/game_state.h"

namespace torvik::cli {
namespace {

TEST(UciCommand, LinesTable) {
  struct Case {
    const char* line;
    bool ok;
    UciKind kind;
  };
  const Case cases[] = {
      {"  isready \r", true, UciKind::kIsReady},
      {"joho quit", true, UciKind::kQuit},  // unknown words before a command are passed over
      {"foo", true, UciKind::kUnknown},
      {"", true, UciKind::kUnknown},
      {"UCI", true, UciKind::kUnknown},  // commands are case sensitive
      {"position startpos moves e2e4 e7e5 e1g1 a7a8q", true, UciKind::kPosition},
      {"position fen 8/8/8/8/8/8/8/K6k w - - 0 1 moves a1a2", true, UciKind::kPosition},
      {"position", false, UciKind::kPosition},
      {"position fen", false, UciKind::kPosition},
      {"position fen moves e2e4", false, UciKind::kPosition},
      {"position startpos e2e4", false, UciKind::kPosition},
      {"position startpos moves e2e9", false, UciKind::kPosition},
      {"position startpos moves e7e8k", false, UciKind::kPosition},
      {"position startpos moves 0000", false, UciKind::kPosition},
      {"go wtime -20 btime 1000 winc 0 binc 0 movestogo 5", true, UciKind::kGo},
      {"go searchmoves e2e4 d2d4 depth 4 ponder", true, UciKind::kGo},
      {"go depth", false, UciKind::kGo},
      {"go depth 0", false, UciKind::kGo},
      {"go nodes -5", false, UciKind::kGo},
      {"go movetime 1.5", false, UciKind::kGo},
      {"go wtime 99999999999999999999999", false, UciKind::kGo},
      {"setoption name hash value 1025", false, UciKind::kSetOption},
      {"setoption name Hash value", false, UciKind::kSetOption},
      {"setoption name Difficulty value Medium", true, UciKind::kSetOption},
      {"setoption name Difficulty value extreme", false, UciKind::kSetOption},
      {"setoption name Clear Hash", true, UciKind::kSetOption},  // not ours: ignored
      {"setoption value 3", false, UciKind::kSetOption},
  };
  for (const Case& c : cases) {
    UciCommand cmd;
    std::string error;
    EXPECT_EQ(ParseUciCommand(c.line, cmd, error), c.ok) << c.line << ": " << error;
    EXPECT_EQ(cmd.kind, c.kind) << c.line;
    EXPECT_EQ(error.empty(), c.ok) << c.line;
  }
}

TEST(UciCommand, WhatTheLinesSay) {
  UciCommand c;
  std::string error;
  ASSERT_TRUE(ParseUciCommand("position fen  8/8/8/8/8/8/8/K6k   w - - 0 1 moves a1a2 h1g1", c, error));
  EXPECT_FALSE(c.startPos);
  EXPECT_EQ(c.fen, "8/8/8/8/8/8/8/K6k w - - 0 1");
  EXPECT_EQ(c.moves, (std::vector<std::string>{"a1a2", "h1g1"}));
  ASSERT_TRUE(ParseUciCommand("go wtime 60000 btime -5 winc 1000 binc 2 movestogo 7 nodes 9 depth 3", c, error));
  const ClockLimits& l = c.limits;
  EXPECT_TRUE(l.timed && !l.infinite);
  EXPECT_EQ(std::tuple(l.time[0], l.time[1], l.increment[0], l.increment[1], l.movesToGo, l.nodes, l.depth),
            std::tuple(60000, -5, 1000, 2, 7, 9, 3));
  ASSERT_TRUE(ParseUciCommand("go movetime 0 infinite", c, error));
  EXPECT_TRUE(l.moveTime == 1 && l.infinite);
  ASSERT_TRUE(ParseUciCommand("setoption name Hash value 64", c, error));
  EXPECT_EQ(std::pair(c.option, c.hashMegabytes), std::pair(UciOption::kHash, 64));
  ASSERT_TRUE(ParseUciCommand("setoption name Difficulty value easy", c, error));
  EXPECT_EQ(std::pair(c.option, c.difficulty), std::pair(UciOption::kDifficulty, int(kEasy)));
  ASSERT_TRUE(ParseUciCommand("setoption name Clear Hash", c, error));
  EXPECT_EQ(std::pair(c.option, c.optionName), std::pair(UciOption::kOther, std::string("Clear Hash")));
}

}  // namespace
}  // namespace torvik::cli
