// The evaluation's weights: the values the program is built around, and the
// shapes its tables must keep however they are tuned.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/console.h"
#include "board/piece_values.h"
#include "engine/coefficients.h"

namespace torvik {
namespace {

int32_t At(int stage, int index) { return CoefficientBlock(stage)[index]; }

// The square (8 * column + row) of a 64-entry table's largest value.
int Peak(int stage, int first) {
  const auto& b = CoefficientBlock(stage);
  return int(std::max_element(b.begin() + first, b.begin() + first + 64) - (b.begin() + first));
}

// The piece values the evaluation reads from the table are the ones the
// rest of the program counts material with. (The table's values themselves
// are the bench signature's to hold.)
TEST(Coefficients, PieceValuesAgree) {
  for (int code = -kKing; code <= kKing; ++code) EXPECT_EQ(PieceValueCoefficient(code), PieceValue(code)) << code;
}

// Row tables whose meaning fixes a direction, in every stage, give or take the
// few units of noise tuning leaves; more squares never hurt a knight, bishop,
// rook or queen (the king is left out: early on, a king that sees much is an
// exposed king).
TEST(Coefficients, TablesRunOneWay) {
  struct Run {
    int first, count, sign;  // +1 rising, -1 falling
  };
  std::vector<Run> runs = {{10, 8, 1},    {18, 8, 1},    {26, 8, 1},    {34, 8, 1},    {1190, 15, 1},
                           {1205, 8, 1},  {1213, 8, 1},  {1221, 8, 1},  {1229, 8, 1},  {1239, 32, -1},
                           {1273, 14, 1}, {1287, 32, -1}, {1353, 7, -1}, {1360, 6, -1}, {1367, 6, -1},
                           {1453, 15, 1}};
  const size_t rowTables = runs.size();
  for (int first : {381, 461, 541, 621, 781, 861, 941, 1021})
    for (int row = 0; row < 8; ++row) runs.push_back({first + 10 * row, 10, 1});
  for (int stage = 0; stage < kStages; ++stage)
    for (size_t r = 0; r < runs.size(); ++r)
      for (int i = runs[r].first + 1; i < runs[r].first + runs[r].count; ++i)
        EXPECT_GE(runs[r].sign * (At(stage, i) - At(stage, i - 1)), r < rowTables ? -5 : 0)
            << "stage " << stage << ", entry " << i;
}

// The rook wants the seventh row, the knight the centre, square control peaks
// in the centre, a king zone where its king stands castled (columns 4..7 or
// 0..2, rows 0..2), a king the centre (more so in the ending); the ending
// values the shelter less, the passer more.
TEST(Coefficients, ShapesInEveryStage) {
  const int centre[] = {27, 28, 35, 36};
  auto isCentre = [&](int sq) { return std::find(std::begin(centre), std::end(centre), sq) != std::end(centre); };
  for (int stage = 0; stage < kStages; ++stage) {
    SCOPED_TRACE(stage);
    int32_t seventh = INT32_MAX, elsewhere = INT32_MIN;
    for (int sq = 0; sq < 64; ++sq) {
      if (sq % 8 == 6) seventh = std::min(seventh, At(stage, 61 + sq));
      else elsewhere = std::max(elsewhere, At(stage, 61 + sq));
      const bool edge = sq / 8 == 0 || sq / 8 == 7 || sq % 8 == 0 || sq % 8 == 7;
      for (int c : centre) EXPECT_TRUE(!edge || At(stage, 125 + c) > At(stage, 125 + sq)) << sq;
    }
    EXPECT_GT(seventh, elsewhere);
    for (int corner : {0, 7, 56, 63}) EXPECT_LT(At(stage, 125 + corner), 0);
    for (int c : centre) EXPECT_GT(At(stage, 125 + c), 0);
    EXPECT_TRUE(isCentre(Peak(stage, 189)));
    const int kingSide = Peak(stage, 253), queenSide = Peak(stage, 317);
    EXPECT_TRUE(kingSide / 8 >= 4 && kingSide % 8 <= 2 && queenSide / 8 <= 2 && queenSide % 8 <= 2);
    for (int c : {56, 57})
      for (int e : {53, 60}) EXPECT_GT(At(stage, c), At(stage, e));
  }
  auto spread = [](int stage) { return At(stage, 56) + At(stage, 57) - At(stage, 53) - At(stage, 60); };
  EXPECT_GT(spread(2), spread(0));
  for (int i = 1438; i <= 1449; ++i) {
    EXPECT_LT(At(2, i), At(0, i)) << i;
    EXPECT_TRUE(At(0, i) >= (i < 1444 ? 1200 : 1400) && At(0, i) <= 1500) << i;
  }
  for (int i = 1353; i <= 1358; ++i) EXPECT_GT(At(2, i), At(0, i)) << i;
  for (int i = 1222; i <= 1228; ++i) EXPECT_LT(At(2, i), At(1, i)) << i;
  for (int column = 0; column < 8; ++column) {
    EXPECT_NEAR(At(0, 61 + 8 * column + 6), 2000, 200);
    EXPECT_NEAR(At(0, 61 + 8 * column + 7), 500, 200);
  }
  for (int corner : {0, 7, 56, 63}) EXPECT_NEAR(At(0, 125 + corner), -500, 200);
  for (int c : centre) EXPECT_NEAR(At(0, 125 + c), 600, 100);
}

TEST(Coefficients, StartUpCheck) {
  ConsoleCapture capture;
  EXPECT_EQ(CheckCoefficients(), 1);
  EXPECT_EQ(capture.Text(), "");
  EXPECT_EQ(CheckCoefficientCount(1467), 0);
  EXPECT_EQ(capture.Text(), "\ncoefficients table corrupt 1467 1468");
}

}  // namespace
}  // namespace torvik
