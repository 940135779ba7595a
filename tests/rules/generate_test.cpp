// The move generator on hand-built positions: attack maps, moves of pieces and
// pawns, castling, attack-board moves, and the moves out of check.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "record/move_text.h"
#include "rules/attack_maps.h"
#include "rules/board_moves.h"
#include "rules/generate.h"
#include "rules/legality.h"
#include "rules/move_list.h"
#include "rules/perft.h"
#include "rules_support.h"

namespace torvik {
namespace {

using test::Build3D;
using test::Evasions;
using test::From2D;
using test::HasMove;
using test::M;
using test::MoverInCheck;
using test::Sq;

// The squares attacked by the piece standing on `from`.
std::string Reach(const Position& pos, Square from) {
  std::string out;
  for (Square s = 0; s < 64; ++s)
    if (pos.attackedBy[s] & SlotBit(pos.slotOf[from])) out += std::to_string(s) + " ";
  return out;
}

TEST(PieceAttacks3D, HandCheckedReach) {
  struct Case {
    std::vector<std::pair<Square, char>> pieces;  // the attacker first; the kings on d1 and c8 are added
    int rules;
    const char* reach;
    const char* pins = "QL1,QL6,KL1,KL6";
  };
  const Case cases[] = {
      // A rook on white a1 (32); a black knight on neutral a3 (2). The step from
      // a2 reaches white a3 (34) and neutral a3: the knight ends the slide. Along
      // rank 1 the step onto the king's d1 (56) also holds board 2's d1 (17),
      // marked before the slide ends; z1 (1) and a0 (8) lie on board 0.
      {{{32, 'R'}, {2, 'n'}}, kTournament, "1 2 8 17 33 34 40 48 56 "},
      // Under Standard rules a block closes only its level: up the white and the
      // black level (to 39) and board 1 (14, 15), on past the king to e1 (25).
      {{{32, 'R'}, {2, 'n'}}, kStandard, "1 2 8 14 15 17 25 33 34 35 36 37 38 39 40 48 56 "},
      // A rook on board 0's z0: Tournament walks go up the z-file over the empty
      // pins to board 1 on QL6 (z8 6, z9 7), and along rank 0 to board 2 (d0 16, e0 24).
      {{{0, 'R'}}, kTournament, "1 6 7 8 16 24 "},
      {{{0, 'R'}}, kStandard, "1 8 "},
      {{{0, 'R'}, {6, 'n'}, {16, 'B'}}, kTournament, "1 6 8 "},  // an enemy is reached, a friend not
      {{{0, 'R'}, {8, 'N'}}, kTournament, "1 6 7 8 "},  // the walker's own board must be clear beside it
      {{{0, 'R'}, {1, 'N'}}, kTournament, "1 8 16 24 "},
      // Boards 0 on QL2 and 1 on QL5 share ranks 4 and 5: from z4 the walk back to
      // board 2 on QL1 (z0 16, z1 17) needs the other board's lower z-square (6) empty.
      {{{0, 'R'}}, kTournament, "1 3 7 8 11 14 16 17 19 27 35 43 51 59 ", "QL2,QL5,QL1,KL6"},
      {{{0, 'R'}, {6, 'p'}}, kTournament, "1 3 7 8 11 14 19 27 35 43 51 59 ", "QL2,QL5,QL1,KL6"},
      // Both rule sets agree while nothing blocks.
      {{{40, 'B'}, {33, 'Q'}}, kTournament, "8 26 33 49 58 "},
      {{{40, 'B'}, {33, 'Q'}}, kStandard, "8 26 33 49 58 "},
  };
  for (const Case& c : cases) {
    auto pieces = c.pieces;
    pieces.insert(pieces.end(), {{56, 'K'}, {55, 'k'}});
    const Position pos = Build3D(pieces, "w " + std::string(c.pins) + " wbwb - -", c.rules);
    EXPECT_EQ(Reach(pos, c.pieces[0].first), c.reach) << c.pieces.size() << " pieces, rules " << c.rules;
  }
}

// The moves of the given kinds, as "kind from-to ".
std::string Listed(const Position& pos, std::string kinds) {
  std::string out;
  for (const Move& m : test::AllMoves(pos))
    if (kinds.find(m.kind) != std::string::npos)
      out += std::string(1, m.kind) + std::to_string(m.from) + "-" + std::to_string(m.to) + " ";
  return out;
}

std::string Targets(const Position& pos, Square from) {
  PawnTargets t;
  std::string out;
  for (int i = 0, n = PawnPushTargets(pos, from, pos.board[from], t); i < n; ++i)
    out += std::to_string(t.squares[i]) + " ";
  return out;
}

// A right held without its rook on the corner lists no castling: the king
// would go across alone. (What 2D castling and en passant list otherwise is
// held by the published move-path counts.)
TEST(GenerateMoves2D, CastlingNeedsTheRookOnItsCorner) {
  Position white = From2D("r3k2r/8/8/8/8/8/8/R3K1R1 w Qkq - 0 1");
  Position black = From2D("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
  white.flags |= kWhiteShort;          // a right the readers would have dropped
  black.board[Sq('a', 8)] = -kKnight;  // not a rook
  EXPECT_EQ(Listed(white, "SL"), "L32-16 ");
  EXPECT_EQ(Listed(black, "SL"), "S39-55 ");
}

TEST(GenerateMoves2D, FreshRecordsAreUnscoredCastlingKeepsWhatTheListHeld) {
  Position pos = From2D("4k3/8/8/8/8/8/8/R3K3 w Q - 0 1");
  auto list = std::make_unique<MoveList>();
  list->head.fill(Move{0, 0, 123, 0, '?', 1, {0, 0}});
  const int n = GenerateMoves(pos, *list);
  for (int i = 0; i < n; ++i) {
    const bool castle = (*list)[i].kind == kLongCastle;
    EXPECT_EQ((*list)[i].score, castle ? 123 : kNoScore);
    EXPECT_EQ((*list)[i].check, castle ? 1 : 0);
  }
}

TEST(GenerateMoves3D, Castling) {
  std::string text = kStartText3D;
  EXPECT_EQ(Listed(test::From3D(text), "SL"), "S16-24 ");  // the queen stands on 8
  text[8] = '.';
  EXPECT_EQ(Listed(test::From3D(text), "SL"), "S16-24 L16-8 ");
  // Rights without king or rook are cleared with their key; only the mover's are looked at.
  Position pos = Build3D({{17, 'K'}, {24, 'R'}, {0, 'R'}, {63, 'k'}});
  const uint32_t key = pos.hashKey;
  pos.flags |= kWhiteShort | kBlackLong;
  pos.hashKey ^= (kWhiteShort | kBlackLong) << 16;
  auto list = std::make_unique<MoveList>();
  GenerateMoves(pos, *list);
  EXPECT_EQ(pos.flags & kCastleRights, kBlackLong);
  EXPECT_EQ(pos.hashKey, key ^ (kBlackLong << 16));
}

TEST(GenerateMoves3D, PawnPushes) {
  struct Case {
    std::vector<std::pair<Square, char>> pieces;
    const char* rest;
    int rules;
    const char* targets;
  };
  const char* home = "w QL1,QL6,KL1,KL6 wbwb - -";
  const Case cases[] = {
      // White pawn on white a2 (33): its step reaches white a3 (34) and neutral a3 (2).
      {{{33, 'P'}, {56, 'K'}, {63, 'k'}}, home, kTournament, "34 2 35 3 35 3 "},
      {{{33, 'P'}, {2, 'n'}, {56, 'K'}, {63, 'k'}}, home, kTournament, "34 "},
      // Standard rules shut only the neutral level; no step lands on a piece.
      {{{33, 'P'}, {2, 'n'}, {56, 'K'}, {63, 'k'}}, home, kStandard, "34 35 "},
      {{{33, 'P'}, {35, 'N'}, {3, 'n'}, {56, 'K'}, {63, 'k'}}, home, kTournament, "34 2 "},
      // A pawn on its home board double-steps only while the board is home.
      {{{9, 'P'}, {56, 'K'}, {63, 'k'}}, home, kTournament, "33 34 2 "},
      {{{9, 'P'}, {56, 'K'}, {63, 'k'}}, "w QL3,QL6,KL1,KL6 wbwb - -", kTournament, "35 3 "},
      {{{14, 'p'}, {56, 'K'}, {32, 'k'}}, "b QL1,QL6,KL1,KL6 wbwb - -", kTournament, "38 37 5 "},
      {{{14, 'p'}, {56, 'K'}, {32, 'k'}}, "b QL1,QL4,KL1,KL6 wbwb - -", kTournament, "36 4 "},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Targets(Build3D(c.pieces, c.rest, c.rules), c.pieces[0].first), c.targets) << c.pieces[0].first;
}

TEST(GenerateMoves, GenerateAllFollowsTheCheckBit) {
  Position pos = From2D("4k3/8/8/8/8/8/4r3/R3K3 w Q - 0 1");
  auto all = std::make_unique<MoveList>(), evasions = std::make_unique<MoveList>();
  pos.flags |= kInCheck;
  const int n = GenerateAll(pos, *all);
  ASSERT_EQ(n, GenerateEvasions(pos, *evasions));
  for (int i = 0; i < n; ++i) EXPECT_EQ((*all)[i].to, (*evasions)[i].to);
  pos.flags &= ~kInCheck;
  EXPECT_EQ(GenerateAll(pos, *all), GenerateMoves(pos, *evasions));
}

// A side with nine queens on the 3D board has more moves than a list has room
// for; the attack-board moves come last and are not lost.
TEST(GenerateMoves3D, MoreMovesThanTheListHasRoomFor) {
  Position pos = test::From3D(
      "...K.Q..Q.....Q..RN....B....Q......Q.QB.Q.........R...Q..kN.Q... w QL2,QL5,KL2,KL5 wbwb - -");
  auto moves = std::make_unique<MoveList>();
  const int n = LegalMoves(pos, *moves);
  EXPECT_GT(n, kMoveListSize);
  int boardMoves = 0;
  for (int i = 0; i < n; ++i) {
    if ((*moves)[i].kind != kBoardMove) continue;
    Move board = (*moves)[i];
    EXPECT_EQ(LegalMove(pos, board), 1) << board.piece << " to " << board.to;
    ++boardMoves;
  }
  EXPECT_GT(boardMoves, 0);
  EXPECT_EQ(Perft(pos, 1), uint64_t(n));
}

TEST(GenerateMoves, AListGrowsPastItsRoomAndKeepsEveryMove) {
  auto list = std::make_unique<MoveList>();
  MoveSink sink{*list};
  ConsoleCapture log;
  for (int i = 0; i < 3 * kMoveListSize; ++i) Append(sink, kPawn, i % 64, i / 64, kPlain);
  EXPECT_EQ(sink.count, 3 * kMoveListSize);
  for (int i = 0; i < sink.count; ++i)
    ASSERT_TRUE((*list)[i].from == i % 64 && (*list)[i].to == i / 64 && list->data()[i].score == kNoScore) << i;
  EXPECT_EQ(log.Text(), "");
}

// Where board `code` may go, by pin name.
std::string BoardMoves(const Position& pos, int code) {
  MoveList list;
  const int n = GenAtBoMoves(pos, code, list, 0);
  std::string pins;
  for (int i = 0; i < n; ++i) pins += FormatMoveText(pos, list[i]).substr(8) + " ";
  return pins;
}

TEST(BoardMoves, WhereABoardMayGo) {
  struct Case {
    std::vector<std::pair<Square, char>> pieces;
    const char* rest;
    int rules, code;
    const char* pins;
  };
  const char* ql3 = "w QL3,QL6,KL2,KL6 wbwb - -";
  const char* black = "b QL3,QL6,KL2,KL6 wbwb - -";
  const Case cases[] = {
      // Empty boards go both ways, and sideways under Tournament rules, to free pins only.
      {{{16, 'K'}, {23, 'k'}}, ql3, kTournament, 100, "QL1 QL2 QL4 QL5 KL3 "},
      {{{16, 'K'}, {23, 'k'}}, ql3, kStandard, 100, "QL1 QL2 QL4 QL5 "},
      {{{16, 'K'}, {23, 'k'}}, "w QL3,QL4,KL1,KL6 wbwb - -", kTournament, 100, "QL1 QL2 QL5 KL3 "},
      // A white knight aboard: forward and sideways under Tournament; never under Standard.
      {{{17, 'K'}, {23, 'k'}, {9, 'N'}}, ql3, kTournament, 100, "QL2 QL4 QL5 KL3 "},
      {{{17, 'K'}, {23, 'k'}, {9, 'N'}}, ql3, kStandard, 100, ""},
      {{{17, 'K'}, {23, 'k'}, {9, 'P'}}, ql3, kStandard, 100, "QL2 QL4 QL5 "},  // one pawn: forward only
      {{{17, 'K'}, {23, 'k'}, {9, 'n'}}, black, kTournament, 100, "QL1 KL3 "},  // black's board goes backward
      // Two pieces, the other side's board, or the king aboard under Standard: no move.
      {{{17, 'K'}, {23, 'k'}, {9, 'P'}, {1, 'P'}}, ql3, kTournament, 100, ""},
      {{{17, 'K'}, {23, 'k'}, {9, 'P'}, {1, 'P'}}, ql3, kStandard, 100, ""},
      {{{17, 'K'}, {23, 'k'}}, black, kTournament, 100, ""},
      {{{17, 'K'}, {23, 'k'}}, black, kStandard, 100, ""},
      {{{16, 'K'}, {23, 'k'}}, "w QL1,QL6,KL1,KL6 wbwb - -", kStandard, 116, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BoardMoves(Build3D(c.pieces, c.rest, c.rules), c.code), c.pins) << c.rest << " " << c.rules;
  EXPECT_EQ(FormatMoveText(Build3D({{16, 'K'}, {23, 'k'}}, ql3), M(100, 2, 32, 'T')), "100:QL3-QL1");
}

TEST(BoardMoves, PromotionByABoardMoveCountsFourTimes) {
  // Board 1 (black, on QL3) carries a black pawn on its lower rank to QL1.
  const auto texts = test::LegalTexts(Build3D({{17, 'K'}, {31, 'k'}, {6, 'p'}}, "b QL2,QL3,KL1,KL6 wbwb - -"));
  const auto toQL1 = texts.lower_bound("106:QL3-QL1");  // the texts in order: QL1, its variants, QL2
  EXPECT_EQ(std::distance(toQL1, texts.lower_bound("106:QL3-QL2")), 4);
  EXPECT_TRUE(texts.count("106:QL3-QL1=N"));
}

TEST(EvasionKinds, DoubleCheckLeavesOnlyKingMoves) {
  // Rook e8 and knight d3 both check the king on e1; the bishop b1 could take
  // the knight, but that answers only one of them.
  const auto moves = Evasions(From2D("4r1k1/8/8/8/8/3n4/8/1B2K3 w - - 0 1"));
  ASSERT_FALSE(moves.empty());
  for (const Move& m : moves) EXPECT_EQ(m.piece, kKing) << m.from << "-" << m.to;
  // 3D: a black rook on the white level's a-file and a knight check the king on
  // 34. Attack boards are offered too (a board may carry a checker away); no
  // other piece.
  Position pos = Build3D({{34, 'K'}, {38, 'r'}, {49, 'n'}, {41, 'B'}, {63, 'k'}});
  ASSERT_EQ(std::popcount(pos.attackedBy[34] & kBlackSlots), 2);
  for (const Move& m : Evasions(pos)) EXPECT_TRUE(m.piece >= 100 || m.piece == kKing) << m.piece;
}

TEST(EvasionKinds, EnPassantThatTakesOrBlocksTheChecker) {
  // d7-d5 checks the king on e4: e5xd6 en passant takes the checker.
  Position before = From2D("4k3/3p4/8/4P3/4K3/8/8/8 b - - 0 1"), after;
  Move push = M(-kPawn, test::Sq('d', 7), test::Sq('d', 5));
  ASSERT_EQ(MakeMove(after, before, push), 1);
  ASSERT_TRUE(MoverInCheck(after));
  EXPECT_TRUE(HasMove(Evasions(after), kPawn, test::Sq('e', 5), test::Sq('d', 6)));
  // A rook on the sixth rank checks the king h6 across the en-passant square d6.
  Position blocks = From2D("4k3/8/r6K/2Pp4/8/8/8/8 w - d6 0 1");
  ASSERT_TRUE(MoverInCheck(blocks));
  EXPECT_TRUE(HasMove(Evasions(blocks), kPawn, test::Sq('c', 5), test::Sq('d', 6)));
  test::ExpectEvasionsComplete(blocks);
}

// 3D: the black pawn b7 (46) steps to neutral b5 (12) and checks the king on
// neutral a4 (3); the white pawn on neutral c5 (20) takes it en passant onto
// either b6 (black level 45, neutral 13).
TEST(EvasionKinds, EnPassantOfTheCheckingPawnIn3D) {
  for (int rules : {kTournament, kStandard}) {
    Position pos = Build3D({{3, 'K'}, {20, 'P'}, {46, 'p'}, {63, 'k'}}, "b QL1,QL6,KL1,KL6 wbwb - -", rules);
    Position after;
    Move step = M(-kPawn, 46, 12);
    ASSERT_EQ(MakeMove(after, pos, step), 1);
    ASSERT_TRUE(MoverInCheck(after));
    ASSERT_EQ(after.epSquare, 45);
    EXPECT_TRUE(HasMove(Evasions(after), kPawn, 20, 45));
    EXPECT_TRUE(HasMove(Evasions(after), kPawn, 20, 13));
    test::ExpectEvasionsComplete(after);
  }
}

}  // namespace
}  // namespace torvik
