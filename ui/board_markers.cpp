#include "ui/board_markers.h"

#include "rules/board_moves.h"
#include "rules/move_list.h"

namespace torvik::ui {

bool PinCorner(const Position& pos, int pin, SpacePoint& out) {
  const int index = PinIndex(pin);
  if (index < 0 || !SquareCoords(pos, pin, out)) return false;
  const PinInfo& info = kPinTable[static_cast<std::size_t>(index)];
  const bool farEnd = (index % 2) != 0;  // QL2, QL4, QL6 and KL2, KL4, KL6
  if (!info.queenSide) out.x += 1;
  if (farEnd) out.y += 1;
  return true;
}

// The board's moves are exactly its destinations: the pin table filtered by
// whether and which way the board may move, and by the free pins.
std::vector<Marker> DestinationMarkers(const Position& pos, int boardCode) {
  std::vector<Marker> markers;
  MoveList list;
  const int n = GenAtBoMoves(pos, boardCode, list, 0);
  for (int i = 0; i < n; ++i) {
    Marker m{list[static_cast<std::size_t>(i)].to, {}};
    if (PinCorner(pos, m.pin, m.point)) markers.push_back(m);
  }
  return markers;
}

}  // namespace torvik::ui
