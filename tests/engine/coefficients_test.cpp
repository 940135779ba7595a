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

// Rows {stage, first entry, values from there on}; stage -1 gives one value
// per stage for the first entry.
TEST(Coefficients, StatedValues) {
  struct Row {
    int stage, first;
    std::vector<int32_t> values;
  };
  const Row rows[] = {
      {-1, 0, {2000, 2295, 1912, 2000}}, {-1, 1, {2919, 355, 3000, 3000}}, {-1, 2, {1896, 2481, 1650, 1997}},
      {-1, 3, {1380, 1434, 1273, 1497}}, {-1, 4, {1974, 2175, 1877, 2000}}, {-1, 5, {1519, 1353, 1337, 1500}},
      {-1, 6, {700, 365, 602, 700}}, {-1, 7, {1500, 1655, 1501, 1500}}, {-1, 8, {3912, 3214, 3753, 3999}},
      {-1, 9, {1097, 1000, 1000, 1000}}, {-1, 42, {614, 478, 493, 499}}, {-1, 43, {62, 1156, 1102, 1000}},
      {-1, 44, {-1000, -1000, -998, -999}}, {-1, 45, {-3000, -2998, -2985, -3000}},
      {-1, 46, {10000, 10000, 10000, 10000}}, {-1, 47, {10000, 10000, 10000, 10000}},
      {-1, 1188, {2715, 2877, 2713, 3298}}, {-1, 1189, {1446, 2098, 1946, 1683}},
      {-1, 1319, {215, 561, -1237, 100}}, {-1, 1320, {-266, 200, 589, 500}},
      {-1, 1342, {30000, 30000, 30000, 30000}}, {-1, 1343, {1512, 1213, 1507, 1500}},
      {-1, 1344, {895, 1133, -5, 1000}}, {-1, 1345, {200, 200, 200, 200}}, {-1, 1346, {1997, 2178, 2024, 2000}},
      {-1, 1347, {2001, 2206, 2104, 2000}}, {-1, 1348, {1500, 1475, 1276, 1500}},
      {-1, 1349, {2345, 2102, 2540, 2500}}, {-1, 1373, {1110, 1122, 1422, 1200}},
      {-1, 1450, {535, 751, 430, 500}}, {-1, 1451, {122, 220, -1427, 500}},
      {0, 10, {0, 3000, 5996, 9000, 12000, 15000, 18000, 21000}},
      {0, 18, {0, 1000, 2000, 4000, 6000, 8000, 10000, 12000}},
      {0, 26, {0, 0, 1000, 2000, 3000, 4000, 5000, 6000}},
      {0, 34, {1771, 5827, 8615, 11946, 14963, 17991, 20993, 23988}},
      {0, 48, {366, 168, 803, 1204, 1300}}, {0, 53, {-1260, -670, 768, 958, 887, 782, -600, -1601}},
      {0, 461, {-1582}}, {0, 470, {1200}}, {0, 1081, {-3001, -2493, -482}},
      {0, 1181, {0, 10052, 40012, 41375, 60163, 119983, 800000}}, {0, 1190, {215, 495, 999, 1000}},
      {0, 1205, {-811, 922, 1985, 2993, 3999, 5000, 6000, 6000}},
      {0, 1213, {-1039, 951, 1973, 2994, 4000, 5000, 6000, 6000}},
      {0, 1221, {270, 886, 1037, 1499, 1984, 3001, 3000, 3000}},
      {0, 1229, {-2126, -127, 882, 1469, 1995, 3000, 3000, 3000}}, {0, 1237, {474, 315}},
      {0, 1239, {2000, 500, 100, 50, 0}}, {0, 1271, {227, 136, 75, 436, 723, 1125}}, {0, 1286, {3400}},
      {0, 1287, {1900, 200, 200, 0}}, {0, 1321, {-22}}, {0, 1341, {1977}}, {0, 1350, {501, 567}},
      {0, 1352, {0, 15957, 10994, 5910, 2957, 1977, 874, 0}}, {0, 1360, {7900, 5199, 2678, 1270, 872, 373}},
      {0, 1366, {0, 3900, 2496, 1386, 1356, 888, 20}}, {0, 1398, {0, 565, -2, 969, 621, 10, 0, 0}},
      {0, 1452, {500, 303, 903, 1374, 1400, 1500}},
      {0, 189 + Peak(0, 189), {592}}, {0, 253 + Peak(0, 253), {881}}, {0, 317 + Peak(0, 317), {891}},
  };
  for (const Row& r : rows) {
    for (std::size_t i = 0; i < r.values.size(); ++i) {
      const int stage = r.stage < 0 ? int(i) : r.stage, index = r.first + (r.stage < 0 ? 0 : int(i));
      EXPECT_EQ(At(stage, index), r.values[i]) << "entry " << index << " stage " << stage;
    }
  }
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
