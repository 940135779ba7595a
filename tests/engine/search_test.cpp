// The engine's search: found mates, the depths of the deepening, where a null
// move is tried, the history's bound, and the values of ended positions. (That
// play repeats exactly is held by the bench signature, run with the tests.)
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "board/console.h"
#include "engine/evaluate.h"
#include "engine/move_order.h"
#include "engine/search.h"
#include "engine/score.h"
#include "engine/think.h"
#include "eval_support.h"
#include "record/engine_thread.h"
#include "record/game.h"
#include "record/levels.h"
#include "record/position_text.h"
#include "rules/make_move.h"
#include "rules/perft.h"
#include "support/positions.h"

namespace torvik {
namespace {

using test::Thought;

Thought ThinkOn(const Position& pos, int difficulty) {
  EngineControls controls;
  controls.difficulty = difficulty;
  return test::ThinkOn(pos, controls);
}

// Mates in one for either side at either difficulty, and a mate in two.
TEST(Search, FindsMates) {
  struct Case {
    const char* fen;
    int difficulty;
    const char* move;
    int32_t value;
  };
  const Case cases[] = {{"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", kEasy, "a1a8", kFirstMate},
                        {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", kHard, "a1a8", kFirstMate},
                        {"r5k1/8/8/8/8/8/5PPP/6K1 b - - 0 1", kEasy, "a8a1", kFirstMate},
                        {"r5k1/8/8/8/8/8/5PPP/6K1 b - - 0 1", kHard, "a8a1", kFirstMate},
                        {"r5k1/5ppp/8/8/8/8/4RPPP/4R1K1 w - - 0 1", kMedium, "e2e8", kFirstMate - 2}};
  for (const Case& c : cases) {
    const Position pos = test::From2D(c.fen);
    const Thought t = ThinkOn(pos, c.difficulty);
    const int32_t whiteScore = WhiteToMove(pos) ? c.value : -c.value;  // the move carries it White-positive
    EXPECT_EQ(std::tuple(test::Name(t.move), t.value, t.move.score), std::tuple(c.move, c.value, whiteScore))
        << c.fen << " difficulty " << c.difficulty;
  }
}

// In the 3D game: the mates the engine gives in its games against itself,
// found again from the position before, as mates in one.
TEST(Search, FindsMatesIn3D) {
  ConsoleCapture quiet;
  int mates = 0;
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    auto game = std::make_unique<Game>();
    NewGameOfMode(*game, kGame3D);
    StartEngine(*game, 0);
    game->state.difficulty = kEasy;
    Position& pos = game->state.position;
    std::mt19937 rng(seed);
    for (int i = 0; i < 4; ++i) {  // a seeded opening
      MoveList list;
      ASSERT_EQ(PlayerMoved(*game, list[rng() % LegalMoves(pos, list)]), 1);
    }
    while (pos.winner == kNoWinner && pos.ply < 400) {
      game->state.engineSide = WhiteToMove(pos) ? kEnginePlaysWhite : kEnginePlaysBlack;
      if (EngineTurn(*game) != EngineOutcome::kPlayed) break;
    }
    if (pos.winner != kWhiteWon && pos.winner != kBlackWon) continue;
    Undo(*game, 1);
    StartEngine(*game, 0);
    const Thought t = ThinkOn(pos, kEasy);
    EXPECT_EQ(t.value, kFirstMate) << FormatPosition(pos);
    auto after = std::make_unique<Position>();
    Move m = t.move;
    MoveList replies;
    ASSERT_EQ(MakeMove(*after, pos, m), 1);
    EXPECT_TRUE(m.check && LegalMoves(*after, replies) == 0) << "the move found mates: " << FormatPosition(pos);
    ++mates;
  }
  EXPECT_GE(mates, 3);
}

// The difficulty caps the depth, and Expert has the longer budget; a forced move still looks to depth 4; a mate
// within the completed depth ends the deepening.
TEST(Search, DepthsOfTheDeepening) {
  const Position middle = test::From2D("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4");
  EXPECT_EQ(ThinkOn(middle, kEasy).depth, 3);
  const int medium = ThinkOn(middle, kMedium).depth;
  EXPECT_TRUE(medium >= 4 && medium <= 7) << medium;
  EngineControls expert, hard;
  ApplyLevel(kExpert, expert);
  ApplyLevel(kHard, hard);
  EXPECT_GT(test::ThinkOn(middle, expert).nodes, 5 * test::ThinkOn(middle, hard).nodes) << "Expert's longer budget";
  const Position single = test::From2D("7k/8/8/8/8/8/8/K5R1 b - - 0 1");  // Kh8-h7 is the one move
  const Thought one = ThinkOn(single, kHard);
  EXPECT_EQ(std::tuple(test::Name(one.move), one.depth), std::tuple("h8h7", 4));
  EXPECT_LE(ThinkOn(test::From2D("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1"), kHard).depth, 3);
}

TEST(Search, NullMoveOnlyWhereAllowed) {
  ConsoleCapture quiet;
  auto engine = std::make_unique<Engine>();
  engine->controls.difficulty = kHard;
  Position pos = test::From2D("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4");
  Evaluate(pos, kNoScore, EvalMode::Fresh);
  pos.flags &= ~kEngineWhite;  // white is the opponent here
  EXPECT_TRUE(NullMoveAllowed(*engine, pos, 1, 3, 0, 0));
  pos.flags |= kEngineWhite;  // the engine's own node: only from depth 3
  EXPECT_FALSE(NullMoveAllowed(*engine, pos, 2, 3, 0, 0));
  EXPECT_TRUE(NullMoveAllowed(*engine, pos, 3, 3, 0, 0));
  engine->stack[2].nullMove = true;  // never two in a row
  EXPECT_FALSE(NullMoveAllowed(*engine, pos, 3, 3, 0, 0));
  engine->stack[2].nullMove = false;
  EXPECT_FALSE(NullMoveAllowed(*engine, pos, 3, kHard, 0, 0)) << "not at the ply cap";
  // Not in check, nor with king and pawns only.
  for (const char* fen : {"4k3/8/8/8/8/8/4r3/R3K3 w - - 0 1", "4k3/pppp4/8/8/8/8/PPPP4/4K3 w - - 0 1"}) {
    Position p = test::From2D(fen);
    Evaluate(p, kNoScore, EvalMode::Fresh);
    EXPECT_FALSE(NullMoveAllowed(*engine, p, 3, 3, 0, 0)) << fen;
  }
}

// However many cutoffs a long think gives one quiet move, it never orders
// below a move that gave none.
TEST(Search, HistoryNeverTurnsAMoveWorst) {
  auto engine = std::make_unique<Engine>();
  const Position pos = test::Start(kGame2D);
  const Move used{test::Sq('e', 2), test::Sq('e', 4), 0, 0, 0, 0, {0, 0}};
  const Move unused{test::Sq('d', 2), test::Sq('d', 4), 0, 0, 0, 0, {0, 0}};
  for (int depth : {12, 24, 30, 31})
    for (int i = 0; i < 3000; ++i) {
      CutoffUpdate(*engine, pos, used, depth, kKillerPlies);
      ASSERT_GT(MoveScore(*engine, pos, used, kKillerPlies, 0), MoveScore(*engine, pos, unused, kKillerPlies, 0))
          << "depth " << depth << ", cutoff " << i + 1;
    }
}

// At each engine move the history fades by the plies played since the last;
// after 32 or more nothing of it is left.
TEST(Search, HistoryFadesAway) {
  auto engine = std::make_unique<Engine>();
  for (auto& row : engine->history) row.fill(0x80000000u);
  AgeHistory(*engine, 4);
  EXPECT_EQ(engine->history[12][28], 0x08000000u);
  AgeHistory(*engine, 36);
  for (const auto& row : engine->history)
    for (uint32_t h : row) ASSERT_EQ(h, 0u);
}

// Mate and stalemate score as such; a move back into a position met before on
// the path scores the draw value.
TEST(Search, EndedPositionsAndRepetition) {
  ConsoleCapture quiet;
  auto engine = std::make_unique<Engine>();
  engine->controls.difficulty = kEasy;
  CreateTT(engine->tt, 1);
  Position mated = test::From2D("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1");
  Position stalemate = test::From2D("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
  mated.history = stalemate.history = &engine->keys;
  EXPECT_EQ(Search(*engine, mated, 2, 0, 1), -kFirstMate);
  EXPECT_EQ(Search(*engine, stalemate, 2, 1, 1), 0);
  EXPECT_EQ(Search(*engine, stalemate, 2, -1, 1), 0);
  auto pos = std::make_unique<Position>(test::Start(kGame2D));
  pos->history = &engine->keys;
  for (auto [from, to] : {std::pair{test::Sq('g', 1), test::Sq('f', 3)}, {test::Sq('g', 8), test::Sq('f', 6)},
                          {test::Sq('f', 3), test::Sq('g', 1)}, {test::Sq('f', 6), test::Sq('g', 8)}}) {
    Move m{from, to, 0, 0, 0, 0, {0, 0}};
    ASSERT_EQ(MakeMove(*pos, *pos, m), 1);
  }
  Evaluate(*pos, kNoScore, EvalMode::Fresh);
  PrepareRootMoves(*engine, *pos, Move{});
  Move best;
  RootSearch(*engine, *pos, 2, kFirstMate, best);
  int seen = 0;
  for (int i = 0; i < engine->stack[0].moves.count; ++i) {
    const Move& m = engine->stack[0].moves.moves[i];
    if (m.from == test::Sq('g', 1) && m.to == test::Sq('f', 3)) seen += 1 + (m.score == DrawForMover(*pos));
  }
  EXPECT_EQ(seen, 2) << "Ng1-f3 found once, scored the draw";
}

}  // namespace
}  // namespace torvik
