// Invariants of make-move over many positions reached by seeded random play,
// in both games and under both rule sets: every generated move, once made,
// leaves a whole Position.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "board/geometry.h"
#include "board/make_move.h"
#include "board/setup.h"
#include "rules/rules_support.h"
#include "support/invariants.h"

namespace torvik {
namespace {

struct Tally {
  long made = 0, boardMoves = 0, enPassant = 0, castling = 0, promotions = 0, checks = 0;
};

// Everything that must hold for the children of one position.
void CheckChildren(const Position& parent, Tally& tally) {
  Position pos = parent;
  const uint32_t enemy = WhiteToMove(pos) ? kBlackSlots : kWhiteSlots;
  auto child = std::make_unique<Position>();
  for (Move m : test::Listed(pos, GenerateAll)) {
    const Move generated = m;
    if (TypeOf(m.piece) == kKing && m.kind != kShortCastle && m.kind != kLongCastle) {
      ASSERT_EQ(pos.attackedBy[m.to] & enemy, 0u)
          << "king offered an attacked square " << m.from << "-" << m.to << " in " << FormatPosition(pos);
    }
    if (MakeMove(*child, pos, m) != 1) continue;
    ++tally.made;
    const std::string where = " after " + std::to_string(generated.from) + "-" +
                              std::to_string(generated.to) + " from " + FormatPosition(pos);
    ASSERT_EQ(test::Inconsistency(*child), "") << where;
    ASSERT_EQ(test::MapsDiffer(*child), "") << where;
    ASSERT_EQ(child->ply, pos.ply + 1);
    ASSERT_EQ((child->flags & kInCheck) != 0, m.check == 1) << where;
    if (child->epSquare) {
      ASSERT_EQ(TypeOf(m.piece), kPawn) << "en-passant square after a non-pawn move" << where;
    }
    tally.boardMoves += m.kind == kBoardMove;
    tally.enPassant += m.kind == kEnPassantWhite || (!Is3D(pos) && pos.epSquare && m.to == pos.epSquare &&
                                                     TypeOf(m.piece) == kPawn);
    tally.castling += m.kind == kShortCastle || m.kind == kLongCastle;
    tally.promotions += (child->flags & (kWhitePromoted | kBlackPromoted)) != 0;
    tally.checks += m.check;
  }
}

Tally Play(const Position& start, uint32_t seed, int plies) {
  Tally tally;
  test::RandomPlay(start, seed, plies, [&](const Position& pos) {
    if (!::testing::Test::HasFatalFailure()) CheckChildren(pos, tally);
  });
  return tally;
}

Position Start(int mode, int rules) {
  Position pos;
  pos.rules = rules;
  SetStartPosition(pos, mode);
  return pos;
}

TEST(MakeMoveInvariants, RandomPlay2D) {
  ConsoleCapture quiet;
  Tally t = Play(Start(kGame2D, kTournament), 1, 2000);
  EXPECT_GT(t.made, 10000);
  EXPECT_GT(t.checks, 50);
  EXPECT_GT(t.castling + t.enPassant + t.promotions, 0);
}

TEST(MakeMoveInvariants, RandomPlay3D) {
  ConsoleCapture quiet;
  for (int rules : {kTournament, kStandard}) {
    Tally t = Play(Start(kGame3D, rules), 2 + rules, 1000);
    EXPECT_GT(t.made, 8000) << rules;
    EXPECT_GT(t.checks, 20) << rules;
  }
}

// Sparse boards on random pins: attack boards move, and pawns reach their last rank.
TEST(MakeMoveInvariants, RandomBoards3D) {
  ConsoleCapture quiet;
  std::mt19937 rng(5);
  Tally all;
  for (int n = 0; n < 200; ++n) {
    const int rules = n % 2 ? kStandard : kTournament;
    Position pos = test::RandomBoard(rng, kGame3D, rules, 4 + n % 12);
    // The side not to move may not stand in check: its king could be taken.
    const Square otherKing = pos.pieces[WhiteToMove(pos) ? kSideSlots : kKingSlot].square;
    if (pos.attackedBy[otherKing] & (WhiteToMove(pos) ? kWhiteSlots : kBlackSlots)) continue;
    Tally t = Play(pos, 100 + n, 40);
    all.made += t.made;
    all.boardMoves += t.boardMoves;
    all.promotions += t.promotions;
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(all.boardMoves, 500);
  EXPECT_GT(all.promotions, 0);
}

}  // namespace
}  // namespace torvik
