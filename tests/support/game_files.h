// What the game-record tests share: a folder of a test's own, games played by
// move texts or at random, and whole files read and written.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "board/console.h"
#include "engine/rebuild.h"
#include "record/game.h"
#include "record/game_image.h"
#include "record/move_text.h"
#include "record/position_text.h"
#include "rules/perft.h"
#include "support/invariants.h"
#include "support/run.h"
#include "support/working_folder.h"

namespace torvik::test {

using Bytes = std::vector<uint8_t>;

inline bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A folder of the running test's own, removed afterwards.
class TempFolderTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Path(name); }
  std::string Dir() const { return folder_.Dir().string(); }

 private:
  TempFolder folder_{std::string("torvik-") + ::testing::UnitTest::GetInstance()->current_test_info()->name()};
};

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
inline Bytes ReadBytes(const std::string& path) {
  const std::string text = Slurp(path);
  return Bytes(text.begin(), text.end());
}

// The saved-game image of `gs`.
inline Bytes ImageOf(const GameState& gs) {
  Bytes bytes(kGameImageBytes);
  WriteGameImage(gs, GameImage(bytes.data(), kGameImageBytes));
  return bytes;
}

// A game of `mode` and `rules` with the engine's thread stopped and the
// engine playing neither side; from `start` when given (an edited start).
inline std::unique_ptr<Game> QuietGame(int mode, int rules = kTournament, const std::string& start = "") {
  auto game = std::make_unique<Game>();
  ConsoleCapture quiet;
  game->state.difficulty = kHard;
  NewGameOfMode(*game, mode);
  GameState& gs = game->state;
  gs.rules = gs.position.rules = rules;
  RegenPosition(gs.position);
  if (!start.empty()) {
    std::string error;
    gs.startPosition.rules = rules;
    EXPECT_TRUE(ParsePosition(start, mode, gs.startPosition, error)) << start << ": " << error;
    gs.startEdited = 1;
    Undo(*game, 0);
  }
  StartEngine(*game, 0);
  gs.engineSide = kEnginePlaysNone;
  return game;
}

// Plays moves given as move text; a move onto a piece is handed in as a
// capture, as the mouse does.
inline void PlayTexts(Game& game, const std::vector<std::string>& texts) {
  ConsoleCapture quiet;
  for (const std::string& text : texts) {
    Position& pos = game.state.position;
    Move typed, found;
    ASSERT_TRUE(ParseMoveText(pos, text, typed)) << text;
    MoveList moves;
    const int n = LegalMoves(pos, moves);
    ASSERT_TRUE(MatchTypedMove(typed, moves.data(), n, found)) << text;
    if (pos.board[found.to] != 0 && !IsPromotionKind(found.kind) && found.kind != kBoardMove) found.kind = kCapture;
    ASSERT_EQ(PlayerMoved(game, found), 1) << text;
  }
}

// Plays up to `plies` random legal moves (seeded); returns the positions the
// game went through, the start included.
inline std::vector<Position> PlayRandom(Game& game, int plies, unsigned seed) {
  ConsoleCapture quiet;
  std::mt19937 rng(seed);
  std::vector<Position> seen = {game.state.position};
  for (int i = 0; i < plies; ++i) {
    MoveList moves;
    const int n = LegalMoves(game.state.position, moves);
    if (n == 0) break;
    Move m = moves[rng() % n];
    EXPECT_EQ(PlayerMoved(game, m), 1);
    EXPECT_EQ(Inconsistency(game.state.position), "");
    seen.push_back(game.state.position);
  }
  return seen;
}

}  // namespace torvik::test
