// The static exchange evaluation on hand positions of both games.
#include <gtest/gtest.h>

#include "board/piece_values.h"
#include "engine/static_exchange.h"
#include "support/positions.h"

namespace torvik {
namespace {

using test::Sq;

constexpr int32_t kP = PieceValue(kPawn), kN = PieceValue(kKnight), kR = PieceValue(kRook);

TEST(StaticExchange, TwoDimensional) {
  struct Case {
    const char* fen;
    Square from, to;
    int32_t gain;
  };
  const Case cases[] = {
      {"4k3/8/8/3p4/8/8/8/3RK3 w - - 0 1", Sq('d', 1), Sq('d', 5), kP},           // undefended
      {"4k3/4p3/3p4/8/8/8/8/3RK3 w - - 0 1", Sq('d', 1), Sq('d', 6), kP - kR},    // the pawn takes back
      {"4k3/4p3/3n4/8/8/8/8/3RK3 w - - 0 1", Sq('d', 1), Sq('d', 6), kN - kR},
      {"4k3/8/2p5/3n4/4P3/8/8/4K3 w - - 0 1", Sq('e', 4), Sq('d', 5), kN - kP},   // pawn takes knight
      {"r6k/p7/8/8/8/8/R7/R6K w - - 0 1", Sq('a', 2), Sq('a', 7), kP},            // the rook behind joins
      {"r6k/p7/8/8/8/8/R7/7K w - - 0 1", Sq('a', 2), Sq('a', 7), kP - kR},
      {"3rk3/8/8/8/8/8/8/3RK3 w - - 0 1", Sq('d', 1), Sq('d', 8), 0},             // the king takes back: even
  };
  for (const Case& c : cases) EXPECT_EQ(StaticExchange(test::From2D(c.fen), c.from, c.to), c.gain) << c.fen;
}

// On the white level (columns 4..7, rows 0..3): a rook takes a pawn on its
// file, defended or not by a rook along the rank.
TEST(StaticExchange, ThreeDimensional) {
  const Position lone = test::Build3D({{32, 'R'}, {35, 'p'}, {0, 'K'}, {31, 'k'}});
  ASSERT_NE(lone.attackedBy[35] & SlotBit(lone.slotOf[32]), 0u);
  EXPECT_EQ(StaticExchange(lone, 32, 35), kP);
  const Position defended = test::Build3D({{32, 'R'}, {35, 'p'}, {59, 'r'}, {0, 'K'}, {31, 'k'}});
  ASSERT_NE(defended.attackedBy[35] & SlotBit(defended.slotOf[59]), 0u);
  EXPECT_EQ(StaticExchange(defended, 32, 35), kP - kR);
}

}  // namespace
}  // namespace torvik
