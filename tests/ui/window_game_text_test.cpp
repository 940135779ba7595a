// The game as text in the window under Xvfb: the move list beside the board,
// a position set up through the position-text dialog, and the game exported
// and imported again (a stand-in zenity answers the dialogs).
#include <chrono>

#include "window_fixture.h"

namespace torvik::ui {
namespace {

constexpr Pixel kYellowish{255, 255, 0};
enum GameMenuTextEntry { kExportEntry = 8, kImportEntry = 9, kPositionTextEntry = 10 };

// The marked move of the move list: its yellow pixels in the top right, and
// the leftmost column they reach.
struct Marked {
  int pixels = 0, left = kWindowSize;
};
Marked MarkedMove(const Image& image) {
  Marked m;
  for (int y = 0; y < kTextBottom + 20; ++y)
    for (int x = kWindowSize / 2; x < image.width; ++x)
      if (Near(kYellowish)(image.At(x, y))) ++m.pixels, m.left = std::min(m.left, x);
  return m;
}

TEST_F(WindowTest, MoveListAndPositionText) {
  EXPECT_EQ(MarkedMove(NewGame("F2")).pixels, 0) << "no move, no list";
  ClickMove(kGame2D, 33, 35);               // e4
  ClickMove(kGame2D, 38, 36, "\n1. ... ");  // e5
  const Image listed = program_->Settle();
  test::Keep(listed, "move_list_2d");
  const Marked last = MarkedMove(listed);
  EXPECT_GT(last.pixels, 20) << "1. e4 e5, e5 marked";
  program_->Key("F7");  // the replay marks e4, to the left of e5
  const Marked replayed = MarkedMove(program_->Settle());
  EXPECT_GT(replayed.pixels, 20);
  EXPECT_LT(replayed.left, last.left);

  // The dialog's answer sets the game up at the position; a text that is no
  // position is refused and changes nothing.
  std::ofstream(bin_ + "/answer") << "4k3/8/8/8/8/8/4P3/4K3 w - - 0 7";
  std::size_t at = program_->Console().size();
  ChooseFromMenu({kGameMenu, kPositionTextEntry});
  ASSERT_TRUE(program_->WaitForConsole("\nset up 4k3/8/8/8/8/8/4P3/4K3 w - - 0 7", at, kWait)) << program_->Console();
  EXPECT_EQ(MarkedMove(program_->Settle()).pixels, 0) << "a new game at the position";
  ClickMove(kGame2D, 33, 35, "\n7. e4");
  EXPECT_GT(MarkedMove(program_->Settle()).pixels, 20);
  std::ofstream(bin_ + "/answer") << "no position";
  at = program_->Console().size();
  ChooseFromMenu({kGameMenu, kPositionTextEntry});
  ASSERT_TRUE(program_->WaitForConsole("\nnot a position: ", at, kWait)) << program_->Console();
  ClickMove(kGame2D, 39, 47, "\n7. ... Kf8");  // the game goes on where it was

  // Exported, and imported into a new game: its moves are listed again.
  const std::string file = dir_ + "/two plies";
  std::ofstream(bin_ + "/answer") << file;
  at = program_->Console().size();
  ChooseFromMenu({kGameMenu, kExportEntry});
  ASSERT_TRUE(program_->WaitForConsole("\nExport " + file + ".pgn ... complete", at, kWait)) << program_->Console();
  EXPECT_EQ(MarkedMove(NewGame("F2")).pixels, 0);
  std::ofstream(bin_ + "/answer") << file + ".pgn";
  at = program_->Console().size();
  ChooseFromMenu({kGameMenu, kImportEntry});
  ASSERT_TRUE(program_->WaitForConsole(" complete: 2 plies", at, kWait)) << program_->Console();
  // The list keeps clear of the notice ("imported ..."), which may leave it no room till it goes.
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWait);
  while (MarkedMove(program_->Settle()).pixels == 0 && std::chrono::steady_clock::now() < until) {
  }
  EXPECT_GT(MarkedMove(program_->Settle()).pixels, 20) << "7. e4 Kf8, Kf8 marked";
  Quit("q");
}

}  // namespace
}  // namespace torvik::ui
