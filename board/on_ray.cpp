// Lines followed step by step through the ray lists, for the line and reach tables.
//
// Under the Tournament rules the lines along the outer files and the extreme
// ranks of the attack boards run on across pins that hold no board. For the
// first two steps of a line, where an attack-board square has no neighbour in
// the line's direction, the line crosses to the next board that stands in it:
//   +1 / -1 from an outer-file square: to the nearest board above / below in the
//           pin column of its side (QL1, QL3, QL2 or QL5, QL4, QL6; QL5 before
//           QL2), entering its outer-file square on the near rank;
//   +8 / -8 on rank 0 or 9: between the boards on QL1 and KL1 (QL6 and KL6),
//           entering the other board's square on the inner file.
#include <array>

#include "board/geometry.h"
#include "board/line_tables.h"
#include "board/rays.h"

namespace torvik {
namespace {

constexpr int kMaxSteps = 10;
constexpr int kLineStepDepth = 2;

// Height of each pin in its column (QL1..QL6, then KL1..KL6 in pin order).
constexpr std::array<int, kPins> kColumnRank = {0, 2, 1, 3, 2, 4, 0, 2, 1, 3, 2, 4};

// Square of board `b` in its higher file (or lower) and upper rank (or lower).
Square BoardSquare(int b, bool higherFile, bool upperRank) {
  return kBoardBase[b] + (higherFile ? 8 : 0) + (upperRank ? 1 : 0);
}

// The board standing nearest above (`up`) or below pin `pin` in its column.
int NearestBoard(const Position& pos, int pin, bool up) {
  const bool queenSide = kPinTable[pin].queenSide;
  const int from = kColumnRank[pin];
  int best = -1, bestRank = up ? 99 : -1;
  for (int p = 0; p < kPins; ++p) {
    if (kPinTable[p].queenSide != queenSide) continue;
    const int rank = kColumnRank[p];
    const int b = WhichABOnPin(pos, kPinTable[p].square);
    if (b == kNoSquare || (up ? rank <= from : rank >= from)) continue;
    // Nearer wins; at equal height (QL2, QL5) the pin at the black level wins.
    const bool nearer = up ? rank < bestRank : rank > bestRank;
    if (nearer || (rank == bestRank && kPinTable[p].level == 7)) best = b, bestRank = rank;
  }
  return best;
}

// The square a Tournament line crosses to from `s` in `direction`, or kNoSquare.
Square LineStep(const Position& pos, Square s, int direction) {
  const int b = BoardOfSquare(s);
  if (b < 0) return kNoSquare;
  const int pin = PinIndex(pos.pins[b]);
  if (pin < 0) return kNoSquare;
  const bool queenSide = kPinTable[pin].queenSide;
  const bool higherFile = ColumnOf(s) & 1, upperRank = RowOf(s) & 1;
  if ((direction == 1 || direction == -1) && higherFile != queenSide) {
    const int other = NearestBoard(pos, pin, direction == 1);
    return other < 0 ? kNoSquare : BoardSquare(other, !queenSide, direction == -1);
  }
  const int name = pin % 6;  // 0 for QL1/KL1, 5 for QL6/KL6
  const bool edgeRank = (name == 0 && !upperRank) || (name == 5 && upperRank);
  if (edgeRank && direction == (queenSide ? 8 : -8)) {
    const int other = WhichABOnPin(pos, kPinTable[queenSide ? pin + 6 : pin - 6].square);
    return other == kNoSquare ? kNoSquare : BoardSquare(other, !queenSide, upperRank);
  }
  return kNoSquare;
}

// Depth-first over every branch; a square already reached in fewer steps is
// not walked again (the shallower walk reaches all the deeper one would).
void Walk(const Position& pos, Square s, int direction, int depth, uint64_t& reached,
          std::array<int8_t, kSquareCount>& bestDepth) {
  if (depth == kMaxSteps) return;
  RayList list;
  GetRay(pos, s, direction, list);
  if (list.count == 0 && depth < kLineStepDepth && Is3D(pos) && pos.rules == kTournament) {
    const Square next = LineStep(pos, s, direction);
    if (next != kNoSquare) list.squares[list.count++] = next;
  }
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

int IsOnRay(const Position& pos, Square target, Square origin, int direction) {
  return IsSquare(target) && (RayReach(pos, origin, direction) >> target & 1) ? 1 : 0;
}

}  // namespace torvik
