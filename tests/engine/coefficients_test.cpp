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
int Sq(int column, int row) { return 8 * column + row; }

const int kCentre[] = {Sq(3, 3), Sq(3, 4), Sq(4, 3), Sq(4, 4)};
const int kCorners[] = {Sq(0, 0), Sq(0, 7), Sq(7, 0), Sq(7, 7)};

bool OnEdge(int sq) { return sq / 8 == 0 || sq / 8 == 7 || sq % 8 == 0 || sq % 8 == 7; }

// The square of a 64-entry table's largest value (the first, on a tie).
int Peak(int stage, int first) {
  const auto& block = CoefficientBlock(stage);
  return static_cast<int>(std::max_element(block.begin() + first, block.begin() + first + 64) -
                          (block.begin() + first));
}

TEST(Coefficients, SingleWeightsInEveryStage) {
  struct Case {
    int index;
    std::array<int32_t, kStages> byStage;
  };
  const Case cases[] = {
      {0, {2000, 2295, 1912, 2000}},     {1, {2919, 355, 3000, 3000}},
      {2, {1896, 2481, 1650, 1997}},     {3, {1380, 1434, 1273, 1497}},
      {4, {1974, 2175, 1877, 2000}},     {5, {1519, 1353, 1337, 1500}},
      {6, {700, 365, 602, 700}},         {7, {1500, 1655, 1501, 1500}},
      {8, {3912, 3214, 3753, 3999}},     {9, {1097, 1000, 1000, 1000}},
      {42, {614, 478, 493, 499}},        {43, {62, 1156, 1102, 1000}},
      {44, {-1000, -1000, -998, -999}},  {45, {-3000, -2998, -2985, -3000}},
      {46, {10000, 10000, 10000, 10000}}, {47, {10000, 10000, 10000, 10000}},
      {1188, {2715, 2877, 2713, 3298}},  {1189, {1446, 2098, 1946, 1683}},
      {1319, {215, 561, -1237, 100}},    {1320, {-266, 200, 589, 500}},
      {1342, {30000, 30000, 30000, 30000}}, {1343, {1512, 1213, 1507, 1500}},
      {1344, {895, 1133, -5, 1000}},     {1345, {200, 200, 200, 200}},
      {1346, {1997, 2178, 2024, 2000}},  {1347, {2001, 2206, 2104, 2000}},
      {1348, {1500, 1475, 1276, 1500}},  {1349, {2345, 2102, 2540, 2500}},
      {1373, {1110, 1122, 1422, 1200}},  {1450, {535, 751, 430, 500}},
      {1451, {122, 220, -1427, 500}},
  };
  for (const Case& c : cases) {
    for (int stage = 0; stage < kStages; ++stage) {
      EXPECT_EQ(At(stage, c.index), c.byStage[stage]) << "entry " << c.index << " stage " << stage;
    }
  }
}

TEST(Coefficients, OpeningVectors) {
  struct Case {
    int first;
    std::vector<int32_t> values;
  };
  const Case cases[] = {
      {10, {0, 3000, 5996, 9000, 12000, 15000, 18000, 21000}},
      {18, {0, 1000, 2000, 4000, 6000, 8000, 10000, 12000}},
      {26, {0, 0, 1000, 2000, 3000, 4000, 5000, 6000}},
      {34, {1771, 5827, 8615, 11946, 14963, 17991, 20993, 23988}},
      {48, {366, 168, 803, 1204, 1300}},
      {53, {-1260, -670, 768, 958, 887, 782, -600, -1601}},
      {461, {-1582}}, {461 + 9, {1200}},            // bishop attacked squares, row 0
      {1021 + 6 * 10, {-3001, -2493, -482}},        // queen controlled squares, row 6
      {1181, {0, 10052, 40012, 41375, 60163, 119983, 800000}},
      {1190, {215, 495, 999, 1000}},
      {1205, {-811, 922, 1985, 2993, 3999, 5000, 6000, 6000}},
      {1213, {-1039, 951, 1973, 2994, 4000, 5000, 6000, 6000}},
      {1221, {270, 886, 1037, 1499, 1984, 3001, 3000, 3000}},
      {1229, {-2126, -127, 882, 1469, 1995, 3000, 3000, 3000}},
      {1237, {474, 315}},
      {1239, {2000, 500, 100, 50, 0}},
      {1271, {227, 136, 75, 436, 723, 1125}}, {1286, {3400}},
      {1287, {1900, 200, 200, 0}},
      {1321, {-22}}, {1341, {1977}},
      {1350, {501, 567}},
      {1352, {0, 15957, 10994, 5910, 2957, 1977, 874, 0}},
      {1360, {7900, 5199, 2678, 1270, 872, 373}},
      {1366, {0, 3900, 2496, 1386, 1356, 888, 20}},
      {1374 + 3 * 8, {0, 565, -2, 969, 621, 10, 0, 0}},  // pawns on column 3
      {1452, {500, 303, 903, 1374, 1400, 1500}},
  };
  for (const Case& c : cases) {
    for (std::size_t i = 0; i < c.values.size(); ++i) {
      EXPECT_EQ(At(0, c.first + static_cast<int>(i)), c.values[i]) << "entry " << c.first + i;
    }
  }
}

TEST(Coefficients, MaterialAgreesWithTheBookkeeping) {
  for (int code = -kKing; code <= kKing; ++code) {
    EXPECT_EQ(PieceValueCoefficient(code), PieceValue(code)) << code;
  }
}

TEST(Coefficients, PassedPathTriangle) {
  const int starts[] = {0, 6, 11, 15, 18, 20};  // rows 1..6
  for (int row = 1; row <= 6; ++row) EXPECT_EQ(PassedPathStart(row), starts[row - 1]) << row;
}

// Row tables whose meaning fixes a direction, in every stage, give or take the
// few units of noise that tuning leaves (3001 before 3000).
TEST(Coefficients, RowTablesRunOneWay) {
  const int32_t noise = 5;
  struct Case {
    int first, count;
    bool rising;
    const char* meaning;
  };
  const Case cases[] = {
      {10, 8, true, "king off its back row, opening"},
      {18, 8, true, "king off its back row, middle game"},
      {26, 8, true, "distance between the kings"},
      {34, 8, true, "officer without control, by row"},
      {1190, 15, true, "overloaded defender"},
      {1205, 8, true, "zone attackers, engine's king"},
      {1213, 8, true, "zone attackers, opponent's king"},
      {1221, 8, true, "zone attackers, engine's king, queen on"},
      {1229, 8, true, "zone attackers, opponent's king, queen on"},
      {1239, 32, false, "trade-down by pieces"},
      {1273, 14, true, "officer attacks, from two on"},
      {1287, 32, false, "trade-down correction by pawns"},
      {1353, 7, false, "passed pawn, rows to promotion 1..7"},
      {1360, 6, false, "connected passer, rows to promotion 1..6"},
      {1367, 6, false, "open pawn, rows to promotion 1..6"},
      {1453, 15, true, "backward pawn by attackers 1..15"},
  };
  for (int stage = 0; stage < kStages; ++stage) {
    for (const Case& c : cases) {
      for (int i = c.first + 1; i < c.first + c.count; ++i) {
        int32_t step = c.rising ? At(stage, i) - At(stage, i - 1) : At(stage, i - 1) - At(stage, i);
        EXPECT_GE(step, -noise) << c.meaning << ", stage " << stage << ", entry " << i;
      }
    }
  }
}

// More squares never hurt a knight, bishop, rook or queen (the king is left
// out: early on, a king that sees much is an exposed king).
TEST(Coefficients, MobilityNeverPunishesSquares) {
  const int tables[] = {381, 461, 541, 621, 781, 861, 941, 1021};
  for (int stage = 0; stage < kStages; ++stage) {
    for (int first : tables) {
      for (int row = 0; row < 8; ++row) {
        for (int n = 1; n < 10; ++n) {
          int i = first + row * 10 + n;
          EXPECT_LE(At(stage, i - 1), At(stage, i)) << "stage " << stage << ", entry " << i;
        }
      }
    }
  }
}

TEST(Coefficients, RookWantsTheSeventhRow) {
  for (int stage = 0; stage < kStages; ++stage) {
    int32_t lowestOnSeventh = At(stage, 61 + Sq(0, 6)), highestElsewhere = INT32_MIN;
    for (int sq = 0; sq < 64; ++sq) {
      if (sq % 8 == 6) lowestOnSeventh = std::min(lowestOnSeventh, At(stage, 61 + sq));
      else highestElsewhere = std::max(highestElsewhere, At(stage, 61 + sq));
    }
    EXPECT_GT(lowestOnSeventh, highestElsewhere) << "stage " << stage;
  }
  for (int column = 0; column < 8; ++column) {
    EXPECT_NEAR(At(0, 61 + Sq(column, 6)), 2000, 200) << column;
    EXPECT_NEAR(At(0, 61 + Sq(column, 7)), 500, 200) << column;
  }
}

TEST(Coefficients, KnightWantsTheCentre) {
  for (int stage = 0; stage < kStages; ++stage) {
    for (int corner : kCorners) EXPECT_LT(At(stage, 125 + corner), 0) << "stage " << stage;
    for (int centre : kCentre) {
      EXPECT_GT(At(stage, 125 + centre), 0) << "stage " << stage;
      for (int sq = 0; sq < 64; ++sq) {
        if (OnEdge(sq)) {
          EXPECT_GT(At(stage, 125 + centre), At(stage, 125 + sq)) << "stage " << stage << ", square " << sq;
        }
      }
    }
  }
  for (int corner : kCorners) {
    EXPECT_GE(At(0, 125 + corner), -700);
    EXPECT_LE(At(0, 125 + corner), -300);
  }
  for (int centre : kCentre) EXPECT_NEAR(At(0, 125 + centre), 600, 100);
}

TEST(Coefficients, ControlPeaksInTheCentre) {
  for (int stage = 0; stage < kStages; ++stage) {
    EXPECT_NE(std::find(std::begin(kCentre), std::end(kCentre), Peak(stage, 189)), std::end(kCentre))
        << "stage " << stage;
  }
  EXPECT_EQ(At(0, 189 + Peak(0, 189)), 592);
}

// The extra for holding squares near a king peaks where that king stands
// castled: columns 4..7 (short) or 0..2 (long), rows 0..2.
TEST(Coefficients, KingZonesPeakByTheirKing) {
  for (int stage = 0; stage < kStages; ++stage) {
    int kingSide = Peak(stage, 253), queenSide = Peak(stage, 317);
    EXPECT_GE(kingSide / 8, 4) << stage;
    EXPECT_LE(kingSide % 8, 2) << stage;
    EXPECT_LE(queenSide / 8, 2) << stage;
    EXPECT_LE(queenSide % 8, 2) << stage;
  }
  EXPECT_EQ(At(0, 253 + Peak(0, 253)), 881);
  EXPECT_EQ(At(0, 317 + Peak(0, 317)), 891);
}

TEST(Coefficients, ShelterItemsInTheOpening) {
  for (int i = 1438; i <= 1443; ++i) {
    EXPECT_GE(At(0, i), 1200) << i;
    EXPECT_LE(At(0, i), 1500) << i;
  }
  for (int i = 1444; i <= 1449; ++i) {
    EXPECT_GE(At(0, i), 1400) << i;
    EXPECT_LE(At(0, i), 1500) << i;
  }
}

// A centralised king beats one on the edge in every stage; the gap is wider
// in the ending than in the opening.
TEST(Coefficients, KingCentralisation) {
  for (int stage = 0; stage < kStages; ++stage) {
    for (int centre : {56, 57}) {
      for (int edge : {53, 60}) EXPECT_GT(At(stage, centre), At(stage, edge)) << "stage " << stage;
    }
  }
  auto spread = [](int stage) { return At(stage, 56) + At(stage, 57) - At(stage, 53) - At(stage, 60); };
  EXPECT_GT(spread(2), spread(0));
}

TEST(Coefficients, StagesDifferWhereTheGameDoes) {
  for (int i = 1438; i <= 1449; ++i) EXPECT_LT(At(2, i), At(0, i)) << "shelter item " << i;
  for (int i = 1353; i <= 1358; ++i) EXPECT_GT(At(2, i), At(0, i)) << "passed pawn " << i;
  for (int i = 1222; i <= 1228; ++i) EXPECT_LT(At(2, i), At(1, i)) << "king attackers " << i;
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
