// The engine against itself, game after game to their ends: never an illegal
// move, never a resignation while a legal move is left.
#include <gtest/gtest.h>

#include "board/square.h"
#include "record/self_play.h"

namespace torvik {
namespace {

void PlayGames(int mode, int rules, uint32_t seed) {
  int ended = 0;
  for (uint32_t g = 0; g < 50; ++g) {
    const SelfPlayGame game = PlaySelfGame(mode, rules, 4, seed + g, 4);
    ASSERT_NE(game.end, GameEnd::kIllegal) << "game " << g << "\n" << game.moves << "\n" << game.last;
    ASSERT_NE(game.end, GameEnd::kResigned) << "game " << g << "\n" << game.moves << "\n" << game.last;
    ended += game.end != GameEnd::kRecordFull;
  }
  EXPECT_GT(ended, 40);
}

TEST(SelfPlay, FiftyGames2D) { PlayGames(kGame2D, kTournament, 1000); }
TEST(SelfPlay, FiftyGames3DTournament) { PlayGames(kGame3D, kTournament, 2000); }
TEST(SelfPlay, FiftyGames3DStandard) { PlayGames(kGame3D, kStandard, 3000); }

}  // namespace
}  // namespace torvik
