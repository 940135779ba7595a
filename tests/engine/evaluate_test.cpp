// The evaluation's fixed points: the game stages, the recognised draws, the
// fading of a quiet score, a passer no king can catch, the cache, the
// square-control and king-safety cases the terms are built around, colour
// symmetry, and the warnings.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "board/console.h"
#include "engine/coefficients.h"
#include "engine/evaluate.h"
#include "engine/square_control.h"
#include "eval_support.h"
#include "rules/make_move.h"
#include "support/positions.h"
#include "tests/rules/rules_support.h"

namespace torvik {
namespace {

int32_t Coef(int stage, int index) { return CoefficientBlock(stage)[index]; }

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
}

// Recognised endings: K+Q v K+Q scores twice the draw value (which leans
// against the engine's side); K+R v K+minor scores a fixed amount for the rook.
TEST(Evaluate, RecognisedEndings) {
  Position pos = test::From2D("1q2k3/8/8/8/8/8/8/5QK1 w - - 0 1");
  for (bool engineWhite : {true, false}) {
    const int32_t score = test::RootScore(pos, engineWhite);
    EXPECT_EQ(score, 2 * DrawValue(pos));
    EXPECT_EQ(DrawValue(pos), Coef(3, kDrawBase) + (engineWhite ? -1000 : 1000));
    EXPECT_TRUE(pos.evalTerm == 0 && (pos.flags & kDrawish));
  }
  const std::pair<const char*, int32_t> rookSide[] = {
      {"8/8/3k4/8/8/3b4/8/R3K3 w - - 0 1", 1}, {"k7/8/8/8/4B3/8/r7/7K b - - 0 1", -1},
      {"7k/5n2/8/8/8/8/1R6/K7 b - - 0 1", 1}, {"4k3/4r3/8/8/8/8/3NR3/4K3 w - - 0 1", 1}};
  for (auto [fen, side] : rookSide) {
    Position p = test::From2D(fen);
    EXPECT_EQ(test::RootScore(p), -side * Coef(3, kRookEndingDraw)) << fen;
  }
  EXPECT_EQ(-Coef(0, kRookEndingDraw), 3000);
}

// Even material, so that no trade-down bonus comes on top; no fading in the
// pawnless stage.
TEST(Evaluate, QuietScoresFadeAfterTwentyPlies) {
  Position pos = test::From2D("4k3/ppp2ppp/8/8/3P4/8/PP3PPP/4K3 w - - 0 1");
  Position pawnless = test::From2D("4k3/8/8/8/8/3B4/8/R3K3 w - - 0 1");
  auto at = [](Position& p, int count) {
    p.halfmoveCount = count;
    return test::RootScore(p);
  };
  const int32_t s = at(pos, 1), p = at(pawnless, 1);
  ASSERT_GT(s, 500);
  EXPECT_EQ(std::tuple(at(pos, 20), at(pos, 21), at(pos, 100)), std::tuple(s, 127 * s / 128, 48 * s / 128));
  EXPECT_EQ(at(pawnless, 100), p);
}

TEST(Evaluate, UnstoppablePasserAndItsTempo) {
  // The a-pawn has four rows to go; the king on f8 is five steps from a8.
  Position far = test::From2D("5k2/8/8/8/P7/8/8/K7 w - - 0 1");
  Position near = test::From2D("2k5/8/8/8/P7/8/8/K7 w - - 0 1");
  const int32_t gap = test::RootScore(far) - test::RootScore(near);
  const int pawn = far.slotOf[MakeSquare(0, 3)];
  EXPECT_TRUE(far.eval.passedMask[kWhite] & SlotBit(pawn));
  EXPECT_GT(gap, Coef(2, kUnstoppablePasser) - 5000);
  // With White to move the race is won by one step: a tempo lost loses it.
  EXPECT_EQ(far.eval.raceMask[0], SlotBit(pawn));
  const int32_t before = far.evalScore;
  far.ply += 1;
  PassedPawnTempo(far);
  EXPECT_EQ(far.evalScore, before - Coef(2, kUnstoppablePasser));
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

// A square attacked by both sides where the defender's only attacker is a
// pawn: the officers of the side that holds it are no use there. A king zone
// under a rook and two more officers reads entry 4 of its table.
TEST(Evaluate, SquareControlAndKingSafety) {
  Position pos = test::From2D("4k3/8/4p3/8/2P5/2N5/8/4K3 w - - 0 1");
  test::RootScore(pos);
  const Square d5 = test::Sq('d', 5), e4 = test::Sq('e', 4);
  EXPECT_EQ(std::pair(pos.eval.controlSign[d5], pos.eval.controllers[d5]), std::pair(int8_t{1}, 0u));
  EXPECT_EQ(pos.eval.controlSign[e4], 1);
  EXPECT_EQ(pos.eval.controllers[e4], SlotBit(pos.slotOf[test::Sq('c', 3)]));
  Position quiet = test::From2D("6k1/8/8/8/8/8/5PPP/6K1 w - - 0 1");
  Position hot = test::From2D("6k1/8/8/2b5/4n3/8/r4PPP/6K1 w - - 0 1");
  for (Position* p : {&quiet, &hot}) test::RootScore(*p, true);
  ASSERT_EQ(quiet.eval.stage, hot.eval.stage);
  EXPECT_EQ(KingSafety(quiet) - KingSafety(hot),
            Coef(hot.eval.stage, kEngineKingAttackers + 4) - Coef(hot.eval.stage, kEngineKingAttackers));
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

TEST(Evaluate, Warnings) {
  ConsoleCapture log;
  Position pos = test::Start(kGame2D);
  pos.flags &= ~kEvalCached;
  pos.eval.stage = 7;
  Evaluate(pos, kNoScore, EvalMode::Fresh);
  EXPECT_NE(log.Text().find("Stage error"), std::string::npos);

  Position start = test::Start(kGame2D);
  auto child = std::make_unique<Position>();
  Move m = test::M(kPawn, test::Sq('e', 2), test::Sq('e', 4));
  ASSERT_EQ(DoMove(*child, start, m), 1);
  ASSERT_TRUE(child->flags & kMapsPending);
  Evaluate(*child, kNoScore, EvalMode::Fresh);
  EXPECT_NE(log.Text().find("NEED_PART2 in eval"), std::string::npos);

  Position broken = test::From2D("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  broken.occupiedMask |= SlotBit(kQueenSlot);  // a queen's slot marked present, without a piece
  PieceValues(broken);
  EXPECT_NE(log.Text().find("PieceValues: no piece?"), std::string::npos);
}

}  // namespace
}  // namespace torvik
