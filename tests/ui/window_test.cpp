// The real program under Xvfb, driven with xdotool as a person would: the
// console it prints, the picture it shows, moves with the mouse, the keys.
#include "window_fixture.h"

namespace torvik::ui {
namespace {

TEST_F(WindowTest, StartsAndDraws) {
  const std::string console = program_->Console();
  EXPECT_EQ(console.rfind("\nBoard Hashes Reset", 0), 0u) << console;
  const std::size_t banner = console.find("\nTorvik V2.80\n\n");
  EXPECT_NE(banner, std::string::npos) << console;
  EXPECT_NE(console.find(kHelp), std::string::npos) << console;
  EXPECT_LT(banner, console.find(kHelp));
  const Image start = program_->Settle();
  test::Keep(start, "start_3d");
  ASSERT_EQ(start.width, kWindowSize);
  // The empty squares of the neutral level show their greys through the stipple.
  for (Square s : {2, 3, 4, 5, 11, 12, 19, 20, 26, 29}) {
    const Pixel other = SquareGrey(s).r == kDark.r ? kLight : kDark;
    EXPECT_GE(CountAround(start, SquareSpot(kGame3D, s), 3, SquareGrey(s)), 10) << "square " << s;
    EXPECT_EQ(CountAround(start, SquareSpot(kGame3D, s), 3, other), 0) << "square " << s;
  }
  // Title lavender (white to move at ply 0), banner ivory, status green.
  EXPECT_GT(start.Count(30, 15, 250, 45, Near(kLavenderish)), 20);
  EXPECT_GT(start.Count(30, 50, 250, 80, Near(kIvoryish)), 20);
  EXPECT_GT(start.Count(30, 88, 250, 115, Near(kGreenish)), 20);
  Quit("q");
}

TEST_F(WindowTest, RefusedMoveThenPawnMoveAndUndo) {
  program_->Key("F10");  // two people at the screen: the engine answers nothing
  const Image start = program_->Settle();
  const std::string before = program_->Console();
  const Spot pawn = SquareSpot(kGame3D, 41), target = SquareSpot(kGame3D, 42), far = SquareSpot(kGame3D, 45);
  program_->Click(pawn.x, pawn.y);
  program_->Settle();
  program_->Click(far.x, far.y);  // black level b6, out of reach
  const Image refused = program_->Settle();
  test::Keep(refused, "refused_3d");
  EXPECT_EQ(program_->Console(), before);
  EXPECT_TRUE(BoardUnchanged(start, refused));
  EXPECT_GT(refused.Count(30, 88, 400, 115, Near(kWhitish)), 20) << "illegal move in the status line";
  const Image selected = ClickMove(kGame3D, 41, 42);
  test::Keep(selected, "pawn_selected_3d");
  EXPECT_GT(CountAround(selected, pawn, 30, kSelectedish), 10);
  EXPECT_GT(CountAround(selected, target, 3, kGreenish), 10);
  const Image moved = program_->Settle();
  test::Keep(moved, "pawn_moved_3d");
  EXPECT_FALSE(BoardUnchanged(start, moved));
  EXPECT_EQ(CountAround(moved, target, 3, kGreenish), 0);
  const std::size_t afterMove = program_->Console().size();
  program_->Key("u");
  ASSERT_TRUE(program_->WaitForConsole("\nmove undone", afterMove, kWait)) << program_->Console();
  EXPECT_TRUE(BoardUnchanged(start, program_->Settle()));
  Quit("Escape");
}

TEST_F(WindowTest, TwoDGameAndTheViewKeys) {
  std::size_t before = program_->Console().size();
  program_->Key("F2");
  ASSERT_TRUE(program_->WaitForConsole("\nBoard Hashes Reset", before, kWait));
  ASSERT_TRUE(program_->WaitForConsole("\nTorvik V2.80\n\n", before, kWait));
  program_->Key("F10");
  const Image start = program_->Settle();
  test::Keep(start, "start_2d");
  for (Square s = 0; s < kSquareCount; ++s) {
    if (RowOf(s) < 2 || RowOf(s) > 5) continue;  // pieces stand there
    EXPECT_GE(CountAround(start, SquareSpot(kGame2D, s), 2, SquareGrey(s)), 25) << "square " << s;
  }
  ClickMove(kGame2D, 33, 35);  // e2-e4
  const Image moved = program_->Settle();
  before = program_->Console().size();
  program_->Key("Left Up Prior shift+Right shift+Next o t z a");
  const Image turned = program_->Settle();
  test::Keep(turned, "turned_2d");
  EXPECT_EQ(program_->Console().size(), before) << program_->Console().substr(before);
  EXPECT_NE(turned.rgb, moved.rgb);
  program_->Key("v");
  EXPECT_EQ(program_->Settle().rgb, moved.rgb) << "the view reset brings back the same picture";
  EXPECT_EQ(program_->Console().size(), before);
  Quit("q");
}

// The engine answers a move in both games: it plays Black from the start.
TEST_F(WindowTest, TheEngineAnswers) {
  ClickMove(kGame3D, 41, 42);  // b2-b3
  ASSERT_TRUE(program_->WaitForConsole("\n1. ... ", 0, kWait)) << program_->Console();
  const std::size_t before = program_->Console().size();
  program_->Key("F2");
  ASSERT_TRUE(program_->WaitForConsole("\nTorvik V2.80\n\n", before, kWait));
  program_->Settle();
  const std::size_t moved = program_->Console().size();
  ClickMove(kGame2D, 33, 35);  // e2-e4
  ASSERT_TRUE(program_->WaitForConsole("\n1. ... ", moved, kWait)) << program_->Console();
  Quit("q");
}

// The status line turns red when a move gives check, and names the mate.
TEST_F(WindowTest, CheckAndMateInTheStatusLine) {
  const std::size_t before = program_->Console().size();
  program_->Key("F2");
  ASSERT_TRUE(program_->WaitForConsole("\nTorvik V2.80\n\n", before, kWait));
  program_->Key("F10");
  program_->Settle();
  ClickMove(kGame2D, 41, 42);                // f2-f3
  ClickMove(kGame2D, 38, 36, "\n1. ... ");   // e7-e5
  EXPECT_EQ(program_->Settle().Count(30, 88, 400, 115, Near(kReddish)), 0);
  ClickMove(kGame2D, 49, 51, "\n2. ");       // g2-g4
  ClickMove(kGame2D, 31, 59, "\n2. ... ");   // Qd8-h4 mate
  ASSERT_TRUE(program_->WaitForConsole("White is mated", before, kWait)) << program_->Console();
  const Image mate = program_->Settle();
  test::Keep(mate, "mate_2d");
  EXPECT_GT(mate.Count(30, 88, 400, 115, Near(kReddish)), 20) << "CHECKMATE in red";
  Quit("q");
}

}  // namespace
}  // namespace torvik::ui
