// The move list's lines: numbered pairs, a start with Black to move, the
// marked move during a replay and which lines a short list keeps.
#include <gtest/gtest.h>

#include "support/game_files.h"
#include "ui/move_list.h"

namespace torvik::ui {
namespace {

using Lines = std::vector<MoveListLine>;

TEST(MoveList, PairsNumberedTheLastMarked) {
  auto game = test::QuietGame(kGame2D);
  test::PlayTexts(*game, {"e2e4", "e7e5", "g1f3"});
  EXPECT_EQ(MoveListLines(game->state, game->record, 4), (Lines{{"1. e4 e5", 0, 0}, {"2. Nf3", 3, 6}}));
  EXPECT_EQ(MoveListLines(game->state, game->record, 1), (Lines{{"2. Nf3", 3, 6}}));
}

TEST(MoveList, BlackToMoveStartAndReplay) {
  auto game = test::QuietGame(kGame2D, kTournament, "4k3/p7/8/8/8/8/P7/4K3 b - - 0 12");
  test::PlayTexts(*game, {"e8d7", "e1d2", "d7c6", "d2c3", "c6b5"});
  const Lines all = {{"12. ... Kd7", 0, 0}, {"13. Kd2 Kc6", 0, 0}, {"14. Kc3 Kb5", 8, 11}};
  EXPECT_EQ(MoveListLines(game->state, game->record, 4), all);
  {
    ConsoleCapture quiet;
    ReplayStep(*game, -4);  // to the position after 12. ... Kd7
  }
  // The moves after the replayed one stay listed; a short list keeps the marked line.
  EXPECT_EQ(MoveListLines(game->state, game->record, 4),
            (Lines{{"12. ... Kd7", 8, 11}, {"13. Kd2 Kc6", 0, 0}, {"14. Kc3 Kb5", 0, 0}}));
  EXPECT_EQ(MoveListLines(game->state, game->record, 2), (Lines{{"12. ... Kd7", 8, 11}, {"13. Kd2 Kc6", 0, 0}}));
}

}  // namespace
}  // namespace torvik::ui
