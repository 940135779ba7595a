#include <gtest/gtest.h>

#include "board/console.h"
#include "board/geometry.h"
#include "board/rays.h"
#include "tests/board/ray_rule.h"

namespace torvik {
namespace {

using testing_rays::AllConfigurations;
using testing_rays::kSteps;
using testing_rays::ListsFollowRule;
using testing_rays::Make3D;
using testing_rays::Ray;
using V = std::vector<int>;

constexpr testing_rays::Pins kStart = {32, 39, 56, 63};

TEST(RayDirections, CodesSlotsAndStepsAgreeWithTheTable) {
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(kDirections[k], kSteps[k].code);
    EXPECT_EQ(DirectionSlot(kSteps[k].code), k);
    EXPECT_EQ(FileStep(kSteps[k].code), kSteps[k].file);
    EXPECT_EQ(RankStep(kSteps[k].code), kSteps[k].rank);
    EXPECT_EQ(kDirections[k ^ 8], -kDirections[k]);
  }
  for (int d : {0, 2, 3, 4, 5, 11, 16, 18, -2, -16, -18, 100})
    EXPECT_EQ(DirectionSlot(d), -1) << d;
}

TEST(RayTable, EveryConfigurationFollowsTheRule) {
  ConsoleCapture quiet;
  ResetRayCache();
  const auto all = AllConfigurations();
  ASSERT_EQ(all.size(), 11880u);
  for (const auto& pins : all) ASSERT_TRUE(ListsFollowRule(Make3D(pins)));
  const std::string log = quiet.Text();
  EXPECT_EQ(log.find("\nBuilding q1q2q3q4 #1\nBuilding q1q2q3q5 #2"), 0u);
  EXPECT_NE(log.find("#11880"), std::string::npos);
  EXPECT_EQ(log.find("DirTo"), std::string::npos) << "no warning for a valid configuration";
  ResetRayCache();
}

TEST(RayTable, StartConfigurationNamedSquares) {
  ConsoleCapture quiet;
  const Position pos = Make3D(kStart);
  EXPECT_EQ(Ray(pos, 35, 1), (V{36, 4}));  // white a4: black a5, then neutral a5
  EXPECT_EQ(Ray(pos, 32, 1), (V{33}));
  EXPECT_EQ(Ray(pos, 32, -8), (V{1}));  // white a1 to board 0's z1
  EXPECT_EQ(Ray(pos, 9, 1), (V{33}));   // board 0's a1 to white a2
  EXPECT_EQ(Ray(pos, 1, 10), (V{34, 2}));
  EXPECT_EQ(Ray(pos, 1, 1), (V{}));      // no board covers z2
  EXPECT_EQ(Ray(pos, 8, 1), (V{32, 9}));  // a0: the fixed level before the board's own a1
}

TEST(RayTable, BoardsAddTheirSquaresAfterTheFixedLevels) {
  ConsoleCapture quiet;
  // Board 0 on QL2: white a4 reaches black a5, neutral a5, then the board's a5.
  EXPECT_EQ(Ray(Make3D({35, 39, 56, 63}), 35, 1), (V{36, 4, 9}));
  // Board 0 on QL1 below board 1 on QL3.
  const Position stacked = Make3D({32, 2, 56, 63});
  EXPECT_EQ(Ray(stacked, 1, 1), (V{6}));   // z1 to z2
  EXPECT_EQ(Ray(stacked, 8, -6), (V{6}));  // a0 to z2, a knight's step
  EXPECT_EQ(Ray(stacked, 6, -1), (V{1}));
  EXPECT_TRUE(ListsFollowRule(stacked));
}

TEST(RayTable, BoardsOnQL2AndQL5ShareTheirProjections) {
  ConsoleCapture quiet;
  const Position pos = Make3D({35, 36, 56, 63});
  EXPECT_EQ(Ray(pos, 0, 1), (V{1, 7}));            // z4: own z5, the other board's z5
  EXPECT_EQ(Ray(pos, 8, 1), (V{36, 4, 9, 15}));    // a4: fixed a5s, own a5, other a5
  EXPECT_EQ(Ray(pos, 14, 1), (V{36, 4, 9, 15}));
  EXPECT_EQ(Ray(pos, 0, 8), (V{35, 3, 8, 14}));    // z4 to white, neutral, both boards' a4
  EXPECT_EQ(Ray(pos, 1, 7), (V{35, 3, 8, 14}));    // z5 likewise, one rank down
  EXPECT_TRUE(ListsFollowRule(pos));
  // The same on the king's side: boards 0 on KL2 and 3 on KL5, e4 to both e5s.
  const Position king = Make3D({59, 39, 56, 60});
  EXPECT_EQ(Ray(king, 30, 1), (V{9, 31}));
  EXPECT_EQ(Ray(king, 8, 1), (V{9, 31}));
}

TEST(RayTable, QueenSideAndKingSideBoardsNeverMeet) {
  ConsoleCapture quiet;
  const Position pos = Make3D(kStart);
  for (int s : {0, 1, 8, 9})
    for (int d : kDirections)
      for (int t : Ray(pos, s, d)) EXPECT_TRUE(t != 16 && t != 17 && t != 24 && t != 25);
}

TEST(RayTable, BadDirectionsAndSquaresGiveEmptyLists) {
  const Position pos = Make3D(kStart);
  DirTo(pos);
  RayList list;
  const std::pair<int, const char*> cases[] = {
      {0, "\nNULL 3d direction\n"}, {2, "\nunknown 3d direction\n"},
      {-18, "\nunknown 3d direction\n"}, {1000, "\nunknown 3d direction\n"}};
  for (auto [direction, message] : cases) {
    ConsoleCapture log;
    list.count = 3;
    EXPECT_EQ(GetRay(pos, 35, direction, list), 0);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(log.Text(), message);
  }
  ConsoleCapture log;
  for (int s : {64, 65, -1, 1 << 20}) EXPECT_EQ(GetRay(pos, s, 1, list), 0) << s;
  EXPECT_EQ(log.Text(), "");
}

TEST(RayTable, UnplaceableBoardsAreReportedAndLeftUnlinked) {
  ResetRayCache();
  ConsoleCapture log;
  const Position pos = Make3D({32, 99, 56, 63});
  EXPECT_TRUE(ListsFollowRule(pos));  // board 1 does not exist, so nothing reaches it
  const std::string u = "\nUNSTABLE";
  EXPECT_EQ(log.Text(), "\nBuilding q1??k1k6 #1" "\nError! QL1 @ DirTo" + u +
                            "\nBad outer board @ DirTo" + u +
                            "\nError! Bad inner board @ DirTo" + u +
                            "\nError! Bad inner board @ DirTo" + u +
                            "\nError! Bad inner board @ DirTo" + u +
                            "\nError! KL1 @ DirTo" + u + "\nError! KL6 @ DirTo" + u);
  ResetRayCache();
}

TEST(RayTable, BoardsStackedOnOnePinStayWithinTheirLists) {
  ConsoleCapture log;
  // Three boards over white a4's file: the rule would ask for a fifth entry.
  for (const testing_rays::Pins& pins : {testing_rays::Pins{35, 35, 36, 63}, {35, 36, 35, 36},
                                         {2, 2, 2, 2}, {0, 0, 0, 0}}) {
    const Position pos = Make3D(pins);
    for (int s = 0; s < 64; ++s)
      for (int d : kDirections)
        for (int t : Ray(pos, s, d)) EXPECT_TRUE(t >= 0 && t < 64);
  }
  EXPECT_NE(log.Text().find("\nError! QL2 @ DirTo\nUNSTABLE"), std::string::npos);
  ResetRayCache();
}

TEST(RayLookup2D, OneSquareWhileTheStepStaysOnTheBoard) {
  Position pos;
  pos.gameMode = kGame2D;
  pos.pins = {2, 2, 2, 2};  // the attack-board fields mean nothing in this game
  ConsoleCapture log;
  for (int s = 0; s < 64; ++s) {
    for (const auto& step : kSteps) {
      const int file = s / 8 + step.file, rank = s % 8 + step.rank;
      const bool on = file >= 0 && file < 8 && rank >= 0 && rank < 8;
      EXPECT_EQ(Ray(pos, s, step.code), on ? V{file * 8 + rank} : V{}) << s << " " << step.code;
    }
  }
  EXPECT_EQ(Ray(pos, 7, 1), V{});
  EXPECT_EQ(Ray(pos, 0, 17), V{17});
  EXPECT_EQ(Ray(pos, 64, -1), V{});
  EXPECT_EQ(log.Text(), "") << "no table is built for the 2D game";
  RayList list;
  EXPECT_EQ(GetRay(pos, 9, 0, list), 0);
  EXPECT_EQ(GetRay(pos, 9, 16, list), 0);
  EXPECT_EQ(log.Text(), "\nNULL 2d direction\n\nunknown 2d direction\n");
}

}  // namespace
}  // namespace torvik
