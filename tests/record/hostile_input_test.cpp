// Positions that come in from outside, written by a careless or hostile hand:
// position texts, saved-game images and their fields one at a time. Each is
// refused with a reason, or read whole and playable.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "board/byte_io.h"
#include "board/console.h"
#include "board/geometry.h"
#include "board/position_image.h"
#include "record/game.h"
#include "record/game_image.h"
#include "record/move_text.h"
#include "record/position_text.h"
#include "rules/generate.h"
#include "rules/legality.h"
#include "rules/perft.h"
#include "rules/rules_support.h"
#include "support/game_files.h"
#include "support/invariants.h"
#include "support/positions.h"

namespace torvik {
namespace {

using namespace position_image;  // a saved game's position image starts at 0
using namespace game_image;
using test::Bytes;
using test::Contains;

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

std::string Refusal(const std::string& text, int mode) {
  Position pos;
  std::string error;
  ConsoleCapture quiet;
  return ParsePosition(text, mode, pos, error) ? "" : error;
}

// Texts refused by name. A side's pieces must fit its 16 slots: the rebuild put
// pawns counted down from the end and extra pieces counted up from the eighth
// slot, and a side with too many lost pieces, or wrote past the piece list
// (AddressSanitizer and a bounds-checked build both stopped in the rebuild's
// side assignment). A king that could be taken: the side not to move stands in
// check. A 3D pawn on a square with nothing ahead of it must already have promoted.
TEST(HostileText, RefusedByName) {
  auto board3D = [](std::vector<std::pair<Square, char>> pieces, char side = 'w') {
    std::string board(64, '.');
    for (auto [s, c] : pieces) board[s] = c;
    return board + " " + side + " QL1,QL6,KL1,KL6 wbwb - -";
  };
  const std::tuple<std::string, int, std::string> refused[] = {
      {"qqqqqqqq/qqqqqqq1/8/8/8/8/8/K6k w - - 0 1", kGame2D, "black has too many queens"},
      {"QQQQQQQQ/QQQQQQQ1/8/8/8/8/8/K6k b - - 0 1", kGame2D, "white has too many queens"},
      {"4k3/8/8/8/8/8/PPPPPPPP/QQ2K3 w - - 0 1", kGame2D, "white has too many queens"},
      {"4k3/8/8/8/8/P7/PPPPPPPP/RNBQKBNR w - - 0 1", kGame2D, "white has too many pawns"},
      {"4k3/8/8/8/8/8/PPPPPPPP/RNNQKBNR w - - 0 1", kGame2D, "white has too many knights"},
      {"KQQQQQQQQQRRBBNNQ" + std::string(46, '.') + "k b QL1,QL6,KL1,KL6 wbwb - -", kGame3D, "white has too many queens"},
      {"k7/8/8/8/8/8/8/R6K w - - 0 1", kGame2D, "in check"},
      {"4k3/8/8/8/8/5n2/8/4K3 b - - 0 1", kGame2D, "in check"},
      {board3D({{32, 'k'}, {40, 'R'}, {63, 'K'}}), kGame3D, "in check"},
      {board3D({{16, 'K'}, {23, 'k'}, {47, 'P'}}), kGame3D, "must already have promoted"},  // b8, no b9
      {board3D({{16, 'K'}, {23, 'k'}, {40, 'p'}}), kGame3D, "must already have promoted"},  // b1, no b0
  };
  for (const auto& [text, mode, message] : refused) EXPECT_TRUE(Contains(Refusal(text, mode), message)) << text;
  // At the limit every piece is read, in a slot of its own side; a pawn with an
  // attack board beyond it can still move (a9 lies on the board at QL6, a0 at
  // QL1). With the other side to move a king in check is a check to answer.
  const std::tuple<std::string, int, bool> accepted[] = {
      {"4k3/8/8/8/8/8/PPPPPPP1/QQ2K3 w - - 0 1", kGame2D, false},
      {"qqqqqqqq/q2k4/8/8/8/8/8/K7 w - - 0 1", kGame2D, true},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", kGame2D, false},
      {board3D({{16, 'K'}, {23, 'k'}, {39, 'P'}}), kGame3D, false},
      {board3D({{16, 'K'}, {23, 'k'}, {32, 'p'}}), kGame3D, false},
      {board3D({{16, 'K'}, {23, 'k'}, {46, 'P'}}), kGame3D, false},
      {"k7/8/8/8/8/8/8/R6K b - - 0 1", kGame2D, true}, {"4k3/8/8/8/8/5n2/8/4K3 w - - 0 1", kGame2D, true},
      {board3D({{32, 'k'}, {40, 'R'}, {63, 'K'}}, 'b'), kGame3D, true}};
  for (const auto& [text, mode, inCheck] : accepted) {
    Position pos = test::FromText(text, mode);
    if (mode == kGame2D) {
      EXPECT_EQ(FormatPosition(pos), text);
    }
    EXPECT_EQ(test::Inconsistency(pos), "") << text;
    EXPECT_EQ((pos.flags & kInCheck) != 0, inCheck) << text;
    MoveList moves;
    const int n = LegalMoves(pos, moves);
    for (int i = 0; i < n; ++i) EXPECT_NE(TypeOf(pos.board[moves[i].to]), kKing) << text;
  }
}

// One field of a good image changed and refused. Counters at the integer limit
// overflowed when a move was made (UndefinedBehaviorSanitizer, in make-move and
// in the legality test); the record holds 1000 plies from the start. A ply
// that puts white to move with black in check is refused as well.
TEST(HostileImage, FieldsOutOfReachAreRefused) {
  const Bytes good2D = ImageOf(test::Start(kGame2D)), good3D = ImageOf(test::Start(kGame3D));
  std::string board3D(64, '.');
  board3D[32] = 'k', board3D[40] = 'R', board3D[63] = 'K';
  const Bytes check2D = ImageOf(test::From2D("k7/8/8/8/8/8/8/R6K b - - 0 1"));
  const Bytes check3D = ImageOf(test::From3D(board3D + " b QL1,QL6,KL1,KL6 wbwb - -"));
  // A knight's slot emptied while the board still shows it; a 3D game said to be 2D.
  const std::tuple<const Bytes*, std::size_t, uint32_t, const char*> refused[] = {
      {&good2D, kPly, 2147483647u, "ply count out of range"},
      {&good2D, kPly, 2147483646u, "ply count out of range"}, {&good2D, kPly, 0x80000000u, "ply count out of range"},
      {&good2D, kHalfmoveCount, 2147483647u, "halfmove count out of range"},
      {&good2D, kPly, 1001, "the game's ply is outside its record"},
      {&good3D, kPieces + 8 * kKnightSlot, 0, "board and piece list disagree"},
      {&good3D, kGameMode, kGame2D, "attack boards in a 2D game"},
      {&check2D, kPly, 2, "black is in check with white to move"},
      {&check3D, kPly, 2, "black is in check with white to move"}};
  for (auto [good, offset, value, message] : refused) {
    ASSERT_TRUE(ReadImage(*good).ok) << message;
    Bytes bad = *good;
    PutU32(bad, offset, value);
    const Read r = ReadImage(bad);
    EXPECT_FALSE(r.ok) << offset << " " << value;
    EXPECT_EQ(r.error, message) << offset << " " << value;
  }
  Bytes last = good2D;
  PutU32(last, kPly, 1000);
  EXPECT_TRUE(ReadImage(last).ok);
  EXPECT_NE(Refusal("4k3/8/8/8/8/8/8/4K3 w - - 0 2147483647", kGame2D), "");
  EXPECT_NE(Refusal("4k3/8/8/8/8/8/8/4K3 w - - 2147483647 1", kGame2D), "");
}

// What follows from the board is not taken from the image but recomputed.
TEST(HostileImage, DerivedFieldsAreRecomputed) {
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
TEST(HostileImage, ABoardMovedToOpenALineOntoAKingIsRefused) {
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

// What is read writes back as text the reader takes again.
TEST(HostileImage, WhatIsReadWritesBackReadably) {
  const Bytes good = ImageOf(test::From2D("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1"));
  for (uint32_t ep : {0u, 5u, 45u, 29u, 63u}) {  // none, a6 and f6 with no pawn beyond, d6 (the real one), h8
    Bytes bytes = good;
    PutU32(bytes, kEpSquare, ep);
    const Read r = ReadImage(bytes);
    ASSERT_TRUE(r.ok) << ep << ": " << r.error;
    const std::string text = FormatPosition(r.gs->position);
    EXPECT_EQ(Refusal(text, kGame2D), "") << text;
    EXPECT_EQ(r.gs->position.epSquare, ep == 29 ? 29 : 0) << ep;
  }
  // A 3D pawn carried onto a square with nothing ahead of it.
  std::string board(64, '.');
  board[16] = 'K', board[23] = 'k', board[46] = 'P';
  Bytes bytes = ImageOf(test::From3D(board + " w QL1,QL6,KL1,KL6 wbwb - -"));
  MoveInImage(bytes, 46, 47);
  EXPECT_FALSE(ReadImage(bytes).ok);
}

// A restore takes a difficulty the engine knows, and says when it does not.
TEST(HostileImage, RestoreKeepsKnownDifficulties) {
  Bytes bytes = ImageOf(test::Start(kGame3D));
  for (auto [saved, read] : std::vector<std::pair<uint32_t, int>>{{4, 4}, {8, 8}, {50, 50}, {0, 50}, {200, 50}}) {
    PutU32(bytes, kDifficulty, saved);
    const Read r = ReadImage(bytes);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.gs->difficulty, read);
    EXPECT_EQ(Contains(r.log, "unknown difficulty"), saved != uint32_t(read)) << r.log;
  }
}

// ---- seeded mutations ----

// What must hold of every position a reader accepted: its piece list, keys and
// maps agree with its board, its text reads back to itself and to the same
// moves, and no legal move takes a king.
void ExpectPlayable(Position& pos, const std::string& origin) {
  ASSERT_EQ(test::Inconsistency(pos), "") << origin;
  ASSERT_EQ(test::MapsDiffer(pos), "") << origin;
  const std::string text = FormatPosition(pos);
  Position again;
  again.rules = pos.rules;
  std::string error;
  ASSERT_TRUE(ParsePosition(text, pos.gameMode, again, error)) << origin << "\n" << text << ": " << error;
  ASSERT_EQ(FormatPosition(again), text) << origin;
  MoveList moves;
  const int n = LegalMoves(pos, moves);
  const int enemyKing = WhiteToMove(pos) ? -kKing : kKing;
  for (int i = 0; i < n; ++i) {
    if (moves[i].kind == kBoardMove) continue;  // it goes to a pin, not onto a piece
    ASSERT_NE(pos.board[moves[i].to], enemyKing) << origin << "\n" << text << " to " << moves[i].to;
  }
  ASSERT_EQ(Perft(again, 1), uint64_t(n)) << origin << "\n" << text;
}

const std::pair<const char*, int> kSeedTexts[] = {
    {kStartText2D, kGame2D},
    {kStartText3D, kGame3D},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", kGame2D},
    {"rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3 4 17", kGame2D},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", kGame2D},
    {"R.....prQP....pq.P....pk.P.K..prNP...p.nB.P...pbBP..P.pb.P....pn b QL3,QL6,KL1,KL6 wbwb kq 41 7 23", kGame3D},
    {"RP....prQP....pqKP....pkRP....prN..P..pnBP....pbBP....pbNP....pn b QL3,QL6,KL1,KL6 wbwb Kq 34 5 9", kGame3D},
    {"..........................K..................k.................. w QL2,QL5,KL3,KL4 wbwb - - 0 1", kGame3D},
};

std::string MutateText(std::string text, std::mt19937& rng) {
  static const std::string kAlphabet = "pnbrqkPNBRQK.12345678/ -wbKQLkql09,3e6";
  const int edits = 1 + int(rng() % 2);
  for (int e = 0; e < edits && !text.empty(); ++e) {
    const std::size_t at = rng() % text.size();
    const char c = kAlphabet[rng() % kAlphabet.size()];
    switch (rng() % 4) {
      case 0: text[at] = c; break;
      case 1: text.erase(at, 1); break;
      case 2: text.insert(at, 1, c); break;
      default: std::swap(text[at], text[rng() % text.size()]);
    }
  }
  return text;
}

TEST(HostileInput, SeededMutationsOfTexts) {
  std::mt19937 rng(2024);
  ConsoleCapture quiet;
  int accepted = 0;
  for (int i = 0; i < 4000; ++i) {
    const auto& [seed, mode] = kSeedTexts[i % std::size(kSeedTexts)];
    const std::string text = MutateText(seed, rng);
    Position pos;
    std::string error;
    if (!ParsePosition(text, mode, pos, error)) {
      ASSERT_FALSE(error.empty()) << text;
      continue;
    }
    ++accepted;
    ExpectPlayable(pos, text);
  }
  EXPECT_GT(accepted, 200);
}

// A value an image field might hold after damage.
uint32_t HostileValue(uint32_t was, std::mt19937& rng) {
  const uint32_t values[] = {0, 1, 2, 3, 7, 15, 16, 32, 63, 64, 65, 100, 255, 1000, 0x7fffffffu, 0x80000000u,
                             0xffffffffu, was + 1, was - 1, was ^ (1u << (rng() % 32)), uint32_t(rng())};
  return values[rng() % std::size(values)];
}

TEST(HostileInput, SeededSingleFieldCorruptionsOfImages) {
  std::vector<Bytes> seeds;
  for (const auto& [text, mode] : kSeedTexts) seeds.push_back(ImageOf(test::FromText(text, mode)));
  {  // A game with moves in its record, from an edited start.
    auto game = test::QuietGame(kGame3D);
    game->state.startPosition = game->state.position;
    game->state.startEdited = 1;
    test::PlayTexts(*game, {"33-35", "38-36", "57-59"});
    seeds.push_back(test::ImageOf(game->state));
  }
  std::mt19937 rng(77);
  int accepted = 0;
  for (int i = 0; i < 3000; ++i) {
    Bytes bytes = seeds[i % seeds.size()];
    // Mostly the position, then the start position and the settings.
    const std::size_t region = rng() % 10;
    const std::size_t at = region < 7 ? 4 * (rng() % 578) : region < 8 ? 2312 + 4 * (rng() % 578)
                                                           : 4624 + 4 * (rng() % 34);
    if (rng() % 4 == 0) bytes[at + rng() % 4] ^= uint8_t(1u << (rng() % 8));
    else PutU32(bytes, at, HostileValue(GetU32(bytes, at), rng));
    const Read r = ReadImage(bytes);
    if (!r.ok) {
      ASSERT_FALSE(r.error.empty()) << "offset " << at;
      continue;
    }
    ++accepted;
    const std::string origin = "offset " + std::to_string(at);
    if (Contains(r.log, "may be unstable")) {
      MoveList moves;
      LegalMoves(r.gs->position, moves);  // kept as saved: nothing may break
      continue;
    }
    ExpectPlayable(r.gs->position, origin);
    if (r.gs->startEdited) ExpectPlayable(r.gs->startPosition, origin + " (start)");
  }
  EXPECT_GT(accepted, 1000);
}

}  // namespace
}  // namespace torvik
