#include <gtest/gtest.h>

#include "board/console.h"
#include "board/geometry.h"
#include "board/setup.h"

namespace torvik {
namespace {

Position Start3D() {
  Position pos;
  SetStartPosition(pos, kGame3D);
  return pos;
}

TEST(Geometry, LevelsOfTheStartPosition) {
  Position pos = Start3D();
  EXPECT_EQ(GetSquareLevel(pos, 32), kWhiteLevel);
  EXPECT_EQ(GetSquareLevel(pos, 63), kBlackLevel);
  EXPECT_EQ(GetSquareLevel(pos, 35), kWhiteLevel);
  EXPECT_EQ(GetSquareLevel(pos, 36), kBlackLevel);
  EXPECT_EQ(GetSquareLevel(pos, 2), kNeutralLevel);
  EXPECT_EQ(GetSquareLevel(pos, 29), kNeutralLevel);
  for (Square s : {0, 1, 8, 9, 16, 17, 24, 25}) EXPECT_EQ(GetSquareLevel(pos, s), 3) << s;
  for (Square s : {6, 7, 14, 15, 22, 23, 30, 31}) EXPECT_EQ(GetSquareLevel(pos, s), 7) << s;
}

TEST(Geometry, BoardSquaresFollowTheirPin) {
  Position pos = Start3D();
  pos.pins[0] = 2;  // QL3
  EXPECT_EQ(GetSquareLevel(pos, 9), 5);
  Projection p;
  ASSERT_TRUE(ProjectionOf(pos, 9, p));
  EXPECT_EQ(p, (Projection{1, 3}));  // a3
  pos.pins[0] = 59;                  // KL2: files d and e, ranks 4 and 5
  ASSERT_TRUE(ProjectionOf(pos, 0, p));
  EXPECT_EQ(p, (Projection{4, 4}));
  ASSERT_TRUE(ProjectionOf(pos, 9, p));
  EXPECT_EQ(p, (Projection{5, 5}));
}

TEST(Geometry, LevelIsZeroIn2D) {
  Position pos;
  SetStartPosition(pos, kGame2D);
  pos.pins = {1, 2, 3, 4};  // whatever the board fields hold
  for (Square s = 0; s < 64; ++s) EXPECT_EQ(GetSquareLevel(pos, s), 0);
}

TEST(Geometry, ProjectionsOfFixedLevels) {
  Position pos = Start3D();
  Projection p;
  ASSERT_TRUE(ProjectionOf(pos, 32, p));
  EXPECT_EQ(p, (Projection{1, 1}));  // white a1
  ASSERT_TRUE(ProjectionOf(pos, 2, p));
  EXPECT_EQ(p, (Projection{1, 3}));  // neutral a3
  ASSERT_TRUE(ProjectionOf(pos, 63, p));
  EXPECT_EQ(p, (Projection{4, 8}));  // black d8
  ASSERT_TRUE(ProjectionOf(pos, 16, p));
  EXPECT_EQ(p, (Projection{4, 0}));  // the white king on d0
  EXPECT_FALSE(ProjectionOf(pos, 64, p));
}

TEST(Geometry, AttackBoardCoordinatesMatchTheSquareRule) {
  Position pos = Start3D();
  for (int pin = 0; pin < kPins; ++pin) {
    for (int b = 0; b < 4; ++b) {
      Position p = pos;
      p.pins[b] = kPinTable[pin].square;
      Square base = kBoardBase[b];
      for (Square s : {base, base + 1, base + 8, base + 9}) {
        float x = 99, y = 99, z = 99;
        GetAttackBoardCoords(p, ColumnOf(s), RowOf(s), b, x, y, z);
        SpacePoint q;
        ASSERT_TRUE(SquareCoords(p, s, q));
        EXPECT_EQ(x, q.x) << s;
        EXPECT_EQ(y, q.y) << s;
        EXPECT_EQ(z, q.z) << s;
      }
    }
  }
}

TEST(Geometry, PinNamesAndStrings) {
  Position pos = Start3D();
  pos.pins[0] = 35;  // QL2
  EXPECT_STREQ(GetABString(pos, 9, kNotationTournament), "QL2");
  EXPECT_STREQ(GetABString(pos, 9, kNotationAlgebraic), "Q2");
  EXPECT_STREQ(GetABString(pos, 35, kNotationStandard), "QL2");
  EXPECT_STREQ(GetPinLabel(63), "k6");
  EXPECT_STREQ(GetPinLabel(33), "??");
  ConsoleCapture log;
  EXPECT_STREQ(GetABString(pos, 40, kNotationTournament), "KL6");  // falls back to board 3
  EXPECT_EQ(log.Text(), "\nNon-AB for string @ GetABString!\n");
  pos.pins[3] = 12;
  log.Clear();
  EXPECT_EQ(GetABString(pos, 40, kNotationTournament), nullptr);
  EXPECT_EQ(log.Text(), "\nNon-AB for string @ GetABString!\n\nWarning: Can't find AB string!\nUNSTABLE");
}

TEST(Geometry, BoardLookups) {
  Position pos = Start3D();
  EXPECT_EQ(WhichABOnPin(pos, 39), 1);
  EXPECT_EQ(WhichABOnPin(pos, 33), kNoSquare);
  EXPECT_EQ(GetABPin(pos, 116), 56);
  EXPECT_EQ(GetABBaseSquare(3), 22);
  EXPECT_EQ(WhiteOwns(pos, 100), 1);
  EXPECT_EQ(WhiteOwns(pos, 122), 0);
  int freeMask = 0;
  for (const PinInfo& p : kPinTable) freeMask |= GetPinBit(pos, p.square);
  EXPECT_EQ(freeMask, 1950);
  for (int code : kBoardCodes) EXPECT_EQ(IsAttackBoardHome(pos, code), 1);
  pos.pins[0] = 2;
  EXPECT_EQ(IsAttackBoardHome(pos, 100), 0);
}

TEST(Geometry, FailuresWarnAndReturnTheirValues) {
  Position pos = Start3D();
  ConsoleCapture log;
  EXPECT_EQ(GetABPin(pos, 101), kNoSquare);
  EXPECT_EQ(WhiteOwns(pos, 7), 0);
  EXPECT_EQ(IsAttackBoardHome(pos, 0), 0);
  EXPECT_EQ(log.Text(),
            "\nBad which_ab @ GenAtBoMoves\n"
            "\nWhiteOwns can't find board\n"
            "\nError! Bad attack board @ IsAttackBoardHome\nUNSTABLE");
  log.Clear();
  pos.pins[2] = 7;
  EXPECT_EQ(GetAttackBoardLevel(pos, 2), 0);
  float x = 5, y = 5, z = 5;
  GetAttackBoardCoords(pos, 0, 0, 2, x, y, z);
  EXPECT_EQ(x, 5);  // left unwritten
  GetAttackBoardCoords(pos, 0, 0, 9, x, y, z);  // computed as board 0
  EXPECT_EQ(x, -3);
  EXPECT_EQ(log.Text(),
            "\nError! Bad which_ab @ GetAttackBoardLevel\nUNSTABLE"
            "\nBad which_ab @ GetAttackBoardCoords\nUNSTABLE"
            "\nBad which_ab @ GetAttackBoardCoords\nUNSTABLE");
}

TEST(Geometry, OwnershipFollowsThePiecesOnABoard) {
  Position pos = Start3D();
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

}  // namespace
}  // namespace torvik
