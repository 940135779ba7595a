// Hand-built 3D positions for the rules that are easy to get wrong, and the
// move-path counts of the 3D start.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "board/console.h"
#include "board/make_move.h"
#include "record/move_text.h"
#include "rules/legality.h"
#include "rules/perft.h"
#include "support/invariants.h"
#include "support/positions.h"

namespace torvik {
namespace {

using test::Board3D;

Position Build(std::initializer_list<std::pair<Square, char>> pieces, const std::string& rest,
               int rules = kTournament) {
  Position pos;
  pos.rules = rules;
  std::string error;
  EXPECT_TRUE(ParsePosition(Board3D(pieces) + " " + rest, kGame3D, pos, error)) << error;
  return pos;
}

std::set<std::string> Moves(Position pos) {
  MoveList list;
  const int n = LegalMoves(pos, list);
  std::set<std::string> texts;
  for (int i = 0; i < n; ++i) texts.insert(FormatMoveText(pos, list[i]));
  return texts;
}

// Plays a move given as text; the child replaces the position.
void Play(Position& pos, const std::string& text) {
  Move m;
  ASSERT_TRUE(ParseMoveText(pos, text, m)) << text;
  ASSERT_EQ(LegalMove(pos, m), 1) << text << " in " << FormatPosition(pos);
  auto child = std::make_unique<Position>();
  ASSERT_EQ(MakeMove(*child, pos, m), 1);
  pos = *child;
  pos.previous = nullptr;
}

TEST(Rules3D, PerftOfTheStart) {
  ConsoleCapture quiet;
  const uint64_t tournament[] = {21, 441, 10004, 226504};
  const uint64_t standard[] = {21, 441, 10088, 230320};
  for (int rules : {kTournament, kStandard}) {
    Position pos;
    pos.rules = rules;
    std::string error;
    ASSERT_TRUE(ParsePosition(kStartText3D, kGame3D, pos, error));
    for (int d = 1; d <= 4; ++d)
      EXPECT_EQ(Perft(pos, d), (rules == kTournament ? tournament : standard)[d - 1]) << rules << " " << d;
  }
}

TEST(Rules3D, EnPassantTakesThePawnThatDoubleStepped) {
  ConsoleCapture quiet;
  // White pawns a2 (33) and a4 (35); a black pawn on neutral b4 (11).
  Position pos = Build({{33, 'P'}, {35, 'P'}, {11, 'p'}, {16, 'K'}, {23, 'k'}}, "w QL1,QL6,KL1,KL6 wbwb - -");
  EXPECT_TRUE(Moves(pos).count("33-3"));   // past a3 to neutral a4
  EXPECT_FALSE(Moves(pos).count("33-35")); // a4 on the white level is taken
  Play(pos, "33-3");
  EXPECT_EQ(pos.epSquare, 34);
  const std::string afterStep = FormatPosition(pos);
  // Either a3 square takes en passant; the pawn that stepped goes, not the one on a4.
  for (const char* take : {"11-34", "11-2"}) {
    Position p = pos;
    Play(p, take);
    EXPECT_EQ(p.board[3], 0) << take;
    EXPECT_EQ(p.board[35], kPawn) << take;
    EXPECT_EQ(p.lastMove.kind, kEnPassantWhite);
  }
  // Read from text the last move is unknown: the first pawn behind the target is taken.
  Position fromText = test::From3D(afterStep);
  EXPECT_EQ(Moves(fromText), Moves(pos));
  Play(fromText, "11-34");
  EXPECT_EQ(fromText.board[35], 0);
}

TEST(Rules3D, PushOntoTheEnPassantSquareIsAPlainMove) {
  ConsoleCapture quiet;
  // A black pawn on neutral a4 (3) stands in front of the passed square's projection.
  Position pos = Build({{33, 'P'}, {3, 'p'}, {43, 'p'}, {16, 'K'}, {23, 'k'}}, "w QL1,QL6,KL1,KL6 wbwb - -");
  Play(pos, "33-35");
  ASSERT_EQ(pos.epSquare, 34);
  Position push = pos;
  Play(push, "3-2");  // straight down onto neutral a3
  EXPECT_EQ(push.board[35], kPawn);
  EXPECT_EQ(push.board[2], -kPawn);
  EXPECT_EQ(push.halfmoveCount, 1);
  Position take = pos;
  Play(take, "43-34");  // b4 takes en passant on white a3
  EXPECT_EQ(take.board[35], 0);
}

TEST(Rules3D, CastlingRightsLeaveWithTheirBoard) {
  ConsoleCapture quiet;
  // The long rook stands alone on board 0: moving that board ends long castling.
  Position pos = Build({{16, 'K'}, {0, 'R'}, {23, 'k'}, {31, 'r'}}, "w QL1,QL6,KL1,KL6 wbwb Qk -");
  EXPECT_TRUE(Moves(pos).count("16-8"));
  Play(pos, "100:QL1-QL3");
  EXPECT_EQ(pos.flags & 15, 4u);
  Play(pos, "31-30");
  EXPECT_FALSE(Moves(pos).count("16-8"));
  EXPECT_FALSE(Moves(pos).count("100:QL3-QL1"));  // a board carrying white goes forward only
  // The king alone on its board: a board move takes both rights.
  Position king = Build({{16, 'K'}, {0, 'R'}, {23, 'k'}}, "w QL1,QL6,KL1,KL6 wbwb Q -");
  Play(king, "116:KL1-KL3");
  EXPECT_EQ(king.flags & 15, 0u);
}

TEST(Rules3D, TournamentLinesRunAcrossEmptyPins) {
  ConsoleCapture quiet;
  // A white rook on z1 (board 0, QL1), nothing on QL3 or QL2/QL5, a black knight on z6 (board 1, QL4).
  const std::string rest = "w QL1,QL4,KL1,KL6 wbwb - -";
  Position t = Build({{1, 'R'}, {6, 'n'}, {56, 'K'}, {63, 'k'}}, rest, kTournament);
  Position s = Build({{1, 'R'}, {6, 'n'}, {56, 'K'}, {63, 'k'}}, rest, kStandard);
  EXPECT_TRUE(Moves(t).count("1-6"));
  EXPECT_FALSE(Moves(s).count("1-6"));
  // Under Standard rules the rank slide goes on past a block on another level.
  EXPECT_FALSE(Moves(t).count("1-25"));
  EXPECT_TRUE(Moves(s).count("1-25"));
  // The same line gives check: the king on z6 must answer it.
  Position check = Build({{1, 'R'}, {6, 'k'}, {56, 'K'}}, "b QL1,QL4,KL1,KL6 wbwb - -", kTournament);
  EXPECT_TRUE(check.flags & kInCheck || (check.attackedBy[6] & kWhiteSlots));
  for (const std::string& m : Moves(check)) {
    Position p = check;
    Play(p, m);
    EXPECT_EQ(p.attackedBy[p.pieces[16].square] & kWhiteSlots, 0u) << m;
  }
}

TEST(Rules3D, TextCountsTheSameMovesAsPlay) {
  ConsoleCapture quiet;
  Position pos;
  std::string error;
  ASSERT_TRUE(ParsePosition(kStartText3D, kGame3D, pos, error));
  for (const char* m : {"33-35", "38-36", "57-59", "62-60", "41-43", "54-52"}) {
    Play(pos, m);
    Position text = test::From3D(FormatPosition(pos));
    EXPECT_EQ(Perft(text, 2), Perft(pos, 2)) << m;
    EXPECT_EQ(test::Inconsistency(text), "");
  }
}

}  // namespace
}  // namespace torvik
