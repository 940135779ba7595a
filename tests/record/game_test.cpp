#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "board/console.h"
#include "record/game.h"
#include "record/position_text.h"
#include "rules/perft.h"
#include "support/invariants.h"

namespace torvik {
namespace {

std::unique_ptr<Game> NewGame(int mode) {
  auto game = std::make_unique<Game>();
  ConsoleCapture quiet;
  NewGameOfMode(*game, mode);
  return game;
}

Move M(int piece, Square from, Square to, char kind = '-') {
  return Move{from, to, kNoScore, piece, kind, 0, {0, 0}};
}

// Plays `plies` random legal moves (seeded) and returns them.
std::vector<Move> PlayRandom(Game& game, int plies, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<Move> played;
  for (int i = 0; i < plies; ++i) {
    MoveList moves;
    const int n = LegalMoves(game.state.position, moves);
    if (n == 0) break;
    Move m = moves[rng() % n];
    if (game.state.position.board[m.to] != 0) m.kind = kCapture;
    EXPECT_EQ(PlayerMoved(game, m), 1);
    played.push_back(m);
  }
  return played;
}

bool SamePosition(const Position& a, const Position& b) {
  return a.board == b.board && a.pins == b.pins && a.hashKey == b.hashKey && a.hashLock == b.hashLock &&
         a.flags == b.flags && a.epSquare == b.epSquare && a.ply == b.ply && a.owners == b.owners;
}

TEST(Game, PlayerMovedRecordsAndPrints) {
  auto game = NewGame(kGame3D);
  ConsoleCapture log;
  Move m = M(kPawn, 33, 34);
  ASSERT_EQ(PlayerMoved(*game, m), 1);
  EXPECT_EQ(log.Text(), "\n1. a3W");
  EXPECT_STREQ(MoveText(game->record, 1), "a3W");
  EXPECT_STREQ(MoveText(game->record, 0), "a3W");
  EXPECT_EQ(game->state.moves[0].to, 34);
  Move reply = M(-kPawn, 38, 37);
  ASSERT_EQ(PlayerMoved(*game, reply), 1);
  EXPECT_EQ(log.Text(), "\n1. a3W\n1. ... a6B");
}

TEST(Game, RefusesIllegalMovesAndChangesNothing) {
  auto game = NewGame(kGame2D);
  const Position before = game->state.position;
  ConsoleCapture log;
  for (Move m : {M(kPawn, 9, 12), M(kKnight, 8, 24), M(-kPawn, 6, 5), M(kRook, 0, 1)})
    EXPECT_EQ(PlayerMoved(*game, m), 0);
  EXPECT_EQ(log.Text(), "");
  EXPECT_TRUE(SamePosition(before, game->state.position));
}

TEST(Game, CapturedPiecesFollowTheKindHandedIn) {
  auto game = NewGame(kGame2D);
  ConsoleCapture quiet;
  // 1. e4 d5 2. exd5 (entered as a capture) Qxd5 (entered as a plain move)
  for (Move m : {M(kPawn, 33, 35), M(-kPawn, 30, 28), M(kPawn, 35, 28, 'x'), M(-kQueen, 31, 28)})
    ASSERT_EQ(PlayerMoved(*game, m), 1);
  EXPECT_EQ(CapturedCount(game->record), 1);
  EXPECT_EQ(CapturedEntry(game->record, 0), -kPawn);
  EXPECT_STREQ(MoveText(game->record, 4), "Qxd5");
}

TEST(Game, EnPassantEnteredAsACaptureAppendsNothingTaken) {
  auto game = NewGame(kGame2D);
  ConsoleCapture quiet;
  for (Move m : {M(kPawn, 33, 35), M(-kPawn, 14, 13), M(kPawn, 35, 36), M(-kPawn, 46, 44),
                 M(kPawn, 36, 45, 'x')})
    ASSERT_EQ(PlayerMoved(*game, m), 1);
  EXPECT_EQ(CapturedCount(game->record), 1);
  EXPECT_EQ(CapturedEntry(game->record, 0), 0);
  EXPECT_STREQ(MoveText(game->record, 5), "exf6ep");
  EXPECT_EQ(game->state.position.board[44], 0);
}

TEST(Game, EnPassantEnteredAsAPlainMoveAppendsNothing) {
  auto game = NewGame(kGame2D);
  ConsoleCapture quiet;
  for (Move m : {M(kPawn, 33, 35), M(-kPawn, 14, 13), M(kPawn, 35, 36), M(-kPawn, 46, 44), M(kPawn, 36, 45)})
    ASSERT_EQ(PlayerMoved(*game, m), 1);
  EXPECT_EQ(CapturedCount(game->record), 0);
  EXPECT_EQ(game->state.position.board[44], 0);
  EXPECT_STREQ(MoveText(game->record, 5), "exf6ep");
}

TEST(Game, APromotingCaptureAppendsOnceAndKeepsItsPiece) {
  auto game = std::make_unique<Game>();
  ConsoleCapture quiet;
  NewGameOfMode(*game, kGame2D);
  std::string error;
  Position& start = game->state.startPosition;
  ASSERT_TRUE(ParsePosition("1r2k3/P7/8/8/8/8/8/4K3 w - - 0 1", kGame2D, start, error));
  game->state.startEdited = 1;
  Undo(*game, 0);
  Move m = M(kPawn, MakeSquare(0, 6), MakeSquare(1, 7), 'N');
  m.kind = 'x';
  ASSERT_EQ(PlayerMoved(*game, m), 1);
  EXPECT_EQ(CapturedCount(game->record), 1);
  EXPECT_EQ(CapturedEntry(game->record, 0), -kRook);
  EXPECT_EQ(game->state.position.board[MakeSquare(1, 7)], kQueen);  // 'x' carries no piece: a queen
  Undo(*game, 1);
  Move knight = M(kPawn, MakeSquare(0, 6), MakeSquare(1, 7), 'N');
  ASSERT_EQ(PlayerMoved(*game, knight), 1);
  EXPECT_STREQ(MoveText(game->record, 1), "axRb8N");
  Undo(*game, 0);  // the record remade the knight, not a queen
  EXPECT_EQ(game->state.position.board[MakeSquare(1, 7)], kKnight);
}

TEST(Game, UndoAtTheStartAndBeyondIt) {
  auto game = NewGame(kGame3D);
  const Position start = game->state.position;
  ConsoleCapture log;
  Undo(*game, 1);
  EXPECT_EQ(log.Text(), "\nmove undone");
  EXPECT_TRUE(SamePosition(start, game->state.position));
  PlayRandom(*game, 5, 3);
  Undo(*game, 16);
  EXPECT_TRUE(SamePosition(start, game->state.position));
  EXPECT_EQ(game->state.engineSide, kEnginePlaysNone);
  EXPECT_EQ(game->state.abortSearch, 1);
}

TEST(Game, ReplayCursorSteps) {
  auto game = NewGame(kGame2D);
  ConsoleCapture quiet;
  PlayRandom(*game, 10, 5);
  ASSERT_EQ(game->state.position.ply, 10);
  std::vector<int> cursors;
  for (int step : {-1, -1, -1, -200, 1, 200, 1}) {
    ReplayStep(*game, step);
    cursors.push_back(game->record.replayCursor);
    EXPECT_EQ(game->state.position.ply, 10);
  }
  EXPECT_EQ(cursors, (std::vector<int>{10, 9, 8, 0, 1, 10, 10}));
  LeaveReplay(*game);
  EXPECT_EQ(game->record.replayCursor, -1);
  EXPECT_EQ(game->state.position.ply, 10);
}

TEST(Game, RandomGamesUndoAndReplayToTheSamePositions) {
  for (int mode : {kGame2D, kGame3D}) {
    auto game = NewGame(mode);
    ConsoleCapture quiet;
    std::vector<Position> seen = {game->state.position};
    std::mt19937 rng(11 + mode);
    for (int i = 0; i < 80; ++i) {
      MoveList moves;
      const int n = LegalMoves(game->state.position, moves);
      if (n == 0) break;
      Move m = moves[rng() % n];
      ASSERT_EQ(PlayerMoved(*game, m), 1);
      ASSERT_EQ(test::Inconsistency(game->state.position), "");
      seen.push_back(game->state.position);
    }
    const int plies = game->state.position.ply;
    for (int back : {1, 7, 20}) {
      Undo(*game, 0);
      const int before = game->state.position.ply;
      Undo(*game, back);
      const int at = std::max(before - back, 0);
      ASSERT_TRUE(SamePosition(seen[at], game->state.position)) << "mode " << mode << " ply " << at;
      seen.resize(at + 1);
    }
    (void)plies;
  }
}

TEST(Game, ReplayShowsEachPly) {
  auto game = NewGame(kGame3D);
  ConsoleCapture quiet;
  std::vector<Position> seen = {game->state.position};
  std::mt19937 rng(2);
  for (int i = 0; i < 30; ++i) {
    MoveList moves;
    const int n = LegalMoves(game->state.position, moves);
    Move m = moves[rng() % n];
    ASSERT_EQ(PlayerMoved(*game, m), 1);
    seen.push_back(game->state.position);
  }
  ReplayStep(*game, 0);
  for (int cursor = 30; cursor >= 0; --cursor) {
    Position shown = game->state.position;
    shown.ply = seen[cursor].ply;  // the replay keeps the game's length as its ply
    EXPECT_EQ(shown.board, seen[cursor].board) << cursor;
    EXPECT_EQ(shown.pins, seen[cursor].pins) << cursor;
    ReplayStep(*game, -1);
  }
  LeaveReplay(*game);
  EXPECT_TRUE(SamePosition(seen.back(), game->state.position));
}

TEST(Game, RefusesMovesPastTheRecordsEnd) {
  auto game = NewGame(kGame2D);
  game->state.position.ply = kMaxRecordedMoves;
  ConsoleCapture log;
  Move m = M(kPawn, 33, 35);
  EXPECT_EQ(PlayerMoved(*game, m), 0);
  EXPECT_NE(log.Text().find("no more moves"), std::string::npos);
}

}  // namespace
}  // namespace torvik
