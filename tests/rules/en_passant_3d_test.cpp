// En passant on the 3D board: a double step leaves its square when an enemy
// pawn stands beside the target on either side, the capture takes the pawn
// that stepped, and any other move clears the square with its key.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "board/hash_keys.h"
#include "rules/rules_support.h"
#include "support/invariants.h"

namespace torvik {
namespace {

using test::Build3D;
using test::M;

// White's pawn on b2 (41) steps to b4 (43, white level) or to b4 on the
// neutral level (11), passing b3 (42); black pawns wait on c4 or a4 beside
// the target, on the same level.
struct DoubleStep {
  Square to, blackPawn;
};
constexpr DoubleStep kSteps[] = {{43, 51}, {43, 35}, {11, 19}, {11, 3}};

std::unique_ptr<Position> AfterStep(const DoubleStep& d) {
  auto child = std::make_unique<Position>();
  Position pos = Build3D({{16, 'K'}, {23, 'k'}, {41, 'P'}, {d.blackPawn, 'p'}});
  Move step = M(kPawn, 41, d.to);
  EXPECT_EQ(MakeMove(*child, pos, step), 1);
  return child;
}

void ExpectWhole(const Position& pos) {
  uint32_t key, lock;
  ComputeKeys(pos, key, lock);
  EXPECT_EQ(pos.hashKey, key) << FormatPosition(pos);
  EXPECT_EQ(test::Inconsistency(pos), "");
  EXPECT_EQ(test::MapsDiffer(pos), "");
}

// Either black pawn beside the target takes the pawn that stepped; an
// attack-board move or a king step instead clears the square and its key.
TEST(EnPassant3D, TakenFromEitherSideOrClearedByAnyOtherMove) {
  for (const DoubleStep& d : kSteps) {
    const auto stepped = AfterStep(d);
    ASSERT_EQ(stepped->epSquare, 42) << d.to << " beside " << d.blackPawn;
    ExpectWhole(*stepped);
    std::vector<Move> answers = {M(106, 39, 36, kBoardMove), M(-kKing, 23, 31)};
    for (const Move& m : test::AllMoves(*stepped))
      if (m.from == d.blackPawn && m.kind == kEnPassantWhite) answers.push_back(m);
    ASSERT_GT(answers.size(), 2u) << d.to << " beside " << d.blackPawn;
    for (Move m : answers) {
      auto after = std::make_unique<Position>();
      const Move played = m;
      ASSERT_EQ(MakeMove(*after, *stepped, m), 1) << m.piece;
      EXPECT_EQ(after->epSquare, 0) << m.piece;
      if (played.kind == kEnPassantWhite) {
        EXPECT_EQ(after->board[d.to], 0) << "the pawn that stepped is taken";
        EXPECT_EQ(after->board[played.to], -kPawn);
      }
      ExpectWhole(*after);
    }
  }
  // Without a pawn beside the target there is no square to leave.
  auto child = std::make_unique<Position>();
  Position alone = Build3D({{16, 'K'}, {23, 'k'}, {41, 'P'}, {50, 'p'}});
  Move step = M(kPawn, 41, 43);
  ASSERT_EQ(MakeMove(*child, alone, step), 1);
  EXPECT_EQ(child->epSquare, 0);
}

}  // namespace
}  // namespace torvik
