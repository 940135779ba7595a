#include "rules/slides.h"

#include "board/xray.h"

namespace torvik {

void Slide2D(Position& pos, int slot, Square from, int direction) {
  const uint32_t bit = SlotBit(slot);
  RayList list;
  Square s = from;
  do {
    if (GetRay(pos, s, direction, list) == 0) return;
    s = list.squares[0];
    pos.attackedBy[s] |= bit;
  } while (pos.board[s] == 0);
  // Past the first piece the line lives on in the x-ray map while the square
  // just passed is empty or holds a friendly slider looking back along it.
  while (ExtendsXray(pos, from, s)) {
    if (GetRay(pos, s, direction, list) == 0) return;
    s = list.squares[0];
    pos.xrayBy[s] |= bit;
  }
}

}  // namespace torvik
