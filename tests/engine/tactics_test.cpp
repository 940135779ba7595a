// The capture search and the tactics term: who wins material by captures,
// what a root move gives away, and that the search puts every piece back.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "board/console.h"
#include "board/piece_values.h"
#include "engine/coefficients.h"
#include "engine/tactics.h"
#include "engine/tactics_memo.h"
#include "rules/attack_maps.h"
#include "eval_support.h"
#include "support/positions.h"
#include "tests/rules/rules_support.h"

namespace torvik {
namespace {

int32_t Coef(const Position& pos, int index) { return CoefficientBlock(pos.gameMode, pos.eval.stage)[index]; }

TEST(Tactics, TermBySideToMove) {
  struct Case {
    const char* fen;
    int wins;      // +1 the side to move wins material, -1 the other side threatens, 0 neither
    const char* capture;  // the first winning capture found, as from-to squares
  };
  const Case cases[] = {
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0, ""},
      {"4k3/8/8/3q4/8/8/3R4/K7 w - - 0 1", 1, "d2d5"},   // both can take: the mover's gain counts
      {"4k3/8/8/3q4/8/8/3R4/K7 b - - 0 1", 1, "d5d2"},
      {"8/8/4k3/3q4/8/8/8/3QK3 b - - 0 1", 0, ""},       // queens defended: an even trade
      {"4k3/8/8/3q4/8/8/P7/4K3 w - - 0 1", -1, "d5a2"},  // White cannot, Black threatens the pawn
      {"3rk3/8/8/8/8/8/3R4/4K3 w - - 0 1", 0, ""},       // the king defends: an even exchange
      {"3rk3/8/8/8/8/3R4/3R4/4K3 w - - 0 1", 1, "d3d8"},  // the rook behind joins (2D x-ray step)
  };
  for (const Case& c : cases) {
    Position pos = test::From2D(c.fen);
    pos.flags &= ~kTacticsCached;
    const int32_t sign = WhiteToMove(pos) ? 1 : -1;
    const int32_t expected = c.wins > 0 ? Coef(pos, kWinsByCaptures) : c.wins < 0 ? -Coef(pos, kThreatensCaptures) : 0;
    EXPECT_EQ(TacticsTerm(pos) * sign, expected) << c.fen;
    EXPECT_TRUE(pos.flags & kTacticsCached);
    EXPECT_EQ(test::Name(pos.bestMove), c.capture) << c.fen;
  }
}

// The search moves pieces on the board and the piece list and changes the
// material and (in the 2D game) the attack words; all must come back.
TEST(Tactics, CaptureSearchLeavesThePositionAsItWas) {
  ConsoleCapture quiet;
  int searched = 0;
  for (int mode : {kGame2D, kGame3D}) {
    test::RandomPlay(test::Start(mode), 40 + mode, 150, [&](const Position& p) {
      auto pos = std::make_unique<Position>(p);
      auto before = std::make_unique<Position>(p);
      for (int side : {kWhite, kBlack}) {
        for (int32_t gain : {1, 5000, 40000}) {
          const int32_t gamma = pos->eval.material[side] - pos->eval.material[side ^ 1] + gain;
          CaptureSearch(*pos, side, pos->occupiedMask, 0, gamma, true);
          pos->bestMove = before->bestMove;
          ASSERT_EQ(std::memcmp(static_cast<const void*>(pos.get()), before.get(), sizeof(Position)), 0)
              << FormatPosition(p);
          ++searched;
        }
      }
    });
  }
  EXPECT_EQ(searched, 2 * 150 * 6);
}

// A root move's gain, an illegal move's included; taking the king gains its
// whole value, so a sequence that ends by taking it always reaches the bound
// (a position the rules would refuse, built by hand).
TEST(Tactics, RootMoveGainAndTakingTheKing) {
  Position pos = test::From2D("4k3/8/2p5/8/8/8/3B4/3QK3 w - - 0 1");
  Position pinned = test::From2D("4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1");
  EXPECT_EQ(RootMoveGain(pinned, test::M(kBishop, test::Sq('e', 2), test::Sq('d', 3))), -kNoScore);
  // The queen on d5 is taken by the c6 pawn for nothing.
  EXPECT_EQ(RootMoveGain(pos, test::M(kQueen, test::Sq('d', 1), test::Sq('d', 5))), -119983);
  EXPECT_EQ(RootMoveGain(pos, test::M(kQueen, test::Sq('d', 1), test::Sq('f', 3))), 0);
  Position bare;
  bare.gameMode = kGame2D;
  bare.board[test::Sq('e', 1)] = kKing;
  bare.board[test::Sq('e', 4)] = kRook;
  bare.board[test::Sq('e', 8)] = -kKing;
  bare.board[test::Sq('a', 8)] = -kQueen;
  ASSERT_EQ(RebuildPosition(bare), 1);
  const int32_t gamma = bare.eval.material[kWhite] - bare.eval.material[kBlack] + 700000;
  EXPECT_GE(CaptureSearch(bare, kWhite, bare.occupiedMask, 0, gamma, true), gamma);
  EXPECT_EQ(bare.bestMove.to, test::Sq('e', 8));
}

// After a null move the inherited term is brought to the new side to move.
TEST(Tactics, RefreshAfterTheSideToMoveChanges) {
  ConsoleCapture log;
  Position threat = test::From2D("4k3/8/8/3q4/8/8/P7/4K3 w - - 0 1");  // Black threatens the pawn
  threat.flags &= ~kTacticsCached;
  TacticsTerm(threat);
  const int32_t win = Coef(threat, kWinsByCaptures), warn = Coef(threat, kThreatensCaptures);
  ASSERT_EQ(threat.evalTerm, -warn);
  threat.ply += 1;  // Black to move: the threat is a win
  threat.evalScore = 0;
  RefreshTactics(threat);
  EXPECT_EQ(std::pair(threat.evalTerm, threat.evalScore), std::pair(-win, warn - win));
  threat.ply += 1;  // White to move again: tested anew, Black only threatens
  RefreshTactics(threat);
  EXPECT_EQ(threat.evalTerm, -warn);
  EXPECT_EQ(log.Text(), "");

}

// 3D: the black queen forks two undefended knights that cannot take it. White
// saves one and is charged half of the other; one knight alone is a plain threat.
TEST(Tactics, DoubleThreatIn3D) {
  const std::pair<Position, int32_t> cases[] = {
      {test::Build3D({{16, 'K'}, {23, 'k'}, {0, 'q'}, {1, 'N'}}), 0},
      {test::Build3D({{16, 'K'}, {23, 'k'}, {0, 'q'}, {1, 'N'}, {8, 'N'}}), PieceValue(kKnight) / 2}};
  for (auto [pos, share] : cases) {
    pos.flags &= ~kTacticsCached;
    EXPECT_EQ(TacticsTerm(pos), -(Coef(pos, kThreatensCaptures) + share));
  }
}

// The think's memo answers only a position with the same pieces on the same squares, and
// a new think forgets it.
TEST(Tactics, MemoServesOnlyTheSamePosition) {
  TacticsMemo memo;
  StartTacticsMemo(memo);
  Position pos = test::From2D("4k3/8/8/3q4/8/8/3R4/K7 w - - 0 1");
  pos.flags &= ~kTacticsCached;
  pos.tacticsMemo = &memo;
  const int32_t term = TacticsTerm(pos);
  Position again = pos;
  again.flags &= ~kTacticsCached;
  ClearMove(again.bestMove);
  ASSERT_NE(FindTactics(memo, again), nullptr);
  EXPECT_EQ(TacticsTerm(again), term);
  EXPECT_EQ(test::Name(again.bestMove), "d2d5");
  Position blind = pos;  // the same keys, but a knight where the rook stood
  blind.flags &= ~kTacticsCached;
  const Square d2 = MakeSquare(3, 1);
  blind.pieces[blind.slotOf[d2]].code = kKnight;
  blind.board[d2] = kKnight;
  RegenAttackMaps(blind);
  EXPECT_EQ(FindTactics(memo, blind), nullptr);
  EXPECT_EQ(TacticsTerm(blind), -Coef(pos, kThreatensCaptures));
  StartTacticsMemo(memo);
  EXPECT_EQ(FindTactics(memo, pos), nullptr);
}

}  // namespace
}  // namespace torvik
