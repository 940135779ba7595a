#include <gtest/gtest.h>

#include <memory>

#include "board/console.h"
#include "board/make_move.h"
#include "rules/legality.h"
#include "support/positions.h"

namespace torvik {
namespace {

Move M(int piece, Square from, Square to, char kind = '-') {
  return Move{from, to, kNoScore, piece, kind, 0, {0, 0}};
}

constexpr Square Sq(char file, int rank) { return MakeSquare(file - 'a', rank - 1); }

// The text FindWinner prints, and the winner it writes.
std::pair<std::string, int> Verdict(Position pos, Move* move, bool autoPlay = false) {
  ConsoleCapture log;
  FindWinner(pos, move, autoPlay);
  return {log.Text(), pos.winner};
}

TEST(GameEnd, RepetitionBeforeAndAfterTheMove) {
  KeyHistory history;
  Position pos;
  pos.history = &history;
  std::string error;
  ASSERT_TRUE(ParsePosition("4k3/8/8/8/8/8/8/4K1N1 w - - 0 1", kGame2D, pos, error));
  const Move cycle[] = {M(kKnight, Sq('g', 1), Sq('f', 3)), M(-kKing, Sq('e', 8), Sq('d', 8)),
                        M(kKnight, Sq('f', 3), Sq('g', 1)), M(-kKing, Sq('d', 8), Sq('e', 8))};
  for (int i = 0; i < 11; ++i) {
    Move m = cycle[i % 4];
    ASSERT_EQ(MakeMove(pos, pos, m), 1);
  }
  // The start stood at plies 0, 4 and 8: the twelfth ply brings it back a fourth time.
  EXPECT_EQ(Verdict(pos, nullptr).first, "");
  Move back = cycle[3];
  auto [text, winner] = Verdict(pos, &back);
  EXPECT_EQ(text, "\nDraw - I'm repeating");
  EXPECT_EQ(winner, kDrawn);
  ASSERT_EQ(MakeMove(pos, pos, back), 1);
  EXPECT_EQ(Verdict(pos, nullptr).first, "\nDraw - you're repeating");
}

TEST(GameEnd, HundredAndOnePliesWithoutCaptureOrPawnMove) {
  Position pos = test::From2D("4k3/8/8/8/8/8/8/4K1N1 w - - 100 80");
  EXPECT_EQ(pos.halfmoveCount, 101);
  EXPECT_EQ(IsRepetition(pos, 1), 0);
  pos.halfmoveCount = 102;
  EXPECT_EQ(IsRepetition(pos, 3), 1);
}

TEST(GameEnd, InsufficientMaterialOnlyWithAMove) {
  Position pos = test::From2D("4k3/8/8/3n4/8/8/8/4KB2 w - - 0 1");
  Move m = M(kKing, Sq('e', 1), Sq('e', 2));
  EXPECT_EQ(Verdict(pos, nullptr).first, "");
  EXPECT_EQ(Verdict(pos, &m), std::make_pair(std::string("\nDraw - insufficient material"), int(kDrawn)));
  Position knights = test::From2D("4k3/8/8/8/8/8/8/2N1K1N1 w - - 0 1");
  EXPECT_EQ(Verdict(knights, &m).first, "");
  Position pawn = test::From2D("4k3/7p/8/8/8/8/8/4KB2 w - - 0 1");
  EXPECT_EQ(Verdict(pawn, &m).first, "");
}

TEST(GameEnd, MateAndStalemateAfterTheMove) {
  Position mate = test::From2D("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1");
  Move rook = M(kRook, Sq('a', 1), Sq('a', 8));
  EXPECT_EQ(Verdict(mate, &rook), std::make_pair(std::string("\nBlack is mated"), int(kWhiteWon)));
  Position stale = test::From2D("7k/8/6K1/8/8/8/8/5Q2 w - - 0 1");
  Move queen = M(kQueen, Sq('f', 1), Sq('f', 7));
  EXPECT_EQ(Verdict(stale, &queen), std::make_pair(std::string("\nStalemate"), int(kDrawn)));
  Move quiet = M(kQueen, Sq('f', 1), Sq('f', 2));
  EXPECT_EQ(Verdict(stale, &quiet).first, "");
  Move illegal = M(kQueen, Sq('f', 1), Sq('h', 4));
  EXPECT_EQ(Verdict(stale, &illegal).first, "");
}

TEST(GameEnd, MatedBeforeTheMoveAndAlreadyDecided) {
  // White to move with black's king attacked: black's last move left it in check.
  Position pos = test::From2D("R5k1/5ppp/8/8/8/8/8/6K1 w - - 0 1");
  EXPECT_EQ(Verdict(pos, nullptr), std::make_pair(std::string("\nBlack is mated!"), int(kWhiteWon)));
  pos.winner = kDrawn;
  EXPECT_EQ(Verdict(pos, nullptr).first, "\nFindWinner: already has winner\n");
}

TEST(GameEnd, AutoDrawWhenTheEngineSeesADrawnEnding) {
  Position pos = test::From2D("4k3/8/8/8/8/8/8/4KB2 w - - 0 1");
  pos.flags |= kDrawish;
  EXPECT_EQ(Verdict(pos, nullptr, true).first, "\nAuto-draw");
  EXPECT_EQ(Verdict(pos, nullptr, false).first, "");
}

TEST(Legality, MoveNeedsOnlyPieceFromAndTo) {
  Position pos = test::From2D("4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1");
  Move m = M(kPawn, Sq('e', 4), Sq('d', 5));  // entered as a plain move
  EXPECT_EQ(LegalMove(pos, m), 1);
  EXPECT_EQ(m.kind, 'x');
  Position realPin = test::From2D("4k3/8/8/7b/8/8/4P3/3K4 w - - 0 1");
  Move exposed = M(kPawn, Sq('e', 2), Sq('e', 3));
  EXPECT_EQ(LegalMove(realPin, exposed), 0);
  ConsoleCapture log;
  Move none{};
  EXPECT_EQ(LegalMove(pos, none), 0);
  EXPECT_EQ(log.Text(), "\nNULL move @ LegalMove\n");
}

}  // namespace
}  // namespace torvik
