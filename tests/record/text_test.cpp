// Positions and moves as text: the position text, and the notations of moves.
#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

#include "record/notation.h"
#include "record/position_text.h"
#include "rules/make_move.h"
#include "rules/rules_support.h"
#include "support/bad_positions.h"
#include "support/invariants.h"
#include "support/positions.h"

namespace torvik {
namespace {

using test::M;
using test::Sq;
using test::Start;

TEST(PositionText, ReadAndShownAgain) {
  for (int mode : {kGame2D, kGame3D}) {  // the start texts are the set-up's
    const char* text = mode == kGame3D ? kStartText3D : kStartText2D;
    const Position set = Start(mode), read = test::FromText(text, mode);
    EXPECT_EQ(read.board, set.board);
    EXPECT_TRUE(read.hashKey == set.hashKey && read.hashLock == set.hashLock && read.flags == set.flags);
    EXPECT_EQ(FormatPosition(set), text);
  }
  const std::string empty3D = "..........................K..................k..................";
  const std::tuple<std::string, int, std::string> texts[] = {
      {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", kGame2D, ""},
      {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", kGame2D, ""},
      {"rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3 4 17", kGame2D, ""},
      {"RP....prQP....pqKP....pkRP....prN..P..pnBP....pbBP....pbNP....pn b QL3,QL6,KL1,KL6 wbwb Kq 34 5 9",
       kGame3D, ""},
      // An en-passant square no double step can have left is dropped.
      {"4k3/8/8/4P3/8/8/8/4K3 w - d6 0 1", kGame2D, "4k3/8/8/4P3/8/8/8/4K3 w - - 0 1"},
      {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e3 0 1", kGame2D,
       "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 1"},
      // The 3D game keeps its square as given (only its file and rank count).
      {std::string(kStartText3D).replace(std::string(kStartText3D).find(" - 0 1"), 6, " 34 0 1"), kGame3D, ""},
      {empty3D + " w QL2,QL5,KL3,KL4 wbwb - - 0 1", kGame3D, ""},
      // What the rebuild drops: no rook on h1, no K right; an empty board returns to its owner.
      {"4k3/8/8/8/8/8/8/4K3 w KQkq - 0 1", kGame2D, "4k3/8/8/8/8/8/8/4K3 w - - 0 1"},
      {empty3D + " w QL1,QL6,KL1,KL6 bwbw - -", kGame3D, empty3D + " w QL1,QL6,KL1,KL6 wbwb - - 0 1"},
  };
  for (const auto& [text, mode, shown] : texts)
    EXPECT_EQ(FormatPosition(test::FromText(text, mode)), shown.empty() ? text : shown);
  // The FEN fields.
  const Position pos = test::From2D("rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b Kq e3 0 3");
  EXPECT_EQ(std::tuple(pos.epSquare, pos.flags & 15, pos.halfmoveCount, pos.ply), std::tuple(Sq('e', 3), 1u | 8u, 1, 5));
  EXPECT_EQ(std::tuple(pos.board[Sq('d', 4)], pos.board[7], pos.board[63]), std::tuple(-kPawn, -kRook, -kRook));  // a8, h8
}

// The legal moves of a position, in an order of their own.
std::set<test::MoveKey> Legal(Position& pos) {
  MoveList moves;
  const int n = LegalMoves(pos, moves);
  return test::LegalSet(pos, std::vector<Move>(moves.data(), moves.data() + n));
}

// The text `show` writes for a position reached in play reads back to the
// same game: the same legal moves, the same move paths two plies deep. In the
// 3D game the en-passant square may hold a piece and is kept, and a pawn an
// attack board's move left with nothing ahead stands unpromoted.
TEST(PositionText, PlayedPositionsReadBackToTheSameGame) {
  int withEp = 0;
  auto check = [&](const Position& played, int rules) {
    Position pos = played;
    Position back = test::FromText(FormatPosition(pos), kGame3D, rules);
    ASSERT_EQ(Legal(back), Legal(pos)) << FormatPosition(pos);
    if (pos.epSquare == 0) return;
    ++withEp;
    EXPECT_EQ(back.epSquare, pos.epSquare);
    EXPECT_EQ(Perft(back, 2), Perft(pos, 2)) << FormatPosition(pos);
  };
  // Standard rules: b2 steps to the neutral b4 past a knight on b3, which
  // becomes the en-passant square; the pawn on c4 takes onto the neutral b3.
  std::string board(64, '.');
  board[16] = 'K', board[23] = 'k', board[41] = 'P', board[42] = 'N', board[19] = 'p';
  Position before = test::FromText(board + " w QL1,QL6,KL1,KL6 wbwb - -", kGame3D, kStandard);
  Position after;
  Move step = M(kPawn, 41, 11);
  ASSERT_EQ(MakeMove(after, before, step), 1);
  ASSERT_EQ(after.epSquare, 42);
  check(after, kStandard);
  // A white pawn on d8 with the KL6 board above it: the board moves off and
  // leaves the pawn with nothing ahead, unpromoted.
  board.assign(64, '.');
  board[41] = 'K', board[46] = 'k', board[63] = 'P';
  before = test::FromText(board + " b QL1,QL6,KL1,KL6 wbwb - -", kGame3D, kTournament);
  Move off = M(kBlackKingBoard, 63, 60, 'T');
  ASSERT_EQ(MakeMove(after, before, off), 1);
  check(after, kTournament);
  for (int rules : {kTournament, kStandard})
    test::RandomPlay(Start(kGame3D, rules), 21 + rules, 150, [&](const Position& pos) { check(pos, rules); });
  EXPECT_GT(withEp, 1);
}

TEST(PositionText, ErrorsNameWhatIsWrong) {
  for (const test::BadPosition& bad : test::BadPositions()) {
    Position pos;
    std::string error;
    EXPECT_FALSE(ParsePosition(bad.text, bad.mode, pos, error)) << bad.text;
    EXPECT_NE(error.find(bad.reason), std::string::npos) << bad.text << ": " << error;
  }
  // At the limit every piece is read, in a slot of its own side; a pawn with an
  // attack board beyond it can still move (a9 lies on the board at QL6, a0 at
  // QL1). With the other side to move a king in check is a check to answer.
  const std::tuple<std::string, int, bool> accepted[] = {
      {"4k3/8/8/8/8/8/PPPPPPP1/QQ2K3 w - - 0 1", kGame2D, false},
      {"qqqqqqqq/q2k4/8/8/8/8/8/K7 w - - 0 1", kGame2D, true},
      {test::Text3D({{16, 'K'}, {23, 'k'}, {39, 'P'}}), kGame3D, false},
      {test::Text3D({{16, 'K'}, {23, 'k'}, {32, 'p'}}), kGame3D, false},
      {"k7/8/8/8/8/8/8/R6K b - - 0 1", kGame2D, true},
      {test::Text3D({{32, 'k'}, {40, 'R'}, {63, 'K'}}, 'b'), kGame3D, true}};
  for (const auto& [text, mode, inCheck] : accepted) {
    Position pos = test::FromText(text, mode);
    EXPECT_EQ(test::Inconsistency(pos), "") << text;
    EXPECT_EQ((pos.flags & kInCheck) != 0, inCheck) << text;
  }
}

struct Example {
  Move move;
  int captured;
  const char* tournament;
  const char* algebraic;
  const char* standard;
};

TEST(Notation, WorkedExamples3D) {
  Position pos = Start(kGame3D);
  const Example examples[] = {
      {M(kPawn, 33, 34), 0, "a3W", "a3W", "Pb2-b3(2)"},
      {M(kKnight, 40, 18), 0, "Nc3N", "Nc3N", "Nc1-d3(4)"},
      {M(kKnight, 40, 18, 'x'), kKnight, "NxNc3N", "Nxc3N", "Nc1xd3(4)"},
      {M(kKnight, 42, 59, 'x'), -kBishop, "NxBd4W", "Nxd4W", "Nc3xe4(2)"},
      {M(kKnight, 42, 0), 0, "Nz0QL1", "Nz0Q1", "Nc3-a0(3)"},
      {M(kPawn, 3, 12, 'e'), 0, "axb5Nep", "axb5Nep", "Pb4ec5(4)"},
      {M(kPawn, 3, 12, 'x'), -kPawn, "axb5N", "axb5N", "Pb4xc5(4)"},
      {M(kPawn, 3, 12, 'x'), -kRook, "axRb5N", "axb5N", "Pb4xc5(4)"},
  };
  for (const Example& e : examples) {
    EXPECT_EQ(MoveNotation(pos, e.move, kNotationTournament, e.captured), e.tournament);
    EXPECT_EQ(MoveNotation(pos, e.move, kNotationAlgebraic, e.captured), e.algebraic);
    EXPECT_EQ(MoveNotation(pos, e.move, kNotationStandard, e.captured), e.standard);
  }
}

TEST(Notation, AttackBoardMoves) {
  Position pos = Start(kGame3D);
  pos.pins[0] = 2;  // board 0 now on QL3
  const Move white = M(100, 32, 2, 'T');
  EXPECT_EQ(MoveNotation(pos, white, kNotationTournament, 0) + " " + MoveNotation(pos, white, kNotationAlgebraic, 0) +
                " " + MoveNotation(pos, white, kNotationStandard, 0), "QL3 Q3 QLWb3(4)");
  pos.pins[3] = 29;  // board 3 on KL4
  EXPECT_EQ(MoveNotation(pos, M(122, 63, 29, 'T'), kNotationStandard, 0), "KLBe6(4)");
}

TEST(Notation, BoardSquaresAreNamedByTheirPin) {
  Position pos = Start(kGame3D);
  EXPECT_STREQ(posstr3DRom(pos, 9).c_str(), "a1");
  EXPECT_STREQ(posstr3D(pos, 9).c_str(), "b1");
  pos.pins[0] = 36;  // QL5
  EXPECT_STREQ(posstr3DRom(pos, 9).c_str(), "a5");
  pos.pins[0] = 60;  // KL5: the king's side letters
  EXPECT_STREQ(posstr3DRom(pos, 0).c_str(), "d4");
  EXPECT_STREQ(posstr3D(pos, 9).c_str(), "f5");
  EXPECT_STREQ(posstr(pos, 9, kNotationAlgebraic).c_str(), "e5");
  EXPECT_TRUE(posstr(pos, 9, 7).empty());
  // Four names alive at once.
  char text[32];
  std::snprintf(text, sizeof text, "%s %s %s %s", posstr3DRom(pos, 32).c_str(), posstr3DRom(pos, 63).c_str(),
                posstr3D(pos, 2).c_str(), posstr3D(pos, 31).c_str());
  EXPECT_STREQ(text, "a1 d8 b3 f9");
}

TEST(Notation, Moves2D) {
  Position pos = Start(kGame2D);
  EXPECT_EQ(MoveNotation(pos, M(kPawn, Sq('e', 2), Sq('e', 4)), 0, 0), "e4");
  EXPECT_EQ(MoveNotation(pos, M(kPawn, Sq('e', 4), Sq('d', 5), 'x'), 0, -kPawn), "exd5");
  EXPECT_EQ(MoveNotation(pos, M(kPawn, Sq('e', 4), Sq('d', 5), 'x'), 0, -kKnight), "exNd5");
  EXPECT_EQ(MoveNotation(pos, M(kPawn, Sq('d', 5), Sq('e', 6), 'x'), 0, 0), "dxe6ep");
  EXPECT_EQ(MoveNotation(pos, M(kKnight, Sq('g', 1), Sq('f', 3)), 2, 0), "Nf3");
  EXPECT_EQ(MoveNotation(pos, M(kBishop, Sq('b', 5), Sq('c', 6), 'x'), 1, -kKnight), "BxNc6");
  EXPECT_EQ(MoveNotation(pos, M(kKing, Sq('e', 1), Sq('g', 1), 'S', 1), 0, 0), "O-O+");
  EXPECT_EQ(MoveNotation(pos, M(-kKing, Sq('e', 8), Sq('c', 8), 'L'), 0, 0), "O-O-O");
}

// The promotion letter follows the position's promotion markers; naming a move
// leaves the position as it was.
TEST(Notation, PromotionLetterFollowsTheMarkers) {
  Position pos = Start(kGame2D);
  pos.flags |= kWhitePromoted;
  Move m = M(kPawn, Sq('e', 7), Sq('e', 8), 'Q');
  EXPECT_EQ(MoveNotation(pos, m, 0, 0), "e8Q");
  EXPECT_EQ(MoveNotation(pos, m, 0, 0), "e8Q");
  pos.flags &= ~kWhitePromoted;
  EXPECT_EQ(MoveNotation(pos, m, 0, 0), "e8");
  pos.flags |= kBlackPromoted;
  Move n = M(-kPawn, Sq('d', 2), Sq('c', 1), 'N', 1);
  EXPECT_EQ(MoveNotation(pos, n, 0, kRook), "dxRc1N+");
  EXPECT_TRUE(pos.flags & kBlackPromoted);
  pos.flags |= kWhitePromoted;  // castling with check carries no letter
  EXPECT_EQ(MoveNotation(pos, M(kKing, 32, 48, 'S', 1), 0, 0), "O-O+");
}

}  // namespace
}  // namespace torvik
