#include "board/geometry.h"

#include "board/console.h"

namespace torvik {

namespace {

// Pin index by square code, -1 where no pin is.
constexpr std::array<int8_t, kSquareCount> kPinIndexOf = [] {
  std::array<int8_t, kSquareCount> index{};
  index.fill(-1);
  for (int i = 0; i < kPins; ++i) index[kPinTable[i].square] = int8_t(i);
  return index;
}();

}  // namespace

int PinIndex(int pin) { return unsigned(pin) < kSquareCount ? kPinIndexOf[pin] : -1; }

int BoardOfSquare(Square square) {
  if (!IsSquare(square)) return -1;
  int c = ColumnOf(square), r = RowOf(square);
  if (c > 3 || (r > 1 && r < 6)) return -1;
  return (c >= 2 ? 2 : 0) + (r >= 6 ? 1 : 0);
}

bool ProjectionOf(const Position& pos, Square square, Projection& out) {
  if (!IsSquare(square)) return false;
  int c = ColumnOf(square), r = RowOf(square);
  int board = BoardOfSquare(square);
  if (board >= 0) {
    int pin = PinIndex(pos.pins[board]);
    if (pin < 0) return false;
    out.file = (kPinTable[pin].queenSide ? 0 : 4) + (c & 1);
    out.rank = kPinTable[pin].lowRank + (r & 1);
    return true;
  }
  out.file = (c < 4 ? c : c - 4) + 1;
  out.rank = r + 1;
  return true;
}

bool SquareCoords(const Position& pos, Square square, SpacePoint& out) {
  if (!IsSquare(square)) return false;
  if (!Is3D(pos)) {
    out = {float(ColumnOf(square) - 4), float(RowOf(square) - 4), 0.0f};
    return true;
  }
  Projection p;
  if (!ProjectionOf(pos, square, p)) return false;
  int level = GetSquareLevel(pos, square);
  out = {float(p.file - 3), float(p.rank - 5), float(level - 4)};
  return true;
}

int GetSquareLevel(const Position& pos, Square square) {
  if (!Is3D(pos) || !IsSquare(square)) return kLevel2D;
  const int board = BoardOfSquare(square);
  return board >= 0 ? GetAttackBoardLevel(pos, board) : LevelOfSquare(pos, square);
}

int GetAttackBoardLevel(const Position& pos, int which_ab) {
  const int pin = (which_ab >= 0 && which_ab < kAttackBoards) ? pos.pins[which_ab] : kNoSquare;
  if (!IsSquare(pin) || kLevelOfPin[pin] == 0) {
    Warn(true, "Error! Bad which_ab @ GetAttackBoardLevel");
    return 0;
  }
  return kLevelOfPin[pin];
}

void GetAttackBoardCoords(const Position& pos, int c, int r, int which_ab,
                          float& x, float& y, float& z) {
  if (which_ab < 0 || which_ab >= kAttackBoards) {
    Warn(true, "Bad which_ab @ GetAttackBoardCoords");
    which_ab = 0;
  }
  int pin = PinIndex(pos.pins[which_ab]);
  if (pin < 0) {
    Warn(true, "Bad which_ab @ GetAttackBoardCoords");
    return;
  }
  const PinInfo& info = kPinTable[pin];
  int column = c - (which_ab >= 2 ? 2 : 0);
  int row = r - ((which_ab & 1) ? 6 : 0);
  x = float(column + (info.queenSide ? -3 : 1));
  y = float(row + info.lowRank - 5);
  z = float(info.height);
}

const char* GetABString(const Position& pos, Square square, int notation) {
  int board = BoardOfSquare(square);
  if (board < 0) {
    for (int i = 0; i < kAttackBoards && board < 0; ++i)
      if (pos.pins[i] == square) board = i;
  }
  if (board < 0) {
    Warn(false, "Non-AB for string @ GetABString!");
    board = 3;
  }
  int pin = PinIndex(pos.pins[board]);
  if (pin < 0) {
    Warn(true, "Warning: Can't find AB string!");
    return nullptr;
  }
  return notation == kNotationAlgebraic ? kPinTable[pin].shortName : kPinTable[pin].name;
}

const char* GetPinLabel(int pin) {
  int i = PinIndex(pin);
  return i < 0 ? "??" : kPinTable[i].label;
}

int WhichABOnPin(const Position& pos, int pin) {
  for (int i = 0; i < kAttackBoards; ++i)
    if (pos.pins[i] == pin) return i;
  return kNoSquare;
}

int GetABPin(const Position& pos, int boardCode) {
  int i = BoardIndexOfCode(boardCode);
  if (i < 0) {
    Warn(false, "Bad which_ab @ GenAtBoMoves");
    return kNoSquare;
  }
  return pos.pins[i];
}

int WhiteOwns(const Position& pos, int boardCode) {
  int i = BoardIndexOfCode(boardCode);
  if (i < 0) {
    Warn(false, "WhiteOwns can't find board");
    return 0;
  }
  return pos.owners[i];
}

int IsAttackBoardHome(const Position& pos, int boardCode) {
  int i = BoardIndexOfCode(boardCode);
  if (i < 0) {
    Warn(true, "Error! Bad attack board @ IsAttackBoardHome");
    return 0;
  }
  return pos.pins[i] == kHomePin[i] ? 1 : 0;
}

// No piece: the board goes back to its starting side; one piece: to that piece's
// side; two or more: unchanged.
void UpdateABOwners(Position& pos) {
  for (int b = 0; b < kAttackBoards; ++b) {
    int count = 0, code = 0;
    for (Square s : {kBoardBase[b], kBoardBase[b] + 1, kBoardBase[b] + 8, kBoardBase[b] + 9}) {
      if (pos.board[s] != 0) {
        ++count;
        code = pos.board[s];
      }
    }
    if (count == 0) pos.owners[b] = kStartOwner[b];
    else if (count == 1) pos.owners[b] = code > 0 ? 1 : 0;
  }
}

}  // namespace torvik
