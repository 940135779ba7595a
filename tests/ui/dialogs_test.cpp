// The window's dialogs without a window: the promotion dialog that holds a
// mouse move until it is answered (on a board set up from the Edit menu; the
// editor's own cases are the board editor's tests), and the game files
// through the file chooser (a stand-in `zenity` on PATH) or, without one, on
// their default names.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "board/piece.h"
#include "support/working_folder.h"
#include "ui/commands.h"
#include "ui/file_commands.h"
#include "ui/menu_model.h"
#include "ui/promotion_dialog.h"
#include "ui/special_keys.h"
#include "ui_fixture.h"

namespace torvik::ui {
namespace {

// Sets up a position with the Edit menu and clicks, as a player would: the
// board cleared, then each (edit mode, square) placed; white to move.
std::string EditBoardTo(TestUi& t, std::initializer_list<std::pair<int, int>> pieces) {
  std::string said;
  {
    ConsoleCapture quiet;
    ChooseEdit(t.ui, kEditClearBoard);
  }
  for (auto [mode, square] : pieces) {
    ChooseEdit(t.ui, mode);
    said += Click(t, square);
  }
  ChooseEdit(t.ui, kEditWhiteToMove);
  return said;
}

constexpr int kWhiteKing = kEditAddWhitePawn + 5, kBlackKing = kEditAddBlackPawn + 5;

// White: king e1, pawn a7; black: king e8.
void PawnAboutToPromote(TestUi& t) {
  EditBoardTo(t, {{kWhiteKing, 32}, {kBlackKing, 39}, {kEditAddWhitePawn, 6}});
}

// The centre of the dialog's button for `piece` in an 800 x 800 window.
std::pair<int, int> ButtonCentre(int piece) {
  const DialogFrame f = PromotionFrame(kWindowSize, kWindowSize);
  for (const DialogButton& b : kPromotionButtons)
    if (b.piece == piece)
      return {f.left + (b.x + kButtonWidth / 2) * f.unit, f.BodyTop() + (b.y + kButtonHeight / 2) * f.unit};
  return {0, 0};
}

TEST(PromotionDialog, HoldsTheMoveUntilAPieceIsChosen) {
  struct Case {
    unsigned char key;  // 0: a click on the button
    int piece;
  };
  const Case cases[] = {{'r', kRook}, {'\r', kQueen}, {'N', kKnight}, {0, kBishop}, {0, kRook}};
  for (const Case c : cases) {
    TestUi t(kGame2D);
    PawnAboutToPromote(t);
    Click(t, 6);
    EXPECT_EQ(Click(t, 7), "") << "nothing is played before the answer";
    ASSERT_EQ(t.ui.input.modal, Modal::kPromotion);
    // The dialog holds every other input.
    Picks picks{{33}};
    EXPECT_FALSE(MouseEvent(t.ui, kLeftButton, kButtonDown, false, picks.Get()));
    EXPECT_EQ(Press(t, 'u'), "");
    EXPECT_EQ(KeyboardKey(t.ui, 'x', false), KeyOutcome::kRedraw);
    SpecialKeyPressed(t.ui, kKeyF2, false, false);
    PromotionClick(t.ui, 5, 5, kWindowSize, kWindowSize);  // beside the buttons
    ASSERT_EQ(t.ui.input.modal, Modal::kPromotion);
    ASSERT_EQ(t.Pos().ply, 0);
    ConsoleCapture console;
    if (c.key) {
      PromotionKey(t.ui, c.key);
    } else {
      const auto [x, y] = ButtonCentre(c.piece);
      PromotionClick(t.ui, x, y, kWindowSize, kWindowSize);
    }
    EXPECT_EQ(t.ui.input.modal, Modal::kNone);
    EXPECT_EQ(t.Pos().board[7], c.piece) << c.key;
    const std::string played = console.Text();
    EXPECT_NE(played.find(std::string("a8") + PromotionKindOf(c.piece)), std::string::npos) << played;
    // Recorded with its piece: undo 0 replays the game and keeps it.
    console.Clear();
    UndoPlies(t.ui, 0);
    EXPECT_EQ(t.Pos().board[7], c.piece) << c.key;
  }
}

TEST(PromotionDialog, OnlyALegalPromotionAsks) {
  TestUi t(kGame2D);
  PawnAboutToPromote(t);
  Click(t, 6);
  Click(t, 15);  // a7-b8: no capture there
  EXPECT_EQ(t.ui.input.modal, Modal::kNone);
  EXPECT_EQ(t.game->notice.text.rfind("illegal move ", 0), 0u);
  Click(t, 32);
  Click(t, 40);  // Ke1-f1: no promotion
  EXPECT_EQ(t.ui.input.modal, Modal::kNone);
  EXPECT_EQ(t.Pos().ply, 1);
  EXPECT_TRUE(AsksForPiece('-') && AsksForPiece('x') && AsksForPiece('T') && AsksForPiece(0));
  EXPECT_FALSE(AsksForPiece('R') || AsksForPiece('S'));
}

// Polls the chooser as the idle callback does, until it closed.
void AwaitChooser(TestUi& t) {
  for (int i = 0; i < 500 && !PollFileCommand(t.ui); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

TEST(FileCommands, TheChoosersNameIsUsed) {
  test::ScopedWorkingFolder folder("torvik-ui-chooser");
  test::TempFolder bin("torvik-ui-bin");
  ScopedPath path(FakeChooserFolder(bin.Dir().string()) + ":/bin:/usr/bin");
  const std::string name = (std::filesystem::current_path() / "mes parties é").string();
  std::ofstream(bin.Path("bin/answer")) << name;
  TestUi t(kGame2D);
  Click(t, 33), Click(t, 35);  // e2-e4
  EXPECT_EQ(Press(t, 's'), "");
  EXPECT_EQ(t.ui.input.modal, Modal::kFileChooser);
  EXPECT_EQ(Press(t, 'u'), "") << "the chooser holds the input";
  {
    ConsoleCapture console;
    AwaitChooser(t);
    EXPECT_EQ(console.Text(), "\nSaving " + name + ".sav ...complete\n");
  }
  EXPECT_EQ(t.ui.input.modal, Modal::kNone);
  EXPECT_EQ(t.ui.files.saveName, name + ".sav");
  Click(t, 30), Click(t, 28);  // d7-d5
  std::ofstream(bin.Path("bin/answer")) << name + ".sav";
  Press(t, 'r');
  AwaitChooser(t);
  EXPECT_EQ(t.Pos().ply, 1);
  EXPECT_EQ(t.game->record.windowTitle, name + ".sav");
  std::ofstream(bin.Path("bin/answer")) << "moves";
  Press(t, 'l');
  AwaitChooser(t);
  EXPECT_TRUE(std::filesystem::exists("moves.txt"));
}

TEST(FileCommands, WithoutAChooserTheDefaultNames) {
  test::ScopedWorkingFolder folder("torvik-ui-nochooser");
  test::TempFolder bin("torvik-ui-empty-bin");
  ScopedPath path(bin.Dir().string());
  TestUi t(kGame2D);
  const std::string first = Press(t, 's');
  EXPECT_EQ(first.find("\nno file chooser could be started"), 0u) << first;
  EXPECT_NE(first.find("Saving torvik.sav ...complete"), std::string::npos) << first;
  const std::string second = Press(t, 'l');
  EXPECT_EQ(second.find("no file chooser"), std::string::npos) << "said once";
  EXPECT_TRUE(std::filesystem::exists("gamelist.txt"));
  EXPECT_NE(Press(t, 'r').find("complete!"), std::string::npos);
  EXPECT_EQ(t.ui.input.modal, Modal::kNone);
}

}  // namespace
}  // namespace torvik::ui
