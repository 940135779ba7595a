// A game at one screen: its end between two people, undo during a replay, the
// mouse wheel's zoom.
#include "window_fixture.h"

namespace torvik::ui {
namespace {

constexpr int kAddQueen = 4;

class WindowPlayTest : public WindowTest {
 protected:
  // A new 2D game between two people.
  void NewPeoplesGame() {
    const std::size_t before = program_->Console().size();
    program_->Key("F2");
    ASSERT_TRUE(program_->WaitForConsole("\nTorvik V2.80\n\n", before, kWait));
    program_->Key("F10");
    program_->Settle();
  }
  // Places a piece with the board editor through the menu.
  void Place(const std::vector<int>& path, Square square, const std::string& said) {
    const std::size_t before = program_->Console().size();
    ChooseFromMenu(path);
    program_->Settle();
    program_->Click(SquareSpot(kGame2D, square).x, SquareSpot(kGame2D, square).y);
    ASSERT_TRUE(program_->WaitForConsole(said, before, kWait)) << program_->Console();
  }
  int RedInStatusLine() { return program_->Settle().Count(30, 88, 400, 115, Near(kReddish)); }
};

// White king g6, queen f1, black king h8: Qf7 stalemates; taken back, Qf8 mates.
TEST_F(WindowPlayTest, StalemateAndMateBetweenPeople) {
  NewPeoplesGame();
  ChooseFromMenu({kEditMenu, kClearBoard});
  ASSERT_TRUE(program_->WaitForConsole("edited board may be unstable", 0, kWait)) << program_->Console();
  Place({kEditMenu, kAddWhite, kAddKing}, 53, "\nset white K at 53");
  Place({kEditMenu, kAddBlack, kAddKing}, 63, "\nset black K at 63");
  Place({kEditMenu, kAddWhite, kAddQueen}, 40, "\nset white Q at 40");
  std::size_t before = program_->Console().size();
  ClickMove(kGame2D, 40, 46);
  ASSERT_TRUE(program_->WaitForConsole("\nStalemate\n1. Qf7", before, kWait)) << program_->Console();
  test::Keep(program_->Settle(), "stalemate_2d");
  EXPECT_GT(RedInStatusLine(), 20) << "STALEMATE in red";
  program_->Click(SquareSpot(kGame2D, 63).x, SquareSpot(kGame2D, 63).y);  // the stalemated king:
  program_->Click(SquareSpot(kGame2D, 62).x, SquareSpot(kGame2D, 62).y);  // nowhere to go
  program_->Settle();
  EXPECT_EQ(program_->Console().find("\n1. ... ", before), std::string::npos) << program_->Console();
  program_->Key("u");
  ASSERT_TRUE(program_->WaitForConsole("move undone", before, kWait));
  EXPECT_EQ(RedInStatusLine(), 0);
  before = program_->Console().size();
  ClickMove(kGame2D, 40, 47);
  ASSERT_TRUE(program_->WaitForConsole("\nBlack is mated\n1. Qf8+", before, kWait)) << program_->Console();
  test::Keep(program_->Settle(), "mate_edited_2d");
  EXPECT_GT(RedInStatusLine(), 20) << "CHECKMATE in red";
  const std::string after = program_->Console().substr(before);
  EXPECT_EQ(after.find("mated"), after.rfind("mated")) << "announced once: " << after;
  Quit("q");
}

// U in a replay leaves it first: the next F7 enters the replay at the new end
// and shows the same board, rather than stepping on from the old replay.
TEST_F(WindowPlayTest, UndoDuringAReplay) {
  NewPeoplesGame();
  ClickMove(kGame2D, 33, 35);               // e4
  ClickMove(kGame2D, 38, 36, "\n1. ... ");  // e5
  ClickMove(kGame2D, 48, 42, "\n2. ");      // Nf3
  const std::size_t before = program_->Console().size();
  for (const char* key : {"F7", "F7", "F7", "u"}) program_->Key(key);
  ASSERT_TRUE(program_->WaitForConsole("move undone", before, kWait));
  const Image undone = program_->Settle();
  program_->Key("F7");
  EXPECT_TRUE(BoardUnchanged(undone, program_->Settle())) << "F7 after U stepped back";
  program_->Key("F8");
  EXPECT_TRUE(BoardUnchanged(undone, program_->Settle())) << "F8 after U moved";
  ClickMove(kGame2D, 48, 42, "\n2. Nf3");
  Quit("q");
}

// A notch of the wheel zooms; the opposite notch zooms back.
TEST_F(WindowPlayTest, TheWheelZooms) {
  const Image start = program_->Settle();
  const std::size_t before = program_->Console().size();
  program_->Click(kWindowSize / 2, kWindowSize / 2, 4);
  const Image out = program_->Settle();
  EXPECT_FALSE(BoardUnchanged(start, out)) << "a notch zooms";
  program_->Click(kWindowSize / 2, kWindowSize / 2, 5);
  EXPECT_TRUE(BoardUnchanged(start, program_->Settle())) << "the opposite notch zooms back";
  program_->Click(kWindowSize / 2, kWindowSize / 2, 5);
  EXPECT_FALSE(BoardUnchanged(start, program_->Settle()));
  EXPECT_EQ(program_->Console().find("unknown mouse button", before), std::string::npos) << program_->Console();
  Quit("q");
}

}  // namespace
}  // namespace torvik::ui
