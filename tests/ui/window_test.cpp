// The real program under Xvfb, driven with xdotool as a person would: the 3D
// game it starts with, the console it prints, the picture it shows, moves with
// the mouse, an attack board moved by its marker, the wheel's zoom.
#include "window_fixture.h"

namespace torvik::ui {
namespace {

TEST_F(WindowTest, TheThreeDGame) {
  const std::string console = program_->Console();
  EXPECT_EQ(console.rfind("\nBoard Hashes Reset", 0), 0u) << console;
  const std::size_t banner = console.find("\nTorvik V2.80\n\n");
  EXPECT_NE(banner, std::string::npos) << console;
  EXPECT_LT(banner, console.find("help screen"));
  const Image first = program_->Settle();
  test::Keep(first, "start_3d");
  ASSERT_EQ(first.width, kWindowSize);
  // The empty squares of the neutral level show their greys through the stipple.
  for (Square s : {2, 3, 4, 5, 11, 12, 19, 20, 26, 29}) {
    const Pixel other = SquareGrey(s).r == kDark.r ? kLight : kDark;
    EXPECT_GE(CountAround(first, SquareSpot(kGame3D, s), 3, SquareGrey(s)), 10) << "square " << s;
    EXPECT_EQ(CountAround(first, SquareSpot(kGame3D, s), 3, other), 0) << "square " << s;
  }
  // Title lavender (white to move at ply 0), banner ivory, status green.
  EXPECT_GT(first.Count(30, 15, 250, 45, Near(kLavenderish)), 20);
  EXPECT_GT(first.Count(30, 50, 250, 80, Near(kIvoryish)), 20);
  EXPECT_GT(first.Count(30, 88, 250, 115, Near(kGreenish)), 20);
  // The engine plays Black from the start and answers a move.
  ClickMove(kGame3D, 41, 42);  // b2-b3
  ASSERT_TRUE(program_->WaitForConsole("\n1. ... ", 0, kWait)) << program_->Console();

  // Between two people: a move refused, a pawn move, undone.
  const Image start = NewGame("F3");
  const std::string before = program_->Console();
  const Spot pawn = SquareSpot(kGame3D, 41), target = SquareSpot(kGame3D, 42);
  program_->Click(pawn.x, pawn.y);
  program_->Settle();
  ClickSquare(kGame3D, 45);  // black level b6, out of reach
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
  std::size_t at = program_->Console().size();
  program_->Key("u");
  ASSERT_TRUE(program_->WaitForConsole("\nmove undone", at, kWait)) << program_->Console();
  EXPECT_TRUE(BoardUnchanged(start, program_->Settle()));

  // A move typed: the knight the default view hides behind the attack boards.
  // Return opens the line, the status line echoes it, Esc drops it (and does
  // not quit), Return plays it.
  program_->Key("Return x Escape Return N b 3");
  const Image typing = program_->Settle();
  EXPECT_GT(typing.Count(30, 88, 400, 115, Near(kWhitish)), 20) << "the typed move echoed";
  EXPECT_TRUE(BoardUnchanged(start, typing));
  at = program_->Console().size();
  program_->Key("W Return");
  ASSERT_TRUE(program_->WaitForConsole("\n1. Nb3W", at, kWait)) << program_->Console();
  program_->Key("u");
  ASSERT_TRUE(program_->WaitForConsole("\nmove undone", at, kWait)) << program_->Console();
  EXPECT_TRUE(BoardUnchanged(start, program_->Settle()));

  // A selected attack board shows cones on the pins it may move to; a click on
  // one moves it there. Board 0 is emptied with the editor first.
  for (Square s : {0, 1, 8, 9}) {
    at = program_->Console().size();
    ChooseFromMenu({kEditMenu, kRemovePiece});
    program_->Settle();
    ClickSquare(kGame3D, s);
    program_->Settle();
    ASSERT_EQ(program_->Console().find("set ", at), std::string::npos);
  }
  // The pin's cap where the board's squares meet, then the cone on QL3 (the
  // neutral level's a3 corner).
  const SpacePoint corner = LayoutCorner(kGame3D, 9), ql3 = LayoutCorner(kGame3D, 2);
  const Spot pin = SpotOf(kGame3D, {corner.x, corner.y, corner.z + 0.015f});
  const Spot cone = SpotOf(kGame3D, {ql3.x, ql3.y, ql3.z + 0.12f});
  at = program_->Console().size();
  program_->Click(pin.x, pin.y);
  ASSERT_TRUE(program_->WaitForConsole("\nselected QL white", at, kWait)) << program_->Console();
  test::Keep(program_->Settle(), "board_selected_3d");
  program_->Click(cone.x, cone.y);
  ASSERT_TRUE(program_->WaitForConsole("\n1. ", at, kWait)) << program_->Console();

  // A notch of the wheel zooms; the opposite notch zooms back.
  const Image unzoomed = program_->Settle();
  at = program_->Console().size();
  program_->Click(kWindowSize / 2, kWindowSize / 2, 4);
  EXPECT_FALSE(BoardUnchanged(unzoomed, program_->Settle())) << "a notch zooms";
  program_->Click(kWindowSize / 2, kWindowSize / 2, 5);
  EXPECT_TRUE(BoardUnchanged(unzoomed, program_->Settle())) << "the opposite notch zooms back";
  program_->Click(kWindowSize / 2, kWindowSize / 2, 5);
  EXPECT_FALSE(BoardUnchanged(unzoomed, program_->Settle()));
  EXPECT_EQ(program_->Console().find("unknown mouse button", at), std::string::npos) << program_->Console();
  Quit("Escape");
}

}  // namespace
}  // namespace torvik::ui
