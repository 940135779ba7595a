// The game listing byte for byte, on the console and in its file, and the
// favourite view's file.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "board/console.h"
#include "record/favourite_view.h"
#include "record/game.h"
#include "record/game_listing.h"
#include "support/game_files.h"
#include "support/run.h"

namespace torvik {
namespace {

using Files = test::TempFolderTest;

const char* const kRule = "---------------------------------\n";
const char* const kRowRule = "|\n|---+---+---+---+---+---+---+---|\n";

// Eight rows of cells, row 7 first, ruled as the listing rules them.
std::string Grid(const std::vector<std::string>& rows) {
  std::string out = std::string("\n\n\n") + kRule;
  for (std::size_t i = 0; i < rows.size(); ++i) out += rows[i] + (i + 1 < rows.size() ? kRowRule : std::string("|\n") + kRule);
  return out;
}

const std::string kEmptyRow = "|   |   |   |   |   |   |   |   ";

struct Listing {
  const char* name;
  int mode;
  std::vector<std::string> moves;
  std::string start;
  std::string file;     // the whole file
  std::string console;  // what the file form prints
};

const Listing kListings[] = {
    {"2D, three plies", kGame2D, {"e2e4", "e7e5", "g1f3"}, "",
     "Game listing: 3 plies\n\n 1. e4 - e5\n 2. Nf3" +
         Grid({"|*R |*N |*B |*Q |*K |*B |*N |*R ", "|*p |*p |*p |*p |   |*p |*p |*p ", kEmptyRow,
               "|   |   |   |   |*p |   |   |   ", "|   |   |   |   | p |   |   |   ",
               "|   |   |   |   |   | N |   |   ", "| p | p | p | p |   | p | p | p ",
               "| R | N | B | Q | K | B |   | R "}),
     "\nGame listing: 3 plies\n 1. e4 - e5\n 2. Nf3\n"},
    {"3D, two plies", kGame3D, {"33-34", "38-37"}, "",
     "Game listing: 2 plies\n\n 1. a3W - a6B" +
         Grid({"|*R |*Q |*K |*R |*N |*B |*B |*N ", "|*p |*p |*p |*p |   |*p |*p |*p ",
               "|   |   |   |   |*p |   |   |   ", kEmptyRow, kEmptyRow, "|   |   |   |   | p |   |   |   ",
               "| p | p | p | p |   | p | p | p ", "| R | Q | K | R | N | B | B | N "}),
     "\nGame listing: 2 plies\n 1. a3W - a6B\n"},
    {"0 plies", kGame2D, {}, "",
     "Game listing: 0 plies\n" +
         Grid({"|*R |*N |*B |*Q |*K |*B |*N |*R ", "|*p |*p |*p |*p |*p |*p |*p |*p ", kEmptyRow, kEmptyRow,
               kEmptyRow, kEmptyRow, "| p | p | p | p | p | p | p | p ", "| R | N | B | Q | K | B | N | R "}),
     "\nGame listing: 0 plies\n"},
    {"edited start, black to move", kGame2D, {"e7e5", "d2d4"}, "4k3/4p3/8/8/8/8/3P4/4K3 b - - 0 7",
     "Game listing: 15 plies\n\n 7.  - e5\n 8. d4" +
         Grid({"|   |   |   |   |*K |   |   |   ", kEmptyRow, kEmptyRow, "|   |   |   |   |*p |   |   |   ",
               "|   |   |   | p |   |   |   |   ", kEmptyRow, kEmptyRow, "|   |   |   |   | K |   |   |   "}),
     "\nGame listing: 15 plies\n 7.  - e5\n 8. d4\n"},
};

TEST_F(Files, TheListingByteForByte) {
  for (const Listing& l : kListings) {
    SCOPED_TRACE(l.name);
    auto game = test::QuietGame(l.mode, kTournament, l.start);
    test::PlayTexts(*game, l.moves);
    const std::string file = Path("game list.txt");
    ConsoleCapture log;
    ASSERT_TRUE(ListGameToFile(*game, file));
    StartEngine(*game, 0);  // a listing of 0 plies rebuilds the texts first, by undo 0
    EXPECT_EQ(test::Slurp(file), l.file);
    EXPECT_EQ(log.Text(), l.console);
    EXPECT_EQ(ListingText(game->state, game->record), l.file);
    // Alt+L: the move lines alone.
    log.Clear();
    ListGameToConsole(*game);
    StartEngine(*game, 0);
    EXPECT_EQ(log.Text(), l.console.substr(l.console.find('\n', 1)));
    // A listing that cannot be written says so.
    log.Clear();
    const std::string nowhere = Path("no such folder/list.txt");
    EXPECT_FALSE(ListGameToFile(*game, nowhere));
    EXPECT_EQ(log.Text(), nowhere + ": No such file or directory\n\ncan't open list file for writing\n");
  }
}

TEST_F(Files, TheFavouriteView) {
  const std::string file = Path("favview.sav");
  GameState gs;
  gs.xang = -47.5f, gs.yang = 12.0f, gs.scale = 1.6f;
  ConsoleCapture log;
  EXPECT_TRUE(StoreFavouriteView(gs, file));
  EXPECT_EQ(log.Text(), "\nFavorite view SAVED");
  EXPECT_EQ(test::Slurp(file), "-47.5\n12\n1.6\n");
  GameState back;
  log.Clear();
  EXPECT_TRUE(FetchFavouriteView(back, file));
  EXPECT_EQ(log.Text(), "\nFavorite view LOADED");
  EXPECT_EQ(std::tuple(back.xang, back.yang, back.scale), std::tuple(-47.5f, 12.0f, 1.6f));
  // Values not read stay as they were; so does one that is not a finite number.
  for (auto [text, xang, yang, scale] : std::vector<std::tuple<std::string, float, float, float>>{
           {"30\n", 30, 2, 3}, {"30\n40\nnan\n", 30, 40, 3}, {"", 1, 2, 3}, {"x\n5\n", 1, 2, 3}}) {
    std::ofstream(file) << text;
    GameState view;
    view.xang = 1, view.yang = 2, view.scale = 3;
    EXPECT_TRUE(FetchFavouriteView(view, file)) << text;
    EXPECT_EQ(std::tuple(view.xang, view.yang, view.scale), std::tuple(xang, yang, scale)) << text;
  }
  // No file: nothing read or written.
  EXPECT_FALSE(FetchFavouriteView(back, Path("none.sav")));
  EXPECT_FALSE(StoreFavouriteView(gs, Path("no such folder/favview.sav")));
}

}  // namespace
}  // namespace torvik
