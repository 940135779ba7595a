// Lines followed step by step through the ray lists, for the line and reach tables.
//
// Under the Tournament rules the lines along the outer files and the extreme
// ranks of the attack boards run on across pins that hold no board. Wherever an
// attack-board square on such a line has no neighbour in the line's direction,
// the line crosses to the next board that stands in it (at any step: a line
// may pass a whole board before it meets the gap, as the walks of a rook on
// those files do):
//   +1 / -1 from an outer-file square: to the nearest boards above / below in
//           the pin column of its side (QL1, QL3, QL2 and QL5, QL4, QL6; both
//           of QL2 and QL5 when both hold one), entering each one's outer-file
//           square on the near rank;
//   +8 / -8 on rank 0 or 9: between the boards on QL1 and KL1 (QL6 and KL6),
//           entering the other board's square on the inner file.
#include <array>

#include "board/geometry.h"
#include "board/line_tables.h"
#include "board/rays.h"

namespace torvik {
namespace {

constexpr int kMaxSteps = 10;

// Height of each pin in its column (QL1..QL6, then KL1..KL6 in pin order).
constexpr std::array<int, kPins> kColumnRank = {0, 2, 1, 3, 2, 4, 0, 2, 1, 3, 2, 4};

// Square of board `b` in its higher file (or lower) and upper rank (or lower).
Square BoardSquare(int b, bool higherFile, bool upperRank) {
  return kBoardBase[b] + (higherFile ? 8 : 0) + (upperRank ? 1 : 0);
}

// The height of the boards standing nearest above (`up`) or below pin `pin` in
// its column, or -1 when none does.
int NearestHeight(const Position& pos, int pin, bool up) {
  const int from = kColumnRank[pin];
  int best = -1;
  for (int p = 0; p < kPins; ++p) {
    const int rank = kColumnRank[p];
    if (kPinTable[p].queenSide != kPinTable[pin].queenSide || (up ? rank <= from : rank >= from)) continue;
    if (WhichABOnPin(pos, kPinTable[p].square) == kNoSquare) continue;
    if (best < 0 || (up ? rank < best : rank > best)) best = rank;
  }
  return best;
}

// Adds to `list` the squares a Tournament line crosses to from `s` in `direction`.
void AddLineSteps(const Position& pos, Square s, int direction, RayList& list) {
  const int b = BoardOfSquare(s);
  if (b < 0) return;
  const int pin = PinIndex(pos.pins[b]);
  if (pin < 0) return;
  const bool queenSide = kPinTable[pin].queenSide;
  const bool higherFile = ColumnOf(s) & 1, upperRank = RowOf(s) & 1;
  if ((direction == 1 || direction == -1) && higherFile != queenSide) {
    const int height = NearestHeight(pos, pin, direction == 1);
    for (int p = 0; p < kPins && height >= 0; ++p) {
      const int other = WhichABOnPin(pos, kPinTable[p].square);
      if (kPinTable[p].queenSide == queenSide && kColumnRank[p] == height && other != kNoSquare)
        list.squares[list.count++] = BoardSquare(other, !queenSide, direction == -1);
    }
    return;
  }
  const int name = pin % 6;  // 0 for QL1/KL1, 5 for QL6/KL6
  const bool edgeRank = (name == 0 && !upperRank) || (name == 5 && upperRank);
  if (edgeRank && direction == (queenSide ? 8 : -8)) {
    const int other = WhichABOnPin(pos, kPinTable[queenSide ? pin + 6 : pin - 6].square);
    if (other != kNoSquare) list.squares[list.count++] = BoardSquare(other, !queenSide, upperRank);
  }
}

// Depth-first over every branch; a square already reached in fewer steps is
// not walked again (the shallower walk reaches all the deeper one would).
void Walk(const Position& pos, Square s, int direction, int depth, uint64_t& reached,
          std::array<int8_t, kSquareCount>& bestDepth) {
  if (depth == kMaxSteps) return;
  RayList list;
  GetRay(pos, s, direction, list);
  if (list.count == 0 && Is3D(pos) && pos.rules == kTournament) AddLineSteps(pos, s, direction, list);
  for (int i = 0; i < list.count; ++i) {
    const Square t = list.squares[i];
    reached |= uint64_t(1) << t;
    if (bestDepth[t] <= depth + 1) continue;
    bestDepth[t] = int8_t(depth + 1);
    Walk(pos, t, direction, depth + 1, reached, bestDepth);
  }
}

}  // namespace

uint64_t RayReach(const Position& pos, Square origin, int direction) {
  uint64_t reached = 0;
  if (!IsSquare(origin)) return 0;
  std::array<int8_t, kSquareCount> bestDepth;
  bestDepth.fill(kMaxSteps + 1);
  bestDepth[origin] = 0;
  Walk(pos, origin, direction, 0, reached, bestDepth);
  return reached;
}

}  // namespace torvik
