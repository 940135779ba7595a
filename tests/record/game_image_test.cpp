#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "board/byte_io.h"
#include "board/rebuild.h"
#include "board/setup.h"
#include "record/game_image.h"

namespace torvik {
namespace {

using Image = std::array<uint8_t, kGameImageBytes>;

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
  auto image = std::make_unique<Image>();
  WriteGameImage(*gs, *image);
  using namespace game_image;
  EXPECT_EQ(GetI32(*image, kMoves), 33);
  EXPECT_EQ(GetI32(*image, kMoves + 4), 34);
  EXPECT_EQ((*image)[kMoves + 16], '-');
  EXPECT_EQ(GetI32(*image, kMoves + 20 * 999 + 12), 116);
  EXPECT_EQ(GetU32(*image, kKeyHistory), 0xabcdu);
  EXPECT_EQ(GetU32(*image, kKeyHistory + 4 * 999), 0x4321u);
  EXPECT_EQ(GetI32(*image, kAutoPlay), 1);
  EXPECT_EQ(GetF32(*image, kXang), -47.5f);
  EXPECT_EQ(GetI32(*image, kGameMode), 3);
  EXPECT_EQ(GetI32(*image, kNotation), 2);
  EXPECT_EQ(GetI32(*image, kEngineSide), -1);
  EXPECT_EQ(GetI32(*image, kTtMegabytes), 8);
  EXPECT_EQ(GetI32(*image, kSelection), 65);
  EXPECT_EQ((*image)[kTargetMarks + 63], 'A');
  EXPECT_EQ(GetI32(*image, kPosition + 4), 32);  // board 0 on QL1
}

TEST(GameImage, NewGameLeavesEveryOtherByteZero) {
  for (int mode : {kGame2D, kGame3D}) {
    auto gs = NewGame(mode);
    auto image = std::make_unique<Image>();
    WriteGameImage(*gs, *image);
    using namespace game_image;
    // The start position is blank until a board is edited.
    for (std::size_t i = kStartPosition; i < kStartEdited + 8; ++i)
      ASSERT_EQ((*image)[i], 0) << "byte " << i;
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
  auto first = std::make_unique<Image>();
  auto second = std::make_unique<Image>();
  WriteGameImage(*gs, *first);
  auto back = std::make_unique<GameState>();
  std::string error;
  ASSERT_TRUE(ReadGameImage(*first, *back, error)) << error;
  RegenToPieces(back->position);  // what a restore does: the maps are not read
  RegenToPieces(back->startPosition);
  WriteGameImage(*back, *second);
  EXPECT_EQ(*first, *second);
  EXPECT_EQ(back->position.gameMode, kGame2D);
  EXPECT_EQ(back->position.rules, kStandard);
  EXPECT_EQ(back->position.history, &back->keyHistory);
  EXPECT_EQ(back->moves[3].kind, 'Q');
}

TEST(GameImage, RefusesBadImagesAndKeepsTheGame) {
  auto gs = NewGame(kGame3D);
  auto good = std::make_unique<Image>();
  WriteGameImage(*gs, *good);
  using namespace game_image;
  const std::vector<std::pair<std::size_t, uint32_t>> corruptions = {
      {kGameMode, 4}, {kRules, 2}, {kEngineSide, 5}, {kPosition + 4, 77}, {kPosition + 60, 100}};
  for (auto [offset, value] : corruptions) {
    Image bad = *good;
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
