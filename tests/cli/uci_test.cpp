// The Universal Chess Interface: torvik-cli uci driven line by line, with
// pauses, as a chess interface drives it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "record/move_text.h"
#include "record/position_text.h"
#include "rules/legality.h"
#include "rules/make_move.h"
#include "support/positions.h"
#include "cli_run.h"

namespace torvik {
namespace {

using test::Process;
using namespace std::chrono_literals;

constexpr double kPatience = 30;  // seconds for anything that should take far less

std::unique_ptr<Process> StartUci() {
  auto p = test::Spawn("exec " + std::string(TORVIK_CLI) + " uci");
  EXPECT_TRUE(p);
  return p;
}

// The line `prefix` names, after the `from`th line, with the time it came;
// fails the test when none came in time.
test::OutputLine Expect(Process& p, const std::string& prefix, std::size_t from = 0) {
  const int at = test::WaitFor(p, prefix, from, kPatience);
  EXPECT_GE(at, 0) << "no line '" << prefix << "'";
  return at < 0 ? test::OutputLine() : test::Lines(p)[std::size_t(at)];
}

// Whether `best` is a legal move after `moves` from `fen` (the 2D start when
// empty), or from a position text of the 3D game under `rules`.
bool LegalAfter(const std::string& fen, const std::vector<std::string>& moves, const std::string& best,
                int mode = kGame2D, int rules = kTournament) {
  auto pos = std::make_unique<Position>(test::FromText(fen.empty() ? kStartText2D : fen, mode, rules));
  for (const std::string& text : moves) {
    Move m;
    if (!ParseMoveText(*pos, text, m) || !LegalMove(*pos, m) || !MakeMove(*pos, *pos, m)) return false;
    pos->previous = nullptr;
  }
  Move m;
  return ParseMoveText(*pos, best, m) && LegalMove(*pos, m);
}

// The move of a "bestmove" line (empty for a line missing).
std::string MoveOf(const std::string& line) { return line.substr(std::min(line.size(), std::size_t(9))); }

void Quit(Process& p) {
  test::Send(p, "quit");
  EXPECT_EQ(test::Finish(p, kPatience), 0);
}

double SecondsBetween(test::Clock::time_point a, test::Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

TEST(Uci, HandshakeGameAndDepthSearch) {
  auto p = StartUci();
  test::Send(*p, "uci");
  Expect(*p, "uciok");
  const std::vector<std::string> hello = {"id name Torvik 2.80", "id author The Torvik authors",
                                          "option name Hash type spin default 8 min 1 max 1024",
                                          "option name Difficulty type combo default hard var easy var medium var hard var expert var master",
                                          "option name Variant type combo default 2d var 2d var 3d-tournament var 3d-standard",
                                          "uciok"};
  std::vector<std::string> got;
  for (const auto& l : test::Lines(*p)) got.push_back(l.text);
  EXPECT_EQ(got, hello);
  test::Send(*p, "isready");
  Expect(*p, "readyok");
  const std::vector<std::string> moves = {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "g8f6",
                                          "e1g1", "f8c5", "d2d3", "e8g8", "c2c3", "d7d6"};
  std::string line = "position startpos moves";
  for (const auto& m : moves) line += " " + m;
  test::Send(*p, "ucinewgame");
  test::Send(*p, line);
  const std::size_t before = test::Lines(*p).size();
  test::Send(*p, "go depth 3");
  const std::string best = MoveOf(Expect(*p, "bestmove ", before).text);
  EXPECT_TRUE(LegalAfter("", moves, best)) << best;
  // One info line for each depth, in order, each whole.
  int depth = 0;
  for (const auto& l : test::Lines(*p)) {
    if (l.text.rfind("info ", 0) != 0) continue;
    EXPECT_EQ(l.text.rfind("info depth " + std::to_string(++depth) + " ", 0), 0u) << l.text;
    for (const char* part : {" score cp ", " nodes ", " nps ", " time ", " pv "})
      EXPECT_NE(l.text.find(part), std::string::npos) << l.text;
  }
  EXPECT_EQ(depth, 3);
  Quit(*p);
}

// A promotion among the moves is taken; a bad FEN or an unknown command
// changes nothing; an illegal move leaves the moves before it played.
TEST(Uci, PositionsBadInputAndUnknownCommands) {
  auto p = StartUci();
  const std::string fen = "8/P6k/8/8/8/8/8/K7 w - - 0 1";
  const std::vector<std::string> played = {"a7a8q", "h7h6", "a1a2", "h6h5", "a8a7", "h5h4"};
  test::Send(*p, "position fen " + fen + " moves a7a8q");
  test::Send(*p, "position fen garbage");
  Expect(*p, "info string bad position");
  std::string line = "position fen " + fen + " moves";
  for (const auto& m : played) line += " " + m;
  test::Send(*p, line + " h4h3 a2a3");
  Expect(*p, "info string illegal move h4h3");
  test::Send(*p, "go depth ten");
  Expect(*p, "info string go: bad number");
  const std::size_t before = test::Lines(*p).size();
  test::Send(*p, "foo");
  test::Send(*p, "isready");
  EXPECT_EQ(Expect(*p, "readyok", before).text, "readyok");
  EXPECT_EQ(test::Lines(*p).size(), before + 1) << "an unknown command is answered";
  test::Send(*p, "go depth 2");
  const std::string best = MoveOf(Expect(*p, "bestmove ", before).text);
  EXPECT_TRUE(LegalAfter(fen, played, best)) << best;
  // The engine's own promotion names its piece, in the best move and the line.
  const std::size_t promoting = test::Lines(*p).size();
  test::Send(*p, "position fen " + fen);
  test::Send(*p, "go depth 3");
  EXPECT_EQ(Expect(*p, "bestmove ", promoting).text, "bestmove a7a8q");
  EXPECT_NE(Expect(*p, "info depth 3", promoting).text.find(" pv a7a8q"), std::string::npos);
  Quit(*p);
}

// The 3D game: a position text, moves in its move text (an attack board's
// among them), and a legal move in the same text.
TEST(Uci, ThreeDimensionalGame) {
  auto p = StartUci();
  const std::string text = "......pr..Q...pqKP....pkRP....prNP....pnBP....pbBP....pbNP....pn w QL1,QL6,KL1,KL6 wbwb Kkq - 0 1";
  const std::vector<std::string> moves = {"100:QL1-QL2", "46-45", "56-18"};
  test::Send(*p, "setoption name Variant value 3d-standard");
  std::string line = "position text " + text + " moves";
  for (const auto& m : moves) line += " " + m;
  test::Send(*p, line);
  const std::size_t before = test::Lines(*p).size();
  test::Send(*p, "go nodes 3000");
  const std::string best = MoveOf(Expect(*p, "bestmove ", before).text);
  EXPECT_TRUE(LegalAfter(text, moves, best, kGame3D, kStandard)) << best;
  for (const auto& l : test::Lines(*p)) EXPECT_NE(l.text.rfind("info string", 0), 0u) << l.text;
  Quit(*p);
}

TEST(Uci, InfiniteStopsOnStopAndMoveTimeIsKept) {
  auto p = StartUci();
  test::Send(*p, "position startpos moves d2d4");
  std::size_t before = test::Lines(*p).size();
  test::Send(*p, "go infinite");
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(test::WaitFor(*p, "bestmove", before, 0), -1) << "infinite answered before stop";
  const auto stop = test::Clock::now();
  test::Send(*p, "stop");
  const test::OutputLine stopped = Expect(*p, "bestmove ", before);
  EXPECT_LT(SecondsBetween(stop, stopped.at), 3.0);
  EXPECT_TRUE(LegalAfter("", {"d2d4"}, MoveOf(stopped.text))) << stopped.text;

  before = test::Lines(*p).size();
  const auto go = test::Clock::now();
  test::Send(*p, "go movetime 200");
  const double took = SecondsBetween(go, Expect(*p, "bestmove ", before).at);
  EXPECT_GT(took, 0.08);  // half the move time passes before deepening stops
  EXPECT_LT(took, 3.0);
  Quit(*p);
}

}  // namespace
}  // namespace torvik
