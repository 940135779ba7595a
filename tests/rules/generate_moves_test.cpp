#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "rules/move_sink.h"
#include "rules/pawn_pushes.h"
#include "rules_support.h"

namespace torvik {
namespace {

using test::Board3D;
using test::HasMove;

constexpr Square Sq(char file, int rank) { return MakeSquare(file - 'a', rank - 1); }

Position Pos3D(std::initializer_list<std::pair<Square, char>> pieces, const std::string& rest,
               int rules = kTournament) {
  return test::Parse(Board3D(pieces) + " " + rest, kGame3D, rules);
}

std::string Targets(const Position& pos, Square from) {
  PawnTargets t;
  std::string out;
  for (int i = 0, n = PawnPushTargets(pos, from, pos.board[from], t); i < n; ++i)
    out += std::to_string(t.squares[i]) + " ";
  return out;
}

TEST(GenerateMoves2D, EnPassantByTwoPawnsLowerFileFirst) {
  auto white = test::AllMoves(test::Parse("4k3/8/8/3PpP2/8/8/8/4K3 w - e6 0 1", kGame2D));
  std::string got;
  for (const Move& m : white)
    if (m.kind == kEnPassantWhite) got += std::to_string(m.from) + "-" + std::to_string(m.to) + " ";
  EXPECT_EQ(got, "28-37 44-37 ");
  auto black = test::AllMoves(test::Parse("4k3/8/8/8/3pPp2/8/8/4K3 b - e3 0 1", kGame2D));
  got.clear();
  for (const Move& m : black)
    if (m.kind == kEnPassantBlack) got += std::to_string(m.from) + "-" + std::to_string(m.to) + " ";
  EXPECT_EQ(got, "27-34 43-34 ");
}

std::string Castlings(const std::string& fen) {
  std::string out;
  for (const Move& m : test::AllMoves(test::Parse(fen, kGame2D)))
    if (m.kind == kShortCastle || m.kind == kLongCastle)
      out += std::string(1, m.kind) + std::to_string(m.from) + "-" + std::to_string(m.to) + " ";
  return out;
}

TEST(GenerateMoves2D, CastlingSquaresAndAttackedSquares) {
  EXPECT_EQ(Castlings("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"), "S32-48 L32-16 ");
  EXPECT_EQ(Castlings("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1"), "S39-55 L39-23 ");
  EXPECT_EQ(Castlings("4kr2/8/8/8/8/8/8/R3K2R w KQ - 0 1"), "L32-16 ");      // f1 attacked
  EXPECT_EQ(Castlings("1r2k3/8/8/8/8/8/8/R3K2R w KQ - 0 1"), "S32-48 L32-16 ");  // b1 may be
  EXPECT_EQ(Castlings("4k3/8/8/8/8/8/8/RN2K2R w KQ - 0 1"), "S32-48 ");      // b1 taken
  EXPECT_EQ(Castlings("4k3/8/8/8/8/8/8/R3K1NR w KQ - 0 1"), "L32-16 ");      // g1 taken
  EXPECT_EQ(Castlings("4k3/8/8/8/8/8/4r3/R3K2R w KQ - 0 1"), "");           // in check
  EXPECT_EQ(Castlings("4k3/8/8/8/8/8/8/R3K2R w K - 0 1"), "S32-48 ");
}

TEST(GenerateMoves2D, DoubleStepBelongsToTheSquare) {
  // Two pawns rebuilt from a board take the last slots, not their files' slots.
  const Position pos = test::Parse("4k3/p7/8/8/8/8/P6P/4K3 w - - 0 1", kGame2D);
  ASSERT_EQ(pos.slotOf[Sq('a', 2)], 14);
  const auto moves = test::AllMoves(pos);
  EXPECT_TRUE(HasMove(moves, kPawn, Sq('a', 2), Sq('a', 4)));
  EXPECT_TRUE(HasMove(moves, kPawn, Sq('h', 2), Sq('h', 4)));
  Position black = test::Parse("4k3/p7/8/8/8/8/P6P/4K3 b - - 0 1", kGame2D);
  EXPECT_TRUE(HasMove(test::AllMoves(black), -kPawn, Sq('a', 7), Sq('a', 5)));
  EXPECT_EQ(Targets(test::Parse("4k3/8/8/8/8/p7/P7/4K3 w - - 0 1", kGame2D), Sq('a', 2)), "");
  EXPECT_EQ(Targets(test::Parse("4k3/8/8/8/p7/8/P7/4K3 w - - 0 1", kGame2D), Sq('a', 2)), "2 ");
}

// The order the search sees: piece moves by target square, en passant,
// castling, pawn pushes, and the promotion variants appended last.
TEST(GenerateMoves2D, OrderOfTheList) {
  const auto moves = test::AllMoves(test::Parse("1n2k3/P7/8/8/8/8/8/R3K3 w Q - 0 1", kGame2D));
  std::string tail;
  for (std::size_t i = moves.size() - 8; i < moves.size(); ++i)
    tail += std::to_string(moves[i].to) + moves[i].kind + " ";
  EXPECT_EQ(tail, "15Q 15B 15R 15N 7Q 7B 7R 7N ");
  const Move& push = moves[moves.size() - 9];
  EXPECT_EQ(push.from, Sq('a', 7));
  EXPECT_EQ(push.to, Sq('a', 8));
  EXPECT_EQ(push.kind, kPlain);
  const Move& castle = moves[moves.size() - 10];
  EXPECT_EQ(castle.kind, kLongCastle);
  for (std::size_t i = 0; i + 10 < moves.size(); ++i)
    if (i > 0) {
      EXPECT_LE(moves[i - 1].to, moves[i].to) << i;
    }
}

TEST(GenerateMoves2D, FreshRecordsAreUnscoredCastlingKeepsWhatTheListHeld) {
  Position pos = test::Parse("4k3/8/8/8/8/8/8/R3K3 w Q - 0 1", kGame2D);
  auto list = std::make_unique<MoveList>();
  list->fill(Move{0, 0, 123, 0, '?', 1, {0, 0}});
  const int n = GenerateMoves(pos, *list);
  for (int i = 0; i < n; ++i) {
    const Move& m = (*list)[i];
    const bool castle = m.kind == kLongCastle;
    EXPECT_EQ(m.score, castle ? 123 : kNoScore);
    EXPECT_EQ(m.check, castle ? 1 : 0);
  }
}

TEST(GenerateMoves3D, Castling) {
  const std::string text = kStartText3D;
  auto has = [](const std::vector<Move>& moves, Square to, char kind) {
    for (const Move& m : moves)
      if (m.from == 16 && m.to == to && m.kind == kind) return true;
    return false;
  };
  const auto start = test::AllMoves(test::Parse(text, kGame3D));
  EXPECT_TRUE(has(start, 24, kShortCastle));
  EXPECT_FALSE(has(start, 8, kLongCastle));  // the queen stands on 8
  std::string noQueen = text;
  noQueen[8] = '.';
  EXPECT_TRUE(has(test::AllMoves(test::Parse(noQueen, kGame3D)), 8, kLongCastle));
}

TEST(GenerateMoves3D, RightsWithoutKingOrRookAreClearedWithTheirKey) {
  Position pos = Pos3D({{17, 'K'}, {24, 'R'}, {0, 'R'}, {63, 'k'}}, "w QL1,QL6,KL1,KL6 wbwb - -");
  const uint32_t key = pos.hashKey;
  pos.flags |= kWhiteShort | kBlackLong;
  pos.hashKey ^= (kWhiteShort | kBlackLong) << 16;
  auto list = std::make_unique<MoveList>();
  GenerateMoves(pos, *list);
  EXPECT_EQ(pos.flags & kCastleRights, kBlackLong);  // only the mover's rights are looked at
  EXPECT_EQ(pos.hashKey, key ^ (kBlackLong << 16));
}

// White pawn on white a2 (33): its step reaches white a3 (34) and neutral a3 (2).
TEST(GenerateMoves3D, DoubleStepUnderEachRuleSet) {
  const std::string rest = "w QL1,QL6,KL1,KL6 wbwb - -";
  EXPECT_EQ(Targets(Pos3D({{33, 'P'}, {56, 'K'}, {63, 'k'}}, rest), 33), "34 2 35 3 35 3 ");
  EXPECT_EQ(Targets(Pos3D({{33, 'P'}, {2, 'n'}, {56, 'K'}, {63, 'k'}}, rest, kTournament), 33), "34 ");
  // Standard: the neutral level is closed, the white level stays open.
  EXPECT_EQ(Targets(Pos3D({{33, 'P'}, {2, 'n'}, {56, 'K'}, {63, 'k'}}, rest, kStandard), 33), "34 35 ");
  // Nothing ever lands on a piece.
  EXPECT_EQ(Targets(Pos3D({{33, 'P'}, {35, 'N'}, {3, 'n'}, {56, 'K'}, {63, 'k'}}, rest), 33), "34 2 ");
}

TEST(GenerateMoves3D, HomeBoardPawnDoubleStepsOnlyWhileHome) {
  EXPECT_EQ(Targets(Pos3D({{9, 'P'}, {56, 'K'}, {63, 'k'}}, "w QL1,QL6,KL1,KL6 wbwb - -"), 9), "33 34 2 ");
  EXPECT_EQ(Targets(Pos3D({{9, 'P'}, {56, 'K'}, {63, 'k'}}, "w QL3,QL6,KL1,KL6 wbwb - -"), 9), "35 3 ");
  EXPECT_EQ(Targets(Pos3D({{14, 'p'}, {56, 'K'}, {32, 'k'}}, "b QL1,QL6,KL1,KL6 wbwb - -"), 14), "38 37 5 ");
  EXPECT_EQ(Targets(Pos3D({{14, 'p'}, {56, 'K'}, {32, 'k'}}, "b QL1,QL4,KL1,KL6 wbwb - -"), 14), "36 4 ");
}

// No move lands on a piece of the mover (castling's king onto its rook aside);
// pawns push and take en passant only onto empty squares.
TEST(GenerateMoves, NoTargetHoldsTheMoversPiece) {
  ConsoleCapture quiet;
  std::mt19937 rng(31);
  for (int n = 0; n < 4000; ++n) {
    Position pos = test::RandomBoard(rng, n % 2 ? kGame3D : kGame2D, n % 4 < 2 ? kStandard : kTournament, 6 + n % 22);
    for (const auto& moves : {test::AllMoves(pos), test::Evasions(pos)})
      for (const Move& m : moves) {
        if (m.kind == kShortCastle || m.kind == kBoardMove || m.piece >= 100) continue;
        const int there = pos.board[m.to];
        ASSERT_TRUE(there == 0 || !SameSide(there, m.piece)) << FormatPosition(pos) << " " << m.from << "-" << m.to;
        if (TypeOf(m.piece) == kPawn && m.kind != kCapture && TypeOf(m.kind) == 0) {
          ASSERT_EQ(there, 0) << FormatPosition(pos) << " " << m.from << "-" << m.to;
        }
      }
  }
}

TEST(GenerateMoves, GenerateAllFollowsTheCheckBit) {
  Position pos = test::Parse("4k3/8/8/8/8/8/4r3/R3K3 w Q - 0 1", kGame2D);
  auto all = std::make_unique<MoveList>(), evasions = std::make_unique<MoveList>();
  pos.flags |= kInCheck;
  const int n = GenerateAll(pos, *all);
  ASSERT_EQ(n, GenerateEvasions(pos, *evasions));
  for (int i = 0; i < n; ++i) EXPECT_EQ((*all)[i].to, (*evasions)[i].to);
  pos.flags &= ~kInCheck;
  EXPECT_EQ(GenerateAll(pos, *all), GenerateMoves(pos, *evasions));
}

TEST(GenerateMoves, AFullListRefusesMoreWithOneWarning) {
  auto list = std::make_unique<MoveList>();
  MoveSink sink{*list};
  for (int i = 0; i < kMoveListSize; ++i) ASSERT_TRUE(Append(sink, kPawn, 1, 2, kPlain));
  ConsoleCapture log;
  EXPECT_FALSE(Append(sink, kPawn, 1, 3, kPlain));
  EXPECT_FALSE(Append(sink, kPawn, 1, 3, kPlain));
  EXPECT_EQ(sink.count, kMoveListSize);
  EXPECT_EQ(log.Text(), "\nmove list full\nUNSTABLE");
}

}  // namespace
}  // namespace torvik
