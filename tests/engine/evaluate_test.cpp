// The evaluation's fixed points: the game stages, a recognised draw, the cache,
// and colour symmetry. (Its values on the bench positions are the bench
// signature's, checked with the tests.)
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "board/console.h"
#include "engine/evaluate.h"
#include "eval_support.h"
#include "rules/make_move.h"
#include "support/positions.h"
#include "tests/rules/rules_support.h"

namespace torvik {
namespace {

TEST(Evaluate, StageFollowsTheMaterial) {
  struct Case {
    const char* fen;
    int stage;
  };
  const Case cases[] = {
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", 1},    // no castling right left
      {"r1bqkb1r/pppppppp/8/8/8/8/PPPPPPPP/R1BQKB1R w KQkq - 0 1", 1},  // 12 officers and the queens
      {"3qk3/pppppppp/8/8/8/8/PPPPPPPP/3QK3 w - - 0 1", 2},           // 4 officers, the queens count 2 more
      {"3qk3/pppppppp/8/8/8/8/PPPPPPPP/2NQK3 w - - 0 1", 1},
      {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", 3},                          // no pawn
  };
  for (const Case& c : cases) {
    Position pos = test::From2D(c.fen);
    EXPECT_EQ(SetGameStage(pos, 0), c.stage) << c.fen;
    EXPECT_EQ(pos.eval.stage, c.stage) << c.fen << " (the rebuild sets the stage)";
  }
  EXPECT_EQ(test::Start(kGame3D).eval.stage, 0);
  // An evaluation cached under another stage is not taken for this one.
  Position pos = test::From2D("4k3/8/8/8/8/8/8/R3K3 w - - 0 1");
  Evaluate(pos, kNoScore, EvalMode::Fresh);
  ASSERT_TRUE(pos.flags & kEvalCached);
  pos.eval.stage = 1;
  SetGameStage(pos, 1);
  EXPECT_FALSE(pos.flags & kEvalCached);
}

// A recognised draw: K+Q v K+Q is flagged drawish, its positional term nil.
TEST(Evaluate, RecognisedDraw) {
  Position pos = test::From2D("1q2k3/8/8/8/8/8/8/5QK1 w - - 0 1");
  test::RootScore(pos);
  EXPECT_TRUE(pos.evalTerm == 0 && (pos.flags & kDrawish));
}

TEST(Evaluate, CachedScoreFollowsTheSideToMove) {
  Position pos = test::Start(kGame2D);
  const int32_t white = Evaluate(pos, kNoScore, EvalMode::Fresh);
  ASSERT_TRUE(pos.flags & kEvalCached);
  pos.evalScore = 1234;  // a cached score is returned as it stands
  EXPECT_EQ(Evaluate(pos, 0, EvalMode::Incremental), 1234);
  pos.ply = 1;
  EXPECT_EQ(Evaluate(pos, 0, EvalMode::Incremental), -1234);
  pos.ply = 0;
  pos.flags &= ~kEvalCached;
  EXPECT_EQ(Evaluate(pos, 0, EvalMode::Fresh), white);
  auto child = std::make_unique<Position>();
  Move m = test::M(kPawn, test::Sq('e', 2), test::Sq('e', 4));
  ASSERT_EQ(MakeMove(*child, pos, m), 1);
  EXPECT_EQ(child->previous, &pos);
  Evaluate(*child, kNoScore, EvalMode::Incremental);
  EXPECT_EQ(child->previous, nullptr) << "no bound cuts the parent link";
}

TEST(Evaluate, ColourSymmetry) {
  int compared = 0, skipped = 0;
  ConsoleCapture quiet;
  for (auto [mode, rules, seed] : {std::tuple{kGame2D, kTournament, 31u}, {kGame2D, kTournament, 32u},
                                   {kGame3D, kTournament, 33u}, {kGame3D, kStandard, 34u}}) {
    std::mt19937 rng(seed);
    test::RandomPlay(test::Start(mode, rules), seed, 120, [&](const Position& p) {
      auto played = std::make_unique<Position>(p);
      played->flags = rng() & 1 ? played->flags | kEngineWhite : played->flags & ~kEngineWhite;
      auto pos = test::Rebuilt(*played);
      auto mirror = test::Mirrored(*pos);
      // The draw value favours the engine's colour: leave out the positions
      // it decides, and those whose attack maps do not mirror.
      if (((pos->flags | mirror->flags) & kDrawish) || !test::MapsMirror(*pos, *mirror)) return void(++skipped);
      ++compared;
      const int32_t sign = WhiteToMove(*pos) ? 1 : -1;
      ASSERT_EQ(pos->evalScore * sign, -mirror->evalScore * sign) << FormatPosition(*pos);
    });
  }
  EXPECT_GT(compared, 300);
  EXPECT_LT(skipped, compared / 4);
}

// Promoted pieces: a second queen or a third knight is valued by what it is,
// not by the slot the set-up gives it, which differs between the colours.
TEST(Evaluate, ColourSymmetryWithPromotedPieces) {
  ConsoleCapture quiet;
  const std::pair<int, const char*> cases[] = {
      {kGame2D, "rnbQqk1r/pp3ppp/2p5/b7/2B5/6N1/PPP2KPP/RNBQ3R w - - 1 11"},
      {kGame2D, "r3k2r/Ppp2ppp/1b1p1nbN/nPP1P3/BB6/5N2/P2P2PP/nq1Q1RK1 w kq - 1 5"},
      {kGame3D, "RR....rrQP....pqK..P.p..RPPP.ppr.P.N..pnB..Pp.nbBN.....b...p...k w QL1,QL6,KL1,KL6 wbwb KQ - 0 10"},
  };
  for (auto [mode, text] : cases) {
    Position played = test::FromText(text, mode);
    auto pos = test::Rebuilt(played);
    auto mirror = test::Mirrored(*pos);
    ASSERT_TRUE(test::MapsMirror(*pos, *mirror)) << text;
    EXPECT_EQ(pos->evalScore, -mirror->evalScore) << text;
  }
}

}  // namespace
}  // namespace torvik
