// The view commands and the favourite view file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "board/console.h"
#include "ui/view.h"
#include "ui_fixture.h"

namespace torvik::ui {
namespace {

namespace fs = std::filesystem;

std::string TempPath(const char* name) {
  return (fs::temp_directory_path() / (std::string("torvik-ui-") + std::to_string(getpid()) + name)).string();
}

TEST(View, ResetOfEachGame) {
  TestUi t(kGame3D);
  GameState& gs = t.State();
  t.ui.view = {45, 1, 0, false};
  gs.orthographic = 1;
  ResetView(gs, t.ui.view);
  EXPECT_EQ(gs.scale, 1.6f);
  EXPECT_EQ(gs.transparent, 1);
  EXPECT_EQ(gs.xang, 300);
  EXPECT_EQ(gs.yang, 0);
  EXPECT_EQ(gs.orthographic, 0);
  EXPECT_EQ(t.ui.view.spinAngle, 0);
  EXPECT_EQ(t.ui.view.showAxes, 0);
  EXPECT_EQ(t.ui.view.showCaptured, 1);
  gs.gameMode = kGame2D;
  ResetView(gs, t.ui.view);
  EXPECT_EQ(gs.scale, 2.0f);
  EXPECT_EQ(gs.transparent, 0);
  EXPECT_EQ(gs.xang, 330);
}

TEST(View, Overhead) {
  TestUi t(kGame2D);
  t.ui.view.spinAngle = 20;
  t.State().yang = 40;
  OverheadView(t.State(), t.ui.view);
  EXPECT_EQ(t.State().orthographic, 1);
  EXPECT_EQ(t.State().transparent, 1);
  EXPECT_EQ(t.State().xang, 0);
  EXPECT_EQ(t.State().yang, 0);
  EXPECT_EQ(t.ui.view.spinAngle, 0);
}

TEST(View, BlackViewTwiceReturnsToTheReset) {
  TestUi t(kGame2D);
  ToggleBlackView(t.State(), t.ui.view);
  EXPECT_EQ(t.State().xang, 210);
  EXPECT_EQ(t.State().yang, 180);
  EXPECT_TRUE(t.ui.view.blackView);
  ToggleBlackView(t.State(), t.ui.view);
  EXPECT_EQ(t.State().xang, 330);
  EXPECT_EQ(t.State().yang, 0);
  EXPECT_FALSE(t.ui.view.blackView);
}

TEST(View, BlackViewDoesNothingInThreeD) {
  TestUi t(kGame3D);
  ToggleBlackView(t.State(), t.ui.view);
  EXPECT_EQ(t.State().xang, 300);
  EXPECT_EQ(t.State().yang, 0);
  EXPECT_FALSE(t.ui.view.blackView);
}

TEST(View, FavouriteRoundTrip) {
  const std::string path = TempPath("fav");
  TestUi t(kGame3D);
  t.State().xang = 12.5f;
  t.State().yang = 200;
  t.State().scale = 1.25f;
  ConsoleCapture console;
  StoreFavouriteView(t.State(), path.c_str());
  EXPECT_EQ(console.Text(), "\nFavorite view SAVED");
  std::ifstream in(path);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "12.5\n200\n1.25\n");
  ResetView(t.State(), t.ui.view);
  console.Clear();
  FetchFavouriteView(t.State(), t.ui.view, path.c_str());
  EXPECT_EQ(console.Text(), "\nFavorite view LOADED");
  EXPECT_EQ(t.State().xang, 12.5f);
  EXPECT_EQ(t.State().yang, 200);
  EXPECT_EQ(t.State().scale, 1.25f);
  std::remove(path.c_str());
}

TEST(View, FavouriteSavedMessageEvenWhenTheFileCannotOpen) {
  TestUi t(kGame3D);
  ConsoleCapture console;
  StoreFavouriteView(t.State(), "/nonexistent-folder/favview.sav");
  EXPECT_EQ(console.Text(), "\nFavorite view SAVED");
}

TEST(View, FetchWithoutTheFileResetsTheView) {
  TestUi t(kGame3D);
  t.State().xang = 10;
  t.State().scale = 3;
  ConsoleCapture console;
  FetchFavouriteView(t.State(), t.ui.view, "/nonexistent-folder/favview.sav");
  EXPECT_EQ(console.Text(), "\nFavorite view LOADED");
  EXPECT_EQ(t.State().xang, 300);
  EXPECT_EQ(t.State().scale, 1.6f);
}

TEST(View, ShortFileLeavesTheRest) {
  const std::string path = TempPath("short");
  { std::ofstream(path) << "45\n"; }
  TestUi t(kGame3D);
  ConsoleCapture console;
  FetchFavouriteView(t.State(), t.ui.view, path.c_str());
  EXPECT_EQ(t.State().xang, 45);
  EXPECT_EQ(t.State().yang, 0);
  EXPECT_EQ(t.State().scale, 1.6f);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace torvik::ui
