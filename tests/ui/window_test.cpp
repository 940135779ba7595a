// The real program under Xvfb, driven with xdotool as a person would: the
// console it prints, the picture it shows, moves with the mouse, the keys.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "board/geometry.h"
#include "ui/camera.h"
#include "ui/promotion_dialog.h"
#include "ui_fixture.h"
#include "x_display.h"

namespace torvik::ui {
namespace {

using test::Image;
using test::Near;
using test::Pixel;

constexpr int kWait = 10000;      // milliseconds for anything the program must do
constexpr int kTextBottom = 140;  // the three text lines lie above this row
constexpr Pixel kDark{115, 115, 115}, kLight{166, 166, 166}, kSelected{255, 64, 0}, kGreenish{0, 255, 0};
constexpr Pixel kLavenderish{153, 153, 204}, kIvoryish{230, 230, 178}, kWhitish{255, 255, 255};
constexpr Pixel kReddish{255, 0, 0};

// Where the centre of square `s` appears in the window (x, y from the top left)
// in the reset view of a new game of `mode`.
struct Spot {
  int x, y;
};
Spot SquareSpot(int mode, Square s) {
  TestUi t(mode);
  SpacePoint c{};
  SquareCoords(t.Pos(), s, c);
  double wx = 0, wy = 0;
  const SpacePoint centre{c.x + 0.5f, c.y + 0.5f, c.z};
  ProjectToWindow(CameraOf(t.State(), t.ui.view), centre, kWindowSize, kWindowSize, wx, wy);
  return {static_cast<int>(std::lround(wx)), kWindowSize - static_cast<int>(std::lround(wy))};
}

// Pixels of colour `c` in the box of half-size `r` around `at`.
int CountAround(const Image& image, Spot at, int r, Pixel c) {
  return image.Count(at.x - r, at.y - r, at.x + r + 1, at.y + r + 1, Near(c));
}

// The colour a square of the start position shows where no piece stands.
Pixel SquareGrey(Square s) { return (ColumnOf(s) + RowOf(s)) % 2 == 0 ? kDark : kLight; }

bool BoardUnchanged(const Image& a, const Image& b) {
  const long top = long(kTextBottom) * a.width * 3;
  return a.width == b.width && a.rgb.size() == b.rgb.size() && long(a.rgb.size()) > top &&
         std::equal(a.rgb.begin() + top, a.rgb.end(), b.rgb.begin() + top);
}

// The menus' look, from the toolkit: entries 25 pixels high inside a border of 2.
constexpr int kMenuEntry = 25, kMenuBorder = 2;
constexpr Pixel kMenuShadow{128, 128, 128}, kInk{0, 0, 0};
constexpr int kMenuX = 60, kMenuY = 160;  // where the tests open the menu
// Entries by their place in their menu.
enum RootEntry { kGameMenu = 0, kViewMenu = 5, kEditMenu = 6 };
enum GameMenuEntry { kTorvikMenu = 0, kDifficultyMenu = 1, kSaveEntry = 5 };
enum EditMenuEntry { kAddWhite = 0, kAddBlack = 1, kClearBoard = 5 };
enum AddEntry { kAddPawn = 0, kAddKing = 5 };

// The right edge of the menu whose left edge is `left`, on row `y`: its dark border.
int MenuRight(const Image& image, int left, int y) {
  for (int x = left + 5; x + 1 < image.width; ++x)
    if (Near(kMenuShadow)(image.At(x, y)) && Near(kMenuShadow)(image.At(x + 1, y))) return x + 1;
  return image.width;
}

// A stand-in file chooser first on the program's PATH: it answers the name in
// the file "answer" beside it, or cancels when there is none.
std::string FakeChooserFolder(const std::string& dir) {
  const std::string bin = dir + "/bin";
  std::filesystem::create_directories(bin);
  std::filesystem::remove(bin + "/answer");
  std::ofstream(bin + "/zenity") << "#!/bin/sh\n[ -f '" << bin << "/answer' ] || exit 1\ncat '" << bin
                                 << "/answer'\necho\n";
  std::filesystem::permissions(bin + "/zenity", std::filesystem::perms::owner_all);
  return bin;
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = std::make_unique<test::XvfbServer>();
    if (server_->Display().empty()) GTEST_SKIP() << "Xvfb cannot start: " << server_->Failure();
    dir_ = std::string(TORVIK_ARTEFACTS) + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    const std::string dir = dir_;
    bin_ = FakeChooserFolder(dir);
    const char* path = std::getenv("PATH");
    oldPath_ = path ? path : "";
    setenv("PATH", (bin_ + ":" + oldPath_).c_str(), 1);
    program_ = std::make_unique<test::WindowProgram>(TORVIK_WINDOW, server_->Display(), dir);
    setenv("PATH", oldPath_.c_str(), 1);
    std::ifstream err(dir + "/stderr.txt");
    ASSERT_TRUE(program_->WaitForWindow(kWait)) << "no window; status " << program_->WaitForExit(0)
                                                << "\n" << program_->Console() << "\n" << err.rdbuf();
    ASSERT_TRUE(program_->WaitForConsole("help screen", 0, kWait)) << program_->Console();
  }

  // Clicks the centres of squares `from` and `to`, and waits for the move's
  // line (`line` begins it); what the window showed between the clicks.
  Image ClickMove(int mode, Square from, Square to, const std::string& line = "\n1. ") {
    const std::size_t before = program_->Console().size();
    program_->Click(SquareSpot(mode, from).x, SquareSpot(mode, from).y);
    const Image selected = program_->Settle();
    program_->Click(SquareSpot(mode, to).x, SquareSpot(mode, to).y);
    EXPECT_TRUE(program_->WaitForConsole(line, before, kWait)) << program_->Console();
    return selected;
  }

  // Opens the right-button menu at (x, y), walks `path` (an entry's index at
  // each level, submenus opening to the right) and clicks its last entry.
  // Returns what was shown just before the click, the last menu open.
  struct Shown {
    Image image;
    int left, top;  // the last menu's top left
  };
  Shown ChooseFromMenu(const std::vector<int>& path, int x = kMenuX, int y = kMenuY) {
    program_->Click(x, y, 3);
    int left = x, top = y, row = y;
    Image shown;
    for (std::size_t level = 0; level < path.size(); ++level) {
      row = top + kMenuBorder + kMenuEntry * path[level] + kMenuEntry / 2;
      program_->MoveTo(left + 12, row);
      shown = program_->Settle();
      if (level + 1 == path.size()) break;
      top += kMenuEntry * path[level];  // the submenu opens beside its entry
      left = MenuRight(shown, left, row) + 1;
    }
    program_->Click(left + 12, row);
    return {shown, left, top};
  }

  // The ink of entry `index` of a menu at (left, top) as `image` shows it.
  static int EntryInk(const Image& image, int left, int top, int index) {
    const int y = top + kMenuBorder + kMenuEntry * index;
    return image.Count(left + 3, y + 2, MenuRight(image, left, y + 12) - 20, y + kMenuEntry - 2, Near(kInk));
  }

  // Presses the key and expects the program to end well.
  void Quit(const std::string& key) {
    program_->Key(key);
    EXPECT_EQ(program_->WaitForExit(kWait), 0);
  }

  std::unique_ptr<test::XvfbServer> server_;
  std::unique_ptr<test::WindowProgram> program_;
  std::string dir_, bin_, oldPath_;
};

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
  EXPECT_GT(CountAround(selected, pawn, 30, kSelected), 10);
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
