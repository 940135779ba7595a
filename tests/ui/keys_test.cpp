// The keyboard and the special keys, without a window.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "board/console.h"
#include "board/rebuild.h"
#include "ui/commands.h"
#include "ui/keyboard.h"
#include "ui/special_keys.h"
#include "ui_fixture.h"

namespace torvik::ui {
namespace {

constexpr const char* kHelp =
    "\narrow keys pan, page keys zoom, <shift> faster"
    "\nF2 \t new 2D game"
    "\nF3 \t new 3D game"
    "\nF5 \t fetch favorite view"
    "\nF6 \t store favorite view"
    "\nF7-F8 \t replay step back-forward"
    "\nF9 \t autoplay"
    "\nF10\t come to full stop"
    "\nA \t toggle axes"
    "\nB \t Torvik play black"
    "\nC \t captured pieces toggle"
    "\nW \t Torvik play white"
    "\nL \t list game"
    "\nO \t overhead view"
    "\nQ \t quit"
    "\nR \t restore game"
    "\nS \t save game"
    "\nT \t toggle transparency"
    "\nU \t undo one move"
    "\nV \t view reset"
    "\nZ \t black view toggle(2D)"
    "\nH \t help screen (press 'H' in main window)";

std::string Press(TestUi& t, unsigned char key, bool alt = false) {
  ConsoleCapture console;
  EXPECT_EQ(KeyboardKey(t.ui, key, alt), KeyOutcome::kRedraw) << key;
  return console.Text();
}

std::string Special(TestUi& t, int key, bool shift = false, bool alt = false) {
  ConsoleCapture console;
  SpecialKeyPressed(t.ui, key, shift, alt);
  return console.Text();
}

TEST(Keys, HelpInEitherCaseAndOnF1) {
  TestUi t(kGame3D);
  EXPECT_EQ(Press(t, 'H'), kHelp);
  EXPECT_EQ(Press(t, 'h'), kHelp);
  EXPECT_EQ(Special(t, kKeyF1), kHelp);
}

TEST(Keys, BannerAndBuildStamp) {
  TestUi t(kGame3D);
  EXPECT_EQ(Press(t, '?'), "\nTorvik V2.80\n\n");
  EXPECT_TRUE(std::regex_match(Press(t, '#'),
                               std::regex("\nBuilt: [A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] "
                                          "[0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{2}")));
}

TEST(Keys, BuildStampOfAKnownDate) {
  EXPECT_EQ(BuildStamp("Jan  5 2024", "10:22:33"), "Fri Jan  5 10:22:33 24");
  EXPECT_EQ(BuildStamp("Sep 16 1973", "01:03:52"), "Sun Sep 16 01:03:52 73");
  EXPECT_EQ(BuildStamp("Foo  1 2000", "00:00:00"), "?");
}

TEST(Keys, QuitOnQAndEscape) {
  TestUi t(kGame3D);
  EXPECT_EQ(KeyboardKey(t.ui, 'q', false), KeyOutcome::kQuit);
  EXPECT_EQ(KeyboardKey(t.ui, 'Q', false), KeyOutcome::kQuit);
  EXPECT_EQ(KeyboardKey(t.ui, 27, false), KeyOutcome::kQuit);
}

TEST(Keys, UnknownKeys) {
  TestUi t(kGame3D);
  EXPECT_EQ(Press(t, '1'), "\nDon't know what to do with keyboard hit: '1' (0x31)\n");
  EXPECT_EQ(Special(t, kKeyF4), "\nDon't know what to do with KeyboardSpecial hit: '\x04' (0x4)");
}

TEST(Keys, EngineSides) {
  TestUi t(kGame3D);
  t.State().autoPlay = 1;
  EXPECT_EQ(Press(t, 'w'), "\nTorvik playing White");
  EXPECT_EQ(t.State().engineSide, 1);
  EXPECT_EQ(t.State().autoPlay, 0);
  t.State().autoPlay = 1;
  EXPECT_EQ(Press(t, 'B'), "\nTorvik playing Black");
  EXPECT_EQ(t.State().engineSide, -1);
  EXPECT_EQ(t.State().autoPlay, 0);
}

TEST(Keys, AutoPlayAndFullStop) {
  TestUi t(kGame3D);
  EXPECT_EQ(Special(t, kKeyF9), "");
  EXPECT_EQ(t.State().autoPlay, 1);
  EXPECT_EQ(t.State().abortSearch, 0);
  Special(t, kKeyF9);
  EXPECT_EQ(t.State().autoPlay, 0);
  EXPECT_EQ(t.State().abortSearch, 1);
  t.State().abortSearch = 0;
  t.State().autoPlay = 1;
  t.State().engineSide = 1;
  Special(t, kKeyF10);
  EXPECT_EQ(t.State().abortSearch, 1);
  EXPECT_EQ(t.State().autoPlay, 0);
  EXPECT_EQ(t.State().engineSide, 0);
}

TEST(Keys, AutoPlayGivesTheEngineTheSideToMove) {
  TestUi t(kGame3D);
  t.State().engineSide = -1;
  AutoPlayTick(t.State());
  EXPECT_EQ(t.State().engineSide, -1);  // autoplay is off
  t.State().autoPlay = 1;
  AutoPlayTick(t.State());
  EXPECT_EQ(t.State().engineSide, 1);
  EXPECT_EQ(t.State().abortSearch, 1);
  t.State().abortSearch = 0;
  AutoPlayTick(t.State());
  EXPECT_EQ(t.State().abortSearch, 0);  // already the side to move
  t.Pos().ply = 1;
  t.Pos().winner = kWhiteWon;
  AutoPlayTick(t.State());
  EXPECT_EQ(t.State().engineSide, 1);  // the game is over
}

TEST(Keys, Toggles) {
  TestUi t(kGame3D);
  EXPECT_EQ(Press(t, 'a'), "");
  EXPECT_EQ(t.ui.view.showAxes, 1);
  Press(t, 'c');
  EXPECT_EQ(t.ui.view.showCaptured, 0);
  Press(t, 't');
  EXPECT_EQ(t.State().transparent, 0);
  Press(t, 'o');
  EXPECT_EQ(t.State().orthographic, 1);
  EXPECT_EQ(t.State().transparent, 1);
  Press(t, 'v');
  EXPECT_EQ(t.State().orthographic, 0);
  EXPECT_EQ(t.State().xang, 300);
  EXPECT_EQ(t.ui.view.showAxes, 0);
  EXPECT_EQ(t.ui.view.showCaptured, 1);
}

TEST(Keys, ShowAngles) {
  TestUi t(kGame3D);
  EXPECT_EQ(Press(t, 'g'), "\nW xang=300 yang=0 scale=1.6");
}

TEST(Keys, ZOnlyTurnsTheTwoDGame) {
  TestUi t(kGame3D);
  Press(t, 'z');
  EXPECT_EQ(t.State().xang, 300);
  TestUi flat(kGame2D);
  Press(flat, 'z');
  EXPECT_EQ(flat.State().xang, 210);
  Press(flat, 'Z');
  EXPECT_EQ(flat.State().xang, 330);
}

TEST(Keys, ArrowsWrapTheAngles) {
  TestUi t(kGame3D);
  t.State().xang = 0.5f;
  Special(t, kKeyUp);
  EXPECT_FLOAT_EQ(t.State().xang, 359.5f);
  Special(t, kKeyDown);
  EXPECT_FLOAT_EQ(t.State().xang, 0.5f);
  t.State().xang = 359.5f;
  Special(t, kKeyDown);
  EXPECT_FLOAT_EQ(t.State().xang, 0.5f);
  Special(t, kKeyUp, true);
  EXPECT_FLOAT_EQ(t.State().xang, 350.5f);
  Special(t, kKeyLeft);
  EXPECT_FLOAT_EQ(t.State().yang, 359);
  Special(t, kKeyRight, true);
  EXPECT_FLOAT_EQ(t.State().yang, 9);
  t.ui.view.spinAngle = 359;
  Special(t, kKeyLeft, false, true);
  EXPECT_EQ(t.ui.view.spinAngle, 0);
  Special(t, kKeyRight, true, true);
  EXPECT_EQ(t.ui.view.spinAngle, 350);
  EXPECT_FLOAT_EQ(t.State().yang, 9);  // Alt turns the spin only
}

TEST(Keys, PageKeysZoom) {
  TestUi t(kGame3D);
  Special(t, kKeyPageUp);
  EXPECT_FLOAT_EQ(t.State().scale, 1.6f * 1.01f);
  Special(t, kKeyPageDown);
  EXPECT_FLOAT_EQ(t.State().scale, 1.6f);
  Special(t, kKeyPageUp, true);
  EXPECT_FLOAT_EQ(t.State().scale, 1.6f * 1.1f);
}

TEST(Keys, ViewKeysPrintNothing) {
  TestUi t(kGame3D);
  for (int key : {kKeyLeft, kKeyRight, kKeyUp, kKeyDown, kKeyPageUp, kKeyPageDown})
    EXPECT_EQ(Special(t, key), "");
  for (unsigned char key : {'o', 't', 'v', 'a', 'c'}) EXPECT_EQ(Press(t, key), "");
}

TEST(Keys, DebugBoardMovesToTheNextFreePin) {
  TestUi t(kGame3D);
  // (The new configuration's ray tables are built, and say so.)
  EXPECT_EQ(Press(t, 'k').substr(0, 9), "\nj=0 k=32");
  EXPECT_EQ(t.Pos().pins[0], 35);  // QL1 to QL2
  EXPECT_EQ(Press(t, 'j'), "\nj=1");
  // QL6 wraps to KL1, where board 2 stands, then KL2.
  EXPECT_EQ(Press(t, 'k').substr(0, 18), "\nj=1 k=39\nj=1 k=39");
  EXPECT_EQ(t.Pos().pins[1], 59);
  Press(t, 'j');
  Press(t, 'j');
  EXPECT_EQ(Press(t, 'J'), "\nj=0");
}

TEST(Keys, DebugBoardRecomputesOwners) {
  TestUi t(kGame3D);
  Position& pos = t.Pos();
  for (Square s : {0, 1, 8}) pos.board[static_cast<std::size_t>(s)] = 0;
  pos.board[38] = 0;
  pos.board[9] = -kPawn;  // one black piece on board 0
  BoardToPieces(pos);
  Press(t, 'k');
  EXPECT_EQ(pos.owners[0], 0);
}

TEST(Keys, FileKeysWaitForTheirCommands) {
  TestUi t(kGame3D);
  for (unsigned char key : {'l', 'r', 's'}) {
    EXPECT_EQ(Press(t, key), "");
    EXPECT_EQ(Press(t, key, true), "");
  }
}

TEST(Keys, NewGamesOfBothModes) {
  TestUi t(kGame3D);
  t.State().difficulty = kMedium;
  t.State().rules = kStandard;
  const std::string text = Special(t, kKeyF2);
  EXPECT_EQ(text.substr(0, 19), "\nBoard Hashes Reset");
  EXPECT_NE(text.find("\nTorvik V2.80\n\n"), std::string::npos);
  EXPECT_EQ(t.State().gameMode, kGame2D);
  EXPECT_EQ(t.State().difficulty, kMedium);
  EXPECT_EQ(t.State().rules, kTournament);
  EXPECT_EQ(t.State().scale, 2.0f);
  EXPECT_EQ(t.State().xang, 330);
  EXPECT_EQ(t.State().engineSide, -1);
  Special(t, kKeyF3);
  EXPECT_EQ(t.State().gameMode, kGame3D);
  EXPECT_EQ(t.State().xang, 300);
  EXPECT_EQ(t.Pos().ply, 0);
}

TEST(Keys, FavouriteViewKeysUseTheWorkingFolder) {
  namespace fs = std::filesystem;
  const fs::path old = fs::current_path();
  const fs::path dir = fs::temp_directory_path() / ("torvik-ui-keys-" + std::to_string(getpid()));
  fs::create_directories(dir);
  fs::current_path(dir);
  TestUi t(kGame3D);
  t.State().xang = 20;
  EXPECT_EQ(Special(t, kKeyF5), "\nFavorite view LOADED");  // no file: the view is reset
  EXPECT_EQ(t.State().xang, 300);
  t.State().xang = 20;
  EXPECT_EQ(Special(t, kKeyF6), "\nFavorite view SAVED");
  EXPECT_TRUE(fs::exists(dir / "favview.sav"));
  t.State().xang = 40;
  Special(t, kKeyF5);
  EXPECT_EQ(t.State().xang, 20);
  fs::current_path(old);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace torvik::ui
