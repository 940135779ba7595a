#include <gtest/gtest.h>

#include <memory>

#include "board/console.h"
#include "board/geometry.h"
#include "board/make_move.h"
#include "board/rebuild.h"
#include "board/setup.h"
#include "support/invariants.h"
#include "support/positions.h"

namespace torvik {
namespace {

using test::Board3D;
using test::From2D;
using test::From3D;

Move M(int piece, Square from, Square to, char kind = '-') {
  return Move{from, to, kNoScore, piece, kind, 0, {0, 0}};
}

// Makes the move into a fresh child and checks the child is whole.
std::unique_ptr<Position> Made(const Position& parent, Move& move, int expectLegal = 1) {
  auto child = std::make_unique<Position>();
  EXPECT_EQ(MakeMove(*child, parent, move), expectLegal);
  EXPECT_EQ(test::Inconsistency(*child), "");
  EXPECT_EQ(test::MapsDiffer(*child), "");
  return child;
}
std::unique_ptr<Position> Made(const Position& parent, Move&& move, int expectLegal = 1) {
  return Made(parent, move, expectLegal);
}

constexpr Square Sq(char file, int rank) { return MakeSquare(file - 'a', rank - 1); }

TEST(MakeMove2D, DoubleStepSetsEnPassantOnlyWhenAPawnCanTake) {
  Position pos = From2D("4k3/8/8/8/8/8/4P3/4K3 w - - 0 1");
  auto child = Made(pos, M(kPawn, Sq('e', 2), Sq('e', 4)));
  EXPECT_EQ(child->epSquare, 0);
  for (const char* fen : {"4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1", "4k3/8/8/8/5p2/8/4P3/4K3 w - - 0 1"}) {
    child = Made(From2D(fen), M(kPawn, Sq('e', 2), Sq('e', 4)));
    EXPECT_EQ(child->epSquare, Sq('e', 3)) << fen;
  }
}

TEST(MakeMove2D, EnPassantTakesThePawnThatDoubleStepped) {
  Position pos = From2D("4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1");
  auto after = Made(pos, M(-kPawn, Sq('d', 7), Sq('d', 5)));
  ASSERT_EQ(after->epSquare, Sq('d', 6));
  Move take = M(kPawn, Sq('e', 5), Sq('d', 6), 'e');
  auto taken = Made(*after, take);
  EXPECT_EQ(taken->board[Sq('d', 5)], 0);
  EXPECT_EQ(taken->board[Sq('d', 6)], kPawn);
  EXPECT_EQ(taken->halfmoveCount, 1);
  EXPECT_EQ(taken->epSquare, 0);
}

TEST(MakeMove2D, Castling) {
  Position pos = From2D("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  auto child = Made(pos, M(kKing, 32, 48, 'S'));
  EXPECT_EQ(child->board[48], kKing);
  EXPECT_EQ(child->board[40], kRook);
  EXPECT_EQ(child->board[56], 0);
  EXPECT_TRUE(child->flags & kWhiteCastled);
  EXPECT_EQ(child->flags & 15, 12u);
  auto black = Made(*child, M(-kKing, 39, 23, 'L'));
  EXPECT_EQ(black->board[31], -kRook);
  EXPECT_EQ(black->board[7], 0);
  EXPECT_EQ(black->flags & 15, 0u);
  EXPECT_TRUE(black->flags & kBlackCastled);
}

TEST(MakeMove2D, CapturingARookAtHomeTakesItsRight) {
  Position start = From2D("r3k2r/8/8/8/8/8/6b1/R3K2R b KQkq - 0 1");
  auto child = Made(start, M(-kBishop, Sq('g', 2), Sq('h', 1)));
  EXPECT_EQ(child->flags & 15, 2u | 4u | 8u);
  EXPECT_EQ(child->board[Sq('h', 1)], -kBishop);
}

TEST(MakeMove2D, PromotionMakesTheNamedPiece) {
  Position pos = From2D("1r2k3/P7/8/8/8/8/8/4K3 w - - 0 1");
  auto queen = Made(pos, M(kPawn, Sq('a', 7), Sq('a', 8), '-'));
  EXPECT_EQ(queen->board[Sq('a', 8)], kQueen);
  EXPECT_EQ(queen->pieces[kQueenSlot].square, Sq('a', 8));
  EXPECT_TRUE(queen->flags & kWhitePromoted);
  Move knight = M(kPawn, Sq('a', 7), Sq('b', 8), 'N');
  auto n = Made(pos, knight);
  EXPECT_EQ(n->board[Sq('b', 8)], kKnight);
  EXPECT_EQ(knight.kind, 'N');
}

TEST(MakeMove2D, CheckAndIllegality) {
  Position pos = From2D("4k3/8/8/8/8/8/4r3/R3K3 w - - 0 1");
  Made(pos, M(kRook, 0, 1), 0);  // leaves the king in check
  Position quiet = From2D("4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
  Move check = M(kRook, 0, 7);
  auto child = Made(quiet, check);
  EXPECT_TRUE(child->flags & kInCheck);
  EXPECT_EQ(check.check, 1);
}

TEST(MakeMove, InPlaceLeavesNoParent) {
  Position pos = From2D("4k3/8/8/8/8/8/4P3/4K3 w - - 0 1");
  Move m = M(kPawn, Sq('e', 2), Sq('e', 3));
  ASSERT_EQ(MakeMove(pos, pos, m), 1);
  EXPECT_EQ(pos.previous, nullptr);
  EXPECT_EQ(pos.board[Sq('e', 3)], kPawn);
  EXPECT_EQ(pos.ply, 1);
  EXPECT_FALSE(pos.flags & kMapsPending);
  EXPECT_EQ(test::Inconsistency(pos), "");
  EXPECT_EQ(test::MapsDiffer(pos), "");
}

TEST(MakeMove, RecordsKeysInTheHistory) {
  KeyHistory history;
  Position pos;
  pos.history = &history;
  SetStartPosition(pos, kGame3D);
  auto child = Made(pos, M(kPawn, 33, 34));
  EXPECT_EQ(history.At(0), pos.hashKey);
  EXPECT_EQ(history.At(1) ^ 1, child->hashKey);
}

TEST(MakeMove3D, Castling) {
  std::string board = Board3D({{16, 'K'}, {24, 'R'}, {0, 'R'}, {23, 'k'}});
  Position pos = From3D(board + " w QL1,QL6,KL1,KL6 wbwb KQ -");
  auto child = Made(pos, M(kKing, 16, 24, 'S'));
  EXPECT_EQ(child->board[24], kKing);
  EXPECT_EQ(child->board[16], kRook);
  EXPECT_EQ(child->slotOf[16], pos.slotOf[24]);  // the rook keeps its slot
  EXPECT_EQ(child->halfmoveCount, 1);
  EXPECT_EQ(child->flags & 15, 0u);
  auto entered = Made(pos, M(kKing, 16, 24, '-'));  // recognised as castling
  EXPECT_EQ(entered->board[16], kRook);
  auto castledLong = Made(pos, M(kKing, 16, 8, 'L'));
  EXPECT_EQ(castledLong->board[8], kKing);
  EXPECT_EQ(castledLong->board[16], kRook);
  EXPECT_EQ(castledLong->board[0], 0);
  EXPECT_TRUE(castledLong->flags & kWhiteCastled);
}

TEST(MakeMove3D, ShortCastlingRookReturnsToTheSlotItLeft) {
  // Only one white rook: rebuilt, it stands in slot 2 whatever its square.
  std::string board = Board3D({{16, 'K'}, {24, 'R'}, {23, 'k'}});
  Position pos = From3D(board + " w QL1,QL6,KL1,KL6 wbwb K -");
  auto child = Made(pos, M(kKing, 16, 24, 'S'));
  EXPECT_EQ(child->pieces[child->slotOf[16]].code, kRook);
  EXPECT_EQ(std::popcount(child->occupiedMask & 0xffff), 2);
}

TEST(MakeMove3D, BoardMoves) {
  Position pos;
  SetStartPosition(pos, kGame3D);
  pos.board.fill(0);
  pos.board[16] = kKing;
  pos.board[23] = -kKing;
  pos.board[1] = kPawn;
  pos.flags = 0;
  ASSERT_EQ(BoardToPieces(pos), 1);
  auto moved = Made(pos, M(100, 32, 2, 'T'));  // board 0 to QL3 with its pawn
  EXPECT_EQ(moved->pins[0], 2);
  EXPECT_EQ(moved->board[1], kPawn);
  EXPECT_EQ(GetSquareLevel(*moved, 1), 5);
  EXPECT_NE(moved->hashKey ^ 1, pos.hashKey);
  EXPECT_EQ(moved->halfmoveCount, pos.halfmoveCount + 1);
}

TEST(MakeMove3D, BoardCarryingAPawnOntoItsLastRankPromotes) {
  std::string board = Board3D({{16, 'K'}, {23, 'k'}, {6, 'p'}});  // board 1's lower rank
  Position pos = From3D(board + " b QL1,QL3,KL1,KL6 wbwb - -");
  pos.pins = {35, 2, 56, 63};  // board 0 out of the way on QL2, board 1 on QL3
  ASSERT_EQ(BoardToPieces(pos), 1);
  Move m = M(106, 2, 32, 'T');
  auto child = Made(pos, m);
  EXPECT_EQ(child->board[6], -kQueen);
  EXPECT_TRUE(child->flags & kBlackPromoted);
  Move toQL2 = M(106, 2, 5, 'T');
  auto elsewhere = Made(pos, toQL2);
  EXPECT_EQ(elsewhere->board[6], -kPawn);
}

TEST(MakeMove3D, BoardMoveTakesCastlingRightsAndEnPassantAway) {
  std::string board = Board3D({{16, 'K'}, {24, 'R'}, {23, 'k'}, {31, 'r'}});
  Position pos = From3D(board + " b QL1,QL6,KL1,KL6 wbwb Kk 34");
  auto child = Made(pos, M(122, 63, 60, 'T'));  // black's king board to KL5
  EXPECT_EQ(child->epSquare, 0);
  EXPECT_EQ(child->flags & 15, 1u);
}

TEST(MakeMove3D, StraightPushOntoTheEnPassantSquareIsPlain) {
  // White a2 pawn (33) double-steps past a3; a black pawn stands beside it.
  std::string board = Board3D({{16, 'K'}, {23, 'k'}, {33, 'P'}, {43, 'p'}});
  Position pos = From3D(board + " w QL1,QL6,KL1,KL6 wbwb - -");
  auto stepped = Made(pos, M(kPawn, 33, 35));
  ASSERT_NE(stepped->epSquare, 0);
  ASSERT_EQ(stepped->board[35], kPawn);
}

}  // namespace
}  // namespace torvik
