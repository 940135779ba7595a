// The mouse's state machine with picks handed in: selecting, target marks,
// moves, castling recognition, refusals.
#include <gtest/gtest.h>

#include <deque>

#include "board/console.h"
#include "board/maps.h"
#include "board/rebuild.h"
#include "ui/mouse.h"
#include "ui/move_entry.h"
#include "ui/target_marks.h"
#include "ui_fixture.h"

namespace torvik::ui {
namespace {

// Gives the names of successive picks; 65 once they run out.
struct Picks {
  std::deque<int> names;
  int asked = 0;
  Picker Get() {
    return [this] {
      ++asked;
      if (names.empty()) return kNoSquare;
      const int n = names.front();
      names.pop_front();
      return n;
    };
  }
};

std::string Click(TestUi& t, int name, bool shift = false) {
  Picks picks{{name}};
  ConsoleCapture console;
  EXPECT_TRUE(MouseEvent(t.ui, kLeftButton, kButtonDown, shift, picks.Get()));
  EXPECT_TRUE(MouseEvent(t.ui, kLeftButton, kButtonUp, shift, picks.Get()));
  EXPECT_EQ(picks.asked, 1) << "one pick a press, none on release";
  return console.Text();
}

int MarkedCount(const GameState& gs) {
  int n = 0;
  for (uint8_t m : gs.targetMarks) n += m != kNoMark;
  return n;
}

TEST(Mouse, NothingHitAndEmptySquaresChangeNothing) {
  TestUi t(kGame3D);
  EXPECT_EQ(Click(t, kNoSquare), "");
  EXPECT_EQ(t.State().selection, kNoSquare);
  EXPECT_EQ(Click(t, 10), "");  // neutral level, empty
  EXPECT_EQ(t.State().selection, kNoSquare);
  EXPECT_EQ(MarkedCount(t.State()), 0);
}

TEST(Mouse, PawnSelectedThenMoved) {
  TestUi t(kGame3D);
  EXPECT_EQ(Click(t, 41), "");  // white level b2
  EXPECT_EQ(t.State().selection, 41);
  EXPECT_EQ(t.ui.input.selectedName, 41);
  // b3 and b4 on the white level and on the neutral level above it.
  for (Square s : {10, 11, 42, 43}) EXPECT_EQ(t.State().targetMarks[s], kMarkMove) << s;
  EXPECT_EQ(MarkedCount(t.State()), 4);
  const std::string line = Click(t, 42);
  EXPECT_EQ(line.substr(0, 4), "\n1. ") << line;
  EXPECT_EQ(t.Pos().ply, 1);
  EXPECT_EQ(t.Pos().board[42], kPawn);
  EXPECT_EQ(t.State().selection, kNoSquare);
  EXPECT_EQ(MarkedCount(t.State()), 0);
  EXPECT_EQ(t.ui.text.status, "");
  EXPECT_EQ(t.ui.input.humanMoving, 0);
}

TEST(Mouse, ImpossibleSquareRefusedInTheStatusLine) {
  TestUi t(kGame3D);
  Click(t, 41);
  EXPECT_EQ(Click(t, 45), "");
  EXPECT_EQ(t.Pos().ply, 0);
  EXPECT_EQ(t.Pos().board[41], kPawn);
  EXPECT_EQ(t.State().selection, kNoSquare);
  EXPECT_EQ(t.ui.text.status.substr(0, 13), "illegal move ");
  EXPECT_EQ(t.ui.text.status.back(), '\n');
}

TEST(Mouse, SameSquareOrABoardDeselects) {
  TestUi t(kGame3D);
  Click(t, 41);
  EXPECT_EQ(Click(t, 41), "");
  EXPECT_EQ(t.State().selection, kNoSquare);
  Click(t, 41);
  EXPECT_EQ(Click(t, 100), "");
  EXPECT_EQ(t.State().selection, kNoSquare);
  EXPECT_EQ(t.Pos().ply, 0);
  EXPECT_EQ(t.ui.text.status, "");
}

TEST(Mouse, ShiftClickKeepsTheSelection) {
  TestUi t(kGame3D);
  Click(t, 41);
  Picks picks{{42}};
  EXPECT_TRUE(MouseEvent(t.ui, kLeftButton, kButtonDown, true, picks.Get()));
  EXPECT_EQ(picks.asked, 0);
  EXPECT_EQ(t.State().selection, 41);
  EXPECT_EQ(t.Pos().ply, 0);
}

TEST(Mouse, NoMoveWhileTheEngineIsToMove) {
  TestUi t(kGame3D);
  t.State().engineSide = kEnginePlaysWhite;
  Click(t, 41);
  EXPECT_EQ(t.State().selection, 41);
  EXPECT_EQ(Click(t, 42), "");
  EXPECT_EQ(t.State().selection, kNoSquare);
  EXPECT_EQ(t.Pos().ply, 0);
  EXPECT_EQ(t.ui.text.status, "");
}

TEST(Mouse, AttackBoardSelection) {
  TestUi t(kGame3D);
  EXPECT_EQ(Click(t, 100), "\nselected QL white");
  EXPECT_EQ(t.State().selection, 100);
  EXPECT_EQ(Click(t, 100), "");  // the same board: deselected, no move
  EXPECT_EQ(t.State().selection, kNoSquare);
  EXPECT_EQ(Click(t, 106), "\nselected QL black");
  Click(t, 106);
  EXPECT_EQ(Click(t, 116), "\nselected KL white");
  Click(t, 116);
  EXPECT_EQ(Click(t, 122), "\nselected KL black");
}

TEST(Mouse, AttackBoardMoveRefusedShowsInTheStatusLine) {
  TestUi t(kGame3D);
  Click(t, 100);
  Click(t, 45);  // not a pin
  EXPECT_EQ(t.State().selection, kNoSquare);
  EXPECT_EQ(t.Pos().ply, 0);
  EXPECT_EQ(t.Pos().pins[0], 32);
  EXPECT_EQ(t.ui.text.status.substr(0, 13), "illegal move ");
}

TEST(Mouse, AttackBoardSentNowhereIsRefused) {
  TestUi t(kGame3D);
  Click(t, 100);
  Click(t, kNoSquare);
  EXPECT_EQ(t.State().selection, kNoSquare);
  EXPECT_EQ(t.Pos().pins[0], 32);
  EXPECT_EQ(t.ui.text.status.substr(0, 13), "illegal move ");
}

TEST(Mouse, EmptyAttackBoardMoves) {
  TestUi t(kGame3D);
  {
    ConsoleCapture quiet;
    for (std::size_t s : {0u, 1u, 8u, 9u}) t.Pos().board[s] = 0;
    ASSERT_EQ(BoardToPieces(t.Pos()), 1);
    RegenMaps(t.Pos());
    ASSERT_EQ(RegenToPieces(t.Pos()), 1);
  }
  Click(t, 100);
  const std::string line = Click(t, 2);  // QL3 (whose ray tables are built first)
  EXPECT_NE(line.find("\n1. "), std::string::npos) << line;
  EXPECT_EQ(t.Pos().pins[0], 2);
  EXPECT_EQ(t.Pos().ply, 1);
  EXPECT_EQ(t.ui.text.status, "");
}

TEST(Mouse, OddNamesWarn) {
  TestUi t(kGame3D);
  EXPECT_EQ(Click(t, 99), "\nwhy default?\n");
  EXPECT_EQ(t.State().selection, kNoSquare);
}

TEST(Mouse, OtherButtonsAndStates) {
  TestUi t(kGame3D);
  Picks picks;
  ConsoleCapture console;
  EXPECT_FALSE(MouseEvent(t.ui, kRightButton, kButtonDown, false, picks.Get()));
  EXPECT_EQ(console.Text(), "");
  EXPECT_FALSE(MouseEvent(t.ui, kMiddleButton, kButtonDown, false, picks.Get()));
  EXPECT_EQ(console.Text(), "\nunknown mouse button\n");
  console.Clear();
  EXPECT_TRUE(MouseEvent(t.ui, kLeftButton, 7, false, picks.Get()));
  EXPECT_EQ(console.Text(), "\nunknown bstate\n");
  EXPECT_EQ(picks.asked, 0);
}

TEST(Mouse, AClickLeavesTheReplay) {
  TestUi t(kGame2D);
  Click(t, 33);  // e2
  Click(t, 35);  // e4
  ASSERT_EQ(t.Pos().ply, 1);
  ReplayStep(*t.game, -1);
  ReplayStep(*t.game, -1);
  ASSERT_EQ(t.game->record.replayCursor, 0);
  EXPECT_EQ(t.Pos().board[35], 0);
  Click(t, kNoSquare);
  EXPECT_EQ(t.game->record.replayCursor, -1);
  EXPECT_EQ(t.Pos().board[35], kPawn);
}

TEST(Mouse, EditClickEndsTheMode) {
  TestUi t(kGame3D);
  t.ui.input.editMode = kEditRemove;
  Click(t, 41);
  EXPECT_EQ(t.ui.input.editMode, kEditNone);
  EXPECT_EQ(t.State().selection, kNoSquare);
}

TEST(Mouse, TeamSpreadMarksWhatTheSideAttacks) {
  TestUi t(kGame2D);
  t.State().spreadMode = kSpreadTeam;
  Click(t, 33);  // e2
  const GameState& gs = t.State();
  EXPECT_EQ(gs.targetMarks[34], kMarkMove);       // e3: a move
  EXPECT_EQ(gs.targetMarks[35], kMarkMove);       // e4
  EXPECT_EQ(gs.targetMarks[18], kMarkAttacked);   // c3: attacked by b1 and d2
  EXPECT_EQ(gs.targetMarks[33], kNoMark);         // own piece
  EXPECT_EQ(gs.targetMarks[54], kNoMark);         // g7: not attacked
}

TEST(Mouse, SpreadOffMarksNothing) {
  TestUi t(kGame2D);
  t.State().spreadMode = kSpreadOff;
  Click(t, 33);
  EXPECT_EQ(t.State().selection, 33);
  EXPECT_EQ(MarkedCount(t.State()), 0);
}

Position Empty(int mode, uint32_t rights) {
  Position pos;
  pos.gameMode = mode;
  pos.flags = rights;
  return pos;
}

TEST(MoveEntry, CastlingInTheTwoDGame) {
  Position pos = Empty(kGame2D, kCastleRights);
  pos.board[32] = kKing;   // e1
  pos.board[39] = -kKing;  // e8
  EXPECT_EQ(ClickedMoveKind(pos, 32, 48), 'S');
  EXPECT_EQ(ClickedMoveKind(pos, 32, 16), 'L');
  EXPECT_EQ(ClickedMoveKind(pos, 39, 55), 'S');
  EXPECT_EQ(ClickedMoveKind(pos, 39, 23), 'L');
  EXPECT_EQ(ClickedMoveKind(pos, 32, 40), '-');
  pos.flags = kBlackShort | kBlackLong;
  EXPECT_EQ(ClickedMoveKind(pos, 32, 48), '-');
  EXPECT_EQ(ClickedMoveKind(pos, 32, 16), '-');
  pos.board[48] = -kKnight;
  EXPECT_EQ(ClickedMoveKind(pos, 32, 48), 'x');
}

TEST(MoveEntry, CastlingInTheThreeDGame) {
  Position pos = Empty(kGame3D, kCastleRights);
  pos.board[16] = kKing;
  pos.board[24] = kRook;
  pos.board[23] = -kKing;
  pos.board[31] = -kRook;
  EXPECT_EQ(ClickedMoveKind(pos, 16, 24), 'S');  // onto its own rook
  EXPECT_EQ(ClickedMoveKind(pos, 16, 8), 'L');
  EXPECT_EQ(ClickedMoveKind(pos, 23, 31), 'S');
  EXPECT_EQ(ClickedMoveKind(pos, 23, 15), 'L');
  EXPECT_EQ(ClickedMoveKind(pos, 16, 31), 'x');  // onto the enemy rook
  pos.flags = 0;
  EXPECT_EQ(ClickedMoveKind(pos, 16, 24), 'x');
  EXPECT_EQ(ClickedMoveKind(pos, 16, 8), '-');
}

TEST(MoveEntry, MovesAsTheMouseBuildsThem) {
  Position pos = Empty(kGame3D, 0);
  pos.board[41] = kPawn;
  pos.pins = {35, 39, 56, 63};
  const Move m = PieceMove(pos, 41, 42);
  EXPECT_EQ(m.from, 41);
  EXPECT_EQ(m.to, 42);
  EXPECT_EQ(m.score, 405000);
  EXPECT_EQ(m.piece, kPawn);
  EXPECT_EQ(m.kind, '-');
  EXPECT_EQ(m.check, 0);
  const Move b = BoardMove(pos, 100, 2);
  EXPECT_EQ(b.from, 35);
  EXPECT_EQ(b.to, 2);
  EXPECT_EQ(b.piece, 100);
  EXPECT_EQ(b.kind, 'T');
  EXPECT_EQ(b.score, 405000);
}

}  // namespace
}  // namespace torvik::ui
