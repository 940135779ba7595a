#include <gtest/gtest.h>

#include "board/setup.h"
#include "record/notation.h"
#include "support/positions.h"

namespace torvik {
namespace {

Move M(int piece, Square from, Square to, char kind = '-', int check = 0) {
  return Move{from, to, kNoScore, piece, kind, uint8_t(check), {0, 0}};
}

Position Start(int mode) {
  Position pos;
  SetStartPosition(pos, mode);
  return pos;
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
  Move white = M(100, 32, 2, 'T');
  EXPECT_EQ(MoveNotation(pos, white, kNotationTournament, 0), "QL3");
  EXPECT_EQ(MoveNotation(pos, white, kNotationAlgebraic, 0), "Q3");
  EXPECT_EQ(MoveNotation(pos, white, kNotationStandard, 0), "QLWb3(4)");
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
  constexpr auto S = [](char f, int r) { return MakeSquare(f - 'a', r - 1); };
  EXPECT_EQ(MoveNotation(pos, M(kPawn, S('e', 2), S('e', 4)), 0, 0), "e4");
  EXPECT_EQ(MoveNotation(pos, M(kPawn, S('e', 4), S('d', 5), 'x'), 0, -kPawn), "exd5");
  EXPECT_EQ(MoveNotation(pos, M(kPawn, S('e', 4), S('d', 5), 'x'), 0, -kKnight), "exNd5");
  EXPECT_EQ(MoveNotation(pos, M(kPawn, S('d', 5), S('e', 6), 'x'), 0, 0), "dxe6ep");
  EXPECT_EQ(MoveNotation(pos, M(kKnight, S('g', 1), S('f', 3)), 2, 0), "Nf3");
  EXPECT_EQ(MoveNotation(pos, M(kBishop, S('b', 5), S('c', 6), 'x'), 1, -kKnight), "BxNc6");
  EXPECT_EQ(MoveNotation(pos, M(kKing, S('e', 1), S('g', 1), 'S', 1), 0, 0), "O-O+");
  EXPECT_EQ(MoveNotation(pos, M(-kKing, S('e', 8), S('c', 8), 'L'), 0, 0), "O-O-O");
}

TEST(Notation, PromotionLetterIsGivenOnce) {
  Position pos = Start(kGame2D);
  pos.flags |= kWhitePromoted;
  Move m = M(kPawn, MakeSquare(4, 6), MakeSquare(4, 7), 'Q');
  EXPECT_EQ(MoveNotation(pos, m, 0, 0), "e8Q");
  EXPECT_EQ(MoveNotation(pos, m, 0, 0), "e8");
  pos.flags |= kBlackPromoted;
  Move n = M(-kPawn, MakeSquare(3, 1), MakeSquare(2, 0), 'N', 1);
  EXPECT_EQ(MoveNotation(pos, n, 0, kRook), "dxRc1N+");
  EXPECT_FALSE(pos.flags & (kWhitePromoted | kBlackPromoted));
  pos.flags |= kWhitePromoted;  // castling with check carries no letter
  EXPECT_EQ(MoveNotation(pos, M(kKing, 32, 48, 'S', 1), 0, 0), "O-O+");
}

}  // namespace
}  // namespace torvik
