// The window's menus and dialogs under Xvfb: menu choices and their labels,
// saving and restoring, the file chooser, the board editor and the promotion dialog.
#include "ui/promotion_dialog.h"
#include "window_fixture.h"

namespace torvik::ui {
namespace {

// The right-button menu: a difficulty, the engine playing both sides, a view
// setting; the chosen entries show in capitals the next time the menu opens.
TEST_F(WindowTest, MenuChoicesTakeEffectAndShowInTheLabels) {
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
  const std::size_t before_ = program_->Console().size();
  ChooseFromMenu({kGameMenu, kTorvikMenu, 2});
  EXPECT_TRUE(program_->WaitForConsole("\n1. ", before_, kWait)) << program_->Console();
  program_->Key("F10");
  const Shown plays = ChooseFromMenu({kGameMenu, kTorvikMenu, 3});  // and stop it
  test::Keep(plays.image, "menu_plays_both");
  EXPECT_GT(EntryInk(plays.image, plays.left, plays.top, 2), EntryInk(plays.image, plays.left, plays.top, 0))
      << "PLAYS BOTH against plays white";
  Quit("q");
}

// Alt+S saves, a move, Alt+R brings the saved position back.
TEST_F(WindowTest, QuickSaveAndRestore) {
  program_->Key("F2");
  ASSERT_TRUE(program_->WaitForConsole("\nTorvik V2.80\n\n", 0, kWait));
  program_->Key("F10");
  std::size_t before = program_->Console().size();
  program_->Key("alt+s");
  ASSERT_TRUE(program_->WaitForConsole("\nSaving torvik.sav ...complete\n", before, kWait)) << program_->Console();
  const Image saved = program_->Settle();
  ClickMove(kGame2D, 33, 35);  // e2-e4
  EXPECT_FALSE(BoardUnchanged(saved, program_->Settle()));
  before = program_->Console().size();
  program_->Key("alt+r");
  ASSERT_TRUE(program_->WaitForConsole("complete!\n", before, kWait)) << program_->Console();
  EXPECT_TRUE(BoardUnchanged(saved, program_->Settle()));
  Quit("q");
}

// S opens the file chooser (a stand-in here) and saves under the name chosen.
TEST_F(WindowTest, SaveThroughTheChooser) {
  const std::string name = dir_ + "/my game";
  std::ofstream(bin_ + "/answer") << name;
  const std::size_t before = program_->Console().size();
  program_->Key("s");
  ASSERT_TRUE(program_->WaitForConsole("\nSaving " + name + ".sav ...complete\n", before, kWait))
      << program_->Console();
  EXPECT_TRUE(std::filesystem::exists(name + ".sav"));
  Quit("q");
}

// The board editor from the Edit menu sets up a promotion; the mouse's
// promotion asks with the dialog, and ROOK makes a rook.
TEST_F(WindowTest, EditThenPromoteThroughTheDialog) {
  program_->Key("F2");
  ASSERT_TRUE(program_->WaitForConsole("\nTorvik V2.80\n\n", 0, kWait));
  program_->Key("F10");
  program_->Settle();
  ChooseFromMenu({kEditMenu, kClearBoard});
  ASSERT_TRUE(program_->WaitForConsole("edited board may be unstable", 0, kWait)) << program_->Console();
  struct Placing {
    std::vector<int> path;
    Square square;
    const char* said;
  };
  const Placing placings[] = {{{kEditMenu, kAddWhite, kAddKing}, 32, "\nset white K at 32"},
                              {{kEditMenu, kAddBlack, kAddKing}, 39, "\nset black K at 39"},
                              {{kEditMenu, kAddWhite, kAddPawn}, 6, "\nset white P at 6"}};
  for (const Placing& p : placings) {
    const std::size_t before = program_->Console().size();
    ChooseFromMenu(p.path);
    const Image empty = program_->Settle();
    const Spot at = SquareSpot(kGame2D, p.square);
    program_->Click(at.x, at.y);
    ASSERT_TRUE(program_->WaitForConsole(p.said, before, kWait)) << program_->Console();
    const Image placed = program_->Settle();
    EXPECT_LT(CountAround(placed, at, 6, SquareGrey(p.square)), CountAround(empty, at, 6, SquareGrey(p.square)) / 2)
        << "a piece covers square " << p.square;
  }
  test::Keep(program_->Settle(), "edited_2d");
  const std::size_t before = program_->Console().size();
  program_->Click(SquareSpot(kGame2D, 6).x, SquareSpot(kGame2D, 6).y);
  program_->Settle();
  program_->Click(SquareSpot(kGame2D, 7).x, SquareSpot(kGame2D, 7).y);
  const Image dialog = program_->Settle();
  test::Keep(dialog, "promotion_dialog");
  EXPECT_EQ(program_->Console().size(), before) << "nothing played before the answer";
  EXPECT_GT(dialog.Count(300, 330, 500, 470, Near(Pixel{212, 212, 212})), 5000) << "the dialog's face";
  program_->Key("u");  // held by the dialog
  const DialogFrame f = PromotionFrame(kWindowSize, kWindowSize);
  program_->Click(f.left + (71 + kButtonWidth / 2) * f.unit, f.BodyTop() + (7 + kButtonHeight / 2) * f.unit);
  ASSERT_TRUE(program_->WaitForConsole("\n1. a8R", before, kWait)) << program_->Console();
  EXPECT_EQ(program_->Console().find("move undone", before), std::string::npos);
  Quit("q");
}

}  // namespace
}  // namespace torvik::ui
