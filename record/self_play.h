// The engine against itself: whole games from seeded random openings, each
// move checked by the rules before it is played, and how each game ended.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace torvik {

enum class GameEnd { kWhiteMates, kBlackMates, kStalemate, kRepetition, kQuietPlies, kMaterial, kAutoDraw,
                     kResigned, kIllegal, kRecordFull };

const char* GameEndName(GameEnd end);

// A position the engine thought on, with the value its think found (for White).
struct ThoughtPosition {
  std::string text;
  int32_t value = 0;
};

struct SelfPlayGame {
  GameEnd end = GameEnd::kRecordFull;
  int plies = 0;
  std::string moves;  // the record, as the console printed it
  std::string last;   // the final position as text
  bool resignedWhite = false;  // who gave up, when one did
  std::vector<ThoughtPosition> thought;  // when asked: every position thought on, except those in check
};

// The game's result for White (1, 0.5 or 0), or -1 when it did not end.
double WhiteResult(const SelfPlayGame& game);

// One game of `mode` and `rules` at `difficulty`: `openingPlies` random legal
// moves drawn with `seed`, then the engine plays both sides to the end.
// `moveTimeMs`, when given, thinks that long a move by the wall clock instead.
// `keepThought` fills SelfPlayGame::thought.
SelfPlayGame PlaySelfGame(int mode, int rules, int difficulty, uint32_t seed, int openingPlies,
                          int64_t moveTimeMs = 0, bool keepThought = false);

}  // namespace torvik
