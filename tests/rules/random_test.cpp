// Invariants over many positions, reached by seeded random play or set up as
// seeded random boards, in both games and under both rule sets.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <string>
#include <unordered_map>

#include "rules/make_move.h"
#include "rules_support.h"
#include "support/invariants.h"

namespace torvik {
namespace {

// ---- the 2D attack maps by a plain computation on the 8x8 board ----

struct Maps {
  std::array<uint32_t, 64> attacked{}, xray{};
};

bool OnBoard(int file, int rank) { return file >= 0 && file < 8 && rank >= 0 && rank < 8; }

// A friendly slider moving along this kind of line lets it through.
bool LetsThrough(int mover, int blocker, bool diagonal) {
  if (blocker == 0) return true;
  if (!SameSide(mover, blocker)) return false;
  return TypeOf(blocker) == kQueen || TypeOf(blocker) == (diagonal ? kBishop : kRook);
}

// Marks the square one step (df, dr) from `from`, or for a slider the line up to
// the first piece met; the x-ray then runs on through friendly sliders of the
// line's kind, up to and including the next square that stops it.
void Mark(Maps& m, const Position& pos, Square from, int df, int dr, bool slides, uint32_t bit) {
  int f = ColumnOf(from) + df, r = RowOf(from) + dr;
  for (; OnBoard(f, r); f += df, r += dr) {
    m.attacked[MakeSquare(f, r)] |= bit;
    if (!slides || pos.board[MakeSquare(f, r)] != 0) break;
  }
  if (!slides || !OnBoard(f, r)) return;
  while (LetsThrough(pos.board[from], pos.board[MakeSquare(f, r)], df && dr)) {
    f += df, r += dr;
    if (!OnBoard(f, r)) return;
    m.xray[MakeSquare(f, r)] |= bit;
  }
}

Maps PlainMaps(const Position& pos) {
  Maps m;
  for (int slot = 0; slot < kSlots; ++slot) {
    const PieceEntry& p = pos.pieces[slot];
    const int t = TypeOf(p.code);
    for (int df = -2; df <= 2; ++df)
      for (int dr = -2; dr <= 2; ++dr) {
        const int d2 = df * df + dr * dr;
        const bool slides = (d2 == 2 && (t == kBishop || t == kQueen)) ||
                            (d2 == 1 && (t == kRook || t == kQueen));
        const bool steps = (t == kKnight && d2 == 5) || (t == kKing && (d2 == 1 || d2 == 2)) ||
                           (t == kPawn && d2 == 2 && dr == (p.code > 0 ? 1 : -1));
        if (slides || steps) Mark(m, pos, p.square, df, dr, slides, SlotBit(slot));
      }
  }
  return m;
}

// ---- random boards ----

// Attack maps: in 2D those of the plain computation; in 3D a second rebuild
// changes nothing, every bit belongs to a piece present, and the levels agree
// with the geometry's. Moves: none lands on a piece of the mover (castling's
// king onto its rook aside), pawns push and take en passant only onto empty
// squares, kings never step onto an attacked square. Evasions are complete.
TEST(RandomBoards, MapsMovesAndEvasions) {
  ConsoleCapture quiet;
  std::mt19937 rng(31);
  int checks = 0;
  for (int n = 0; n < 8000 && !HasFailure(); ++n) {
    const int mode = n % 2 ? kGame3D : kGame2D, rules = n % 4 < 2 ? kStandard : kTournament;
    Position pos = test::RandomBoard(rng, mode, rules, n % 29);
    auto where = [&] { return FormatPosition(pos); };
    if (!Is3D(pos)) {
      const Maps want = PlainMaps(pos);
      for (Square s = 0; s < 64; ++s) {
        ASSERT_EQ(pos.attackedBy[s], want.attacked[s]) << where() << " square " << s;
        ASSERT_EQ(pos.xrayBy[s], want.xray[s]) << where() << " square " << s;
      }
    } else {
      for (Square s = 0; s < 64; ++s) ASSERT_EQ(LevelOfSquare(pos, s), GetSquareLevel(pos, s)) << where();
      const auto before = pos.attackedBy;
      ASSERT_EQ(RegenToPieces(pos), 1);
      ASSERT_EQ(pos.attackedBy, before) << where();
      for (uint32_t word : pos.attackedBy) ASSERT_EQ(word & ~pos.occupiedMask, 0u) << where();
    }
    for (const auto& moves : {test::AllMoves(pos), test::Evasions(pos)})
      for (const Move& m : moves) {
        auto move = [&] { return where() + " " + std::to_string(m.from) + "-" + std::to_string(m.to); };
        ASSERT_TRUE(TypeOf(m.piece) != kKing || !(pos.attackedBy[m.to] & test::Enemy(pos))) << move();
        if (m.kind == kShortCastle || m.kind == kBoardMove || m.piece >= 100) continue;
        const int there = pos.board[m.to];
        ASSERT_TRUE(there == 0 || !SameSide(there, m.piece)) << move();
        const bool push = TypeOf(m.piece) == kPawn && m.kind != kCapture && TypeOf(m.kind) == 0;
        ASSERT_TRUE(!push || there == 0) << move();
      }
    checks += test::ExpectEvasionsComplete(pos);
    test::ExpectLegalMovesAsMade(pos);
  }
  EXPECT_GT(checks, 1000);
  EXPECT_EQ(test::Warnings(quiet.Text()), "");
}

// ---- random play ----

// Everything that must hold for the children of one position.
struct Tally {
  long made = 0, boardMoves = 0, enPassant = 0, castling = 0, promotions = 0, checks = 0;
};

void CheckChildren(const Position& parent, Tally& tally) {
  test::ExpectLegalMovesAsMade(parent);
  Position pos = parent;
  auto child = std::make_unique<Position>();
  for (Move m : test::Listed(pos, GenerateAll)) {
    const bool castles = m.kind == kShortCastle || m.kind == kLongCastle;
    ASSERT_TRUE(TypeOf(m.piece) != kKing || castles || !(pos.attackedBy[m.to] & test::Enemy(pos)))
        << "king offered an attacked square " << m.from << "-" << m.to << " in " << FormatPosition(pos);
    const PositionKeys keys = ChildKeys(pos, m);
    if (MakeMove(*child, pos, m) != 1) continue;
    Move typed;  // its move text reads back to it
    ASSERT_TRUE(ParseMoveText(pos, FormatMoveText(pos, m), typed) && typed.from == m.from && typed.to == m.to &&
                (!IsPromotionKind(m.kind) || typed.kind == m.kind))
        << FormatMoveText(pos, m) << " in " << FormatPosition(pos);
    ASSERT_TRUE(keys.key == child->hashKey && keys.lock == child->hashLock)
        << "ChildKeys of " << m.from << "-" << m.to << " " << m.kind << " from " << FormatPosition(pos);
    ++tally.made;
    const std::string where = " after " + std::to_string(m.from) + "-" + std::to_string(m.to) + " from " +
                              FormatPosition(pos);
    ASSERT_EQ(test::Inconsistency(*child), "") << where;
    ASSERT_EQ(test::MapsDiffer(*child), "") << where;
    ASSERT_EQ(child->ply, pos.ply + 1);
    ASSERT_EQ((child->flags & kInCheck) != 0, m.check == 1) << where;
    ASSERT_EQ(child->lastMove.check, m.check) << where;
    if (m.piece < 100) {  // the same move handed in with its squares alone
      Move bare{m.from, m.to, kNoScore, 0, IsPromotionKind(m.kind) ? m.kind : '\0', 0, {0, 0}};
      auto same = std::make_unique<Position>();
      ASSERT_EQ(MakeMove(*same, pos, bare), 1) << where;
      ASSERT_TRUE(same->board == child->board && same->hashKey == child->hashKey &&
                  same->hashLock == child->hashLock && same->halfmoveCount == child->halfmoveCount &&
                  same->epSquare == child->epSquare && same->flags == child->flags)
          << "from and to alone" << where;
    }
    ASSERT_TRUE(!child->epSquare || TypeOf(m.piece) == kPawn) << "en passant after a non-pawn move" << where;
    tally.boardMoves += m.kind == kBoardMove;
    tally.enPassant += m.kind == kEnPassantWhite ||
                       (!Is3D(pos) && pos.epSquare && m.to == pos.epSquare && TypeOf(m.piece) == kPawn);
    tally.castling += castles;
    tally.promotions += (child->flags & (kWhitePromoted | kBlackPromoted)) != 0;
    tally.checks += m.check;
  }
}

Tally Play(const Position& start, uint32_t seed, int plies) {
  Tally tally;
  test::RandomPlay(start, seed, plies, [&](const Position& pos) {
    if (!::testing::Test::HasFatalFailure()) CheckChildren(pos, tally);
  });
  return tally;
}

TEST(RandomPlay, EveryMoveLeavesAWholePosition) {
  ConsoleCapture quiet;
  struct Game {
    int mode, rules, seed, plies, made, checks;
  };
  const Game games[] = {{kGame2D, kTournament, 1, 2000, 10000, 50}, {kGame3D, kTournament, 2, 1000, 8000, 20},
                        {kGame3D, kStandard, 3, 1000, 8000, 20}};
  for (const Game& g : games) {
    const Tally t = Play(test::Start(g.mode, g.rules), g.seed, g.plies);
    EXPECT_GT(t.made, g.made) << g.mode << " " << g.rules;
    EXPECT_GT(t.checks, g.checks) << g.mode << " " << g.rules;
    EXPECT_TRUE(g.mode == kGame3D || t.castling + t.enPassant + t.promotions > 0);
  }
  EXPECT_EQ(test::Warnings(quiet.Text()), "");
}

// From sparse boards on random pins attack boards move, and pawns reach their last rank.
TEST(RandomPlay, FromSparse3DBoards) {
  ConsoleCapture quiet;
  std::mt19937 rng(5);
  Tally all;
  for (int n = 0; n < 200 && !HasFatalFailure(); ++n) {
    Position pos = test::RandomBoard(rng, kGame3D, n % 2 ? kStandard : kTournament, 4 + n % 12);
    // The side not to move may not stand in check: its king could be taken.
    const Square otherKing = pos.pieces[WhiteToMove(pos) ? kSideSlots : kKingSlot].square;
    if (pos.attackedBy[otherKing] & ~test::Enemy(pos)) continue;
    const Tally t = Play(pos, 100 + n, 40);
    all.boardMoves += t.boardMoves;
    all.promotions += t.promotions;
  }
  EXPECT_GT(all.boardMoves, 500);
  EXPECT_GT(all.promotions, 0);
  EXPECT_EQ(test::Warnings(quiet.Text()), "");
}

// What makes a position for the keys: the board, the pins, the side to move,
// the en-passant square and the castling rights.
std::string Identity(const Position& pos) {
  std::string id(reinterpret_cast<const char*>(pos.board.data()), sizeof pos.board);
  if (Is3D(pos)) id.append(reinterpret_cast<const char*>(pos.pins.data()), sizeof pos.pins);
  id += char(pos.ply & 1);
  id += char(pos.epSquare);
  id += char(pos.flags & kCastleRights);
  return id;
}

// Over many random games, and every child of the positions they pass, no two
// distinct positions share both key words.
TEST(RandomPlay, KeysTellDistinctPositionsApart) {
  ConsoleCapture quiet;
  std::unordered_map<uint64_t, std::string> seen;
  int positions = 0;
  auto note = [&](const Position& pos) {
    const uint64_t both = uint64_t(pos.hashKey) << 32 | pos.hashLock;
    const auto [at, added] = seen.emplace(both, Identity(pos));
    positions += added;
    ASSERT_TRUE(added || at->second == Identity(pos)) << "same keys as another position: " << FormatPosition(pos);
  };
  for (auto [mode, rules] : {std::pair{kGame2D, kTournament}, {kGame3D, kTournament}, {kGame3D, kStandard}})
    for (uint32_t seed = 0; seed < 6 && !HasFatalFailure(); ++seed)
      test::RandomPlay(test::Start(mode, rules), 40 + seed, 400, [&](const Position& pos) {
        Position parent = pos;
        auto child = std::make_unique<Position>();
        for (Move m : test::Listed(parent, GenerateAll))
          if (!HasFatalFailure() && MakeMove(*child, parent, m) == 1) note(*child);
      });
  EXPECT_GT(positions, 200000);
  EXPECT_EQ(test::Warnings(quiet.Text()), "");
}

TEST(RandomPlay, EvasionsAreComplete) {
  ConsoleCapture quiet;
  using Game = std::tuple<int, int, int>;  // mode, rules, plies
  for (auto [mode, rules, plies] : {Game{kGame2D, kTournament, 40000}, Game{kGame3D, kTournament, 12000},
                                    Game{kGame3D, kStandard, 12000}}) {
    int checks = 0;
    test::RandomPlay(test::Start(mode, rules), 11 + mode + rules, plies,
                     [&](const Position& pos) { checks += test::ExpectEvasionsComplete(pos); });
    EXPECT_GT(checks, 300) << "mode " << mode << " rules " << rules;
    if (HasFailure()) return;
  }
  EXPECT_EQ(test::Warnings(quiet.Text()), "");
}

}  // namespace
}  // namespace torvik
