// The engine's thinking in the fourth text line, M that plays at once, and a
// hint outlined in yellow. (Replay, undo and the end of a game are the
// terminal's and the game's tests; the red status line is the 2D game's.)
#include "window_fixture.h"

namespace torvik::ui {
namespace {

TEST_F(WindowTest, TheEngineThinkingAndAHint) {
  // At Master the engine shows its thinking in the fourth line; M has it play at once.
  NewGame("F2");
  ChooseFromMenu({kGameMenu, kDifficultyMenu, 4});
  std::size_t before = program_->Console().size();
  program_->Key("w");
  ASSERT_TRUE(program_->WaitForConsole("\nTorvik playing White", before, kWait));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const Image shown = program_->Settle();
  test::Keep(shown, "thinking_2d");
  EXPECT_GT(shown.Count(30, 118, 500, 150, Near(kGreenish)), 20) << "the thinking line";
  program_->Key("m");
  ASSERT_TRUE(program_->WaitForConsole("\n1. ", before, 1000)) << "M did not end the think within a second";

  // A hint outlines a move and plays nothing.
  NewGame("F2");
  ChooseFromMenu({kGameMenu, kDifficultyMenu, 0});  // Easy
  before = program_->Console().size();
  program_->Key("n");
  const Pixel hintYellow{255, 217, 0};
  for (int i = 0; i < 50 && program_->Settle().Count(0, kTextBottom, kWindowSize, kWindowSize, Near(hintYellow)) < 20; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const Image hinted = program_->Settle();
  test::Keep(hinted, "hint_2d");
  EXPECT_GT(hinted.Count(0, kTextBottom, kWindowSize, kWindowSize, Near(hintYellow)), 20) << "the hint's outline";
  EXPECT_EQ(program_->Console().find("\n1. ", before), std::string::npos) << "a hint plays nothing";
  Quit("q");
}

}  // namespace
}  // namespace torvik::ui
