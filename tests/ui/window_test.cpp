// The real program under Xvfb, driven with xdotool as a person would: the
// console it prints, the picture it shows, moves with the mouse, the keys.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>

#include "board/console.h"
#include "board/geometry.h"
#include "board/setup.h"
#include "record/game_state.h"
#include "ui/camera.h"
#include "ui/view.h"
#include "window_program.h"
#include "xvfb.h"

namespace torvik::ui {
namespace {

namespace fs = std::filesystem;
using test::Image;
using test::Pixel;
using test::WindowProgram;

constexpr int kWait = 10000;   // milliseconds for anything the program must do
constexpr int kTextBottom = 140;  // the three text lines lie above this row

const std::string kArtefacts = TORVIK_ARTEFACTS;

// Where the centre of square `s` appears in the window (x, y from the top left)
// in the reset view of a new game of `mode`.
struct WindowSpot {
  int x, y;
};
WindowSpot SquareSpot(int mode, Square s) {
  ConsoleCapture quiet;
  auto gs = std::make_unique<GameState>();
  ClearGameState(*gs);
  gs->gameMode = mode;
  NewGameSetup(*gs);
  ViewToggles view;
  ResetView(*gs, view);
  SpacePoint c{};
  SquareCoords(gs->position, s, c);
  double wx = 0, wy = 0;
  ProjectToWindow(CameraOf(*gs, view), {c.x + 0.5f, c.y + 0.5f, c.z}, kWindowSize, kWindowSize, wx,
                  wy);
  return {static_cast<int>(std::lround(wx)), kWindowSize - static_cast<int>(std::lround(wy))};
}

constexpr const char* kHelp =
    "\narrow keys pan, page keys zoom, <shift> faster\nF2 \t new 2D game\nF3 \t new 3D game"
    "\nF5 \t fetch favorite view\nF6 \t store favorite view\nF7-F8 \t replay step back-forward"
    "\nF9 \t autoplay\nF10\t come to full stop\nA \t toggle axes\nB \t Torvik play black"
    "\nC \t captured pieces toggle\nW \t Torvik play white\nL \t list game\nO \t overhead view"
    "\nQ \t quit\nR \t restore game\nS \t save game\nT \t toggle transparency"
    "\nU \t undo one move\nV \t view reset\nZ \t black view toggle(2D)"
    "\nH \t help screen (press 'H' in main window)";

constexpr Pixel kDark{115, 115, 115};
constexpr Pixel kLight{166, 166, 166};
constexpr Pixel kSelectedColour{255, 64, 0};
constexpr Pixel kGreenColour{0, 255, 0};
constexpr Pixel kLavenderColour{153, 153, 204};
constexpr Pixel kIvoryColour{230, 230, 178};
constexpr Pixel kWhiteColour{255, 255, 255};

bool Near(const Pixel& a, const Pixel& b) {
  return std::abs(a.r - b.r) <= 3 && std::abs(a.g - b.g) <= 3 && std::abs(a.b - b.b) <= 3;
}

// How many pixels of colour `c` lie in the box of half-size `r` around (x, y).
int CountAround(const Image& image, int x, int y, int r, const Pixel& c) {
  int n = 0;
  for (int dy = -r; dy <= r; ++dy)
    for (int dx = -r; dx <= r; ++dx) n += Near(image.At(x + dx, y + dy), c);
  return n;
}

int CountIn(const Image& image, int x0, int y0, int x1, int y1, const Pixel& c) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += Near(image.At(x, y), c);
  return n;
}

// The colour a square of the start position shows where no piece stands.
Pixel SquareGrey(Square s) { return (ColumnOf(s) + RowOf(s)) % 2 == 0 ? kDark : kLight; }

bool BoardUnchanged(const Image& a, const Image& b) {
  return test::SameRegion(a, b, 0, kTextBottom, kWindowSize, kWindowSize);
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Save(const Image& image, const std::string& name) {
  fs::create_directories(kArtefacts);
  const std::string path = kArtefacts + "/" + name + ".png";
  EXPECT_TRUE(test::WritePng(image, path)) << path;
  return path;
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = std::make_unique<test::XvfbServer>();
    if (server_->Display().empty()) GTEST_SKIP() << "Xvfb cannot start: " << server_->Failure();
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    workDir_ = kArtefacts + "/" + name;
    fs::create_directories(workDir_);
    program_ = std::make_unique<WindowProgram>(TORVIK_WINDOW, server_->Display(), workDir_);
    ASSERT_TRUE(program_->WaitForWindow(kWait))
        << "the window never showed; status " << program_->WaitForExit(0) << "\n" << program_->Console()
        << "\n" << Slurp(workDir_ + "/stderr.txt");
    ASSERT_TRUE(program_->WaitForConsole("help screen", 0, kWait)) << program_->Console();
  }

  WindowProgram& Program() { return *program_; }

  std::unique_ptr<test::XvfbServer> server_;
  std::string workDir_;
  std::unique_ptr<WindowProgram> program_;
};

TEST_F(WindowTest, StartsAndDraws) {
  const std::string console = Program().Console();
  EXPECT_EQ(console.rfind("\nBoard Hashes Reset", 0), 0u) << console;
  const std::size_t banner = console.find("\nTorvik V2.80\n\n");
  const std::size_t help = console.find(kHelp);
  EXPECT_NE(banner, std::string::npos) << console;
  EXPECT_NE(help, std::string::npos) << console;
  EXPECT_LT(banner, help);

  const Image start = Program().Settle();
  Save(start, "start_3d");
  ASSERT_EQ(start.width, kWindowSize);
  // The empty squares of the neutral level show their greys through the stipple.
  for (Square s : {2, 3, 4, 5, 11, 12, 19, 20, 26, 29}) {
    const WindowSpot at = SquareSpot(kGame3D, s);
    const Pixel other = SquareGrey(s).r == kDark.r ? kLight : kDark;
    EXPECT_GE(CountAround(start, at.x, at.y, 3, SquareGrey(s)), 10) << "square " << s;
    EXPECT_EQ(CountAround(start, at.x, at.y, 3, other), 0) << "square " << s;
  }
  // Title lavender (white to move at ply 0), banner ivory, status green.
  EXPECT_GT(CountIn(start, 30, 15, 250, 45, kLavenderColour), 20);
  EXPECT_GT(CountIn(start, 30, 50, 250, 80, kIvoryColour), 20);
  EXPECT_GT(CountIn(start, 30, 88, 250, 115, kGreenColour), 20);

  Program().Key("q");
  EXPECT_EQ(Program().WaitForExit(kWait), 0);
}

TEST_F(WindowTest, PawnMoveThenUndo) {
  Program().Key("F10");  // two people at the screen: the engine answers nothing
  const Image start = Program().Settle();
  const std::size_t before = Program().Console().size();

  const WindowSpot pawn = SquareSpot(kGame3D, 41);
  const WindowSpot target = SquareSpot(kGame3D, 42);
  Program().Click(pawn.x, pawn.y);
  const Image selected = Program().Settle();
  Save(selected, "pawn_selected_3d");
  EXPECT_GT(CountAround(selected, pawn.x, pawn.y, 30, kSelectedColour), 10);
  EXPECT_GT(CountAround(selected, target.x, target.y, 3, kGreenColour), 10);

  Program().Click(target.x, target.y);
  ASSERT_TRUE(Program().WaitForConsole("\n1. ", before, kWait)) << Program().Console();
  const Image moved = Program().Settle();
  Save(moved, "pawn_moved_3d");
  EXPECT_FALSE(BoardUnchanged(start, moved));
  EXPECT_EQ(CountAround(moved, target.x, target.y, 3, kGreenColour), 0);

  const std::size_t afterMove = Program().Console().size();
  Program().Key("u");
  ASSERT_TRUE(Program().WaitForConsole("\nmove undone", afterMove, kWait)) << Program().Console();
  const Image undone = Program().Settle();
  Save(undone, "undone_3d");
  EXPECT_TRUE(BoardUnchanged(start, undone));

  Program().Key("Escape");
  EXPECT_EQ(Program().WaitForExit(kWait), 0);
}

TEST_F(WindowTest, ImpossibleSquareLeavesThePosition) {
  const Image start = Program().Settle();
  const std::string before = Program().Console();
  const WindowSpot pawn = SquareSpot(kGame3D, 41);
  const WindowSpot far = SquareSpot(kGame3D, 45);  // black level b6
  Program().Click(pawn.x, pawn.y);
  Program().Settle();
  Program().Click(far.x, far.y);
  const Image refused = Program().Settle();
  Save(refused, "refused_3d");
  EXPECT_EQ(Program().Console(), before);
  EXPECT_TRUE(BoardUnchanged(start, refused));
  EXPECT_GT(CountIn(refused, 30, 88, 400, 115, kWhiteColour), 20) << "illegal move in the status line";
  Program().Key("q");
  EXPECT_EQ(Program().WaitForExit(kWait), 0);
}

TEST_F(WindowTest, TwoDGameAndTheViewKeys) {
  std::size_t before = Program().Console().size();
  Program().Key("F2");
  ASSERT_TRUE(Program().WaitForConsole("\nBoard Hashes Reset", before, kWait));
  ASSERT_TRUE(Program().WaitForConsole("\nTorvik V2.80\n\n", before, kWait));
  Program().Key("F10");
  const Image start = Program().Settle();
  Save(start, "start_2d");
  for (Square s = 0; s < kSquareCount; ++s) {
    if (RowOf(s) < 2 || RowOf(s) > 5) continue;  // pieces stand there
    const WindowSpot at = SquareSpot(kGame2D, s);
    EXPECT_GE(CountAround(start, at.x, at.y, 2, SquareGrey(s)), 25) << "square " << s;
  }

  before = Program().Console().size();
  const WindowSpot e2 = SquareSpot(kGame2D, 33);
  const WindowSpot e4 = SquareSpot(kGame2D, 35);
  Program().Click(e2.x, e2.y);
  Program().Settle();
  Program().Click(e4.x, e4.y);
  ASSERT_TRUE(Program().WaitForConsole("\n1. ", before, kWait)) << Program().Console();
  const Image moved = Program().Settle();
  Save(moved, "pawn_moved_2d");

  before = Program().Console().size();
  Program().Key("Left Up Prior shift+Right shift+Next o t z a");
  const Image turned = Program().Settle();
  Save(turned, "turned_2d");
  EXPECT_EQ(Program().Console().size(), before) << Program().Console().substr(before);
  EXPECT_NE(turned.rgb, moved.rgb);
  Program().Key("v");
  const Image reset = Program().Settle();
  EXPECT_EQ(reset.rgb, moved.rgb) << "the view reset brings back the same picture";
  EXPECT_EQ(Program().Console().size(), before);

  Program().Key("q");
  EXPECT_EQ(Program().WaitForExit(kWait), 0);
}

}  // namespace
}  // namespace torvik::ui
