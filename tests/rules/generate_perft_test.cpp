// Move counts of well-known 2D positions, to the depth the suite can afford:
// generation and make-move together must find exactly the legal moves.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "rules_support.h"

namespace torvik {
namespace {

// A promotion is listed once unexpanded and then once per piece; the
// unexpanded record promotes to a queen like the 'Q' record, so it is skipped.
uint64_t Perft(const Position& pos, int depth) {
  auto list = std::make_unique<MoveList>();
  Position work = pos;
  const int n = GenerateAll(work, *list);
  uint64_t count = 0;
  Position child;
  for (int i = 0; i < n; ++i) {
    Move m = (*list)[i];
    const char listed = m.kind;
    if (!MakeMove(child, work, m)) continue;
    if (test::PromotionLetter(m.kind) != '-' && test::PromotionLetter(listed) == '-') continue;
    count += depth == 1 ? 1 : Perft(child, depth - 1);
  }
  return count;
}

struct PerftCase {
  const char* fen;
  int depth;
  uint64_t nodes;
};

TEST(GeneratePerft, KnownCountsOfTwoDimensionalPositions) {
  const PerftCase cases[] = {
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 3, 8902},
      {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 3, 97862},
      {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 4, 43238},
      {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 3, 9467},
      {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3, 62379},
      {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 3, 89890},
  };
  for (const PerftCase& c : cases) {
    const Position pos = test::Parse(c.fen, kGame2D);
    EXPECT_EQ(Perft(pos, c.depth), c.nodes) << c.fen;
  }
}

}  // namespace
}  // namespace torvik
