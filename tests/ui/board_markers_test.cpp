// The destination markers of a selected attack board.
#include <gtest/gtest.h>

#include "board/maps.h"
#include "board/rebuild.h"
#include "ui/board_markers.h"
#include "ui_fixture.h"

namespace torvik::ui {
namespace {

// A new 3D game whose white queen's-side board has been emptied.
void EmptyBoardZero(TestUi& t) {
  ConsoleCapture quiet;
  Position& pos = t.Pos();
  for (std::size_t s : {0u, 1u, 8u, 9u}) pos.board[s] = 0;
  ASSERT_EQ(BoardToPieces(pos), 1);
  RegenMaps(pos);
  ASSERT_EQ(RegenToPieces(pos), 1);
}

TEST(BoardMarkers, PinCorners) {
  TestUi t(kGame3D);
  SpacePoint p{};
  ASSERT_TRUE(PinCorner(t.Pos(), 32, p));  // QL1: white a1's near left corner
  EXPECT_EQ(p.x, -2);
  EXPECT_EQ(p.y, -4);
  EXPECT_EQ(p.z, -2);
  ASSERT_TRUE(PinCorner(t.Pos(), 35, p));  // QL2: white a4's far left corner
  EXPECT_EQ(p.y, 0);
  ASSERT_TRUE(PinCorner(t.Pos(), 56, p));  // KL1: white d1's near right corner
  EXPECT_EQ(p.x, 2);
  EXPECT_EQ(p.y, -4);
  ASSERT_TRUE(PinCorner(t.Pos(), 29, p));  // KL4: neutral d6's far right corner
  EXPECT_EQ(p.x, 2);
  EXPECT_EQ(p.y, 2);
  EXPECT_EQ(p.z, 0);
  EXPECT_FALSE(PinCorner(t.Pos(), 41, p));
}

TEST(BoardMarkers, ABoardThatCannotMoveShowsNone) {
  TestUi t(kGame3D);
  EXPECT_TRUE(DestinationMarkers(t.Pos(), 100).empty());  // four pieces on it
}

TEST(BoardMarkers, AnEmptyBoardShowsItsFreePins) {
  TestUi t(kGame3D);
  EmptyBoardZero(t);
  std::vector<int> pins;
  for (const Marker& m : DestinationMarkers(t.Pos(), 100)) pins.push_back(m.pin);
  std::sort(pins.begin(), pins.end());
  EXPECT_EQ(pins, (std::vector<int>{2, 35}));  // QL3 and QL2; KL1 holds board 2
  t.State().rules = kStandard;
  t.Pos().rules = kStandard;
  pins.clear();
  for (const Marker& m : DestinationMarkers(t.Pos(), 100)) pins.push_back(m.pin);
  std::sort(pins.begin(), pins.end());
  EXPECT_EQ(pins, (std::vector<int>{2, 35}));
}

}  // namespace
}  // namespace torvik::ui
