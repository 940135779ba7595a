// Games as PGN text: SAN, round trips in both games and every rule set, games
// written by other programs, refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "board/console.h"
#include "record/pgn.h"
#include "record/named_move.h"
#include "record/pgn_file.h"
#include "record/move_text.h"
#include "record/position_text.h"
#include "record/san.h"
#include "support/game_files.h"
#include "support/positions.h"
#include "support/run.h"
#include "support/working_folder.h"

namespace torvik {
namespace {

using test::From2D;

// Names of the legal moves of a position that SAN must tell apart or mark.
TEST(Pgn, SanNamesAndReadsMoves) {
  struct Case {
    const char* fen;
    const char* move;  // move text
    const char* san;
  };
  const Case cases[] = {
      {"4k3/8/8/8/8/2N3N1/8/4K3 w - - 0 1", "c3e4", "Nce4"},     // the file tells
      {"4k3/8/8/2N5/8/2N5/8/4K3 w - - 0 1", "c3e4", "N3e4"},     // the rank tells
      {"6k1/8/8/2Q1Q3/8/2Q5/8/K7 w - - 0 1", "c5d4", "Qc5d4"},   // both
      {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1a8", "Ra8#"},
      {"r3k2r/1P6/8/3pP3/8/8/8/R3K2R w KQkq d6 0 1", "e5d6", "exd6"},
      {"r3k2r/1P6/8/8/8/8/8/R3K2R w KQkq - 0 1", "b7a8n", "bxa8=N"},
      {"r3k2r/1P6/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1c1", "O-O-O"},
  };
  for (const Case& c : cases) {
    Position pos = From2D(c.fen);
    Move typed, move;
    std::string error;
    ASSERT_TRUE(ParseMoveText(pos, c.move, typed)) << c.move;
    ASSERT_TRUE(FindNamedMove(pos, 0, c.move, move) == NamedMove::kFound) << c.move;
    EXPECT_EQ(SanOfMove(pos, move), c.san) << c.fen;
    Move read;
    ASSERT_TRUE(MoveOfSan(pos, c.san, read, error)) << c.san << ": " << error;
    EXPECT_TRUE(SameMove(read, move) && read.kind == move.kind) << c.san;
  }
  // As people write them: zeros for castling, no "=", marks, e.p., the full origin.
  Position pos = From2D("r3k2r/1P6/8/3pP3/8/8/8/R3K2R w KQkq d6 0 1");
  Move m;
  std::string error;
  for (const char* san : {"0-0-0", "b8Q", "bxa8Q!?", "exd6e.p.", "e5xd6", "Kd2", "b8"})
    EXPECT_TRUE(MoveOfSan(pos, san, m, error)) << san << ": " << error;
  for (const char* san : {"Ke3", "Nf3", "exd5", "Z9", "b8=K", "Pe6"}) EXPECT_FALSE(MoveOfSan(pos, san, m, error)) << san;
  Position knights = From2D("4k3/8/8/8/8/2N3N1/8/4K3 w - - 0 1");
  EXPECT_FALSE(MoveOfSan(knights, "Ne4", m, error));
  EXPECT_EQ(error, "ambiguous move: Ne4");
}

bool SameGame(const GameState& a, const GameState& b) {
  const Position &p = a.position, &q = b.position;
  if (!(p.board == q.board && p.pins == q.pins && p.owners == q.owners && p.ply == q.ply && p.flags == q.flags &&
        p.epSquare == q.epSquare && p.hashKey == q.hashKey && a.rules == b.rules && a.gameMode == b.gameMode &&
        a.startEdited == b.startEdited))
    return false;
  for (int i = 0; i < p.ply - RecordStartPly(a); ++i)
    if (!SameMove(a.moves[i], b.moves[i]) || a.moves[i].piece != b.moves[i].piece ||
        (IsPromotionKind(a.moves[i].kind) && a.moves[i].kind != b.moves[i].kind))
      return false;
  return true;
}

// Random games, exported and read back: the same start, record and position,
// in the 2D game (from a start with castling, promotions and en passant at
// hand) and both 3D rule sets in each notation, attack-board moves included.
TEST(Pgn, RandomGamesComeBackWhole) {
  struct Setting {
    int mode, rules, notation;
    const char* start;
  };
  const Setting settings[] = {
      {kGame2D, kTournament, 0, ""},
      {kGame2D, kTournament, 0, "r3k2r/1P4p1/8/3pP3/8/8/1p4P1/R3K2R w KQkq d6 0 7"},
      {kGame3D, kTournament, kNotationTournament, ""},
      {kGame3D, kTournament, kNotationAlgebraic, ""},
      {kGame3D, kStandard, kNotationStandard, ""},
  };
  ConsoleCapture quiet;
  int games = 0;
  for (const Setting& s : settings) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
      auto game = test::QuietGame(s.mode, s.rules, s.start);
      game->state.notation = s.notation;
      test::PlayRandom(*game, 160, seed * 31 + s.mode);
      const GameState& gs = game->state;
      const std::string text = PgnOfGame(gs, gs.position.ply, kNoWinner, {}, "2026.12.07");
      std::vector<PgnGame> read;
      std::string error;
      ASSERT_TRUE(SplitPgn(text, read, error)) << error << "\n" << text;
      ASSERT_EQ(read.size(), 1u);
      auto back = std::make_unique<GameState>();
      back->position.history = &back->keyHistory;
      ASSERT_TRUE(PlayPgnGame(read[0], *back, error)) << error << "\n" << text;
      EXPECT_TRUE(SameGame(gs, *back)) << text;
      ++games;
      // Moves that do not read in the notation the tag names are read in the others.
      const std::string tag = "[Notation \"Tournament\"]";
      if (const auto at = text.find(tag); at != std::string::npos && s.rules == kTournament) {
        std::string retagged = text;
        retagged.replace(at, tag.size(), "[Notation \"Algebraic\"]");
        ASSERT_TRUE(SplitPgn(retagged, read, error)) << error;
        auto again = std::make_unique<GameState>();
        again->position.history = &again->keyHistory;
        ASSERT_TRUE(PlayPgnGame(read.back(), *again, error)) << error << "\n" << retagged;
        EXPECT_TRUE(SameGame(gs, *again)) << retagged;
      }
    }
  }
  EXPECT_EQ(games, 20);
}

// A file another program could have written loads and replays; each game of it
// by number.
TEST(Pgn, ForeignFileLoadsAndReplays) {
  const std::string file = std::string(TORVIK_SOURCE_DIR) + "/tests/record/data/opera_game.pgn";
  auto game = test::QuietGame(kGame3D);
  ConsoleCapture log;
  const auto openFiles = [] {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return std::distance(begin(fds), end(fds));
  };
  const auto opened = openFiles();
  ASSERT_TRUE(ImportGame(*game, file, 1)) << log.Text();
  EXPECT_EQ(FormatPosition(game->state.position), "1n1Rkb1r/p4ppp/4q3/4p1B1/4P3/8/PPP2PPP/2K5 b k - 1 17");
  EXPECT_EQ(game->state.position.winner, kWhiteWon);
  EXPECT_EQ(game->state.gameMode, kGame2D);
  Undo(*game, 3);
  EXPECT_EQ(game->state.position.ply, 30);
  ReplayStep(*game, -30);
  EXPECT_EQ(game->state.position.ply, 0);
  ASSERT_TRUE(ImportGame(*game, file, 2)) << log.Text();
  EXPECT_EQ(FormatPosition(game->state.position), "8/8/8/4k3/4P3/3K4/8/8 w - - 5 43");
  EXPECT_EQ(game->state.position.winner, kDrawn);
  EXPECT_FALSE(ImportGame(*game, file, 3));
  EXPECT_NE(log.Text().find("game 3: the file has 2 games"), std::string::npos);
  EXPECT_EQ(openFiles(), opened);  // every read closes its file
}

// A bad file is refused with the game, line and reason; the game in play stays.
TEST(Pgn, BadFilesAreRefusedWithNothingLost) {
  test::ScopedWorkingFolder folder("torvik-pgn");
  const std::pair<const char*, const char*> bad[] = {
      {"[Event \"x\"]\n\n1. e4 e5\n2. Ke3 *\n", "game 1, line 4: illegal move: Ke3"},
      {"1. e4 {unclosed\n", "line 1: a comment is not closed"},
      {"[Event \"x\n1. e4 *\n", "line 1: the value of tag Event is not closed"},
      {"1. e4 (1... e5\n", "line 1: a variation is not closed"},
      {"[Variant \"Crazyhouse\"]\n1. e4 *\n", "game 1, line 1: unknown variant \"Crazyhouse\""},
      {"[SetUp \"1\"]\n[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]\n*\n", "game 1, line 1: bad start position"},
  };
  auto game = test::QuietGame(kGame2D);
  test::PlayTexts(*game, {"d2d4", "d7d5"});
  const std::string before = FormatPosition(game->state.position);
  for (const auto& [text, why] : bad) {
    test::WriteBytes("bad.pgn", test::Bytes(text, text + std::strlen(text)));
    ConsoleCapture log;
    EXPECT_FALSE(ImportGame(*game, "bad.pgn")) << text;
    EXPECT_NE(log.Text().find(why), std::string::npos) << log.Text();
    EXPECT_EQ(FormatPosition(game->state.position), before);
    EXPECT_EQ(game->state.position.ply, 2);
  }
  ConsoleCapture log;
  EXPECT_FALSE(ImportGame(*game, "missing.pgn"));
  EXPECT_EQ(FormatPosition(game->state.position), before);
}

// What the program writes, polyglot (another program's PGN reader) reads.
TEST(Pgn, PolyglotReadsWhatIsWritten) {
  const std::string polyglot = "PATH=\"$PATH:/usr/games\" polyglot";  // Debian puts it with the games
  if (test::RunCommand("PATH=\"$PATH:/usr/games\" command -v polyglot").out.empty()) GTEST_SKIP() << "polyglot is not installed";
  test::ScopedWorkingFolder folder("torvik-pgn");
  auto game = test::QuietGame(kGame2D);
  ConsoleCapture quiet;
  // An en-passant capture handed in as a plain move (as the engine hands its
  // moves in) is still written as a capture.
  for (Move m : {test::M(kPawn, 33, 35), test::M(-kPawn, 6, 5), test::M(kPawn, 35, 36), test::M(-kPawn, 30, 28),
                 test::M(kPawn, 36, 29)})
    ASSERT_EQ(PlayerMoved(*game, m), 1);
  test::PlayRandom(*game, 200, 5);
  ASSERT_TRUE(ExportGame(*game, "out.pgn"));
  const auto run = test::RunCommand(polyglot + " make-book -pgn out.pgn -bin out.bin -min-game 1 2>&1");
  EXPECT_NE(run.out.find("all done"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("illegal"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace torvik
