// A game in play: moves handed in, their record and texts, undo and replay.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "board/console.h"
#include "record/game.h"
#include "record/game_start.h"
#include "record/position_text.h"
#include "rules/perft.h"
#include "support/game_files.h"
#include "support/positions.h"

namespace torvik {
namespace {

using test::M;
using test::QuietGame;
using test::Sq;

bool SamePosition(const Position& a, const Position& b) {
  return a.board == b.board && a.pins == b.pins && a.hashKey == b.hashKey && a.hashLock == b.hashLock &&
         a.flags == b.flags && a.epSquare == b.epSquare && a.ply == b.ply && a.owners == b.owners;
}

TEST(Game, PlayerMovedRecordsAndPrintsOrRefuses) {
  auto game = QuietGame(kGame3D);
  ConsoleCapture log;
  Move m = M(kPawn, 33, 34), reply = M(-kPawn, 38, 37);
  ASSERT_EQ(PlayerMoved(*game, m), 1);
  EXPECT_EQ(log.Text(), "\n1. a3W");
  EXPECT_STREQ(MoveText(game->record, 1), "a3W");
  EXPECT_STREQ(MoveText(game->record, 0), "a3W");
  EXPECT_EQ(game->state.moves[0].to, 34);
  ASSERT_EQ(PlayerMoved(*game, reply), 1);
  EXPECT_EQ(log.Text(), "\n1. a3W\n1. ... a6B");
  // Illegal moves change nothing and print nothing.
  game = QuietGame(kGame2D);
  const Position before = game->state.position;
  log.Clear();
  for (Move bad : {M(kPawn, 9, 12), M(kKnight, 8, 24), M(-kPawn, 6, 5), M(kRook, 0, 1)})
    EXPECT_EQ(PlayerMoved(*game, bad), 0);
  EXPECT_EQ(log.Text(), "");
  EXPECT_TRUE(SamePosition(before, game->state.position));
  // A record that is full takes no further move.
  std::string error;
  game->state.position.ply = RecordStartPly(game->state) + kMaxRecordedMoves;
  EXPECT_FALSE(RecordMove(game->state, M(kPawn, 9, 10), error));
  EXPECT_NE(error.find("plies a record holds"), std::string::npos) << error;
}

// The captured pieces and the last move's text follow the kind handed in; the
// pieces on `squares` are as given. The last move taken back and made again,
// and the game rebuilt from its record, leave all of it as it was.
TEST(Game, CapturedPiecesFollowTheKindHandedIn) {
  struct Script {
    const char* name;
    int mode;
    std::string start;
    std::vector<Move> moves;
    int captured, firstCaptured;
    const char* lastText;
    std::vector<std::pair<Square, int>> squares;
  };
  const Move e4 = M(kPawn, 33, 35), a6 = M(-kPawn, 14, 13), e5 = M(kPawn, 35, 36), f5 = M(-kPawn, 46, 44);
  std::string board3D(64, '.');
  board3D[16] = 'K', board3D[31] = 'k', board3D[6] = 'p', board3D[32] = 'N';
  const std::string promotes = "1r2k3/P7/8/8/8/8/8/4K3 w - - 0 1";
  const Move axb8 = M(kPawn, Sq('a', 7), Sq('b', 8), 'x'), axb8N = M(kPawn, Sq('a', 7), Sq('b', 8), 'N');
  const Script scripts[] = {
      {"exd5 entered as a capture, Qxd5 as a plain move", kGame2D, "",
       {e4, M(-kPawn, 30, 28), M(kPawn, 35, 28, 'x'), M(-kQueen, 31, 28)}, 1, -kPawn, "Qxd5", {}},
      // Moves from the engine's table carry a mark ('G', '?') for a kind: they
      // are recorded, counted and named with the kind the rules give them.
      {"moves marked by the engine's table", kGame2D, "",
       {e4, M(-kPawn, 30, 28, 'G'), M(kPawn, 35, 28, 'G'), M(-kQueen, 31, 28, '?'), M(kBishop, 40, 19, 'G')}, 2,
       -kPawn, "Bc4", {}},
      // En passant entered as a capture appends an empty entry; as a plain move,
      // nothing. Either way the pawn on f5 is taken.
      {"en passant as a capture", kGame2D, "", {e4, a6, e5, f5, M(kPawn, 36, 45, 'x')}, 1, 0, "exf6ep", {{44, 0}}},
      {"en passant as a plain move", kGame2D, "", {e4, a6, e5, f5, M(kPawn, 36, 45)}, 0, 0, "exf6ep", {{44, 0}}},
      // A promoting capture appends once; 'x' carries no piece: a queen.
      {"promoting capture", kGame2D, promotes, {axb8}, 1, -kRook, "axRb8Q+", {{Sq('b', 8), kQueen}}},
      {"promoting capture to a knight", kGame2D, promotes, {axb8N}, 1, -kRook, "axRb8N", {{Sq('b', 8), kKnight}}},
      // A board carried onto its last pin promotes its pawn; the piece on the
      // square under that pin is not taken.
      {"board move promotion", kGame3D, board3D + " b QL2,QL3,KL1,KL6 wbwb - -", {M(106, 2, 32, 'N')}, 0, 0,
       "QL1N", {{32, kKnight}, {6, -kKnight}}},
  };
  for (const Script& s : scripts) {
    SCOPED_TRACE(s.name);
    auto game = QuietGame(s.mode, kTournament, s.start);
    ConsoleCapture quiet;
    for (Move m : s.moves) ASSERT_EQ(PlayerMoved(*game, m), 1);
    for (int pass = 0; pass < 3; ++pass) {
      if (pass == 1) {
        Undo(*game, 1);
        Move last = s.moves.back();
        ASSERT_EQ(PlayerMoved(*game, last), 1);
      }
      if (pass == 2) Undo(*game, 0);
      EXPECT_EQ(CapturedCount(game->record), s.captured);
      EXPECT_EQ(s.captured ? CapturedEntry(game->record, 0) : 0, s.firstCaptured);
      EXPECT_STREQ(MoveText(game->record, RecordStartPly(game->state) + int(s.moves.size())), s.lastText);
      for (auto [square, piece] : s.squares) EXPECT_EQ(game->state.position.board[square], piece) << square;
    }
  }
}

// A game set up from a text starts at the text's move: the record counts from
// there, so a late start still has every entry to fill.
TEST(Game, TheRecordCountsFromTheStartPly) {
  auto game = QuietGame(kGame2D, kTournament, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 600");
  ConsoleCapture log;
  GameState& gs = game->state;
  for (Move m : {M(kPawn, Sq('e', 2), Sq('e', 4)), M(-kPawn, Sq('e', 7), Sq('e', 5))}) ASSERT_EQ(PlayerMoved(*game, m), 1);
  EXPECT_EQ(log.Text(), "\n600. e4\n600. ... e5");
  EXPECT_EQ(gs.moves[1].to, Sq('e', 5));
  for (int back : {5, 0}) {  // not past the start
    Undo(*game, back);
    EXPECT_EQ(gs.position.ply, 1198);
  }
  // A full record refuses the next move, saying so once.
  gs.position.ply = 1198 + kMaxRecordedMoves;
  log.Clear();
  Move m = M(kPawn, Sq('d', 2), Sq('d', 4));
  EXPECT_EQ(PlayerMoved(*game, m), 0);
  EXPECT_EQ(log.Text(), "\nThe game has reached 1000 plies: no more moves can be recorded");
}

// An edited start with a later ply than the game: the replay stays within the
// game (the step's clamp had its lower bound above the upper; a build with the
// standard library's assertions aborted).
TEST(Game, ReplayOfAStartLaterThanTheGame) {
  auto game = QuietGame(kGame2D);
  test::PlayRandom(*game, 10, 4);
  GameState& gs = game->state;
  gs.startPosition = gs.position;
  gs.startPosition.ply = 40;
  gs.startEdited = 1;
  ConsoleCapture quiet;
  for (int step : {-1, -1, -200, 1, 200}) {
    ReplayStep(*game, step);
    EXPECT_GE(game->record.replayCursor, 0);
    EXPECT_LE(game->record.replayCursor, 10);
  }
  LeaveReplay(*game);
}

// The halfmove clock counts the same from the built-in start as from its text.
TEST(Game, HalfmoveClockFromEitherStart) {
  for (int mode : {kGame2D, kGame3D}) {
    auto builtIn = QuietGame(mode), fromText = QuietGame(mode, kTournament, mode == kGame2D ? kStartText2D : kStartText3D);
    EXPECT_EQ(FormatPosition(builtIn->state.position), FormatPosition(fromText->state.position));
    MoveList moves;
    const int n = LegalMoves(builtIn->state.position, moves);
    int i = 0;
    while (i < n && moves[i].piece != kKnight) ++i;  // a move that is neither a capture nor a pawn's
    ASSERT_LT(i, n);
    ConsoleCapture quiet;
    for (Game* g : {builtIn.get(), fromText.get()}) {
      Move knight = moves[i];
      ASSERT_EQ(PlayerMoved(*g, knight), 1);
    }
    const std::string text = FormatPosition(builtIn->state.position);
    EXPECT_EQ(text.substr(text.size() - 4), " 1 1");
    EXPECT_EQ(text, FormatPosition(fromText->state.position));
  }
}

// Random games: the replay steps through them and shows every ply; undo goes
// back to the same positions, and not past the start. Undo and replay set up
// the start again without touching a setting; the engine stops playing.
TEST(Game, RandomGamesReplayAndUndo) {
  auto settings = [](const GameState& g) {
    return std::tuple(g.ttMegabytes, g.spreadMode, g.selection, g.difficulty, g.notation, g.rules, g.targetMarks);
  };
  for (int mode : {kGame2D, kGame3D}) {
    SCOPED_TRACE(mode);
    auto game = QuietGame(mode, kStandard);
    ConsoleCapture log;
    Undo(*game, 1);
    EXPECT_EQ(log.Text(), "\nmove undone");
    std::vector<Position> seen = test::PlayRandom(*game, 80, 11 + mode);
    GameState& gs = game->state;
    gs.ttMegabytes = 64, gs.spreadMode = kSpreadTeam, gs.selection = 12, gs.difficulty = kEasy;
    gs.notation = 2, gs.engineSide = kEnginePlaysWhite, gs.autoPlay = 1;
    gs.targetMarks[5] = 'B';
    const auto before = settings(gs);
    const int end = int(seen.size()) - 1;
    std::vector<int> cursors;
    for (int step : {-1, -1, -1, -200, 1, 200, 1}) {
      ReplayStep(*game, step);
      cursors.push_back(game->record.replayCursor);
      EXPECT_EQ(game->state.position.ply, game->record.replayCursor);  // its side to move with it
      EXPECT_EQ(LastPly(*game), end);
    }
    EXPECT_EQ(cursors, (std::vector<int>{end - 1, end - 2, end - 3, 0, 1, end, end}));
    for (int cursor = end; cursor >= 0; --cursor) {
      EXPECT_EQ(game->state.position.board, seen[cursor].board) << "replay " << cursor;
      EXPECT_EQ(game->state.position.pins, seen[cursor].pins) << "replay " << cursor;
      ReplayStep(*game, -1);
    }
    LeaveReplay(*game);
    EXPECT_EQ(game->record.replayCursor, -1);
    EXPECT_TRUE(SamePosition(seen.back(), game->state.position));
    for (int back : {1, 7, 20, 200}) {
      Undo(*game, 0);
      const int at = std::max(game->state.position.ply - back, 0);
      Undo(*game, back);
      ASSERT_TRUE(SamePosition(seen[at], game->state.position)) << "ply " << at;
      seen.resize(at + 1);
    }
    EXPECT_EQ(settings(gs), before);
    EXPECT_EQ(std::tuple(gs.engineSide, gs.autoPlay, gs.abortSearch), std::tuple(int(kEnginePlaysNone), 0, 1));
  }
}

}  // namespace
}  // namespace torvik
