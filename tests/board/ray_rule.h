// The 3D movement rule computed straight from square projections, to hold the
// ray tables against: t is one step from s in direction d when both squares
// exist, differ, and their projections differ by d's (file step, rank step).
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "board/geometry.h"
#include "board/position.h"
#include "board/rays.h"

namespace torvik::testing_rays {

struct Step {
  int code, file, rank;
};

// Copied from the table of direction codes, slot by slot.
constexpr std::array<Step, 16> kSteps = {{
    {1, 0, 1},    {10, 1, 2},   {9, 1, 1},    {17, 2, 1},  {8, 1, 0},   {15, 2, -1},
    {7, 1, -1},   {6, 1, -2},   {-1, 0, -1},  {-10, -1, -2}, {-9, -1, -1}, {-17, -2, -1},
    {-8, -1, 0},  {-15, -2, 1}, {-7, -1, 1},  {-6, -1, 2},
}};

using Pins = std::array<int, 4>;

inline Position Make3D(const Pins& pins) {
  Position pos;
  pos.gameMode = kGame3D;
  for (int i = 0; i < 4; ++i) pos.pins[i] = pins[i];
  return pos;
}

// Every placement of the four boards on four distinct pins.
inline std::vector<Pins> AllConfigurations() {
  std::vector<Pins> all;
  for (int a = 0; a < 12; ++a)
    for (int b = 0; b < 12; ++b)
      for (int c = 0; c < 12; ++c)
        for (int d = 0; d < 12; ++d)
          if (a != b && a != c && a != d && b != c && b != d && c != d)
            all.push_back({kPinTable[a].square, kPinTable[b].square, kPinTable[c].square,
                           kPinTable[d].square});
  return all;
}

// Bit t of sets[slot * 64 + s] is set when t is one step from s in that slot.
using RaySets = std::array<uint64_t, 16 * 64>;

inline RaySets RuleSets(const Position& pos) {
  std::array<std::array<int, 5>, 5> slotOfStep{};  // [file step + 2][rank step + 2]
  for (auto& row : slotOfStep) row.fill(-1);
  for (int k = 0; k < 16; ++k) slotOfStep[kSteps[k].file + 2][kSteps[k].rank + 2] = k;
  std::array<Projection, 64> proj{};
  std::array<bool, 64> exists{};
  for (int s = 0; s < 64; ++s) exists[s] = ProjectionOf(pos, s, proj[s]);
  RaySets sets{};
  for (int s = 0; s < 64; ++s) {
    for (int t = 0; t < 64; ++t) {
      if (s == t || !exists[s] || !exists[t]) continue;
      const int df = proj[t].file - proj[s].file, dr = proj[t].rank - proj[s].rank;
      if (df < -2 || df > 2 || dr < -2 || dr > 2) continue;
      const int k = slotOfStep[df + 2][dr + 2];
      if (k >= 0) sets[k * 64 + s] |= uint64_t(1) << t;
    }
  }
  return sets;
}

inline bool OnOuterLevel(int s) { return s >= 32; }
inline bool OnNeutralLevel(int s) { return s < 32 && (s & 7) >= 2 && (s & 7) <= 5; }

// Every list of the position against the rule, plus the order every list keeps:
// fixed-level entries of a fixed-level square before any attack-board entry, and
// white/black-level entries before neutral-level ones.
inline ::testing::AssertionResult ListsFollowRule(const Position& pos) {
  const RaySets sets = RuleSets(pos);
  for (int k = 0; k < 16; ++k) {
    for (int s = 0; s < 64; ++s) {
      auto fail = [&](const char* what) {
        return ::testing::AssertionFailure() << what << " at " << s << " dir " << kSteps[k].code
                                             << " in " << GetConfigName(pos);
      };
      RayList list;
      GetRay(pos, s, kSteps[k].code, list);
      uint64_t got = 0;
      bool seenNeutral = false, seenBoard = false;
      for (int i = 0; i < list.count; ++i) {
        const int t = list.squares[i];
        if (t < 0 || t >= 64) return fail("no square");
        if (got >> t & 1) return fail("a square twice");
        got |= uint64_t(1) << t;
        if (OnOuterLevel(t) && seenNeutral) return fail("neutral level before outer level");
        if (!(BoardOfSquare(t) >= 0) && seenBoard && BoardOfSquare(s) < 0)
          return fail("attack board before fixed level");
        seenNeutral |= OnNeutralLevel(t);
        seenBoard |= BoardOfSquare(t) >= 0;
      }
      if (got != sets[k * 64 + s]) return fail("not the rule's set");
    }
  }
  return ::testing::AssertionSuccess();
}

inline std::vector<int> Ray(const Position& pos, int square, int direction) {
  RayList list;
  const int n = GetRay(pos, square, direction, list);
  return std::vector<int>(list.squares.begin(), list.squares.begin() + n);
}

}  // namespace torvik::testing_rays
