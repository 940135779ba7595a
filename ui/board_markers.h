// Where the destination markers of a selected attack board stand: one small
// cone at the corner of each free pin the board may move to.
#pragma once

#include <vector>

#include "board/geometry.h"
#include "board/position.h"

namespace torvik::ui {

struct Marker {
  int pin;           // the pin's square code
  SpacePoint point;  // the corner of the pin square where the cone stands
};

// The corner of the pin square that a pin stands on, in the drawing's units.
bool PinCorner(const Position& pos, int pin, SpacePoint& out);

// The markers of board `boardCode`: the pins its moves reach (none when it may
// not move now).
std::vector<Marker> DestinationMarkers(const Position& pos, int boardCode);

}  // namespace torvik::ui
