#include <gtest/gtest.h>

#include <set>

#include "board/hash_keys.h"
#include "board/pieces.h"
#include "board/setup.h"
#include "support/positions.h"

namespace torvik {
namespace {

using test::From2D;
using test::From3D;

TEST(HashKeys, DrawnFromTheProgramsGenerator) {
  // The generator started from 1: 41, 18467, 6334, 26500, ... The first piece
  // index is the black king's (code -6); the empty code has no keys.
  EXPECT_EQ(kHashKeys.primary[0][0], 41u & ~1u);
  EXPECT_EQ(kHashKeys.lock[0][0], 18467u);
  EXPECT_EQ(kHashKeys.primary[0][1], 6334u);
  EXPECT_EQ(kHashKeys.lock[0][1], 26500u);
  for (Square s = 0; s < 64; ++s) {
    EXPECT_EQ(kHashKeys.primary[6][s], 0u);
    EXPECT_EQ(kHashKeys.lock[6][s], 0u);
  }
  std::set<uint32_t> keys;
  for (int code = 0; code < kPieceCodes; ++code)
    for (Square s = 0; s < 64; ++s) {
      EXPECT_EQ(kHashKeys.primary[code][s] & 1, 0u);
      EXPECT_LT(kHashKeys.lock[code][s], 0x8000u);
      keys.insert(kHashKeys.primary[code][s]);
    }
  EXPECT_GT(keys.size(), 700u);  // 15-bit keys: a few collide, most differ
}

TEST(HashKeys, SideToMoveIsBitZeroAlone) {
  const std::string board = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";
  Position white = From2D(board + " w KQkq - 0 1");
  Position black = From2D(board + " b KQkq - 0 1");
  EXPECT_EQ(white.hashKey ^ black.hashKey, 1u);
  EXPECT_EQ(white.hashLock, black.hashLock);
}

TEST(HashKeys, CastlingAndEnPassantOnlyInThePrimaryKey) {
  Position all = From2D("r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq d6 0 1");
  Position some = From2D("r3k2r/8/8/3pP3/8/8/8/R3K2R w Kq d6 0 1");
  Position noEp = From2D("r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq - 0 1");
  EXPECT_EQ(all.hashKey ^ some.hashKey, (15u ^ 9u) << 16);
  EXPECT_EQ(all.hashKey ^ noEp.hashKey, uint32_t(MakeSquare(3, 5)) << 8);
  EXPECT_EQ(all.hashLock, some.hashLock);
  EXPECT_EQ(all.hashLock, noEp.hashLock);
}

TEST(HashKeys, IdenticalAcrossSetUps) {
  for (int mode : {kGame2D, kGame3D}) {
    Position a, b;
    SetStartPosition(a, mode);
    SetStartPosition(b, mode);
    EXPECT_EQ(a.hashKey, b.hashKey);
    EXPECT_EQ(a.hashLock, b.hashLock);
  }
}

TEST(HashKeys, BoardPlacementCountsIn3DOnly) {
  const std::string board = "RP....prQP....pqKP....pkRP....prNP....pnBP....pbBP....pbNP....pn w ";
  Position home = From3D(board + "QL1,QL6,KL1,KL6 wbwb KQkq -");
  Position moved = From3D(board + "QL3,QL6,KL1,KL6 wbwb KQkq -");
  Position swapped = From3D(board + "QL6,QL1,KL1,KL6 wbwb KQkq -");
  EXPECT_NE(home.hashKey, moved.hashKey);
  EXPECT_NE(home.hashLock, moved.hashLock);
  EXPECT_NE(home.hashKey, swapped.hashKey);  // which board stands where counts
  EXPECT_EQ(home.hashKey ^ moved.hashKey,
            kHashKeys.boardPrimary[0][0] ^ kHashKeys.boardPrimary[0][2]);
  // The 2D keys hold pieces, side, castling and en passant only.
  Position start2D = From2D("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  uint32_t key = 0, lock = 0;
  for (Square s = 0; s < 64; ++s) {
    int code = start2D.board[s];
    key ^= kHashKeys.primary[code + 6][s];
    lock ^= kHashKeys.lock[code + 6][s];
  }
  EXPECT_EQ(start2D.hashKey, key ^ (15u << 16));
  EXPECT_EQ(start2D.hashLock, lock);
}

TEST(HashKeys, PlaceRemoveAndPromoteKeepKeysAndMaterial) {
  Position pos;
  SetStartPosition(pos, kGame2D);
  const Position start = pos;
  int slot = pos.slotOf[MakeSquare(4, 1)];  // the e2 pawn
  RemovePiece(pos, slot);
  EXPECT_EQ(pos.board[MakeSquare(4, 1)], 0);
  EXPECT_EQ(pos.occupiedMask & SlotBit(slot), 0u);
  PlacePiece(pos, kPawn, MakeSquare(4, 1), slot);
  EXPECT_EQ(pos.hashKey, start.hashKey);
  EXPECT_EQ(pos.hashLock, start.hashLock);
  EXPECT_EQ(pos.eval.material, start.eval.material);

  ChangePiece(pos, slot, kKnight);  // queen slot taken: the slot keeps its place
  EXPECT_EQ(pos.board[MakeSquare(4, 1)], kKnight);
  EXPECT_NE(pos.pieceMask & SlotBit(slot), 0u);
  EXPECT_EQ(pos.eval.material[kWhite] - start.eval.material[kWhite], 40012 - 10052);
  uint32_t key, lock;
  ComputeKeys(pos, key, lock);
  EXPECT_EQ(pos.hashKey, key);
  EXPECT_EQ(pos.hashLock, lock);
}

TEST(HashKeys, NewQueenTakesTheFreeQueenSlot) {
  Position pos = From2D("4k3/P7/8/8/8/8/8/4K3 w - - 0 1");
  int pawn = pos.slotOf[MakeSquare(0, 6)];
  ChangePiece(pos, pawn, kQueen);
  EXPECT_EQ(pos.pieces[pawn].code, 0);
  EXPECT_EQ(pos.pieces[kQueenSlot].code, kQueen);
  EXPECT_EQ(pos.slotOf[MakeSquare(0, 6)], kQueenSlot);
  EXPECT_EQ(pos.pawnWatchMask, 0u);
  uint32_t key, lock;
  ComputeKeys(pos, key, lock);
  EXPECT_EQ(pos.hashKey, key);
}

TEST(HashKeys, PawnsAboutToPromoteAreMarked) {
  Position pos = From2D("4k3/P6p/8/8/8/8/1p5P/4K3 w - - 0 1");
  auto marked = [&](int file, int rank) {
    return (pos.pawnWatchMask & SlotBit(pos.slotOf[MakeSquare(file, rank)])) != 0;
  };
  EXPECT_TRUE(marked(0, 6));   // white a7
  EXPECT_FALSE(marked(7, 1));  // white h2
  EXPECT_TRUE(marked(1, 1));   // black b2
  EXPECT_FALSE(marked(7, 6));  // black h7
}

}  // namespace
}  // namespace torvik
