// The binary images of a position and of a game: round trips, what a reader
// recomputes, and refusal of bad images.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

#include "board/byte_io.h"
#include "board/position_image.h"
#include "engine/rebuild.h"
#include "record/game_image.h"
#include "record/position_text.h"
#include "rules/perft.h"
#include "rules/rules_support.h"
#include "support/game_files.h"
#include "support/invariants.h"
#include "support/positions.h"

namespace torvik {
namespace {

using namespace position_image;
using namespace game_image;
using PositionBytes = std::array<uint8_t, kPositionImageBytes>;
using test::Bytes;
using test::Contains;

Position Middlegame3D() {
  return test::From3D(
      "R.....prQP....pq.P....pk.P.K..prNP...p.nB.P...pbBP..P.pb.P....pn b "
      "QL3,QL6,KL1,KL6 wbwb kq 41 7 23");
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

// A saved game of one position.
Bytes ImageOf(const Position& pos) {
  auto gs = std::make_unique<GameState>();
  gs->gameMode = pos.gameMode, gs->rules = pos.rules, gs->difficulty = kHard, gs->selection = kNoSquare;
  gs->position = pos;
  return test::ImageOf(*gs);
}

struct Read {
  bool ok;
  std::string error, log;
  std::unique_ptr<GameState> gs;
};

Read ReadImage(const Bytes& bytes) {
  Read r{false, "", "", std::make_unique<GameState>()};
  ConsoleCapture log;
  r.ok = ReadGameImage(ConstGameImage(bytes.data(), kGameImageBytes), *r.gs, r.error);
  r.log = log.Text();
  return r;
}

// Moves the piece on `from` to the empty `to` in the position of a saved game.
void MoveInImage(Bytes& bytes, Square from, Square to) {
  const uint8_t slot = bytes[kSlotOf + from];
  PutU32(bytes, kBoard + 4 * to, GetU32(bytes, kBoard + 4 * from));
  PutU32(bytes, kBoard + 4 * from, 0);
  bytes[kSlotOf + to] = slot;
  bytes[kSlotOf + from] = kNoSlot;
  PutU32(bytes, kPieces + 8 * slot + 4, uint32_t(to));
}

// What follows from the board is not taken from the image but recomputed.
TEST(GameImage, DerivedFieldsAreRecomputed) {
  const Position start3D = test::Start(kGame3D);
  Bytes stale = ImageOf(start3D);  // a slider bit on every slot, every pawn marked, maps pending
  PutU32(stale, kSliderMask, 0xffffffffu);
  PutU32(stale, kPawnWatchMask, 0xffffffffu);
  PutU32(stale, kFlags, GetU32(stale, kFlags) | kMapsPending | kInCheck | kWhitePromoted);
  PutU32(stale, kHashKey, 0x12345);
  PutU32(stale, kWhiteMaterial, 7);
  const Read staleRead = ReadImage(stale);
  ASSERT_TRUE(staleRead.ok) << staleRead.error;
  Position& pos = staleRead.gs->position;
  EXPECT_EQ(std::tuple(pos.sliderMask, pos.hashKey, pos.eval.material),
            std::tuple(start3D.sliderMask, start3D.hashKey, start3D.eval.material));
  EXPECT_EQ(test::MapsDiffer(pos), "");
  EXPECT_EQ(pos.flags & (kMapsPending | kInCheck | kWhitePromoted), 0u);
  EXPECT_EQ(Perft(pos, 2), Perft(const_cast<Position&>(start3D), 2));
  // A castling right whose rook has left: dropped, with its key; castling is not listed.
  Bytes noRook = ImageOf(test::From2D("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"));
  MoveInImage(noRook, test::Sq('h', 1), test::Sq('h', 2));
  const Read r = ReadImage(noRook);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.gs->position.flags & kCastleRights, kWhiteLong | kBlackShort | kBlackLong);
  EXPECT_EQ(test::Inconsistency(r.gs->position), "");
  MoveList moves;
  const int n = LegalMoves(r.gs->position, moves);
  for (int i = 0; i < n; ++i) EXPECT_NE(moves[i].kind, kShortCastle);
}

// An attack board moved to another pin so that a line opens onto the king of
// the side not to move.
TEST(GameImage, ABoardMovedToOpenALineOntoAKingIsRefused) {
  int found = 0;
  test::RandomPlay(test::Start(kGame3D), 5, 400, [&](const Position& pos) {
    const Bytes bytes = ImageOf(pos);
    for (int b = 0; b < kAttackBoards && found < 20; ++b)
      for (const PinInfo& pin : kPinTable) {
        Position moved = pos;
        moved.pins[b] = pin.square;
        std::string error;
        if (WhichABOnPin(pos, pin.square) != kNoSquare) continue;
        if (ParsePosition(FormatPosition(moved), kGame3D, moved, error) || !Contains(error, "in check")) continue;
        Bytes bad = bytes;
        PutU32(bad, kBoardPins + 4 * b, uint32_t(pin.square));
        EXPECT_FALSE(ReadImage(bad).ok) << FormatPosition(pos) << " board " << b << " to " << pin.name;
        ++found;
      }
  });
  EXPECT_GT(found, 0);
}

}  // namespace
}  // namespace torvik
