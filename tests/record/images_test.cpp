// The binary images of a position and of a game: fields at their offsets,
// round trips, and refusal of bad images.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

#include "board/byte_io.h"
#include "board/position_image.h"
#include "engine/rebuild.h"
#include "record/game_image.h"
#include "support/invariants.h"
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

// A position with a distinct value in every field of its image.
Position Filled3D() {
  Position pos = Middlegame3D();
  pos.lastMove = {41, 43, -7, kPawn, 'x', 1, {0, 0}};
  pos.bestMove = {8, 10, 1234, kQueen, '-', 1, {0, 0}};
  pos.evalTerm = -55, pos.winner = kDrawn, pos.evalScore = -1234, pos.eval.stage = 2;
  pos.eval.recomputeMask = 0x01020304u, pos.eval.passedMask = {0x0100u, 0x01000000u}, pos.flags |= kWhiteCastled;
  for (Square s = 0; s < 64; ++s) pos.attackedBy[s] = 0x1000u + s, pos.xrayBy[s] = 0x2000u + s;
  return pos;
}

// Every field at the offset and with the width of the stored layout, written
// out here rather than taken from the writer's own names.
TEST(PositionImage, EveryFieldAtItsOffsetInTheLayout) {
  const Position pos = Filled3D();
  PositionBytes image;
  image.fill(0xee);
  WritePositionImage(pos, image);
  auto u32 = [&](std::size_t at) { return GetU32(image, at); };
  for (std::size_t at : {std::size_t(0), std::size_t(2196), std::size_t(2252), std::size_t(2260), std::size_t(2304)})
    EXPECT_EQ(u32(at), 0u) << "pointer or reserved word at " << at;
  for (int b = 0; b < 4; ++b) {
    EXPECT_EQ(u32(4 + 4 * b), uint32_t(pos.pins[b]));
    EXPECT_EQ(u32(20 + 4 * b), uint32_t(pos.owners[b]));
  }
  const std::pair<std::size_t, uint32_t> words[] = {
      {36, pos.hashKey}, {40, pos.hashLock}, {44, pos.sliderMask}, {48, pos.pawnWatchMask},
      {52, pos.pieceMask}, {56, pos.occupiedMask}, {1348, 2}, {1352, 0x01020304u},
      {1368, uint32_t(pos.eval.material[0])}, {1372, uint32_t(pos.eval.material[1])}, {1644, 0x0100u},
      {1648, 0x01000000u}, {2200, 0}, {2244, uint32_t(-55)}, {2248, pos.flags}, {2256, 41}, {2264, 8},
      {2268, 45}, {2272, 2}, {2308, uint32_t(-1234)}};
  for (auto [at, value] : words) EXPECT_EQ(u32(at), value) << "offset " << at;
  for (Square s = 0; s < 64; ++s) {
    EXPECT_EQ(u32(60 + 4 * s), uint32_t(pos.board[s])) << s;
    EXPECT_EQ(image[316 + s], pos.slotOf[s]) << s;
    EXPECT_EQ(u32(1684 + 4 * s), 0x1000u + s) << s;
    EXPECT_EQ(u32(1940 + 4 * s), 0x2000u + s) << s;
  }
  for (int slot = 0; slot < 32; ++slot) {
    EXPECT_EQ(u32(380 + 8 * slot), uint32_t(pos.pieces[slot].code)) << slot;
    EXPECT_EQ(u32(384 + 8 * slot), uint32_t(pos.pieces[slot].square)) << slot;
  }
  for (auto [at, m] : {std::pair{std::size_t(2204), pos.lastMove}, std::pair{std::size_t(2224), pos.bestMove}}) {
    EXPECT_EQ(u32(at), uint32_t(m.from));
    EXPECT_EQ(u32(at + 4), uint32_t(m.to));
    EXPECT_EQ(u32(at + 8), uint32_t(m.score));
    EXPECT_EQ(u32(at + 12), uint32_t(m.piece));
    EXPECT_EQ(image[at + 16], uint8_t(m.kind));
    EXPECT_EQ(image[at + 17], m.check);
    EXPECT_EQ(image[at + 18] | image[at + 19], 0);
  }
  EXPECT_EQ(image.size(), 2312u);
}

// What is read writes back to the same bytes but for what the reader leaves
// out (the maps, the pawn-watch, passed-pawn and recompute masks, the move
// count, the flags but castling's) and the slider bits of empty slots.
TEST(PositionImage, EveryFieldReadBack) {
  const Position flat = test::From2D("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 3 9");
  for (const Position& pos : {Filled3D(), flat}) {
    PositionBytes image, again;
    WritePositionImage(pos, image);
    Position back;
    std::string error;
    ASSERT_TRUE(ReadPositionImage(image, pos.gameMode, back, error)) << error;
    WritePositionImage(back, again);
    EXPECT_EQ(back.flags, pos.flags & (kCastleRights | kWhiteCastled | kBlackCastled));
    EXPECT_EQ(back.sliderMask & back.occupiedMask, pos.sliderMask & pos.occupiedMask);
    for (std::size_t at : {kSliderMask, kPawnWatchMask, kRecomputeMask, kWhitePassed, kBlackPassed, kFlags}) {
      PutU32(image, at, 0);
      PutU32(again, at, 0);
    }
    std::fill(image.begin() + kAttackedBy, image.begin() + kLastMove, 0);
    std::fill(again.begin() + kAttackedBy, again.begin() + kLastMove, 0);
    EXPECT_EQ(again, image);
  }
}

TEST(PositionImage, RefusesCorruptImages) {
  const Position pos = Middlegame3D();
  PositionBytes good;
  WritePositionImage(pos, good);
  const std::tuple<const char*, std::size_t, uint32_t> corruptions[] = {
      {"bad pin", kBoardPins + 4, 33}, {"same pin twice", kBoardPins + 4, 2},
      {"code out of range", kBoard + 4 * 40, 9}, {"slot out of range", kSlotOf + 40, 77},
      {"piece off the board", kPieces + 8 * 4 + 4, 640}, {"piece list disagrees", kPieces + 8 * 4 + 4, 41},
      {"king gone", kPieces, 0}, {"en passant out of range", kEpSquare, 70}, {"negative ply", kPly, 0xffffffffu}};
  for (const auto& [what, offset, value] : corruptions) {
    PositionBytes bad = good;
    if (offset >= kSlotOf && offset < kPieces) bad[offset] = static_cast<uint8_t>(value);
    else PutU32(bad, offset, value);
    Position out = pos;
    out.ply = 999;
    std::string error;
    EXPECT_FALSE(ReadPositionImage(bad, kGame3D, out, error)) << what;
    EXPECT_FALSE(error.empty()) << what;
    EXPECT_EQ(out.ply, 999) << what << ": left unchanged";
  }
}

std::unique_ptr<GameState> NewGame(int mode) {
  auto gs = std::make_unique<GameState>();
  gs->gameMode = mode;
  gs->difficulty = kHard;
  EXPECT_EQ(NewGameSetup(*gs), 1);
  return gs;
}

// A game state with a distinct value in every setting.
std::unique_ptr<GameState> FilledGame() {
  auto gs = NewGame(kGame3D);
  gs->startEdited = 1, gs->startPosition = gs->position, gs->reserved1 = 0x5a5a, gs->selection = 116;
  for (int s = 0; s < 64; ++s) gs->targetMarks[s] = uint8_t('A' + s % 26);
  gs->reserved2 = 77, gs->spreadMode = kSpreadTeam, gs->transparent = 1, gs->rules = kStandard;
  gs->engineSide = kEnginePlaysWhite, gs->notation = kNotationAlgebraic, gs->difficulty = kMedium, gs->scale = 1.25f;
  gs->orthographic = 1, gs->xang = -47.5f, gs->yang = 12.0f, gs->abortSearch = 1, gs->ttMegabytes = 64;
  for (int i = 0; i < 1000; ++i) gs->moves[i] = {i % 64, (i + 1) % 64, i, kPawn, 'x', uint8_t(i & 1), {0, 0}};
  for (int i = 0; i < 1000; ++i) gs->keyHistory.Store(i, 0xabc00000u + uint32_t(i));
  gs->autoPlay = 1;
  return gs;
}

TEST(GameImage, EveryFieldAtItsOffsetInTheLayout) {
  auto gs = FilledGame();
  auto image = std::make_unique<GameBytes>();
  WriteGameImage(*gs, *image);
  auto u32 = [&](std::size_t at) { return GetU32(*image, at); };
  const std::pair<std::size_t, uint32_t> words[] = {
      {2268, uint32_t(gs->position.ply)}, {2312 + 2268, uint32_t(gs->startPosition.ply)}, {2312 + 4, 32},
      {4624, 1}, {4628, 0x5a5a}, {4632, 3}, {4636, 116}, {4704, 77}, {4708, 2}, {4712, 1}, {4716, 1},
      {4720, 1}, {4724, 2}, {4728, 8}, {4736, 1}, {4748, 1}, {4752, 64}, {28756, 1}};
  for (auto [at, value] : words) EXPECT_EQ(u32(at), value) << "offset " << at;
  for (int s = 0; s < 64; ++s) EXPECT_EQ((*image)[4640 + s], 'A' + s % 26);
  EXPECT_EQ(std::tuple(GetF32(*image, 4732), GetF32(*image, 4740), GetF32(*image, 4744)), std::tuple(1.25f, -47.5f, 12.0f));
  for (int i = 0; i < 1000; ++i) {
    const std::size_t at = 4756 + 20 * std::size_t(i);
    ASSERT_TRUE(u32(at) == uint32_t(i % 64) && u32(at + 4) == uint32_t((i + 1) % 64) &&
                u32(at + 8) == uint32_t(i) && u32(at + 12) == kPawn && (*image)[at + 16] == 'x' && (*image)[at + 17] == (i & 1))
        << "move " << i;
    ASSERT_EQ(u32(24756 + 4 * std::size_t(i)), 0xabc00000u + uint32_t(i)) << "key " << i;
  }
  EXPECT_EQ(image->size(), 28760u);
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

}  // namespace
}  // namespace torvik
