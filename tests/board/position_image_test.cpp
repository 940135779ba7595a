#include <gtest/gtest.h>

#include <vector>

#include "board/byte_io.h"
#include "board/position_image.h"
#include "board/setup.h"
#include "support/positions.h"

namespace torvik {
namespace {

using Image = std::array<uint8_t, kPositionImageBytes>;

Position Middlegame3D() {
  return test::From3D(
      "R.....prQP....pq.P....pk.P.K..prNP...p.nB.....pbBP..P.pb.P....pn b "
      "QL3,QL6,KL1,KL6 wbwb kq 41 7 23");
}

TEST(PositionImage, NamedFieldsAtTheirOffsets) {
  Position pos = Middlegame3D();
  pos.lastMove = {1, 2, 3, kPawn, 'x', 1, {0, 0}};
  Image image;
  WritePositionImage(pos, image);
  using namespace position_image;
  EXPECT_EQ(GetI32(image, kBoardPins), 2);
  EXPECT_EQ(GetI32(image, kBoardPins + 12), 63);
  EXPECT_EQ(GetI32(image, kOwners + 4), 0);
  EXPECT_EQ(GetU32(image, kHashKey), pos.hashKey);
  EXPECT_EQ(GetU32(image, kHashLock), pos.hashLock);
  EXPECT_EQ(GetU32(image, kOccupiedMask), pos.occupiedMask);
  EXPECT_EQ(GetI32(image, kBoard + 4 * 8), kQueen);
  EXPECT_EQ(GetI32(image, kBoard + 4 * 7), -kRook);
  EXPECT_EQ(image[kSlotOf + 8], kQueenSlot);
  EXPECT_EQ(image[kSlotOf + 2], kNoSlot);
  EXPECT_EQ(GetI32(image, kPieces + 8 * 16), -kKing);
  EXPECT_EQ(GetI32(image, kPieces + 8 * 16 + 4), 23);
  EXPECT_EQ(GetI32(image, kWhiteMaterial), pos.eval.material[kWhite]);
  EXPECT_EQ(GetI32(image, kBlackMaterial), pos.eval.material[kBlack]);
  EXPECT_EQ(GetI32(image, kLastMove + 12), kPawn);
  EXPECT_EQ(image[kLastMove + 16], 'x');
  EXPECT_EQ(GetU32(image, kFlags), pos.flags);
  EXPECT_EQ(GetI32(image, kEpSquare), 41);
  EXPECT_EQ(GetI32(image, kHalfmoveCount), 8);
  EXPECT_EQ(GetI32(image, kPly), 45);
  EXPECT_EQ(GetU32(image, kRayTable), 0u);
  EXPECT_EQ(GetU32(image, kPrevious), 0u);
}

TEST(PositionImage, RoundTrip) {
  for (Position pos : {Middlegame3D(), test::From2D("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1")}) {
    pos.winner = kDrawn;
    pos.evalScore = -1234;
    Image first, second;
    WritePositionImage(pos, first);
    Position back;
    std::string error;
    ASSERT_TRUE(ReadPositionImage(first, pos.gameMode, back, error)) << error;
    WritePositionImage(back, second);
    // The maps are rebuilt after loading, not read; everything else comes back.
    using namespace position_image;
    EXPECT_TRUE(std::equal(first.begin(), first.begin() + kAttackedBy, second.begin()));
    EXPECT_TRUE(std::equal(first.begin() + kMovesCache, first.end(), second.begin() + kMovesCache));
    EXPECT_EQ(back.board, pos.board);
    EXPECT_EQ(back.hashKey, pos.hashKey);
    EXPECT_EQ(back.gameMode, pos.gameMode);
  }
}

TEST(PositionImage, RefusesCorruptImages) {
  Position pos = Middlegame3D();
  Image good;
  WritePositionImage(pos, good);
  using namespace position_image;
  struct Corruption {
    const char* what;
    std::size_t offset;
    uint32_t value;
  };
  const std::vector<Corruption> corruptions = {
      {"bad pin", kBoardPins + 4, 33},
      {"same pin twice", kBoardPins + 4, 2},
      {"code out of range", kBoard + 4 * 40, 9},
      {"slot out of range", kSlotOf + 40, 77},
      {"piece off the board", kPieces + 8 * 4 + 4, 640},
      {"piece list disagrees", kPieces + 8 * 4 + 4, 41},
      {"king gone", kPieces, 0},
      {"en passant out of range", kEpSquare, 70},
      {"negative ply", kPly, 0xffffffffu},
  };
  for (const Corruption& c : corruptions) {
    Image bad = good;
    if (c.offset >= kSlotOf && c.offset < kPieces) bad[c.offset] = static_cast<uint8_t>(c.value);
    else PutU32(bad, c.offset, c.value);
    Position out = pos;
    out.ply = 999;
    std::string error;
    EXPECT_FALSE(ReadPositionImage(bad, kGame3D, out, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    EXPECT_EQ(out.ply, 999) << c.what << ": left unchanged";
  }
}

TEST(PositionImage, KeysAndMaterialAreRecomputedOnLoading) {
  Position pos = Middlegame3D();
  Image image;
  WritePositionImage(pos, image);
  using namespace position_image;
  PutU32(image, kHashKey, 0x12345);
  PutU32(image, kWhiteMaterial, 7);
  Position back;
  std::string error;
  ASSERT_TRUE(ReadPositionImage(image, kGame3D, back, error)) << error;
  EXPECT_EQ(back.hashKey, pos.hashKey);
  EXPECT_EQ(back.eval.material, pos.eval.material);
}

}  // namespace
}  // namespace torvik
