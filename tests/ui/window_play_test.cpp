// A game between two people at one screen: undo during a replay, and a
// stalemate on an edited board; the engine's thinking line, and a hint.
#include "window_fixture.h"

namespace torvik::ui {
namespace {

TEST_F(WindowTest, TwoPeopleAtOneScreen) {
  // U in a replay leaves it first: the next F7 steps back from the new end,
  // rather than on from the old replay, and F8 comes back to it.
  NewGame("F2");
  ClickMove(kGame2D, 33, 35);               // e4
  ClickMove(kGame2D, 38, 36, "\n1. ... ");  // e5
  ClickMove(kGame2D, 48, 42, "\n2. ");      // Nf3
  std::size_t before = program_->Console().size();
  for (const char* key : {"F7", "F7", "F7", "u"}) program_->Key(key);
  ASSERT_TRUE(program_->WaitForConsole("move undone", before, kWait));
  const Image undone = program_->Settle();
  program_->Key("F7");
  EXPECT_FALSE(BoardUnchanged(undone, program_->Settle())) << "F7 after U did not step back";
  program_->Key("F8");
  EXPECT_TRUE(BoardUnchanged(undone, program_->Settle())) << "F8 did not come back to the end";
  ClickMove(kGame2D, 48, 42, "\n2. Nf3");

  // White king g6, queen f1, black king h8: Qf7 stalemates (the mate is the 2D
  // game's test).
  NewGame("F2");
  ClearBoard();
  Place({kEditMenu, kAddWhite, kAddKing}, 53, "\nset white K at 53");
  Place({kEditMenu, kAddBlack, kAddKing}, 63, "\nset black K at 63");
  Place({kEditMenu, kAddWhite, kAddQueen}, 40, "\nset white Q at 40");
  before = program_->Console().size();
  ClickMove(kGame2D, 40, 46);
  ASSERT_TRUE(program_->WaitForConsole("\n1. Qf7\nStalemate\n1/2-1/2", before, kWait)) << program_->Console();
  Image shown = program_->Settle();
  test::Keep(shown, "stalemate_2d");
  EXPECT_GT(RedInStatusLine(shown), 20) << "STALEMATE in red";
  ClickSquare(kGame2D, 63);  // the stalemated king:
  ClickSquare(kGame2D, 62);  // nowhere to go
  program_->Settle();
  EXPECT_EQ(program_->Console().find("\n1. ... ", before), std::string::npos) << program_->Console();

  // At Master the engine shows its thinking in the fourth line; M has it play at once.
  NewGame("F2");
  ChooseFromMenu({kGameMenu, kDifficultyMenu, 4});
  before = program_->Console().size();
  program_->Key("w");
  ASSERT_TRUE(program_->WaitForConsole("\nTorvik playing White", before, kWait));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  shown = program_->Settle();
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
