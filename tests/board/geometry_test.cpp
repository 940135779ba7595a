// Where the squares are, and the lines that join them.
#include <gtest/gtest.h>

#include <random>

#include "board/console.h"
#include "board/geometry.h"
#include "board/line_tables.h"
#include "support/positions.h"

namespace torvik {
namespace {

using test::Start;

// Where the window draws a square: its lower-left corner in board units, as
// literal values of the layout (the window tests click at points derived from these).
TEST(Geometry, SquareCornersOfTheLayout) {
  struct Case {
    int mode, pin0;  // board 0's pin in the 3D game
    Square s;
    SpacePoint corner;
  };
  const Case cases[] = {
      {kGame2D, 0, 0, {-4, -4, 0}},   {kGame2D, 0, 63, {3, 3, 0}},    // 2D a1, h8
      {kGame3D, 32, 32, {-2, -4, -2}}, {kGame3D, 32, 63, {1, 3, 2}},  // white a1, black d8
      {kGame3D, 32, 2, {-2, -2, 0}},  {kGame3D, 32, 29, {1, 1, 0}},   // neutral a3, d6
      {kGame3D, 32, 0, {-3, -5, -1}}, {kGame3D, 32, 9, {-2, -4, -1}},  // board 0 on QL1: z0, a1
      {kGame3D, 2, 0, {-3, -3, 1}},   {kGame3D, 2, 9, {-2, -2, 1}},   // board 0 on QL3: z2, a3
  };
  for (const Case& c : cases) {
    Position pos = Start(c.mode);
    pos.pins[0] = c.pin0;
    SpacePoint p;
    ASSERT_TRUE(SquareCoords(pos, c.s, p)) << c.s;
    EXPECT_EQ(std::tuple(p.x, p.y, p.z), std::tuple(c.corner.x, c.corner.y, c.corner.z))
        << "mode " << c.mode << " pin " << c.pin0 << " square " << c.s;
  }
}

TEST(Geometry, LevelsAndProjections) {
  struct Case {
    int pin0;  // where board 0 stands, the others at home
    Square s;
    int level;
    Projection at;  // file (z..e = 0..5), rank
  };
  const Case cases[] = {
      {32, 32, kWhiteLevel, {1, 1}},  {32, 35, kWhiteLevel, {1, 4}},  // white a1, a4
      {32, 36, kBlackLevel, {1, 5}},  {32, 63, kBlackLevel, {4, 8}},  // black a5, d8
      {32, 2, kNeutralLevel, {1, 3}}, {32, 29, kNeutralLevel, {4, 6}},  // neutral a3, d6
      {32, 9, 3, {1, 1}},             {32, 16, 3, {4, 0}},  // on QL1 and KL1: a1, the white king's d0
      {32, 6, 7, {0, 8}},             {32, 31, 7, {5, 9}},  // on QL6 and KL6: z8, e9
      {2, 9, 5, {1, 3}},                                    // board 0 on QL3
      {59, 0, 3, {4, 4}},             {59, 9, 3, {5, 5}},   // on KL2: files d and e, ranks 4 and 5
  };
  Position pos = Start(kGame3D);
  Projection p;
  for (const Case& c : cases) {
    pos.pins[0] = c.pin0;
    EXPECT_EQ(GetSquareLevel(pos, c.s), c.level) << c.s;
    ASSERT_TRUE(ProjectionOf(pos, c.s, p)) << c.s;
    EXPECT_EQ(p, c.at) << c.s;
  }
  EXPECT_FALSE(ProjectionOf(pos, 64, p));
  Position flat = Start(kGame2D);
  flat.pins = {1, 2, 3, 4};  // whatever the board fields hold
  for (Square s = 0; s < 64; ++s) EXPECT_EQ(GetSquareLevel(flat, s), 0);
}

TEST(Geometry, AttackBoardCoordinatesMatchTheSquareRule) {
  for (const PinInfo& pin : kPinTable) {
    for (int b = 0; b < 4; ++b) {
      Position p = Start(kGame3D);
      p.pins[b] = pin.square;
      const Square base = kBoardBase[b];
      for (Square s : {base, base + 1, base + 8, base + 9}) {
        float x = 99, y = 99, z = 99;
        GetAttackBoardCoords(p, ColumnOf(s), RowOf(s), b, x, y, z);
        SpacePoint q;
        ASSERT_TRUE(SquareCoords(p, s, q));
        EXPECT_TRUE(x == q.x && y == q.y && z == q.z) << s;
      }
    }
  }
}

TEST(Geometry, PinNames) {
  Position pos = Start(kGame3D);
  pos.pins[0] = 35;  // QL2
  EXPECT_STREQ(GetABString(pos, 9, kNotationTournament), "QL2");
  EXPECT_STREQ(GetABString(pos, 9, kNotationAlgebraic), "Q2");
  EXPECT_STREQ(GetABString(pos, 35, kNotationStandard), "QL2");
  EXPECT_STREQ(GetPinLabel(63), "k6");
  EXPECT_STREQ(GetPinLabel(33), "??");
}

TEST(Geometry, OwnershipFollowsThePiecesOnABoard) {
  Position pos = Start(kGame3D);
  pos.board.fill(0);
  pos.board[0] = -kPawn;
  UpdateABOwners(pos);
  EXPECT_EQ(pos.owners[0], 0);  // one black piece: black's
  pos.board[0] = 0;
  UpdateABOwners(pos);
  EXPECT_EQ(pos.owners[0], 1);  // empty: back to white
  pos.board[9] = kPawn;
  pos.board[8] = -kRook;
  pos.owners[0] = 0;
  UpdateABOwners(pos);
  EXPECT_EQ(pos.owners[0], 0);  // mixed: unchanged
  EXPECT_EQ(pos.owners[1], 0);
  EXPECT_EQ(pos.owners[3], 0);
}

using Pins = std::array<int32_t, 4>;
constexpr Pins kHome = {32, 39, 56, 63};

Position Empty(int mode, Pins pins = kHome, int rules = kTournament) {
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
      ASSERT_EQ(PieceReach(pos, kRook, a, b), straight) << a << " " << b;
      ASSERT_EQ(PieceReach(pos, -kBishop, a, b), d != 0 && !straight) << a << " " << b;
      ASSERT_EQ(PieceReach(pos, kQueen, a, b), d != 0) << a << " " << b;
    }
  }
}

TEST(Maps, LineDirections) {
  const Pins qlGap = {32, 5, 56, 63};  // board 0 on QL1, board 1 on QL4, nothing on QL3 between
  const Position flat = Empty(kGame2D), home = Empty(kGame3D), gap = Empty(kGame3D, qlGap);
  const Position homeStd = Empty(kGame3D, kHome, kStandard), gapStd = Empty(kGame3D, qlGap, kStandard);
  struct Case {
    const Position* pos;
    Square a, b;
    int direction;
  };
  const Case cases[] = {
      {&flat, 0, 63, 9}, {&flat, 7, 0, -1}, {&flat, 7, 56, 7}, {&flat, 0, 10, 0}, {&flat, 3, 59, 8},
      {&home, 32, 35, 1},  // white a1 to a4
      {&home, 32, 4, 1},   // white a1 to neutral a5
      {&home, 32, 39, 1},  // to black a8
      {&home, 33, 2, 1},   // white a2 to neutral a3
      {&home, 33, 10, 9},  // white a2 to neutral b3
      {&home, 33, 11, 0},  // a knight's step away
      {&home, 36, 4, 0},   // same projection, other level
      {&home, 32, 16, 0},  // QL1 and KL1 boards never link
      // Tournament lines cross empty pins and the far ranks.
      {&gap, 1, 6, 1},  // z1 up the column to z6
      {&gap, 7, 0, -1},
      {&gapStd, 1, 6, 0},
      {&home, 15, 23, 8},  // a9 (board 1) to d9 (board 3)
      {&home, 7, 31, 8},   // z9 to e9
      {&home, 8, 16, 8},   // a0 to d0 on rank 0
      {&homeStd, 15, 23, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(LineDir(*c.pos, c.a, c.b), c.direction) << c.a << "-" << c.b;
  EXPECT_EQ(IsBetween(flat, 0, 27, 63), 1);
  EXPECT_EQ(IsBetween(flat, 0, 63, 27), 0);
  for (const Position* pos : {&flat, &home, &gap, &gapStd}) ExpectLinesAgree(*pos);
}

TEST(Maps, LinesAgreeInRandomConfigurations) {
  std::mt19937 rng(7);
  for (int rules : {kTournament, kStandard}) {
    for (int n = 0; n < 40; ++n) {
      std::array<int, 12> order;
      for (int i = 0; i < 12; ++i) order[i] = kPinTable[i].square;
      std::shuffle(order.begin(), order.end(), rng);
      ExpectLinesAgree(Empty(kGame3D, {order[0], order[1], order[2], order[3]}, rules));
    }
  }
}

TEST(Maps, Reach2D) {
  using test::Sq;
  const Position pos = Empty(kGame2D);
  EXPECT_TRUE(PieceReach(pos, kPawn, Sq('e', 2), Sq('f', 3)));
  EXPECT_TRUE(PieceReach(pos, kPawn, Sq('e', 2), Sq('d', 3)));
  EXPECT_FALSE(PieceReach(pos, kPawn, Sq('e', 2), Sq('e', 3)));
  EXPECT_FALSE(PieceReach(pos, kPawn, Sq('e', 1), Sq('f', 2)));  // no pawn on rank 1
  EXPECT_TRUE(PieceReach(pos, -kPawn, Sq('e', 7), Sq('d', 6)));
  EXPECT_TRUE(PieceReach(pos, kKnight, 0, 10));
  EXPECT_TRUE(PieceReach(pos, -kKing, 27, 36));
  EXPECT_FALSE(PieceReach(pos, kKing, 27, 29));
}

}  // namespace
}  // namespace torvik
