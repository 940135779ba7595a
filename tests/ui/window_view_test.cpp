// The 2D game under Xvfb: a game between two people to its mate (the last move and the check outlined, the status line red), the
// view keys, and a picture that fits any window.
#include "ui/colours.h"
#include "window_fixture.h"

namespace torvik::ui {
namespace {

constexpr Pixel kOutlineBlue{51, 153, 255};

bool Grey(Pixel p) { return Near(kDark)(p) || Near(kLight)(p); }
// The banner and status lines' colours with the engine stopped: no piece is drawn in them.
bool OrangeOrGreen(Pixel p) { return Near(Pixel{255, 128, 0})(p) || Near(kGreenish)(p); }

// The run of pixels of one grey through (x, y) along a row (dx 1) or a column (dy 1).
int GreyRun(const Image& image, int x, int y, int dx, int dy) {
  const Pixel c = image.At(x, y);
  auto same = [&](int i) { return Near(c)(image.At(x + i * dx, y + i * dy)); };
  int back = 0, on = 0;
  while (same(-(back + 1)) && back < image.width) ++back;
  while (same(on + 1) && on < image.width) ++on;
  return back + on + 1;
}

// The box of the text lines: the banner and the status line found by their
// colours, stretched by one line above (the title) and one below (whose turn).
struct Box {
  int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
};
Box TextBox(const Image& image) {
  Box b;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (OrangeOrGreen(image.At(x, y)))
        b = {std::min(b.x0, x), std::min(b.y0, y), std::max(b.x1, x), std::max(b.y1, y)};
  const int line = (b.y1 - b.y0) / 2;
  b.y0 -= line, b.y1 += line;
  return b;
}

TEST_F(WindowTest, TheTwoDGame) {
  std::size_t before = program_->Console().size();
  const Image start = NewGame("F2");
  test::Keep(start, "start_2d");
  for (Square s = 0; s < kSquareCount; ++s) {
    if (RowOf(s) < 2 || RowOf(s) > 5) continue;  // pieces stand there
    EXPECT_GE(CountAround(start, SquareSpot(kGame2D, s), 2, SquareGrey(s)), 25) << "square " << s;
  }
  // The last move's squares are outlined in blue, a king in check in red.
  auto around = [](const Image& image, Square s, Pixel c) {
    return CountAround(image, SquareSpot(kGame2D, s), 45, c);
  };
  ClickMove(kGame2D, 41, 42);  // f2-f3
  Image shown = program_->Settle();
  EXPECT_GT(around(shown, 41, kOutlineBlue), 40);
  EXPECT_GT(around(shown, 42, kOutlineBlue), 40);
  EXPECT_EQ(around(shown, 1, kOutlineBlue), 0);
  ClickMove(kGame2D, 38, 36, "\n1. ... ");  // e7-e5
  EXPECT_EQ(RedInStatusLine(program_->Settle()), 0);
  ClickMove(kGame2D, 49, 51, "\n2. ");      // g2-g4
  ClickMove(kGame2D, 31, 59, "\n2. ... ");  // Qd8-h4 mate
  ASSERT_TRUE(program_->WaitForConsole("White is mated", before, kWait)) << program_->Console();
  shown = program_->Settle();
  test::Keep(shown, "mate_2d");
  EXPECT_GT(RedInStatusLine(shown), 20) << "CHECKMATE in red";
  EXPECT_EQ(around(shown, 41, kOutlineBlue), 0) << "only the last move";
  EXPECT_GT(around(shown, 31, kOutlineBlue), 20);
  EXPECT_GT(around(shown, 59, kOutlineBlue), 20);
  EXPECT_GT(around(shown, 32, kReddish), 40) << "the white king in check";

  // The view keys turn the picture silently; V brings back the same picture.
  before = program_->Console().size();
  program_->Key("Left Up Prior shift+Right shift+Next o t z a");
  const Image turned = program_->Settle();
  test::Keep(turned, "turned_2d");
  EXPECT_EQ(program_->Console().size(), before) << program_->Console().substr(before);
  EXPECT_NE(turned.rgb, shown.rgb);
  program_->Key("v");
  EXPECT_EQ(program_->Settle().rgb, shown.rgb) << "the view reset brings back the same picture";
  EXPECT_EQ(program_->Console().size(), before);

  // At 1100 x 700 and at 400 x 400 the squares stay square, and the text stays
  // inside the window, clear of the boards, in the 2D and the 3D game.
  for (auto [width, height] : {std::pair{1100, 700}, std::pair{400, 400}}) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    program_->Resize(width, height);
    program_->Key("F2 F10 o t");  // the 2D board from straight above, opaque
    const Image flat = program_->Settle();
    ASSERT_EQ(std::pair(flat.width, flat.height), std::pair(width, height));
    test::Keep(flat, "overhead_2d_" + std::to_string(width));
    const int across = GreyRun(flat, width / 2 - height / 32, height / 2 + height / 32, 1, 0);
    const int down = GreyRun(flat, width / 2 - height / 32, height / 2 + height / 32, 0, 1);
    EXPECT_NEAR(across, height / 8, 3);
    EXPECT_NEAR(down, height / 8, 3);
    for (const char* game : {"v", "F3 F10"}) {
      program_->Key(game);
      const Image shown = program_->Settle();
      test::Keep(shown, std::string("text_") + (game[0] == 'v' ? "2d_" : "3d_") + std::to_string(width));
      const Box text = TextBox(shown);
      ASSERT_GE(text.x1, 0) << "no text";
      EXPECT_GE(text.y0, 0);
      EXPECT_LT(text.x1, width);
      EXPECT_EQ(shown.Count(text.x0, text.y0, text.x1 + 1, text.y1 + 1, Grey), 0) << "a board under the text";
    }
  }
  Quit("q");
}

}  // namespace
}  // namespace torvik::ui
