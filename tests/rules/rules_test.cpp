// The rules on hand-built positions: the 3D rules that are easy to get wrong,
// the end of the game and legality, and the move-path counts of both starts.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "board/console.h"
#include "record/move_text.h"
#include "rules/legality.h"
#include "rules/make_move.h"
#include "rules/perft.h"
#include "rules_support.h"
#include "support/invariants.h"
#include "support/positions.h"

namespace torvik {
namespace {

using test::Build3D;
using test::LegalTexts;
using test::From2D;
using test::M;
using test::Sq;
using Verdict = std::pair<std::string, int>;

struct Case {
  const char* fen;
  std::vector<uint64_t> counts;  // depth 1, 2, ...
};

// Published move-path counts of the usual test positions.
const Case kCases[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", {20, 400, 8902, 197281, 4865609}},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", {48, 2039, 97862, 4085603}},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", {14, 191, 2812, 43238, 674624}},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", {6, 264, 9467, 422333}},
    {"r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", {6, 264, 9467, 422333}},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", {44, 1486, 62379, 2103487}},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", {46, 2079, 89890}},
    // En passant, promotion and castling corner cases.
    {"8/8/8/8/k2Pp2Q/8/8/3K4 b - d3 0 1", {6, 136, 863}},
    {"8/5bk1/8/2Pp4/8/1K6/8/8 w - d6 0 1", {8, 104, 736, 9287}},
    {"K1k5/8/P7/8/8/8/8/8 w - - 0 1", {2, 6, 13, 63, 382}},
    {"8/P1k5/K7/8/8/8/8/8 w - - 0 1", {6, 27, 273, 1329}},
    {"r3k2r/8/3Q4/8/8/5q2/8/R3K2R b KQkq - 0 1", {44, 1494, 50509}},
    {"2K2r2/4P3/8/8/8/8/8/3k4 w - - 0 1", {11, 133, 1442, 19174}},
};

TEST(Perft2D, PublishedCounts) {
  for (const Case& c : kCases) {
    Position pos = test::From2D(c.fen);
    for (std::size_t d = 0; d < c.counts.size(); ++d)
      EXPECT_EQ(Perft(pos, int(d + 1)), c.counts[d]) << c.fen << " depth " << d + 1;
  }
}

// Plays a move given as text; the child replaces the position.
void Play(Position& pos, const std::string& text) {
  Move m;
  ASSERT_TRUE(ParseMoveText(pos, text, m)) << text;
  ASSERT_EQ(LegalMove(pos, m), 1) << text << " in " << FormatPosition(pos);
  auto child = std::make_unique<Position>();
  ASSERT_EQ(MakeMove(*child, pos, m), 1);
  pos = *child;
  pos.previous = nullptr;
}

TEST(Rules3D, PerftOfTheStart) {
  ConsoleCapture quiet;
  const uint64_t counts[2][4] = {{21, 441, 10004, 226504}, {21, 441, 10088, 230320}};  // Tournament, Standard
  for (int rules : {kTournament, kStandard}) {
    Position pos = test::FromText(kStartText3D, kGame3D, rules);
    for (int d = 1; d <= 4; ++d) EXPECT_EQ(Perft(pos, d), counts[rules][d - 1]) << rules << " " << d;
  }
}

TEST(Rules3D, EnPassantTakesThePawnThatDoubleStepped) {
  ConsoleCapture quiet;
  // White pawns a2 (33) and a4 (35); a black pawn on neutral b4 (11).
  Position pos = Build3D({{33, 'P'}, {35, 'P'}, {11, 'p'}, {16, 'K'}, {23, 'k'}});
  EXPECT_TRUE(LegalTexts(pos).count("33-3"));    // past a3 to neutral a4
  EXPECT_FALSE(LegalTexts(pos).count("33-35"));  // a4 on the white level is taken
  Play(pos, "33-3");
  EXPECT_EQ(pos.epSquare, 34);
  // Either a3 square takes en passant; the pawn that stepped goes, not the one on a4.
  for (const char* take : {"11-34", "11-2"}) {
    Position p = pos;
    Play(p, take);
    EXPECT_EQ(p.board[3], 0) << take;
    EXPECT_EQ(p.board[35], kPawn) << take;
    EXPECT_EQ(p.lastMove.kind, kEnPassantWhite);
  }
  // Read from text the last move is unknown: the first pawn behind the target is taken.
  Position fromText = test::From3D(FormatPosition(pos));
  EXPECT_EQ(LegalTexts(fromText), LegalTexts(pos));
  Play(fromText, "11-34");
  EXPECT_EQ(fromText.board[35], 0);
}

// White's pawn on b2 (41) steps to b4 on the white level (43) or the neutral
// level (11), passing b3 (42). A black pawn beside the target on the same level,
// on c4 or a4, leaves the en-passant square and takes the pawn that stepped; an
// attack-board move or a king step instead clears the square and its key.
TEST(Rules3D, EnPassantFromEitherSideOrClearedByAnyOtherMove) {
  ConsoleCapture quiet;
  const std::pair<Square, Square> steps[] = {{43, 51}, {43, 35}, {11, 19}, {11, 3}};
  for (auto [to, beside] : steps) {
    SCOPED_TRACE(std::to_string(to) + " beside " + std::to_string(beside));
    Position stepped = Build3D({{16, 'K'}, {23, 'k'}, {41, 'P'}, {beside, 'p'}});
    Play(stepped, "41-" + std::to_string(to));
    ASSERT_EQ(stepped.epSquare, 42);
    EXPECT_EQ(test::Inconsistency(stepped) + test::MapsDiffer(stepped), "");
    std::vector<std::string> answers = {"106:QL6-QL5", "23-31"};  // and every move of the black pawn
    for (const std::string& m : LegalTexts(stepped))
      if (m.rfind(std::to_string(beside) + "-", 0) == 0) answers.push_back(m);
    int taken = 0;
    for (const std::string& answer : answers) {
      Position after = stepped;
      Play(after, answer);
      EXPECT_EQ(after.epSquare, 0) << answer;
      EXPECT_EQ(test::Inconsistency(after) + test::MapsDiffer(after), "") << answer;
      if (after.lastMove.kind != kEnPassantWhite) continue;
      ++taken;
      EXPECT_EQ(after.board[to], 0) << "the pawn that stepped is taken";
      EXPECT_EQ(after.board[after.lastMove.to], -kPawn);
    }
    EXPECT_GT(taken, 0);
  }
  // Without a pawn beside the target there is no square to leave.
  Position alone = Build3D({{16, 'K'}, {23, 'k'}, {41, 'P'}, {50, 'p'}});
  Play(alone, "41-43");
  EXPECT_EQ(alone.epSquare, 0);
}

TEST(Rules3D, PushOntoTheEnPassantSquareIsAPlainMove) {
  ConsoleCapture quiet;
  // A black pawn on neutral a4 (3) stands in front of the passed square's projection.
  Position pos = Build3D({{33, 'P'}, {3, 'p'}, {43, 'p'}, {16, 'K'}, {23, 'k'}});
  Play(pos, "33-35");
  ASSERT_EQ(pos.epSquare, 34);
  Position push = pos;
  Play(push, "3-2");  // straight down onto neutral a3
  EXPECT_EQ(push.board[35], kPawn);
  EXPECT_EQ(push.board[2], -kPawn);
  EXPECT_EQ(push.halfmoveCount, 1);
  Position take = pos;
  Play(take, "43-34");  // b4 takes en passant on white a3
  EXPECT_EQ(take.board[35], 0);
}

TEST(Rules3D, CastlingRightsLeaveWithTheirBoard) {
  ConsoleCapture quiet;
  // The long rook stands alone on board 0: moving that board ends long castling.
  Position pos = Build3D({{16, 'K'}, {0, 'R'}, {23, 'k'}, {31, 'r'}}, "w QL1,QL6,KL1,KL6 wbwb Qk -");
  EXPECT_TRUE(LegalTexts(pos).count("16-8"));
  Play(pos, "100:QL1-QL3");
  EXPECT_EQ(pos.flags & 15, 4u);
  Play(pos, "31-30");
  EXPECT_FALSE(LegalTexts(pos).count("16-8"));
  EXPECT_FALSE(LegalTexts(pos).count("100:QL3-QL1"));  // a board carrying white goes forward only
  // The king alone on its board: a board move takes both rights.
  Position king = Build3D({{16, 'K'}, {0, 'R'}, {23, 'k'}}, "w QL1,QL6,KL1,KL6 wbwb Q -");
  Play(king, "116:KL1-KL3");
  EXPECT_EQ(king.flags & 15, 0u);
}

TEST(Rules3D, TournamentLinesRunAcrossEmptyPins) {
  ConsoleCapture quiet;
  // A white rook on z1 (board 0, QL1), nothing on QL3 or QL2/QL5, a black knight on z6 (board 1, QL4).
  const std::string rest = "w QL1,QL4,KL1,KL6 wbwb - -";
  const auto t = LegalTexts(Build3D({{1, 'R'}, {6, 'n'}, {56, 'K'}, {63, 'k'}}, rest, kTournament));
  const auto s = LegalTexts(Build3D({{1, 'R'}, {6, 'n'}, {56, 'K'}, {63, 'k'}}, rest, kStandard));
  EXPECT_TRUE(t.count("1-6"));
  EXPECT_FALSE(s.count("1-6"));
  // Under Standard rules the rank slide goes on past a block on another level.
  EXPECT_FALSE(t.count("1-25"));
  EXPECT_TRUE(s.count("1-25"));
  // The same line gives check: the king on z6 must answer it.
  Position check = Build3D({{1, 'R'}, {6, 'k'}, {56, 'K'}}, "b QL1,QL4,KL1,KL6 wbwb - -");
  EXPECT_TRUE(check.attackedBy[6] & kWhiteSlots);
  for (const std::string& m : LegalTexts(check)) {
    Position p = check;
    Play(p, m);
    EXPECT_EQ(p.attackedBy[p.pieces[16].square] & kWhiteSlots, 0u) << m;
  }
  // A rook's check that passes a whole board before the empty pins, and one
  // along the column into the board on KL2 beside the one on KL5: the evasions
  // find the line from the king.
  LegalTexts(Build3D({{0, 'K'}, {23, 'r'}, {53, 'k'}}, "w QL6,QL4,QL3,QL1 wbwb - -"));
  LegalTexts(Build3D({{8, 'K'}, {14, 'r'}, {49, 'k'}}, "w KL2,KL1,KL6,KL5 wbwb - -"));
  EXPECT_EQ(test::Warnings(quiet.Text()), "");
}

// The text FindWinner prints, and the winner it writes.
Verdict Find(Position pos, Move* move, bool autoPlay = false) {
  ConsoleCapture log;
  FindWinner(pos, move, autoPlay);
  return {log.Text(), pos.winner};
}

TEST(GameEnd, RepetitionBeforeAndAfterTheMove) {
  KeyHistory history;
  Position pos = From2D("4k3/8/8/8/8/8/8/4K1N1 w - - 0 1");
  pos.history = &history;
  const Move cycle[] = {M(kKnight, Sq('g', 1), Sq('f', 3)), M(-kKing, Sq('e', 8), Sq('d', 8)),
                        M(kKnight, Sq('f', 3), Sq('g', 1)), M(-kKing, Sq('d', 8), Sq('e', 8))};
  for (int i = 0; i < 11; ++i) {
    Move m = cycle[i % 4];
    ASSERT_EQ(MakeMove(pos, pos, m), 1);
  }
  // The start stood at plies 0, 4 and 8: the twelfth ply brings it back a fourth time.
  EXPECT_EQ(Find(pos, nullptr).first, "");
  Move back = cycle[3];
  EXPECT_EQ(Find(pos, &back), Verdict("\nDraw - I'm repeating", kDrawn));
  ASSERT_EQ(MakeMove(pos, pos, back), 1);
  EXPECT_EQ(Find(pos, nullptr).first, "\nDraw - you're repeating");
  // A hundred and one plies without capture or pawn move.
  pos = From2D("4k3/8/8/8/8/8/8/4K1N1 w - - 100 80");
  EXPECT_EQ(pos.halfmoveCount, 101);
  EXPECT_EQ(IsRepetition(pos, 1), 0);
  pos.halfmoveCount = 102;
  EXPECT_EQ(IsRepetition(pos, 3), 1);
}

TEST(GameEnd, InsufficientMaterialOnlyWithAMove) {
  Move m = M(kKing, Sq('e', 1), Sq('e', 2));
  const Position pos = From2D("4k3/8/8/3n4/8/8/8/4KB2 w - - 0 1");
  EXPECT_EQ(Find(pos, nullptr).first, "");
  EXPECT_EQ(Find(pos, &m), Verdict("\nDraw - insufficient material", kDrawn));
  EXPECT_EQ(Find(From2D("4k3/8/8/8/8/8/8/2N1K1N1 w - - 0 1"), &m).first, "");
  EXPECT_EQ(Find(From2D("4k3/7p/8/8/8/8/8/4KB2 w - - 0 1"), &m).first, "");
}

TEST(GameEnd, MateAndStalemate) {
  Move rook = M(kRook, Sq('a', 1), Sq('a', 8));
  EXPECT_EQ(Find(From2D("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1"), &rook), Verdict("\nBlack is mated", kWhiteWon));
  const Position stale = From2D("7k/8/6K1/8/8/8/8/5Q2 w - - 0 1");
  Move queen = M(kQueen, Sq('f', 1), Sq('f', 7));
  EXPECT_EQ(Find(stale, &queen), Verdict("\nStalemate", kDrawn));
  Move quiet = M(kQueen, Sq('f', 1), Sq('f', 2));
  EXPECT_EQ(Find(stale, &quiet).first, "");
  Move illegal = M(kQueen, Sq('f', 1), Sq('h', 4));
  EXPECT_EQ(Find(stale, &illegal).first, "");
  // Mated before the move: white to move with black's king attacked (no reader
  // takes such a position: it is made from black's turn by hand).
  Position mated = From2D("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1");
  mated.ply = 0;
  mated.hashKey ^= 1;
  EXPECT_EQ(Find(mated, nullptr), Verdict("\nBlack is mated!", kWhiteWon));
  mated.winner = kDrawn;
  EXPECT_EQ(Find(mated, nullptr).first, "\nFindWinner: already has winner\n");
  // The engine sees a drawn ending.
  Position drawish = From2D("4k3/8/8/8/8/8/8/4KB2 w - - 0 1");
  drawish.flags |= kDrawish;
  EXPECT_EQ(Find(drawish, nullptr, true).first, "\nAuto-draw");
  EXPECT_EQ(Find(drawish, nullptr, false).first, "");
}

TEST(Legality, MoveNeedsOnlyPieceFromAndTo) {
  Position pos = From2D("4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1");
  Move m = M(kPawn, Sq('e', 4), Sq('d', 5));  // entered as a plain move
  EXPECT_EQ(LegalMove(pos, m), 1);
  EXPECT_EQ(m.kind, 'x');
  Position pinned = From2D("4k3/8/8/7b/8/8/4P3/3K4 w - - 0 1");
  Move exposed = M(kPawn, Sq('e', 2), Sq('e', 3));
  EXPECT_EQ(LegalMove(pinned, exposed), 0);
  ConsoleCapture log;
  Move none{};
  EXPECT_EQ(LegalMove(pos, none), 0);
  EXPECT_EQ(log.Text(), "\nNULL move @ LegalMove\n");
}

}  // namespace
}  // namespace torvik
