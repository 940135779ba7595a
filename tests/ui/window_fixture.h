// The window tests' ground: the real program on a private Xvfb, where squares
// appear on screen, the menus' geometry, and a stand-in file chooser.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "board/geometry.h"
#include "ui/camera.h"
#include "ui_fixture.h"
#include "x_display.h"

namespace torvik::ui {

using test::Image;
using test::Near;
using test::Pixel;

constexpr int kWait = 10000;      // milliseconds for anything the program must do
constexpr int kTextBottom = 140;  // the three text lines lie above this row
constexpr Pixel kDark{115, 115, 115}, kLight{166, 166, 166}, kSelectedish{255, 64, 0}, kGreenish{0, 255, 0};
constexpr Pixel kLavenderish{153, 153, 204}, kIvoryish{230, 230, 178}, kWhitish{255, 255, 255};
constexpr Pixel kReddish{255, 0, 0};

// The lower-left corner of square `s` (column c, row r) at the start of a game
// of `mode`, from the layout itself rather than the program: 2D (c - 4, r - 4, 0);
// 3D white level (c - 6, r - 4, -2), black level z = 2, neutral level (c - 2, r - 4, 0);
// the attack boards at home one unit above their levels, on files z, a (queen's
// side) or d, e (king's side), ranks 0, 1 (white's end) or 8, 9 (black's).
inline SpacePoint LayoutCorner(int mode, Square s) {
  const float c = float(ColumnOf(s)), r = float(RowOf(s));
  if (mode == kGame2D) return {c - 4, r - 4, 0};
  if (c >= 4) return {c - 6, r - 4, r < 4 ? -2.0f : 2.0f};
  if (r >= 2 && r <= 5) return {c - 2, r - 4, 0};
  const float x = c <= 1 ? c - 3 : c - 1;
  return r <= 1 ? SpacePoint{x, r - 5, -1} : SpacePoint{x, r - 3, 3};
}

// Where the scene point `p` appears in the window (x, y from the top left) in
// the reset view of a new game of `mode`; the centre of square `s` likewise.
struct Spot {
  int x, y;
};
inline Spot SpotOf(int mode, const SpacePoint& p) {
  TestUi t(mode);
  double wx = 0, wy = 0;
  ProjectToWindow(CameraOf(t.State(), t.ui.view), p, kWindowSize, kWindowSize, wx, wy);
  return {static_cast<int>(std::lround(wx)), kWindowSize - static_cast<int>(std::lround(wy))};
}
inline Spot SquareSpot(int mode, Square s) {
  const SpacePoint c = LayoutCorner(mode, s);
  return SpotOf(mode, {c.x + 0.5f, c.y + 0.5f, c.z});
}

// Pixels of colour `c` in the box of half-size `r` around `at`.
inline int CountAround(const Image& image, Spot at, int r, Pixel c) {
  return image.Count(at.x - r, at.y - r, at.x + r + 1, at.y + r + 1, Near(c));
}

// The colour a square of the start position shows where no piece stands.
inline Pixel SquareGrey(Square s) { return (ColumnOf(s) + RowOf(s)) % 2 == 0 ? kDark : kLight; }

inline bool BoardUnchanged(const Image& a, const Image& b) {
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
enum EditMenuEntry { kAddWhite = 0, kAddBlack = 1, kRemovePiece = 2, kClearBoard = 5 };
enum AddEntry { kAddPawn = 0, kAddQueen = 4, kAddKing = 5 };

// The right edge of the menu whose left edge is `left`, on row `y`: its dark border.
inline int MenuRight(const Image& image, int left, int y) {
  for (int x = left + 5; x + 1 < image.width; ++x)
    if (Near(kMenuShadow)(image.At(x, y)) && Near(kMenuShadow)(image.At(x + 1, y))) return x + 1;
  return image.width;
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = std::make_unique<test::XvfbServer>();
    if (server_->Display().empty()) GTEST_SKIP() << "Xvfb cannot start: " << server_->Failure();
    dir_ = std::string(TORVIK_ARTEFACTS) + "/" + testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    bin_ = FakeChooserFolder(dir_);
    {
      ScopedPath path(bin_, true);
      program_ = std::make_unique<test::WindowProgram>(TORVIK_WINDOW, server_->Display(), dir_);
    }
    std::ifstream err(dir_ + "/stderr.txt");
    ASSERT_TRUE(program_->WaitForWindow(kWait)) << "no window; status " << program_->WaitForExit(0)
                                                << "\n" << program_->Console() << "\n" << err.rdbuf();
    ASSERT_TRUE(program_->WaitForConsole("help screen", 0, kWait)) << program_->Console();
  }

  // Clicks the centres of squares `from` and `to`, and waits for the move's
  // line (`line` begins it); what the window showed between the clicks.
  Image ClickMove(int mode, Square from, Square to, const std::string& line = "\n1. ") {
    const std::size_t before = program_->Console().size();
    ClickSquare(mode, from);
    const Image selected = program_->Settle();
    ClickSquare(mode, to);
    EXPECT_TRUE(program_->WaitForConsole(line, before, kWait)) << program_->Console();
    return selected;
  }

  void ClickSquare(int mode, Square s) { program_->Click(SquareSpot(mode, s).x, SquareSpot(mode, s).y); }

  // A new game (`key` F2 the 2D one, F3 the 3D one) between two people; its picture.
  Image NewGame(const std::string& key) {
    const std::size_t before = program_->Console().size();
    program_->Key(key);
    EXPECT_TRUE(program_->WaitForConsole("\nTorvik V2.80\n\n", before, kWait)) << program_->Console();
    program_->Key("F10");
    return program_->Settle();
  }

  // Empties the board with the editor from the menu.
  void ClearBoard() {
    const std::size_t before = program_->Console().size();
    ChooseFromMenu({kEditMenu, kClearBoard});
    ASSERT_TRUE(program_->WaitForConsole("edited board may be unstable", before, kWait)) << program_->Console();
  }

  // Places a piece on the 2D board with the editor from the menu: the console
  // says `said`, and the piece covers the square.
  void Place(const std::vector<int>& path, Square square, const std::string& said) {
    const std::size_t before = program_->Console().size();
    ChooseFromMenu(path);
    const Image empty = program_->Settle();
    ClickSquare(kGame2D, square);
    ASSERT_TRUE(program_->WaitForConsole(said, before, kWait)) << program_->Console();
    const Spot at = SquareSpot(kGame2D, square);
    const Pixel grey = SquareGrey(square);
    EXPECT_LT(CountAround(program_->Settle(), at, 6, grey), CountAround(empty, at, 6, grey) / 2)
        << "a piece covers square " << square;
  }

  // Red pixels in the status line (CHECK, CHECKMATE, STALEMATE).
  static int RedInStatusLine(const Image& image) { return image.Count(30, 88, 400, 115, Near(kReddish)); }

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
  std::string dir_, bin_;
};

}  // namespace torvik::ui
