// The keyboard, the special keys, the view commands and the mouse (its picks
// handed in), without a window.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "support/positions.h"
#include "support/run.h"
#include "support/working_folder.h"
#include "ui/commands.h"
#include "ui/keyboard.h"
#include "ui/mouse.h"
#include "ui/move_entry.h"
#include "ui/special_keys.h"
#include "ui/typed_move.h"
#include "ui_fixture.h"

namespace torvik::ui {
namespace {

std::string Special(TestUi& t, int key, bool shift = false, bool alt = false) {
  ConsoleCapture console;
  SpecialKeyPressed(t.ui, key, shift, alt);
  return console.Text();
}

// The view: angles, zoom, orthographic, transparent, spin, axes, captured pieces, black view.
std::string View(TestUi& t) {
  const GameState& gs = t.State();
  const ViewToggles& v = t.ui.view;
  std::ostringstream out;
  out << gs.xang << " " << gs.yang << " x" << gs.scale << " o" << gs.orthographic << " t" << gs.transparent
      << " spin" << v.spinAngle << " a" << v.showAxes << " c" << v.showCaptured << " b" << v.blackView;
  return out.str();
}

TEST(Keys, TextsAndQuit) {
  TestUi t(kGame3D);
  const std::string help = Press(t, 'H');  // the keys, one a line, last the help key itself
  EXPECT_NE(help.find("\nF2 \t new 2D game\n"), std::string::npos) << help;
  EXPECT_EQ(help.substr(help.rfind('\n')), "\nH \t help screen (press 'H' in main window)");
  EXPECT_EQ(Press(t, 'h'), help);
  EXPECT_EQ(Special(t, kKeyF1), help);
  EXPECT_EQ(Press(t, '?'), "\nTorvik V2.80\n\n");
  EXPECT_TRUE(std::regex_match(Press(t, '#'), std::regex("\nBuilt: [A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] "
                                                          "[0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{2}")));
  EXPECT_EQ(BuildStamp("Jan  5 2024", "10:22:33"), "Fri Jan  5 10:22:33 24");
  EXPECT_EQ(BuildStamp("Sep 16 1973", "01:03:52"), "Sun Sep 16 01:03:52 73");
  EXPECT_EQ(BuildStamp("Foo  1 2000", "00:00:00"), "?");
  EXPECT_EQ(Press(t, 'g'), "\nW xang=300 yang=0 scale=1.6");
  for (unsigned char key : {'q', 'Q', '\x1b'}) EXPECT_EQ(KeyboardKey(t.ui, key, false), KeyOutcome::kQuit);
}

TEST(Keys, EngineSidesAutoPlayAndFullStop) {
  TestUi t(kGame3D);
  GameState& gs = t.State();
  auto engine = [&] {
    return std::to_string(gs.engineSide) + " auto " + std::to_string(gs.autoPlay) + " abort " +
           std::to_string(gs.abortSearch);
  };
  gs.autoPlay = 1;
  EXPECT_EQ(Press(t, 'w'), "\nTorvik playing White");
  EXPECT_EQ(engine(), "1 auto 0 abort 0");
  gs.autoPlay = 1;
  EXPECT_EQ(Press(t, 'B'), "\nTorvik playing Black");
  EXPECT_EQ(engine(), "-1 auto 0 abort 0");
  AutoPlayTick(gs);
  EXPECT_EQ(engine(), "-1 auto 0 abort 0");  // autoplay is off
  EXPECT_EQ(Special(t, kKeyF9), "");
  EXPECT_EQ(engine(), "-1 auto 1 abort 0");
  AutoPlayTick(gs);
  EXPECT_EQ(engine(), "1 auto 1 abort 1");  // the engine takes the side to move
  gs.abortSearch = 0;
  AutoPlayTick(gs);
  EXPECT_EQ(engine(), "1 auto 1 abort 0");  // already the side to move
  t.Pos().ply = 1;
  t.Pos().winner = kWhiteWon;
  AutoPlayTick(gs);
  EXPECT_EQ(engine(), "1 auto 1 abort 0");  // the game is over
  Special(t, kKeyF9);
  EXPECT_EQ(engine(), "1 auto 0 abort 1");
  gs.autoPlay = 1;
  gs.abortSearch = 0;
  Special(t, kKeyF10);
  EXPECT_EQ(engine(), "0 auto 0 abort 1");
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
  EXPECT_EQ(t.State().engineSide, -1);
  EXPECT_EQ(View(t), "330 0 x2 o0 t0 spin0 a0 c1 b0");
  Special(t, kKeyF3);
  EXPECT_EQ(t.State().gameMode, kGame3D);
  EXPECT_EQ(View(t), "300 0 x1.6 o0 t1 spin0 a0 c1 b0");
  EXPECT_EQ(t.Pos().ply, 0);
}

// F6 stores the view in the working folder, F5 fetches it (the file's own
// cases are the favourite view's tests).
TEST(Keys, FavouriteViewInTheWorkingFolder) {
  test::ScopedWorkingFolder folder("torvik-ui-keys");
  TestUi t(kGame3D);
  t.State().xang = 12.5f;
  t.State().yang = 200;
  t.State().scale = 1.25f;
  EXPECT_EQ(Special(t, kKeyF6), "\nFavorite view SAVED");
  Press(t, 'v');
  EXPECT_EQ(Special(t, kKeyF5), "\nFavorite view LOADED");
  EXPECT_EQ(View(t), "12.5 200 x1.25 o0 t1 spin0 a0 c1 b0");
}

// The selection, the plies played, board 0's pin, the marked squares and the player's notice.
std::string After(TestUi& t) {
  int marks = 0;
  for (uint8_t m : t.State().targetMarks) marks += m != kNoMark;
  return "sel " + std::to_string(t.State().selection) + " ply " + std::to_string(t.Pos().ply) + " pin " +
         std::to_string(t.Pos().pins[0]) + " marks " + std::to_string(marks) + " '" + t.game->notice.text + "'";
}

// A typed move: Return opens the line, Return plays what it names, Esc and
// a refusal leave the game as it was, the status line echoing all the while.
TEST(Keys, TypedMoves) {
  TestUi t(kGame2D);
  auto type = [&](const std::string& keys) {
    for (char c : keys) KeyboardKey(t.ui, static_cast<unsigned char>(c), false);
  };
  type("\rNf");
  EXPECT_EQ(TypedMoveEcho(t.ui), "move: Nf_");
  type("\b\b\x1b");  // Esc drops the line; it does not quit
  EXPECT_EQ(TypedMoveEcho(t.ui), "");
  type("\rzz\r");
  EXPECT_EQ(t.Pos().ply, 0);
  EXPECT_EQ(t.game->notice.text, "illegal move zz");
  type("\rNf3+\r\re7e5\r\r33-35\r");  // a check sign that is not there is overlooked
  EXPECT_EQ(t.Pos().ply, 2);
  EXPECT_STREQ(MoveText(t.game->record, 2), "e5");
  EXPECT_EQ(t.game->notice.text, "illegal move 33-35");
}

TEST(Mouse, ClickSequences) {
  struct Case {
    int mode;
    std::vector<int> names;
    const char* console;  // what the last click printed
    const char* after;
  };
  const char* none = "sel 65 ply 0 pin 32 marks 0 ''";
  const Case cases[] = {
      {kGame3D, {kNoSquare}, "", none},
      {kGame3D, {10}, "", none},  // neutral level, empty
      {kGame3D, {99}, "\nwhy default?\n", none},
      // White level b2: b3 and b4 on the white level and on the neutral level above it.
      {kGame3D, {41}, "", "sel 41 ply 0 pin 32 marks 4 ''"},
      {kGame3D, {41, 42}, "\n1. b3W", "sel 65 ply 1 pin 32 marks 0 ''"},
      {kGame3D, {41, 45}, "", "sel 65 ply 0 pin 32 marks 0 'illegal move b6B\n'"},
      {kGame3D, {41, 41}, "", none},   // the same square deselects
      {kGame3D, {41, 100}, "", none},  // so does a board
      {kGame3D, {100}, "\nselected QL white", "sel 100 ply 0 pin 32 marks 0 ''"},
      {kGame3D, {100, 100}, "", none},
      {kGame3D, {106}, "\nselected QL black", "sel 106 ply 0 pin 32 marks 0 ''"},
      {kGame3D, {116}, "\nselected KL white", "sel 116 ply 0 pin 32 marks 0 ''"},
      {kGame3D, {122}, "\nselected KL black", "sel 122 ply 0 pin 32 marks 0 ''"},
      // A board sent to a square that is no pin, or nowhere: no destination to name.
      {kGame3D, {100, 45}, "", "sel 65 ply 0 pin 32 marks 0 'illegal move \n'"},
      {kGame3D, {100, kNoSquare}, "", "sel 65 ply 0 pin 32 marks 0 'illegal move \n'"},
      {kGame2D, {33, 35}, "\n1. e4", "sel 65 ply 1 pin 0 marks 0 ''"},
      // Another piece of one's own selects it; a piece with nowhere to go says so.
      {kGame2D, {8, 1}, "", "sel 1 ply 0 pin 0 marks 2 ''"},
      {kGame2D, {0}, "", "sel 0 ply 0 pin 0 marks 0 'no legal move for Ra1'"},
  };
  for (const Case& c : cases) {
    TestUi t(c.mode);
    std::string console;
    for (int name : c.names) console = Click(t, name);
    EXPECT_EQ(console, c.console) << c.names.size() << " clicks, first " << c.names[0];
    EXPECT_EQ(After(t), c.after) << c.names.size() << " clicks, first " << c.names[0];
  }
}

TEST(Mouse, SelectionKeptOrRefused) {
  TestUi t(kGame3D);
  Click(t, 41);
  Picks picks{{42}};
  EXPECT_TRUE(MouseEvent(t.ui, kLeftButton, kButtonDown, true, picks.Get()));
  EXPECT_EQ(picks.asked, 0) << "shift-click keeps the selection";
  EXPECT_EQ(After(t), "sel 41 ply 0 pin 32 marks 4 ''");
  // No move while the engine is to move.
  TestUi engine(kGame3D);
  engine.State().engineSide = kEnginePlaysWhite;
  Click(engine, 41);
  EXPECT_EQ(engine.State().selection, 41);
  EXPECT_EQ(Click(engine, 42), "");
  EXPECT_EQ(After(engine), "sel 65 ply 0 pin 32 marks 0 ''");
  // An edit click ends the edit mode.
  TestUi edit(kGame3D);
  edit.ui.input.editMode = kEditRemove;
  Click(edit, 41);
  EXPECT_EQ(edit.ui.input.editMode, kEditNone);
  EXPECT_EQ(edit.State().selection, kNoSquare);
}

TEST(Mouse, EmptyAttackBoardMoves) {
  TestUi t(kGame3D);
  t.EmptyBoardZero();
  Click(t, 100);
  const std::string line = Click(t, 2);  // QL3 (whose ray tables are built first)
  EXPECT_NE(line.find("\n1. "), std::string::npos) << line;
  EXPECT_EQ(After(t), "sel 65 ply 1 pin 2 marks 0 ''");
}

TEST(Mouse, AClickLeavesTheReplay) {
  TestUi t(kGame2D);
  Click(t, 33);  // e2
  Click(t, 35);  // e4
  ReplayStep(*t.game, -1);
  ReplayStep(*t.game, -1);
  ASSERT_EQ(t.game->record.replayCursor, 0);
  EXPECT_EQ(t.Pos().board[35], 0);
  Click(t, kNoSquare);
  EXPECT_EQ(t.game->record.replayCursor, -1);
  EXPECT_EQ(t.Pos().board[35], kPawn);
}

TEST(Mouse, SpreadModes) {
  TestUi t(kGame2D);
  t.State().spreadMode = kSpreadTeam;  // marks also what the side attacks
  Click(t, 33);                        // e2
  const auto& marks = t.State().targetMarks;
  EXPECT_EQ(marks[34], kMarkMove);      // e3: a move
  EXPECT_EQ(marks[35], kMarkMove);      // e4
  EXPECT_EQ(marks[18], kMarkAttacked);  // c3: attacked by b1 and d2
  EXPECT_EQ(marks[33], kNoMark);        // own piece
  EXPECT_EQ(marks[54], kNoMark);        // g7: not attacked
  TestUi off(kGame2D);
  off.State().spreadMode = kSpreadOff;
  Click(off, 33);
  EXPECT_EQ(After(off), "sel 33 ply 0 pin 0 marks 0 ''");
}

// Alt+S saves to "torvik.sav" in the working folder, Alt+R brings that game
// back, Alt+L lists its moves on the console.
TEST(Keys, QuickSaveRestoreAndList) {
  test::ScopedWorkingFolder folder("torvik-ui-files");
  TestUi t(kGame2D);
  Click(t, 33);  // e2-e4
  Click(t, 35);
  EXPECT_EQ(Press(t, 's', true), "\nSaving torvik.sav ...complete\n");
  Click(t, 30);  // d7-d5
  Click(t, 28);
  ASSERT_EQ(t.Pos().ply, 2);
  EXPECT_NE(Press(t, 'r', true).find("complete!"), std::string::npos);
  EXPECT_EQ(t.Pos().ply, 1);
  EXPECT_EQ(t.game->record.windowTitle, "torvik.sav");
  EXPECT_NE(Press(t, 'l', true).find("e4"), std::string::npos);
}

TEST(MoveEntry, CastlingRecognisedByWhereTheKingIsSent) {
  Position flat;
  flat.gameMode = kGame2D;
  flat.board[32] = kKing;   // e1
  flat.board[39] = -kKing;  // e8
  Position space;
  space.gameMode = kGame3D;
  for (auto [s, code] : {std::pair<Square, int>{16, kKing}, {24, kRook}, {23, -kKing}, {31, -kRook}})
    space.board[s] = code;
  struct Case {
    Position* pos;
    uint32_t rights;
    Square from, to;
    char kind;
  };
  const uint32_t all = kCastleRights, black = kBlackShort | kBlackLong;
  const Case cases[] = {
      {&flat, all, 32, 48, 'S'},   {&flat, all, 32, 16, 'L'},   {&flat, all, 39, 55, 'S'},
      {&flat, all, 39, 23, 'L'},   {&flat, all, 32, 40, '-'},   {&flat, black, 32, 48, '-'},
      {&flat, black, 32, 16, '-'}, {&space, all, 16, 24, 'S'},  // onto its own rook
      {&space, all, 16, 8, 'L'},   {&space, all, 23, 31, 'S'},  {&space, all, 23, 15, 'L'},
      {&space, all, 16, 31, 'x'},  // onto the enemy rook
      {&space, 0, 16, 24, 'x'},    {&space, 0, 16, 8, '-'},
  };
  for (const Case& c : cases) {
    c.pos->flags = c.rights;
    EXPECT_EQ(ClickedMoveKind(*c.pos, c.from, c.to), c.kind) << c.from << "-" << c.to;
  }
  flat.board[48] = -kKnight;
  EXPECT_EQ(ClickedMoveKind(flat, 32, 48), 'x');
}

}  // namespace
}  // namespace torvik::ui
