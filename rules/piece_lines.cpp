#include "rules/piece_lines.h"

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

namespace {

// Pin numbers of each column stop of the queen's side; the king's side adds 6.
constexpr std::array<std::array<int, 2>, kColumnStops> kQueenColumn = {{
    {0, -1},  // QL1
    {2, -1},  // QL3
    {1, 4},   // QL2 and QL5 cover the same ranks
    {3, -1},  // QL4
    {5, -1},  // QL6
}};

// Stop of each queen's-side pin number 0..5 (QL1..QL6).
constexpr std::array<int, 6> kStopOfPin = {0, 2, 1, 3, 2, 4};

constexpr int kQL1 = 0, kQL6 = 5, kKL1 = 6, kKL6 = 11;

}  // namespace

bool GetWalkStart(const Position& pos, Square square, WalkStart& out) {
  const int board = BoardOfSquare(square);
  if (board < 0) return false;
  const int pin = PinIndex(pos.pins[board]);
  if (pin < 0) return false;
  out = {square, board, pin, ColumnOf(square) & 1, RowOf(square) & 1, kPinTable[pin].queenSide};
  return true;
}

int ColumnStopOfPin(int pin) { return kStopOfPin[pin % 6]; }

int BoardsAtStop(const Position& pos, bool queenSide, int stop, std::array<int, 2>& boards) {
  int n = 0;
  for (int pin : kQueenColumn[stop]) {
    if (pin < 0) continue;
    const int board = WhichABOnPin(pos, kPinTable[pin + (queenSide ? 0 : 6)].square);
    if (board >= 0 && board < kAttackBoards) boards[n++] = board;
  }
  return n;
}

int LateralPartner(const WalkStart& w) {
  if (w.rank == 0 && w.pin == kQL1) return kKL1;
  if (w.rank == 0 && w.pin == kKL1) return kQL1;
  if (w.rank == 1 && w.pin == kQL6) return kKL6;
  if (w.rank == 1 && w.pin == kKL6) return kQL6;
  return -1;
}

bool WalksAcrossPins(const Position& pos, int code, Square from) {
  return Is3D(pos) && pos.rules == kTournament && SlidesStraight(code) && BoardOfSquare(from) >= 0;
}

}  // namespace torvik
