#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "board/geometry.h"
#include "board/rebuild.h"
#include "rules/piece_attacks.h"
#include "rules/square_level.h"
#include "rules_support.h"

namespace torvik {
namespace {

using test::Board3D;

// ---- 2D: the maps against a plain computation on the 8x8 board ----

struct Maps {
  std::array<uint32_t, 64> attacked{}, xray{};
};

bool OnBoard(int file, int rank) { return file >= 0 && file < 8 && rank >= 0 && rank < 8; }

void Step(Maps& m, Square from, int df, int dr, uint32_t bit) {
  const int f = ColumnOf(from) + df, r = RowOf(from) + dr;
  if (OnBoard(f, r)) m.attacked[MakeSquare(f, r)] |= bit;
}

// A friendly slider moving along this kind of line lets it through.
bool LetsThrough(int mover, int blocker, bool diagonal) {
  if (blocker == 0) return true;
  if (!SameSide(mover, blocker)) return false;
  const int t = TypeOf(blocker);
  return t == kQueen || t == (diagonal ? kBishop : kRook);
}

void Line(Maps& m, const Position& pos, Square from, int df, int dr, uint32_t bit) {
  int f = ColumnOf(from) + df, r = RowOf(from) + dr;
  for (; OnBoard(f, r); f += df, r += dr) {
    m.attacked[MakeSquare(f, r)] |= bit;
    if (pos.board[MakeSquare(f, r)] != 0) break;
  }
  if (!OnBoard(f, r)) return;
  const int mover = pos.board[from];
  for (Square passed = MakeSquare(f, r); LetsThrough(mover, pos.board[passed], df && dr);) {
    f += df, r += dr;
    if (!OnBoard(f, r)) return;
    passed = MakeSquare(f, r);
    m.xray[passed] |= bit;
  }
}

Maps PlainMaps(const Position& pos) {
  Maps m;
  for (int slot = 0; slot < kSlots; ++slot) {
    const PieceEntry& p = pos.pieces[slot];
    const uint32_t bit = SlotBit(slot);
    const int t = TypeOf(p.code), forward = p.code > 0 ? 1 : -1;
    if (t == kPawn) {
      Step(m, p.square, -1, forward, bit);
      Step(m, p.square, 1, forward, bit);
    }
    for (int df = -2; df <= 2; ++df)
      for (int dr = -2; dr <= 2; ++dr) {
        const int d2 = df * df + dr * dr;
        if ((t == kKnight && d2 == 5) || (t == kKing && (d2 == 1 || d2 == 2)))
          Step(m, p.square, df, dr, bit);
        const bool diagonal = d2 == 2, straight = d2 == 1;
        if ((diagonal && (t == kBishop || t == kQueen)) || (straight && (t == kRook || t == kQueen)))
          Line(m, pos, p.square, df, dr, bit);
      }
  }
  return m;
}

TEST(PieceAttacks2D, MapsEqualAPlainComputationOnRandomBoards) {
  std::mt19937 rng(4);
  for (int n = 0; n < 3000; ++n) {
    const Position pos = test::RandomBoard(rng, kGame2D, kTournament, 2 + n % 24);
    const Maps want = PlainMaps(pos);
    for (Square s = 0; s < 64; ++s) {
      ASSERT_EQ(pos.attackedBy[s], want.attacked[s]) << FormatPosition(pos) << " square " << s;
      ASSERT_EQ(pos.xrayBy[s], want.xray[s]) << FormatPosition(pos) << " square " << s;
    }
  }
}

TEST(PieceAttacks2D, BatteriesReachOnThroughFriendlySlidersOnly) {
  // Rook a1 behind rook a2 and queen a4: its x-ray runs up the file past both
  // and ends on the black knight a6. Along rank 1 the king stops it; the rook a2
  // does not see through the bishop b2.
  Position pos = test::Parse("4k3/8/n7/8/Q7/8/RB6/R3K3 w - - 0 1", kGame2D);
  const uint32_t a1 = SlotBit(pos.slotOf[0]), a2 = SlotBit(pos.slotOf[1]);
  EXPECT_TRUE(pos.attackedBy[1] & a1);
  EXPECT_FALSE(pos.attackedBy[2] & a1);
  for (Square s : {2, 3, 4, 5}) EXPECT_TRUE(pos.xrayBy[s] & a1) << s;
  EXPECT_FALSE(pos.xrayBy[6] & a1);
  EXPECT_TRUE(pos.attackedBy[32] & a1);
  EXPECT_FALSE(pos.xrayBy[40] & a1);
  EXPECT_FALSE(pos.xrayBy[17] & a2);
}

TEST(PieceAttacks2D, UnknownPieceIsReportedAndMarksNothing) {
  Position pos = test::Parse("4k3/8/8/8/8/8/8/4K2R w - - 0 1", kGame2D);
  const int slot = pos.slotOf[56];
  pos.pieces[slot].code = 9;
  pos.attackedBy.fill(0);
  ConsoleCapture log;
  GeneratePieceAttacks(pos, slot);
  EXPECT_NE(log.Text().find("unknown pi in piece generate"), std::string::npos);
  for (uint32_t word : pos.attackedBy) EXPECT_EQ(word, 0u);
  EXPECT_TRUE(pos.eval.recomputeMask & SlotBit(slot));
}

// ---- 3D: hand-checked cases ----

// The squares attacked by the piece standing on `from`.
std::string Reach(const Position& pos, Square from) {
  std::string out;
  const uint32_t bit = SlotBit(pos.slotOf[from]);
  for (Square s = 0; s < 64; ++s)
    if (pos.attackedBy[s] & bit) out += std::to_string(s) + " ";
  return out;
}

Position At(std::initializer_list<std::pair<Square, char>> pieces, const std::string& pins,
            int rules) {
  return test::Parse(Board3D(pieces) + " w " + pins + " wbwb - -", kGame3D, rules);
}

const std::string kHome = "QL1,QL6,KL1,KL6";

TEST(PieceAttacks3D, LevelOfASquareAgreesWithTheGeometry) {
  std::mt19937 rng(9);
  for (int n = 0; n < 50; ++n) {
    const Position pos = test::RandomBoard(rng, kGame3D, kTournament, 0);
    for (Square s = 0; s < 64; ++s) EXPECT_EQ(SquareLevel(pos, s), GetSquareLevel(pos, s));
  }
}

// White rook on white a1 (32) up the a-file; a black knight on neutral a3 (2).
// One step from a2 reaches white a3 (34) and neutral a3 (2): the knight ends the
// slide there. Along rank 1 the step onto the king's d1 (56) also holds board
// 2's d1 (17), which is marked before the slide ends; z1 (1) and a0 (8) lie on
// board 0.
TEST(PieceAttacks3D, TournamentBlockEndsTheSlideAfterItsStep) {
  const Position pos = At({{32, 'R'}, {2, 'n'}, {56, 'K'}, {55, 'k'}}, kHome, kTournament);
  EXPECT_EQ(Reach(pos, 32), "1 2 8 17 33 34 40 48 56 ");
}

// Under Standard rules only the neutral level stays closed: the rook goes on up
// the white and then the black level, never again onto the neutral level.
TEST(PieceAttacks3D, StandardBlockClosesOnlyItsLevel) {
  const Position pos = At({{32, 'R'}, {2, 'n'}, {56, 'K'}, {55, 'k'}}, kHome, kStandard);
  const std::string reach = Reach(pos, 32);
  for (Square s : {33, 34, 35, 36, 37, 38, 39, 2, 14})
    EXPECT_NE((" " + reach).find(" " + std::to_string(s) + " "), std::string::npos) << s << ": " << reach;
  for (Square s : {3, 4, 5}) EXPECT_EQ((" " + reach).find(" " + std::to_string(s) + " "), std::string::npos) << s;
}

// Both rule sets agree while nothing blocks.
TEST(PieceAttacks3D, OpenLinesAreTheSameUnderBothRules) {
  const auto a = At({{40, 'B'}, {33, 'Q'}, {56, 'K'}, {55, 'k'}}, kHome, kTournament);
  const auto b = At({{40, 'B'}, {33, 'Q'}, {56, 'K'}, {55, 'k'}}, kHome, kStandard);
  EXPECT_EQ(Reach(a, 40), Reach(b, 40));
}

// A rook on board 0 at QL1, square 0 (z0): up the z-file over the empty pins
// to board 1 on QL6 (6 z8, 7 z9), and along rank 0 to board 2 on KL1 (16 d0, 24 e0).
TEST(PieceAttacks3D, TournamentWalksCrossEmptyPins) {
  const Position t = At({{0, 'R'}, {56, 'K'}, {55, 'k'}}, kHome, kTournament);
  EXPECT_EQ(Reach(t, 0), "1 6 7 8 16 24 ");
  const Position s = At({{0, 'R'}, {56, 'K'}, {55, 'k'}}, kHome, kStandard);
  EXPECT_EQ(Reach(s, 0), "1 8 ");
}

TEST(PieceAttacks3D, TournamentWalksStopAtThePieceTheyMeet) {
  // An enemy is reached, a friend is not; either ends the walk.
  EXPECT_EQ(Reach(At({{0, 'R'}, {6, 'n'}, {16, 'B'}, {56, 'K'}, {55, 'k'}}, kHome, kTournament), 0),
            "1 6 8 ");
  // The walker's own board must be clear beside it: a piece on 8 stops the
  // lateral walk, one on 1 the column walk.
  EXPECT_EQ(Reach(At({{0, 'R'}, {8, 'N'}, {56, 'K'}, {55, 'k'}}, kHome, kTournament), 0),
            "1 6 7 8 ");
  EXPECT_EQ(Reach(At({{0, 'R'}, {1, 'N'}, {56, 'K'}, {55, 'k'}}, kHome, kTournament), 0),
            "1 8 16 24 ");
}

// Board 0 on QL2 and board 1 on QL5 share the ranks 4 and 5. A rook on 0 (z4)
// walks back to board 2 on QL1 (17 z1, 16 z0) only while the lower z-square of
// the other board of the pair (6) is empty.
TEST(PieceAttacks3D, BackwardFromThePairNeedsBothLowerSquaresEmpty) {
  const std::string pins = "QL2,QL5,QL1,KL6";
  const std::string open = Reach(At({{0, 'R'}, {56, 'K'}, {55, 'k'}}, pins, kTournament), 0);
  EXPECT_NE(open.find("16 17"), std::string::npos) << open;
  const std::string shut = Reach(At({{0, 'R'}, {6, 'p'}, {56, 'K'}, {55, 'k'}}, pins, kTournament), 0);
  EXPECT_EQ(shut.find("16"), std::string::npos) << shut;
  EXPECT_EQ(shut.find("17"), std::string::npos) << shut;
}

TEST(PieceAttacks3D, RegenerationEqualsTheBuilderSlotBySlot) {
  // RegenToPieces builds the maps from GeneratePieceAttacks alone: running it
  // twice changes nothing, and every bit belongs to a piece present.
  std::mt19937 rng(17);
  for (int rules : {kTournament, kStandard})
    for (int n = 0; n < 200; ++n) {
      Position pos = test::RandomBoard(rng, kGame3D, rules, 4 + n % 20);
      const auto before = pos.attackedBy;
      ASSERT_EQ(RegenToPieces(pos), 1);
      EXPECT_EQ(pos.attackedBy, before);
      for (uint32_t word : pos.attackedBy) EXPECT_EQ(word & ~pos.occupiedMask, 0u);
    }
}

}  // namespace
}  // namespace torvik
