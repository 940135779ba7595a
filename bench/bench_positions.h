// The positions every benchmark measures: starts, middle games and endings of
// both games, under both 3D rule sets.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "record/position_text.h"

namespace torvik::bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Sample {
  const char* name;
  const char* text;
  int mode;
  int rules;
};

inline const Sample kSamples[] = {
    {"2D start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", kGame2D, kTournament},
    {"2D tactics", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", kGame2D, kTournament},
    {"2D middle game", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", kGame2D,
     kTournament},
    {"2D ending", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", kGame2D, kTournament},
    {"3D start, Tournament",
     "RP....prQP....pqKP....pkRP....prNP....pnBP....pbBP....pbNP....pn w QL1,QL6,KL1,KL6 wbwb KQkq - 0 1",
     kGame3D, kTournament},
    {"3D start, Standard",
     "RP....prQP....pqKP....pkRP....prNP....pnBP....pbBP....pbNP....pn w QL1,QL6,KL1,KL6 wbwb KQkq - 0 1",
     kGame3D, kStandard},
    {"3D middle game",
     "R.....prQ.....pq.P....pk.P.K..prNP...p.nB.....pbBP..P.pb.P....pn b QL3,QL6,KL1,KL6 wbwb kq - 7 23",
     kGame3D, kTournament},
};

// Reads a sample; says why when it cannot.
inline bool LoadSample(const Sample& s, Position& pos) {
  pos.rules = s.rules;
  std::string error;
  if (ParsePosition(s.text, s.mode, pos, error)) return true;
  std::printf("bad sample %s: %s\n", s.name, error.c_str());
  return false;
}

// The samples of one game.
inline std::vector<Position> LoadSamples(int mode) {
  std::vector<Position> positions;
  for (const Sample& s : kSamples) {
    Position pos;
    if (s.mode == mode && LoadSample(s, pos)) positions.push_back(pos);
  }
  return positions;
}

}  // namespace torvik::bench
