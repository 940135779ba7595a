#include "rules/slides.h"

#include "board/xray.h"

namespace torvik {

void Slide2D(Position& pos, int slot, Square from, int direction) {
  const int k = ray_detail::SlotOf(direction);
  if (k < 0) {
    RayList none;
    GetRay(pos, from, direction, none);  // reports the bad direction
    return;
  }
  if (!IsSquare(from)) return;
  const auto& steps = ray_detail::kSteps2D[k];
  const uint32_t bit = SlotBit(slot);
  Square s = from;
  do {
    if (steps[s] < 0) return;
    s = steps[s];
    pos.attackedBy[s] |= bit;
  } while (pos.board[s] == 0);
  // Past the first piece the line lives on in the x-ray map while the square
  // just passed is empty or holds a friendly slider looking back along it.
  while (ExtendsXray(pos, from, s)) {
    if (steps[s] < 0) return;
    s = steps[s];
    pos.xrayBy[s] |= bit;
  }
}

}  // namespace torvik
