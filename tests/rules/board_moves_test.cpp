#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "board/console.h"
#include "board/geometry.h"
#include "record/move_text.h"
#include "rules/board_moves.h"
#include "rules/perft.h"
#include "support/positions.h"

namespace torvik {
namespace {

using test::Board3D;

Position Build(std::initializer_list<std::pair<Square, char>> pieces, const char* rest, int rules) {
  Position pos;
  pos.rules = rules;
  std::string error;
  EXPECT_TRUE(ParsePosition(Board3D(pieces) + " " + rest, kGame3D, pos, error)) << error;
  return pos;
}

std::vector<std::string> BoardMoves(const Position& pos, int code) {
  MoveList list;
  const int n = GenAtBoMoves(pos, code, list, 0);
  std::vector<std::string> texts;
  for (int i = 0; i < n; ++i) texts.push_back(FormatMoveText(pos, list[i]));
  return texts;
}

using Texts = std::vector<std::string>;

TEST(BoardMoves, EmptyBoardsGoBothWaysAndSidewaysUnderTournament) {
  Position t = Build({{16, 'K'}, {23, 'k'}}, "w QL3,QL6,KL2,KL6 wbwb - -", kTournament);
  EXPECT_EQ(BoardMoves(t, 100), (Texts{"100:QL3-QL1", "100:QL3-QL2", "100:QL3-QL4", "100:QL3-QL5",
                                       "100:QL3-KL3"}));
  Position s = Build({{16, 'K'}, {23, 'k'}}, "w QL3,QL6,KL2,KL6 wbwb - -", kStandard);
  EXPECT_EQ(BoardMoves(s, 100), (Texts{"100:QL3-QL1", "100:QL3-QL2", "100:QL3-QL4", "100:QL3-QL5"}));
}

TEST(BoardMoves, OccupiedPinsAreNotDestinations) {
  // Board 2 on KL2 blocks nothing on the queen's side; board 1 on QL4 does.
  Position pos = Build({{16, 'K'}, {23, 'k'}}, "w QL3,QL4,KL1,KL6 wbwb - -", kTournament);
  EXPECT_EQ(BoardMoves(pos, 100), (Texts{"100:QL3-QL1", "100:QL3-QL2", "100:QL3-QL5", "100:QL3-KL3"}));
}

TEST(BoardMoves, CarriedPiecesDecideTheDirection) {
  // White knight on board 0 (QL3): forward and sideways under Tournament; never under Standard.
  const char* rest = "w QL3,QL6,KL2,KL6 wbwb - -";
  Position t = Build({{17, 'K'}, {23, 'k'}, {9, 'N'}}, rest, kTournament);
  EXPECT_EQ(BoardMoves(t, 100), (Texts{"100:QL3-QL2", "100:QL3-QL4", "100:QL3-QL5", "100:QL3-KL3"}));
  Position s = Build({{17, 'K'}, {23, 'k'}, {9, 'N'}}, rest, kStandard);
  EXPECT_EQ(BoardMoves(s, 100), Texts{});
  // One white pawn: Standard lets the board move, forward only.
  Position pawn = Build({{17, 'K'}, {23, 'k'}, {9, 'P'}}, rest, kStandard);
  EXPECT_EQ(BoardMoves(pawn, 100), (Texts{"100:QL3-QL2", "100:QL3-QL4", "100:QL3-QL5"}));
  // A black piece on a board makes it black's, moving backward.
  Position black = Build({{17, 'K'}, {23, 'k'}, {9, 'n'}}, "b QL3,QL6,KL2,KL6 wbwb - -", kTournament);
  EXPECT_EQ(BoardMoves(black, 100), (Texts{"100:QL3-QL1", "100:QL3-KL3"}));
}

TEST(BoardMoves, TwoPiecesOrTheOtherSideNeverMove) {
  for (int rules : {kTournament, kStandard}) {
    Position two = Build({{17, 'K'}, {23, 'k'}, {9, 'P'}, {1, 'P'}}, "w QL3,QL6,KL2,KL6 wbwb - -", rules);
    EXPECT_EQ(BoardMoves(two, 100), Texts{});
    Position theirs = Build({{17, 'K'}, {23, 'k'}}, "b QL3,QL6,KL2,KL6 wbwb - -", rules);
    EXPECT_EQ(BoardMoves(theirs, 100), Texts{});
  }
  Position king = Build({{16, 'K'}, {23, 'k'}}, "w QL1,QL6,KL1,KL6 wbwb - -", kStandard);
  EXPECT_EQ(BoardMoves(king, 116), Texts{});
}

TEST(BoardMoves, BadCodesWarn) {
  Position pos = Build({{16, 'K'}, {23, 'k'}}, "w QL1,QL6,KL1,KL6 wbwb - -", kTournament);
  ConsoleCapture log;
  MoveList list;
  EXPECT_EQ(GenAtBoMoves(pos, 101, list, 0), 0);
  int direction;
  EXPECT_EQ(BoardCanMove(pos, 7, direction), 0);
  EXPECT_EQ(log.Text(),
            "\nBad which_ab @ GenAtBoMoves\n\nbad board @ BoardCanMove\nUNSTABLE"
            "\nbad board @ BoardCanMove\nUNSTABLE");
}

// Counts every move of `pos` whose text starts with `prefix`.
int CountMoves(Position pos, const std::string& prefix) {
  MoveList list;
  const int n = LegalMoves(pos, list);
  int count = 0;
  for (int i = 0; i < n; ++i) count += FormatMoveText(pos, list[i]).rfind(prefix, 0) == 0;
  return count;
}

TEST(BoardMoves, PromotionByABoardMoveCountsFourTimes) {
  // Board 1 (black, on QL3) carries a black pawn on its lower rank to QL1.
  Position pos = Build({{17, 'K'}, {31, 'k'}, {6, 'p'}}, "b QL2,QL3,KL1,KL6 wbwb - -", kTournament);
  EXPECT_EQ(CountMoves(pos, "106:QL3-QL1"), 4);
  EXPECT_EQ(CountMoves(pos, "106:QL3-QL1=N"), 1);
}

}  // namespace
}  // namespace torvik
