#include <gtest/gtest.h>

#include <vector>

#include "rules/perft.h"
#include "support/positions.h"

namespace torvik {
namespace {

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

}  // namespace
}  // namespace torvik
