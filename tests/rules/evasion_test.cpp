#include <gtest/gtest.h>

#include <random>
#include <string>

#include "rules_support.h"

namespace torvik {
namespace {

std::string Show(const std::set<test::MoveKey>& keys) {
  std::string out;
  for (auto [piece, from, to, promo] : keys)
    out += std::to_string(piece) + ":" + std::to_string(from) + "-" + std::to_string(to) + promo + " ";
  return out;
}

// In check, the legal moves found among the evasions are exactly the legal
// moves found among all moves. Returns 1 when the position was a check.
int ExpectEvasionsComplete(const Position& pos) {
  if (!test::MoverInCheck(pos)) return 0;
  const auto evasions = test::LegalSet(pos, test::Evasions(pos));
  const auto all = test::LegalSet(pos, test::AllMoves(pos));
  EXPECT_EQ(Show(evasions), Show(all)) << FormatPosition(pos) << " rules " << pos.rules;
  return 1;
}

// Every evasion is a move the main generator lists too.
void ExpectEvasionsAreMoves(const Position& pos) {
  const auto all = test::AllMoves(pos);
  for (const Move& m : test::Evasions(pos))
    EXPECT_TRUE(test::HasMove(all, m.piece, m.from, m.to))
        << FormatPosition(pos) << " " << m.piece << ":" << m.from << "-" << m.to;
}

Position Start(int mode, int rules) {
  return test::Parse(mode == kGame3D ? kStartText3D : kStartText2D, mode, rules);
}

TEST(EvasionInvariant, RandomPlayInBothGamesUnderBothRules) {
  ConsoleCapture quiet;
  struct Game {
    int mode, rules, plies;
  };
  for (Game g : {Game{kGame2D, kTournament, 40000}, Game{kGame3D, kTournament, 12000},
                 Game{kGame3D, kStandard, 12000}}) {
    int checks = 0;
    test::RandomPlay(Start(g.mode, g.rules), 11 + g.mode + g.rules, g.plies, [&](const Position& pos) {
      checks += ExpectEvasionsComplete(pos);
    });
    EXPECT_GT(checks, 300) << "mode " << g.mode << " rules " << g.rules;
    if (HasFailure()) return;
  }
}

TEST(EvasionInvariant, RandomBoardsAndBoardPlacements) {
  ConsoleCapture quiet;
  std::mt19937 rng(23);
  int checks = 0;
  for (int n = 0; n < 6000 && !HasFailure(); ++n) {
    const int mode = n % 3 == 0 ? kGame2D : kGame3D;
    const Position pos = test::RandomBoard(rng, mode, n % 2 ? kStandard : kTournament, 3 + n % 26);
    checks += ExpectEvasionsComplete(pos);
    if (test::MoverInCheck(pos)) ExpectEvasionsAreMoves(pos);
  }
  EXPECT_GT(checks, 1000);
}

TEST(EvasionKinds, DoubleCheckLeavesOnlyKingMoves) {
  // Rook e8 and knight d3 both check the king on e1; the bishop b1 could take
  // the knight, but that answers only one of them.
  Position pos = test::Parse("4r1k1/8/8/8/8/3n4/8/1B2K3 w - - 0 1", kGame2D);
  const auto moves = test::Evasions(pos);
  ASSERT_FALSE(moves.empty());
  for (const Move& m : moves) EXPECT_EQ(m.piece, kKing) << m.from << "-" << m.to;
  // 3D: a black rook on the white level's a-file and a knight check the king on 34.
  Position pos3 = test::Parse(test::Board3D({{34, 'K'}, {38, 'r'}, {49, 'n'}, {41, 'B'}, {63, 'k'}}) +
                                  " w QL1,QL6,KL1,KL6 wbwb - -",
                              kGame3D);
  ASSERT_EQ(std::popcount(pos3.attackedBy[34] & kBlackSlots), 2);
  // Attack boards are offered too (a board may carry a checker away); no other piece.
  for (const Move& m : test::Evasions(pos3)) {
    if (m.piece < 100) {
      EXPECT_EQ(m.piece, kKing) << m.from << "-" << m.to;
    }
  }
}

TEST(EvasionKinds, PromotionVariantsForCapturesAndBlocks) {
  // The rook h8 checks the king a8; the pawn g7 blocks on g8 or takes on h8.
  Position pos = test::Parse("K6r/6P1/8/8/8/8/8/4k3 w - - 0 1", kGame2D);
  const auto moves = test::Evasions(pos);
  auto kinds = [&](Square to) {
    std::string out;
    for (const Move& m : moves)
      if (m.piece == kPawn && m.to == to) out += m.kind;
    return out;
  };
  EXPECT_EQ(kinds(MakeSquare(6, 7)), "-QBRN");
  EXPECT_EQ(kinds(MakeSquare(7, 7)), "xQBRN");
}

TEST(EvasionKinds, EnPassantThatTakesOrBlocksTheChecker) {
  // d7-d5 checks the king on e4: e5xd6 en passant takes the checker.
  Position pos = test::Parse("4k3/3p4/8/4P3/4K3/8/8/8 b - - 0 1", kGame2D);
  Move push{MakeSquare(3, 6), MakeSquare(3, 4), kNoScore, -kPawn, '-', 0, {0, 0}};
  Position after;
  ASSERT_EQ(MakeMove(after, pos, push), 1);
  ASSERT_TRUE(test::MoverInCheck(after));
  EXPECT_TRUE(test::HasMove(test::Evasions(after), kPawn, MakeSquare(4, 4), MakeSquare(3, 5)));
  // A rook on the sixth rank checks the king h6 across the en-passant square d6.
  Position blocks = test::Parse("4k3/8/r6K/2Pp4/8/8/8/8 w - d6 0 1", kGame2D);
  ASSERT_TRUE(test::MoverInCheck(blocks));
  EXPECT_TRUE(test::HasMove(test::Evasions(blocks), kPawn, MakeSquare(2, 4), MakeSquare(3, 5)));
  ExpectEvasionsComplete(blocks);
}

// 3D: the black pawn b7 (46) steps to neutral b5 (12) and checks the king on
// neutral a4 (3); the white pawn on neutral c5 (20) takes it en passant onto
// either b6 (black level 45, neutral 13).
TEST(EvasionKinds, EnPassantOfTheCheckingPawnIn3D) {
  for (int rules : {kTournament, kStandard}) {
    Position pos = test::Parse(test::Board3D({{3, 'K'}, {20, 'P'}, {46, 'p'}, {63, 'k'}}) +
                                   " b QL1,QL6,KL1,KL6 wbwb - -",
                               kGame3D, rules);
    Move step{46, 12, kNoScore, -kPawn, '-', 0, {0, 0}};
    Position after;
    ASSERT_EQ(MakeMove(after, pos, step), 1);
    ASSERT_TRUE(test::MoverInCheck(after));
    ASSERT_EQ(after.epSquare, 45);
    const auto evasions = test::Evasions(after);
    EXPECT_TRUE(test::HasMove(evasions, kPawn, 20, 45));
    EXPECT_TRUE(test::HasMove(evasions, kPawn, 20, 13));
    ExpectEvasionsComplete(after);
  }
}

TEST(EvasionKinds, KingNeverStepsOntoAnAttackedSquare) {
  ConsoleCapture quiet;
  std::mt19937 rng(5);
  for (int n = 0; n < 3000; ++n) {
    Position pos = test::RandomBoard(rng, n % 2 ? kGame3D : kGame2D, n % 4 < 2 ? kTournament : kStandard, 6 + n % 20);
    for (const auto& moves : {test::AllMoves(pos), test::Evasions(pos)})
      for (const Move& m : moves)
        if (TypeOf(m.piece) == kKing) {
          ASSERT_EQ(pos.attackedBy[m.to] & test::Enemy(pos), 0u) << FormatPosition(pos);
        }
  }
}

}  // namespace
}  // namespace torvik
