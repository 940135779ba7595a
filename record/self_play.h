// The engine against itself: whole games from seeded random openings, each
// move checked by the rules before it is played, and how each game ended.
#pragma once

#include <cstdint>
#include <string>

namespace torvik {

enum class GameEnd { kWhiteMates, kBlackMates, kStalemate, kRepetition, kQuietPlies, kMaterial, kAutoDraw,
                     kResigned, kIllegal, kRecordFull };

const char* GameEndName(GameEnd end);

struct SelfPlayGame {
  GameEnd end = GameEnd::kRecordFull;
  int plies = 0;
  std::string moves;  // the record, as the console printed it
  std::string last;   // the final position as text
};

// One game of `mode` and `rules` at `difficulty`: `openingPlies` random legal
// moves drawn with `seed`, then the engine plays both sides to the end.
// `moveTimeMs`, when given, thinks that long a move by the wall clock instead.
SelfPlayGame PlaySelfGame(int mode, int rules, int difficulty, uint32_t seed, int openingPlies,
                          int64_t moveTimeMs = 0);

}  // namespace torvik
