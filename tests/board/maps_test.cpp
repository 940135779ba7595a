#include <gtest/gtest.h>

#include <random>

#include "board/geometry.h"
#include "board/maps.h"
#include "board/setup.h"

namespace torvik {
namespace {

Position Empty(int mode, std::array<int32_t, 4> pins = {32, 39, 56, 63}, int rules = kTournament) {
  Position pos;
  pos.gameMode = mode;
  pos.rules = rules;
  pos.pins = pins;
  return pos;
}

// Lines run both ways, and the reach of rooks, bishops and queens follows them.
void ExpectLinesAgree(const Position& pos) {
  for (Square a = 0; a < 64; ++a) {
    for (Square b = 0; b < 64; ++b) {
      const int d = LineDir(pos, a, b);
      ASSERT_EQ(LineDir(pos, b, a), -d) << a << " " << b;
      const bool straight = d == 1 || d == -1 || d == 8 || d == -8;
      const bool diagonal = d != 0 && !straight;
      ASSERT_EQ(PieceReach(pos, kRook, a, b), straight) << a << " " << b;
      ASSERT_EQ(PieceReach(pos, -kBishop, a, b), diagonal) << a << " " << b;
      ASSERT_EQ(PieceReach(pos, kQueen, a, b), d != 0) << a << " " << b;
    }
  }
}

TEST(Maps, Lines2D) {
  Position pos = Empty(kGame2D);
  EXPECT_EQ(LineDir(pos, 0, 63), 9);
  EXPECT_EQ(LineDir(pos, 7, 0), -1);
  EXPECT_EQ(LineDir(pos, 7, 56), 7);
  EXPECT_EQ(LineDir(pos, 0, 10), 0);
  EXPECT_EQ(LineDir(pos, 3, 59), 8);
  EXPECT_EQ(IsBetween(pos, 0, 27, 63), 1);
  EXPECT_EQ(IsBetween(pos, 0, 63, 27), 0);
  ExpectLinesAgree(pos);
}

TEST(Maps, Reach2D) {
  Position pos = Empty(kGame2D);
  EXPECT_TRUE(PieceReach(pos, kPawn, MakeSquare(4, 1), MakeSquare(5, 2)));
  EXPECT_TRUE(PieceReach(pos, kPawn, MakeSquare(4, 1), MakeSquare(3, 2)));
  EXPECT_FALSE(PieceReach(pos, kPawn, MakeSquare(4, 1), MakeSquare(4, 2)));
  EXPECT_FALSE(PieceReach(pos, kPawn, MakeSquare(4, 0), MakeSquare(5, 1)));  // no pawn on rank 1
  EXPECT_TRUE(PieceReach(pos, -kPawn, MakeSquare(4, 6), MakeSquare(3, 5)));
  EXPECT_TRUE(PieceReach(pos, kKnight, 0, 10));
  EXPECT_TRUE(PieceReach(pos, -kKing, 27, 36));
  EXPECT_FALSE(PieceReach(pos, kKing, 27, 29));
}

TEST(Maps, Lines3DFollowTheRayLists) {
  Position pos = Empty(kGame3D);
  EXPECT_EQ(LineDir(pos, 32, 35), 1);   // white a1 to a4
  EXPECT_EQ(LineDir(pos, 32, 4), 1);    // white a1 to neutral a5
  EXPECT_EQ(LineDir(pos, 32, 39), 1);   // to black a8
  EXPECT_EQ(LineDir(pos, 33, 2), 1);    // white a2 to neutral a3
  EXPECT_EQ(LineDir(pos, 33, 10), 9);   // white a2 to neutral b3
  EXPECT_EQ(LineDir(pos, 33, 11), 0);   // a knight's step away
  EXPECT_EQ(LineDir(pos, 32, 2), 1);
  EXPECT_EQ(LineDir(pos, 36, 4), 0);    // same projection, other level
  EXPECT_EQ(LineDir(pos, 32, 16), 0);   // QL1 and KL1 boards never link
  ExpectLinesAgree(pos);
}

TEST(Maps, TournamentLinesCrossEmptyPins) {
  // Board 0 on QL1, board 1 on QL4, nothing on QL3 between them.
  const std::array<int32_t, 4> pins = {32, 5, 56, 63};
  Position tournament = Empty(kGame3D, pins, kTournament);
  Position standard = Empty(kGame3D, pins, kStandard);
  EXPECT_EQ(LineDir(tournament, 1, 6), 1);  // z1 up the column to z6
  EXPECT_EQ(LineDir(tournament, 0, 7), 1);
  EXPECT_EQ(LineDir(tournament, 7, 0), -1);
  EXPECT_TRUE(PieceReach(tournament, kRook, 1, 6));
  EXPECT_EQ(LineDir(standard, 1, 6), 0);
  EXPECT_FALSE(PieceReach(standard, kRook, 1, 6));
  ExpectLinesAgree(tournament);
  ExpectLinesAgree(standard);
}

TEST(Maps, TournamentLinesCrossTheFarRanks) {
  // Boards on QL6 and KL6: rank 9 runs from a9 across to d9.
  Position pos = Empty(kGame3D, {32, 39, 56, 63}, kTournament);
  EXPECT_EQ(LineDir(pos, 15, 23), 8);  // a9 (board 1) to d9 (board 3)
  EXPECT_EQ(LineDir(pos, 7, 31), 8);   // z9 to e9
  EXPECT_EQ(LineDir(pos, 8, 16), 8);   // a0 to d0 on rank 0
  EXPECT_EQ(LineDir(Empty(kGame3D, {32, 39, 56, 63}, kStandard), 15, 23), 0);
}

TEST(Maps, LinesAgreeInRandomConfigurations) {
  std::mt19937 rng(7);
  for (int rules : {kTournament, kStandard}) {
    for (int n = 0; n < 40; ++n) {
      std::array<int, 12> order;
      for (int i = 0; i < 12; ++i) order[i] = kPinTable[i].square;
      std::shuffle(order.begin(), order.end(), rng);
      Position pos = Empty(kGame3D, {order[0], order[1], order[2], order[3]}, rules);
      ExpectLinesAgree(pos);
    }
  }
}

}  // namespace
}  // namespace torvik
