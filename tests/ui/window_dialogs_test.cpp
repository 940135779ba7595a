// The window's menus and dialogs under Xvfb: menu choices and their labels,
// the board editor from the menu, the promotion dialog. (Saving and the file
// chooser are the dialogs' and keys' tests without a window.)
#include "ui/promotion_dialog.h"
#include "window_fixture.h"

namespace torvik::ui {
namespace {

TEST_F(WindowTest, MenusFilesAndDialogs) {
  // The right-button menu: a difficulty, the engine playing both sides, a view
  // setting; the chosen entries show in capitals the next time the menu opens.
  program_->Key("F10");
  const Image start = program_->Settle();
  const Shown before = ChooseFromMenu({kGameMenu, kDifficultyMenu, 0});  // Easy
  const Shown after = ChooseFromMenu({kGameMenu, kDifficultyMenu, 0});
  test::Keep(after.image, "menu_difficulty_easy");
  ASSERT_EQ(after.left, before.left);
  EXPECT_GT(EntryInk(after.image, after.left, after.top, 0), EntryInk(before.image, before.left, before.top, 0))
      << "Easy became EASY";
  EXPECT_LT(EntryInk(after.image, after.left, after.top, 2), EntryInk(before.image, before.left, before.top, 2))
      << "HARD became hard";
  // The view: orthographic changes the picture, Reset View brings it back.
  ChooseFromMenu({kViewMenu, 0, 1});
  EXPECT_FALSE(BoardUnchanged(start, program_->Settle()));
  ChooseFromMenu({kViewMenu, 5});
  EXPECT_TRUE(BoardUnchanged(start, program_->Settle()));
  // Plays both: the engine plays White's first move by itself.
  std::size_t at = program_->Console().size();
  ChooseFromMenu({kGameMenu, kTorvikMenu, 2});
  EXPECT_TRUE(program_->WaitForConsole("\n1. ", at, kWait)) << program_->Console();
  program_->Key("F10");
  const Shown plays = ChooseFromMenu({kGameMenu, kTorvikMenu, 3});  // and stop it
  test::Keep(plays.image, "menu_plays_both");
  EXPECT_GT(EntryInk(plays.image, plays.left, plays.top, 2), EntryInk(plays.image, plays.left, plays.top, 0))
      << "PLAYS BOTH against plays white";

  // The board editor from the Edit menu sets up a promotion; the mouse's
  // promotion asks with the dialog, and ROOK makes a rook.
  NewGame("F2");
  ClearBoard();
  Place({kEditMenu, kAddWhite, kAddKing}, 32, "\nset white K at 32");
  Place({kEditMenu, kAddBlack, kAddKing}, 39, "\nset black K at 39");
  Place({kEditMenu, kAddWhite, kAddPawn}, 6, "\nset white P at 6");
  test::Keep(program_->Settle(), "edited_2d");
  at = program_->Console().size();
  ClickSquare(kGame2D, 6);
  program_->Settle();
  ClickSquare(kGame2D, 7);
  const Image dialog = program_->Settle();
  test::Keep(dialog, "promotion_dialog");
  EXPECT_EQ(program_->Console().size(), at) << "nothing played before the answer";
  EXPECT_GT(dialog.Count(300, 330, 500, 470, Near(Pixel{212, 212, 212})), 5000) << "the dialog's face";
  program_->Key("u");  // held by the dialog
  const DialogFrame f = PromotionFrame(kWindowSize, kWindowSize);
  program_->Click(f.left + (71 + kButtonWidth / 2) * f.unit, f.BodyTop() + (7 + kButtonHeight / 2) * f.unit);
  ASSERT_TRUE(program_->WaitForConsole("\n1. a8R", at, kWait)) << program_->Console();
  EXPECT_EQ(program_->Console().find("move undone", at), std::string::npos);

  // A menu held open while the engine plays both sides and a new game starts
  // from the keyboard: its labels change only once it closes, and the program lives.
  program_->Key("F2");
  program_->Click(kMenuX, kMenuY, 3);
  program_->Settle();
  at = program_->Console().size();
  program_->Key("F9");
  ASSERT_TRUE(program_->WaitForConsole("\n2. ", at, kWait)) << program_->Console();
  at = program_->Console().size();
  program_->Key("F3");
  ASSERT_TRUE(program_->WaitForConsole("\nTorvik V2.80", at, kWait)) << program_->Console();
  program_->Settle();
  program_->Click(kWindowSize - 5, kWindowSize - 5);  // closes the menu
  program_->Settle();
  Quit("q");
}

}  // namespace
}  // namespace torvik::ui
