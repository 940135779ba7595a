// Positions that come in from outside, written by a careless or hostile hand:
// position texts, saved-game images and their fields one at a time. Each is
// refused with a reason, or read whole and playable.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "board/byte_io.h"
#include "board/console.h"
#include "board/geometry.h"
#include "board/rebuild.h"
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

using GameBytes = std::array<uint8_t, 28760>;

// Offsets in a saved game; its position image starts at 0.
constexpr std::size_t kAtSliderMask = 44, kAtPawnWatch = 48, kAtBoard = 60, kAtSlotOf = 316, kAtPieces = 380,
                      kAtFlags = 2248, kAtEp = 2256, kAtHalfmove = 2264, kAtPly = 2268, kAtStartEdited = 4624,
                      kAtGameMode = 4632, kAtDifficulty = 4728;

using test::Contains;

// A saved game of one position.
std::unique_ptr<GameBytes> ImageOf(const Position& pos) {
  auto gs = std::make_unique<GameState>();
  gs->gameMode = pos.gameMode, gs->rules = pos.rules, gs->difficulty = kHard, gs->selection = kNoSquare;
  gs->position = pos;
  auto bytes = std::make_unique<GameBytes>();
  WriteGameImage(*gs, *bytes);
  return bytes;
}

struct Read {
  bool ok;
  std::string error, log;
  std::unique_ptr<GameState> gs;
};

Read ReadImage(const GameBytes& bytes) {
  Read r{false, "", "", std::make_unique<GameState>()};
  ConsoleCapture log;
  r.ok = ReadGameImage(bytes, *r.gs, r.error);
  r.log = log.Text();
  return r;
}

// Moves the piece on `from` to the empty `to` inside a position image at `base`.
void MoveInImage(GameBytes& bytes, Square from, Square to, std::size_t base = 0) {
  const uint8_t slot = bytes[base + kAtSlotOf + from];
  PutU32(bytes, base + kAtBoard + 4 * to, GetU32(bytes, base + kAtBoard + 4 * from));
  PutU32(bytes, base + kAtBoard + 4 * from, 0);
  bytes[base + kAtSlotOf + to] = slot;
  bytes[base + kAtSlotOf + from] = kNoSlot;
  PutU32(bytes, base + kAtPieces + 8 * slot + 4, uint32_t(to));
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
  // attack board beyond it can still move (a9 lies on the board at QL6, a0 at QL1).
  const std::pair<std::string, int> accepted[] = {
      {"4k3/8/8/8/8/8/PPPPPPP1/QQ2K3 w - - 0 1", kGame2D}, {"qqqqqqqq/q2k4/8/8/8/8/8/K7 w - - 0 1", kGame2D},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", kGame2D},
      {board3D({{16, 'K'}, {23, 'k'}, {39, 'P'}}), kGame3D}, {board3D({{16, 'K'}, {23, 'k'}, {32, 'p'}}), kGame3D},
      {board3D({{16, 'K'}, {23, 'k'}, {46, 'P'}}), kGame3D}};
  for (const auto& [text, mode] : accepted) {
    const Position pos = test::FromText(text, mode);
    if (mode == kGame2D) {
      EXPECT_EQ(FormatPosition(pos), text);
    }
    EXPECT_EQ(test::Inconsistency(pos), "") << text;
  }
  // The rebuild itself refuses such a board and never writes outside the list.
  auto pos = std::make_unique<Position>(test::From2D("4k3/8/8/8/8/8/8/4K3 w - - 0 1"));
  for (Square s = 0; s < 15; ++s) pos->board[s] = -kQueen;
  ConsoleCapture log;
  EXPECT_EQ(BoardToPieces(*pos), 0);
  EXPECT_EQ(log.Text(), "\nblack has too many queens for its 16 piece slots");
  // With the other side to move a king in check is a check to answer.
  const std::pair<std::string, int> checks[] = {{std::get<0>(refused[6]), kGame2D}, {std::get<0>(refused[7]), kGame2D},
                                                {board3D({{32, 'k'}, {40, 'R'}, {63, 'K'}}, 'b'), kGame3D}};
  for (const auto& [text, mode] : checks) {
    std::string flipped = text;
    if (mode == kGame2D) {
      const std::size_t side = flipped.find(' ') + 1;
      flipped[side] = flipped[side] == 'w' ? 'b' : 'w';
    }
    Position pos = test::FromText(flipped, mode);
    EXPECT_TRUE(pos.flags & kInCheck) << flipped;
    MoveList moves;
    const int n = LegalMoves(pos, moves);
    for (int i = 0; i < n; ++i) EXPECT_NE(TypeOf(pos.board[moves[i].to]), kKing) << flipped;
  }
}

// One field of a good image changed and refused. Counters at the integer limit
// overflowed when a move was made (UndefinedBehaviorSanitizer, in make-move and
// in the legality test); the record holds 1000 plies from the start.
TEST(HostileImage, FieldsOutOfReachAreRefused) {
  const auto good2D = ImageOf(test::Start(kGame2D));
  const Position start3D = test::Start(kGame3D);
  const auto good3D = ImageOf(start3D);
  const std::tuple<const GameBytes*, std::size_t, uint32_t, const char*> refused[] = {
      {good2D.get(), kAtPly, 2147483647u, "ply"}, {good2D.get(), kAtPly, 2147483646u, "ply"},
      {good2D.get(), kAtHalfmove, 2147483647u, "halfmove"}, {good2D.get(), kAtPly, 0x80000000u, "ply"},
      {good2D.get(), kAtPly, 1001, "ply past the record"},
      {good3D.get(), kAtPieces + 8 * kKnightSlot, 0, "a knight's slot emptied while the board still shows it"},
      {good3D.get(), kAtGameMode, kGame2D, "the mode says 2D, the image holds a 3D game"}};
  for (auto [good, offset, value, what] : refused) {
    GameBytes bad = *good;
    PutU32(bad, offset, value);
    EXPECT_FALSE(ReadImage(bad).ok) << what << " " << value;
  }
  GameBytes last = *good2D;
  PutU32(last, kAtPly, 1000);
  EXPECT_TRUE(ReadImage(last).ok);
  EXPECT_NE(Refusal("4k3/8/8/8/8/8/8/4K3 w - - 0 2147483647", kGame2D), "");
  EXPECT_NE(Refusal("4k3/8/8/8/8/8/8/4K3 w - - 2147483647 1", kGame2D), "");
}

// One field of a good image changed and read, made to agree with the board.
TEST(HostileImage, DerivedFieldsAreRecomputed) {
  const Position start3D = test::Start(kGame3D);
  const auto good3D = ImageOf(start3D);
  {  // Stale masks and flags: a slider bit on every slot, every pawn marked, maps pending.
    GameBytes stale = *good3D;
    PutU32(stale, kAtSliderMask, 0xffffffffu);
    PutU32(stale, kAtPawnWatch, 0xffffffffu);
    PutU32(stale, kAtFlags, GetU32(stale, kAtFlags) | kMapsPending | kInCheck | kWhitePromoted);
    const Read r = ReadImage(stale);
    ASSERT_TRUE(r.ok) << r.error;
    Position& pos = r.gs->position;
    EXPECT_EQ(pos.sliderMask, start3D.sliderMask);
    EXPECT_EQ(test::MapsDiffer(pos), "");
    EXPECT_EQ(pos.flags & (kMapsPending | kInCheck | kWhitePromoted), 0u);
    EXPECT_EQ(Perft(pos, 2), Perft(const_cast<Position&>(start3D), 2));
  }
  // A castling right whose rook has left: dropped, with its key; castling is not listed.
  const auto castle = ImageOf(test::From2D("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"));
  GameBytes noRook = *castle;
  MoveInImage(noRook, test::Sq('h', 1), test::Sq('h', 2));
  const Read r = ReadImage(noRook);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.gs->position.flags & kCastleRights, kWhiteLong | kBlackShort | kBlackLong);
  EXPECT_EQ(test::Inconsistency(r.gs->position), "");
  MoveList moves;
  const int n = LegalMoves(r.gs->position, moves);
  for (int i = 0; i < n; ++i) EXPECT_NE(moves[i].kind, kShortCastle);
}

TEST(HostileImage, TheSideNotToMoveMayNotStandInCheck) {
  std::string board3D(64, '.');
  board3D[32] = 'k', board3D[40] = 'R', board3D[63] = 'K';
  for (const auto& [text, mode] : std::vector<std::pair<std::string, int>>{
           {"k7/8/8/8/8/8/8/R6K b - - 0 1", kGame2D}, {board3D + " b QL1,QL6,KL1,KL6 wbwb - -", kGame3D}}) {
    auto bytes = ImageOf(test::FromText(text, mode));
    ASSERT_TRUE(ReadImage(*bytes).ok) << text;
    PutU32(*bytes, kAtPly, 2);  // white to move, with black in check
    const Read r = ReadImage(*bytes);
    EXPECT_FALSE(r.ok) << text;
    EXPECT_TRUE(Contains(r.error, "in check")) << r.error;
  }
  // An attack board moved to another pin so that a line opens onto a king.
  int found = 0;
  test::RandomPlay(test::Start(kGame3D), 5, 400, [&](const Position& pos) {
    const auto bytes = ImageOf(pos);
    for (int b = 0; b < kAttackBoards && found < 20; ++b)
      for (const PinInfo& pin : kPinTable) {
        Position moved = pos;
        moved.pins[b] = pin.square;
        std::string error;
        if (WhichABOnPin(pos, pin.square) != kNoSquare) continue;
        if (ParsePosition(FormatPosition(moved), kGame3D, moved, error) || !Contains(error, "in check")) continue;
        GameBytes bad = *bytes;
        PutU32(bad, 4 + 4 * b, uint32_t(pin.square));
        EXPECT_FALSE(ReadImage(bad).ok) << FormatPosition(pos) << " board " << b << " to " << pin.name;
        ++found;
      }
  });
  EXPECT_GT(found, 0);
}

// What is read writes back as text the reader takes again.
TEST(HostileImage, WhatIsReadWritesBackReadably) {
  const auto good = ImageOf(test::From2D("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1"));
  for (uint32_t ep : {0u, 5u, 45u, 29u, 63u}) {  // none, a6 and f6 with no pawn beyond, d6 (the real one), h8
    GameBytes bytes = *good;
    PutU32(bytes, kAtEp, ep);
    const Read r = ReadImage(bytes);
    ASSERT_TRUE(r.ok) << ep << ": " << r.error;
    const std::string text = FormatPosition(r.gs->position);
    EXPECT_EQ(Refusal(text, kGame2D), "") << text;
    EXPECT_EQ(r.gs->position.epSquare, ep == 29 ? 29 : 0) << ep;
  }
  // A 3D pawn carried onto a square with nothing ahead of it.
  std::string board(64, '.');
  board[16] = 'K', board[23] = 'k', board[46] = 'P';
  auto bytes = ImageOf(test::From3D(board + " w QL1,QL6,KL1,KL6 wbwb - -"));
  MoveInImage(*bytes, 46, 47);
  EXPECT_FALSE(ReadImage(*bytes).ok);
}

// A restore takes a difficulty the engine knows, and a start the editor left
// without a king comes back as it was saved.
TEST(HostileImage, RestoreKeepsKnownDifficulties) {
  auto bytes = ImageOf(test::Start(kGame3D));
  for (auto [saved, read] : std::vector<std::pair<uint32_t, int>>{{4, 4}, {8, 8}, {50, 50}, {0, 50}, {200, 50}}) {
    PutU32(*bytes, kAtDifficulty, saved);
    const Read r = ReadImage(*bytes);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.gs->difficulty, read);
    EXPECT_EQ(Contains(r.log, "unknown difficulty"), saved != uint32_t(read)) << r.log;
  }
}

TEST(HostileImage, AnEditedStartWithoutAKingRestoresAsSaved) {
  auto gs = std::make_unique<GameState>();
  gs->gameMode = kGame2D;
  gs->difficulty = kHard;
  ConsoleCapture log;
  ASSERT_EQ(NewGameSetup(*gs), 1);
  gs->position.board[32] = 0;  // the white king taken off by the editor
  EXPECT_EQ(BoardToPieces(gs->position), 0);
  gs->startPosition = gs->position;
  gs->startEdited = 1;
  auto bytes = std::make_unique<GameBytes>();
  WriteGameImage(*gs, *bytes);
  const Read r = ReadImage(*bytes);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_TRUE(Contains(r.log, "edited board may be unstable")) << r.log;
  EXPECT_EQ(r.gs->position.board, gs->position.board);
  EXPECT_EQ(r.gs->startPosition.board, gs->position.board);
  MoveList moves;
  LegalMoves(r.gs->position, moves);  // nothing to play, nothing read out of bounds
  auto game = std::make_unique<Game>();
  game->state = *r.gs;
  Undo(*game, 0);  // the start cannot be rebuilt: nothing is replayed
  EXPECT_EQ(game->state.position.board, gs->position.board);
  // A start position whose rebuild could not take it is still refused in a game never edited.
  PutU32(*bytes, kAtStartEdited, 0);
  EXPECT_FALSE(ReadImage(*bytes).ok);
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
  std::vector<std::unique_ptr<GameBytes>> seeds;
  for (const auto& [text, mode] : kSeedTexts) seeds.push_back(ImageOf(test::FromText(text, mode)));
  {  // A game with moves in its record, from an edited start.
    auto game = test::QuietGame(kGame3D);
    game->state.startPosition = game->state.position;
    game->state.startEdited = 1;
    test::PlayTexts(*game, {"33-35", "38-36", "57-59"});
    seeds.push_back(std::make_unique<GameBytes>());
    WriteGameImage(game->state, *seeds.back());
  }
  std::mt19937 rng(77);
  int accepted = 0;
  for (int i = 0; i < 3000; ++i) {
    GameBytes bytes = *seeds[i % seeds.size()];
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
