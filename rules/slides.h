// Sliding pieces. In the 2D game a slide runs to the first occupied square and
// on into the x-ray map through friendly batteries. In the 3D game one step can
// land on several levels; each level blocks on its own.
//
// The 3D slide is written once for every use through a probe:
//   int  probe.Code(Square)  what stands on a square (the probe may pretend),
//   void probe.Mark(Square)  the slide reaches that square.
#pragma once

#include <array>

#include "board/config_cache.h"
#include "board/geometry.h"
#include "board/position.h"
#include "board/rays.h"

namespace torvik {

// No line of the 3D board is longer than ten steps.
constexpr int kMaxSlideSteps = 12;

// 2D: marks the slot's line from `from` in attackedBy up to and including the
// first occupied square, then in xrayBy while the line runs on through a
// friendly slider that attacks back along it.
void Slide2D(Position& pos, int slot, Square from, int direction);

// 3D: one open flag per level for the whole slide. Each step takes the ray list
// of the current square: a square on an open level is marked, an occupied square
// closes its level, and an empty square becomes the square to go on from once
// some square of the step has been marked (the last such square wins). Under the
// Tournament rules a step holding an occupied square ends the slide, after every
// square of that step has been seen; under the Standard rules only the closed
// levels stay blocked. The slide ends when a step leaves no square to go on from.
template <class Probe>
void Slide3D(const Position& pos, Square from, int direction, Probe& probe) {
  std::array<bool, kLevelCount> open;
  open.fill(true);
  const bool tournament = pos.rules == kTournament;
  Square current = from;
  // One step over a list of squares; false when the slide ends there.
  auto step = [&](const auto& list) {
    Square next = kNoSquare;
    bool marked = false, blocked = false;
    for (int i = 0; i < int(list.count); ++i) {
      const Square s = list.squares[i];
      const int level = LevelOfSquare(pos, s);
      if (open[level]) {
        probe.Mark(s);
        marked = true;
      }
      if (probe.Code(s) != 0) {
        open[level] = false;
        blocked = true;
      } else if (marked) {
        next = s;
      }
    }
    if (next == kNoSquare || (blocked && tournament)) return false;
    current = next;
    return true;
  };
  const int slot = ray_detail::SlotOf(direction);
  if (slot < 0 || !Is3D(pos)) {  // the lookup reports a bad direction
    for (int n = 0; n < kMaxSlideSteps; ++n) {
      RayList list;
      GetRay(pos, current, direction, list);
      if (!step(list)) return;
    }
    return;
  }
  // The configuration's table is looked up once for the whole slide.
  const RayTable& rays = ConfigOf(pos).rays;
  for (int n = 0; n < kMaxSlideSteps && IsSquare(current); ++n)
    if (!step(rays[RayListIndex(slot, current)])) return;
}

}  // namespace torvik
