// The binary images of a position and of a game: fields at their offsets,
// round trips, and refusal of bad images.
#include <gtest/gtest.h>

#include <memory>

#include "board/byte_io.h"
#include "board/position_image.h"
#include "engine/rebuild.h"
#include "record/game_image.h"
#include "support/positions.h"

namespace torvik {
namespace {

using namespace position_image;
using namespace game_image;
using PositionBytes = std::array<uint8_t, kPositionImageBytes>;
using GameBytes = std::array<uint8_t, kGameImageBytes>;

Position Middlegame3D() {
  return test::From3D(
      "R.....prQP....pq.P....pk.P.K..prNP...p.nB.P...pbBP..P.pb.P....pn b "
      "QL3,QL6,KL1,KL6 wbwb kq 41 7 23");
}

TEST(PositionImage, NamedFieldsAtTheirOffsets) {
  Position pos = Middlegame3D();
  pos.lastMove = {1, 2, 3, kPawn, 'x', 1, {0, 0}};
  PositionBytes image;
  WritePositionImage(pos, image);
  const std::pair<std::size_t, uint32_t> words[] = {
      {kBoardPins, 2}, {kBoardPins + 12, 63}, {kOwners + 4, 0}, {kHashKey, pos.hashKey},
      {kHashLock, pos.hashLock}, {kOccupiedMask, pos.occupiedMask}, {kBoard + 4 * 8, kQueen},
      {kBoard + 4 * 7, uint32_t(-kRook)}, {kPieces + 8 * 16, uint32_t(-kKing)}, {kPieces + 8 * 16 + 4, 23},
      {kWhiteMaterial, uint32_t(pos.eval.material[kWhite])},
      {kBlackMaterial, uint32_t(pos.eval.material[kBlack])},
      {kLastMove + 12, kPawn}, {kFlags, pos.flags}, {kEpSquare, 41}, {kHalfmoveCount, 8}, {kPly, 45},
      {kRayTable, 0}, {kPrevious, 0}};
  for (auto [offset, value] : words) EXPECT_EQ(GetU32(image, offset), value) << "offset " << offset;
  EXPECT_EQ(image[kSlotOf + 8], kQueenSlot);
  EXPECT_EQ(image[kSlotOf + 2], kNoSlot);
  EXPECT_EQ(image[kLastMove + 16], 'x');
}

TEST(PositionImage, RoundTrip) {
  const Position flat = test::From2D("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  for (Position pos : {Middlegame3D(), flat}) {
    pos.winner = kDrawn;
    pos.evalScore = -1234;
    PositionBytes first, second;
    WritePositionImage(pos, first);
    Position back;
    std::string error;
    ASSERT_TRUE(ReadPositionImage(first, pos.gameMode, back, error)) << error;
    WritePositionImage(back, second);
    // The maps are rebuilt after loading, not read; everything else comes back.
    EXPECT_TRUE(std::equal(first.begin(), first.begin() + kAttackedBy, second.begin()));
    EXPECT_TRUE(std::equal(first.begin() + kMovesCache, first.end(), second.begin() + kMovesCache));
    EXPECT_EQ(back.board, pos.board);
    EXPECT_EQ(back.gameMode, pos.gameMode);
  }
  // Keys and material are recomputed on loading.
  const Position pos = Middlegame3D();
  PositionBytes image;
  WritePositionImage(pos, image);
  PutU32(image, kHashKey, 0x12345);
  PutU32(image, kWhiteMaterial, 7);
  Position back;
  std::string error;
  ASSERT_TRUE(ReadPositionImage(image, kGame3D, back, error)) << error;
  EXPECT_EQ(back.hashKey, pos.hashKey);
  EXPECT_EQ(back.eval.material, pos.eval.material);
}

TEST(PositionImage, RefusesCorruptImages) {
  const Position pos = Middlegame3D();
  PositionBytes good;
  WritePositionImage(pos, good);
  struct Corruption {
    const char* what;
    std::size_t offset;
    uint32_t value;
  };
  const Corruption corruptions[] = {
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
    PositionBytes bad = good;
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

std::unique_ptr<GameState> NewGame(int mode) {
  auto gs = std::make_unique<GameState>();
  gs->gameMode = mode;
  gs->difficulty = kHard;
  EXPECT_EQ(NewGameSetup(*gs), 1);
  return gs;
}

TEST(GameImage, OffsetsOfTheRecord) {
  auto gs = NewGame(kGame3D);
  gs->moves[0] = {33, 34, kNoScore, kPawn, '-', 0, {0, 0}};
  gs->moves[999].piece = 116;
  gs->keyHistory.Store(0, 0xabcd);
  gs->keyHistory.Store(999, 0x4321);
  gs->autoPlay = 1;
  gs->xang = -47.5f;
  gs->notation = kNotationAlgebraic;
  auto image = std::make_unique<GameBytes>();
  WriteGameImage(*gs, *image);
  const std::pair<std::size_t, uint32_t> words[] = {
      {kMoves, 33}, {kMoves + 4, 34}, {kMoves + 20 * 999 + 12, 116}, {kKeyHistory, 0xabcd},
      {kKeyHistory + 4 * 999, 0x4321}, {kAutoPlay, 1}, {kGameMode, 3}, {kNotation, 2},
      {kEngineSide, uint32_t(-1)}, {kTtMegabytes, 8}, {kSelection, 65},
      {kPosition + 4, 32}};  // board 0 on QL1
  for (auto [offset, value] : words) EXPECT_EQ(GetU32(*image, offset), value) << "offset " << offset;
  EXPECT_EQ((*image)[kMoves + 16], '-');
  EXPECT_EQ(GetF32(*image, kXang), -47.5f);
  EXPECT_EQ((*image)[kTargetMarks + 63], 'A');
}

TEST(GameImage, NewGameLeavesEveryOtherByteZero) {
  for (int mode : {kGame2D, kGame3D}) {
    auto gs = NewGame(mode);
    auto image = std::make_unique<GameBytes>();
    WriteGameImage(*gs, *image);
    // The start position is blank until a board is edited.
    for (std::size_t i = kStartPosition; i < kStartEdited + 8; ++i) ASSERT_EQ((*image)[i], 0) << "byte " << i;
    for (std::size_t i = kMoves; i < kGameImageBytes; ++i) ASSERT_EQ((*image)[i], 0) << "byte " << i;
  }
}

TEST(GameImage, RoundTrip) {
  auto gs = NewGame(kGame2D);
  gs->rules = kStandard;
  gs->scale = 1.25f;
  gs->yang = 12.0f;
  gs->orthographic = 1;
  gs->moves[3] = {8, 10, 77, kPawn, 'Q', 1, {0, 0}};
  gs->keyHistory.Store(5, 99);
  gs->startEdited = 1;
  gs->startPosition = gs->position;
  gs->reserved1 = 0x5a5a;
  auto first = std::make_unique<GameBytes>();
  auto second = std::make_unique<GameBytes>();
  WriteGameImage(*gs, *first);
  auto back = std::make_unique<GameState>();
  std::string error;
  ASSERT_TRUE(ReadGameImage(*first, *back, error)) << error;
  RegenPosition(back->position);  // what a restore does: the maps are not read
  RegenPosition(back->startPosition);
  WriteGameImage(*back, *second);
  EXPECT_EQ(*first, *second);
  EXPECT_EQ(back->position.gameMode, kGame2D);
  EXPECT_EQ(back->position.rules, kStandard);
  EXPECT_EQ(back->position.history, &back->keyHistory);
}

TEST(GameImage, RefusesBadImagesAndKeepsTheGame) {
  auto gs = NewGame(kGame3D);
  auto good = std::make_unique<GameBytes>();
  WriteGameImage(*gs, *good);
  const std::pair<std::size_t, uint32_t> corruptions[] = {
      {kGameMode, 4}, {kRules, 2}, {kEngineSide, 5}, {kPosition + 4, 77}, {kPosition + 60, 100}};
  for (auto [offset, value] : corruptions) {
    GameBytes bad = *good;
    PutU32(bad, offset, value);
    auto out = NewGame(kGame2D);
    std::string error;
    EXPECT_FALSE(ReadGameImage(bad, *out, error)) << offset;
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(out->gameMode, kGame2D) << "unchanged";
  }
}

}  // namespace
}  // namespace torvik
