// The Position: built from a board (slots, masks, material, hash keys), and
// made from its parent by a move.
#include <gtest/gtest.h>

#include <memory>

#include "board/console.h"
#include "board/pieces.h"
#include "board/rebuild.h"
#include "rules/make_move.h"
#include "support/invariants.h"
#include "support/positions.h"

namespace torvik {
namespace {

using test::From2D;
using test::Inconsistency;
using test::M;
using test::Sq;

// The 32 slots in order: piece letter and square, or '-' when empty.
std::string Slots(const Position& pos) {
  std::string out;
  for (int slot = 0; slot < kSlots; ++slot) {
    const int code = pos.pieces[slot].code;
    const char letter = (code > 0 ? " PNBRQK" : " pnbrqk")[std::abs(code)];
    out += code == 0 ? "-" : letter + std::to_string(pos.pieces[slot].square);
    out += slot == 15 ? " | " : slot == 31 ? "" : " ";
  }
  return out;
}

TEST(Setup, SlotsOfTheStartAndOfOddBoards) {
  // Kings, queens, rooks, bishops (the first on (column ^ row) odd for white,
  // even for black), knights, then pawns in square order.
  const std::pair<Position, const char*> cases[] = {
      {test::Start(kGame2D), "K32 Q24 R56 R0 B40 B16 N48 N8 P1 P9 P17 P25 P33 P41 P49 P57 | "
                             "k39 q31 r63 r7 b47 b23 n55 n15 p6 p14 p22 p30 p38 p46 p54 p62"},
      {test::Start(kGame3D), "K16 Q8 R24 R0 B40 B48 N56 N32 P1 P9 P17 P25 P33 P41 P49 P57 | "
                             "k23 q15 r31 r7 b47 b55 n63 n39 p6 p14 p22 p30 p38 p46 p54 p62"},
      // Missing pieces leave their slots empty.
      {From2D("r3k3/8/8/8/8/8/8/R3K2R w KQq - 0 1"),
       "K32 - R56 R0 - - - - - - - - - - - - | k39 - r7 - - - - - - - - - - - - -"},
      // Extra officers take free pawn slots; the pawns keep the last ones.
      {From2D("7k/8/8/8/QQ6/RRR5/PPPP4/RNBQKBN1 w - - 0 1"),
       "K32 Q24 R18 R10 B40 B16 N48 N8 Q11 Q3 R2 R0 P1 P9 P17 P25 | k63 - - - - - - - - - - - - - - -"},
  };
  for (const auto& [pos, slots] : cases) {
    EXPECT_EQ(Slots(pos), slots);
    EXPECT_EQ(Inconsistency(pos), "") << slots;
  }
  EXPECT_EQ(FormatPosition(test::Start(kGame3D)), kStartText3D);  // boards home, each its side's
  EXPECT_EQ(From2D("r3k3/8/8/8/8/8/8/R3K2R w KQq - 0 1").flags & kCastleRights, 11u);  // K Q q: the rook on a8 is home
  // Castling rights need king and rook at home: in 3D the white king on 24 loses both.
  const std::string rest = "w QL1,QL6,KL1,KL6 wbwb KQkq -";
  EXPECT_EQ(test::Build3D({{24, 'K'}, {0, 'R'}, {23, 'k'}, {31, 'r'}, {7, 'r'}}, rest).flags & 15, 12u);
  EXPECT_EQ(From2D("r3k2r/8/8/8/8/8/8/R3K1R1 w KQkq - 0 1").flags & 15, 14u);  // no rook on h1
}

// Keys, masks and material after placing, removing and changing pieces are
// held against the board by Inconsistency after every move of random play.
TEST(HashKeys, ChangedPieceTakesItsSlot) {
  // A new queen takes the free queen slot; pawns about to promote are marked.
  Position pos = From2D("4k3/P6p/8/8/8/8/1p5P/4K3 w - - 0 1");
  for (auto [s, marked] : {std::pair{Sq('a', 7), 1}, {Sq('h', 2), 0}, {Sq('b', 2), 1}, {Sq('h', 7), 0}})
    EXPECT_EQ((pos.pawnWatchMask & SlotBit(pos.slotOf[s])) != 0, marked == 1) << s;
  ChangePiece(pos, pos.slotOf[Sq('a', 7)], kQueen);
  EXPECT_EQ(pos.slotOf[Sq('a', 7)], kQueenSlot);
  EXPECT_EQ(pos.pieces[kQueenSlot].code, kQueen);
  EXPECT_EQ(pos.pawnWatchMask & kWhiteSlots, 0u);
  EXPECT_EQ(Inconsistency(pos), "");
}

// Makes the move into a fresh child and checks the child is whole. The child
// comes back without its parent link (the parent is a copy that goes). A legal
// move made in place gives the same position, whole, unlinked, no maps pending.
std::unique_ptr<Position> Made(const Position& parent, Move move, int legal = 1) {
  auto from = std::make_unique<Position>(parent), inPlace = std::make_unique<Position>(parent);
  auto child = std::make_unique<Position>();
  Move again = move;
  EXPECT_EQ(MakeMove(*child, *from, move), legal);
  EXPECT_EQ(Inconsistency(*child) + test::MapsDiffer(*child), "");
  if (legal == 1) {
    EXPECT_EQ(MakeMove(*inPlace, *inPlace, again), 1);
    EXPECT_EQ(FormatPosition(*inPlace), FormatPosition(*child));
    EXPECT_TRUE(inPlace->previous == nullptr && !(inPlace->flags & kMapsPending));
    EXPECT_EQ(Inconsistency(*inPlace) + test::MapsDiffer(*inPlace), "");
  }
  child->previous = nullptr;
  return child;
}

TEST(MakeMove, PositionsAfterTheMove) {
  using test::Build3D;
  struct Case {
    Position parent;
    Move move;
    uint32_t flag;  // a flag the child has besides
    const char* after;
  };
  const Position castle3D = Build3D({{16, 'K'}, {24, 'R'}, {0, 'R'}, {23, 'k'}}, 
                                    "w QL1,QL6,KL1,KL6 wbwb KQ -");
  const Position carried = Build3D({{16, 'K'}, {23, 'k'}, {6, 'p'}}, "b QL2,QL3,KL1,KL6 wbwb - -");
  const Move e2e4 = M(kPawn, Sq('e', 2), Sq('e', 4)), a7a8 = M(kPawn, Sq('a', 7), Sq('a', 8));
  const Case cases[] = {
      // A double step sets the en-passant square only when a pawn can take.
      {From2D("4k3/8/8/8/8/8/4P3/4K3 w - - 0 1"), e2e4, 0, "4k3/8/8/8/4P3/8/8/4K3 b - - 0 1"},
      {From2D("4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1"), e2e4, 0, "4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1"},
      {From2D("4k3/8/8/8/5p2/8/4P3/4K3 w - - 0 1"), e2e4, 0, "4k3/8/8/8/4Pp2/8/8/4K3 b - e3 0 1"},
      {From2D("4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1"), M(-kPawn, Sq('d', 7), Sq('d', 5)), 0,
       "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2"},
      // En passant takes the pawn that double-stepped.
      {From2D("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2"), M(kPawn, Sq('e', 5), Sq('d', 6), 'e'), 0,
       "4k3/8/3P4/8/8/8/8/4K3 b - - 0 2"},
      // Castling; taking a rook at home takes its right.
      {From2D("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"), M(kKing, 32, 48, 'S'), kWhiteCastled,
       "r3k2r/8/8/8/8/8/8/R4RK1 b kq - 1 1"},
      {From2D("r3k2r/8/8/8/8/8/8/R4RK1 b kq - 1 1"), M(-kKing, 39, 23, 'L'), kBlackCastled,
       "2kr3r/8/8/8/8/8/8/R4RK1 w - - 2 2"},
      {From2D("r3k2r/8/8/8/8/8/6b1/R3K2R b KQkq - 0 1"), M(-kBishop, Sq('g', 2), Sq('h', 1)), 0,
       "r3k2r/8/8/8/8/8/8/R3K2b w Qkq - 0 2"},
      // Promotion makes a queen unless another piece is named.
      {From2D("1r2k3/P7/8/8/8/8/8/4K3 w - - 0 1"), a7a8, kWhitePromoted, "Qr2k3/8/8/8/8/8/8/4K3 b - - 0 1"},
      {From2D("1r2k3/P7/8/8/8/8/8/4K3 w - - 0 1"), M(kPawn, Sq('a', 7), Sq('b', 8), 'N'), 0,
       "1N2k3/8/8/8/8/8/8/4K3 b - - 0 1"},
      {From2D("4k3/8/8/8/8/8/8/R3K3 w - - 0 1"), M(kRook, 0, 7), kInCheck, "R3k3/8/8/8/8/8/8/4K3 b - - 1 1"},
      // 3D castling: the king onto its own rook (castling however entered; the
      // clock starts again as after a capture), or long.
      {castle3D, M(kKing, 16, 24, 'S'), kWhiteCastled,
       "R...............R......kK....................................... b QL1,QL6,KL1,KL6 wbwb - - 0 1"},
      {castle3D, M(kKing, 16, 24, '-'), 0,
       "R...............R......kK....................................... b QL1,QL6,KL1,KL6 wbwb - - 0 1"},
      {castle3D, M(kKing, 16, 8, 'L'), kWhiteCastled,
       "........K.......R......kR....................................... b QL1,QL6,KL1,KL6 wbwb - - 1 1"},
      // Board moves carry their pieces; onto its last rank a pawn promotes.
      {Build3D({{16, 'K'}, {23, 'k'}, {1, 'P'}}), M(100, 32, 2, 'T'), 0,
       ".P..............K......k........................................ b QL3,QL6,KL1,KL6 wbwb - - 1 1"},
      {carried, M(106, 2, 32, 'T'), kBlackPromoted,
       "......q.........K......k........................................ w QL2,QL1,KL1,KL6 wbwb - - 1 2"},
      {carried, M(106, 2, 5, 'T'), 0,
       "......p.........K......k........................................ w QL2,QL4,KL1,KL6 wbwb - - 1 2"},
      // A board move takes castling rights and en passant away.
      {Build3D({{16, 'K'}, {24, 'R'}, {23, 'k'}, {31, 'r'}}, "b QL1,QL6,KL1,KL6 wbwb Kk 34"),
       M(122, 63, 60, 'T'), 0,
       "................K......kR......r................................ w QL1,QL6,KL1,KL5 wbwb K - 1 2"},
  };
  for (const Case& c : cases) {
    auto child = Made(c.parent, c.move);
    EXPECT_EQ(FormatPosition(*child), c.after) << FormatPosition(c.parent);
    EXPECT_EQ(child->flags & c.flag, c.flag) << c.after;
  }
  // The castling rook keeps its slot; alone, it stands in slot 2 wherever it is.
  EXPECT_EQ(Made(castle3D, M(kKing, 16, 24, 'S'))->slotOf[16], castle3D.slotOf[24]);
  const Position oneRook = Build3D({{16, 'K'}, {24, 'R'}, {23, 'k'}}, "w QL1,QL6,KL1,KL6 wbwb K -");
  auto alone = Made(oneRook, M(kKing, 16, 24, 'S'));
  EXPECT_EQ(alone->pieces[alone->slotOf[16]].code, kRook);
  EXPECT_EQ(std::popcount(alone->occupiedMask & 0xffff), 2);
  Made(From2D("4k3/8/8/8/8/8/4r3/R3K3 w - - 0 1"), M(kRook, 0, 1), 0);  // leaves the king in check
}

}  // namespace
}  // namespace torvik
