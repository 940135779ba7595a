// The engine against itself, game after game to their ends: never an illegal
// move, never a resignation while a legal move is left; the positions a game
// keeps for tuning read back, none in check, and the result follows the end.
#include <gtest/gtest.h>

#include "board/square.h"
#include "record/position_text.h"
#include "record/self_play.h"

namespace torvik {
namespace {

// A few games each run; bench/soak.sh plays thousands by hand.
constexpr uint32_t kGames = 12;

void PlayGames(int mode, int rules, uint32_t seed) {
  int ended = 0;
  for (uint32_t g = 0; g < kGames; ++g) {
    const SelfPlayGame game = PlaySelfGame(mode, rules, 4, seed + g, 4, 0, g == 0);
    ASSERT_NE(game.end, GameEnd::kIllegal) << "game " << g << "\n" << game.moves << "\n" << game.last;
    ASSERT_NE(game.end, GameEnd::kResigned) << "game " << g << "\n" << game.moves << "\n" << game.last;
    ended += game.end != GameEnd::kRecordFull;
    const double result = WhiteResult(game);
    if (game.end == GameEnd::kWhiteMates || game.end == GameEnd::kBlackMates)
      EXPECT_EQ(result, game.end == GameEnd::kWhiteMates ? 1 : 0);
    else
      EXPECT_EQ(result, game.end == GameEnd::kRecordFull ? -1 : 0.5);
    EXPECT_EQ(game.thought.empty(), g != 0);
    EXPECT_LE(game.thought.size(), size_t(game.plies));
    for (const ThoughtPosition& t : game.thought) {
      Position pos;
      pos.rules = rules;
      std::string error;
      ASSERT_TRUE(ParsePosition(t.text, mode, pos, error)) << t.text << ": " << error;
      EXPECT_FALSE(pos.flags & kInCheck) << t.text;
    }
  }
  EXPECT_GT(ended, int(kGames) * 3 / 4) << "games that ended before the record was full";
}

TEST(SelfPlay, Games2D) { PlayGames(kGame2D, kTournament, 1000); }
TEST(SelfPlay, Games3DTournament) { PlayGames(kGame3D, kTournament, 2000); }
TEST(SelfPlay, Games3DStandard) { PlayGames(kGame3D, kStandard, 3000); }

}  // namespace
}  // namespace torvik
