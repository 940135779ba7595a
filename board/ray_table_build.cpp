// Building a configuration's ray table: the base links among the fixed levels,
// then, board by board, the links to the fixed levels and to the other boards.
// Every link is added once; its appender adds the reverse entry. The order of the
// additions is the order of the entries in the lists.
#include <string>

#include "board/console.h"
#include "board/geometry.h"
#include "board/ray_table.h"

namespace torvik {
namespace {

constexpr int kSlotUp = DirectionSlot(1);
constexpr int kSlotKnightUpRight = DirectionSlot(10);
constexpr int kSlotUpRight = DirectionSlot(9);
constexpr int kSlotRight = DirectionSlot(8);
constexpr int kSlotDownRight = DirectionSlot(7);
constexpr int kSlotUpLeft = DirectionSlot(-7);
constexpr int kSlotKnightUpLeft = DirectionSlot(-6);

// Seen from a projection, the fixed levels form two groups: the white and black
// levels (ranks 1..8, no overlap) and the neutral level (ranks 3..6), all on
// files a..d (1..4).
enum FixedGroup { kOuterLevels, kNeutralGroup };

constexpr Square FixedSquareAt(FixedGroup group, int file, int rank) {
  if (file < 1 || file > 4) return kNoSquare;
  if (group == kOuterLevels)
    return rank >= 1 && rank <= 8 ? MakeSquare(file + 3, rank - 1) : kNoSquare;
  return rank >= 3 && rank <= 6 ? MakeSquare(file - 1, rank - 1) : kNoSquare;
}

constexpr bool IsFixedSquare(Square s) {
  return ColumnOf(s) >= 4 || (RowOf(s) >= 2 && RowOf(s) <= 5);
}

// Four entries suffice in every valid configuration; boards stacked on one pin
// (already reported) could ask for a fifth, which is dropped.
constexpr void Append(RayEntry& list, Square to) {
  if (list.count < kMaxRayLength) list.squares[list.count++] = uint8_t(to);
}

constexpr RayTable MakeBaseTable() {
  RayTable table{};
  for (Square s = 0; s < kSquareCount; ++s) {
    if (!IsFixedSquare(s)) continue;
    const int file = (ColumnOf(s) & 3) + 1, rank = RowOf(s) + 1;
    for (int slot = 0; slot < kDirectionCount; ++slot) {
      const int d = kDirections[slot];
      for (FixedGroup group : {kOuterLevels, kNeutralGroup}) {
        Square t = FixedSquareAt(group, file + FileStep(d), rank + RankStep(d));
        if (t != kNoSquare) Append(table[RayListIndex(slot, s)], t);
      }
    }
  }
  return table;
}

constexpr RayTable kBaseTable = MakeBaseTable();

// The squares of an attack board by file (lower, higher) and rank (lower, upper).
struct BoardSquares {
  Square ll, lu, hl, hu;
};

constexpr BoardSquares SquaresOf(int board) {
  const Square b = kBoardBase[board];
  return {b, b + 1, b + 8, b + 9};
}

struct Builder {
  RayTable& table;
  bool reverse = false;  // set while an appender runs as the reverse call
};

// The appender of `slot`: puts `to` on the list of `from`, then, unless it is
// itself the reverse call, has the opposite slot put `from` on the list of `to`.
void AddLink(Builder& b, int slot, Square from, Square to) {
  Append(b.table[RayListIndex(slot, from)], to);
  if (b.reverse) return;
  b.reverse = true;
  AddLink(b, slot ^ 8, to, from);
  b.reverse = false;
}

// By slot; within a slot the board's upper rank first; within a rank the white
// or black level before the neutral level; within that the lower file first.
void LinkToFixedLevels(Builder& b, int board, const PinInfo& pin) {
  const Square base = kBoardBase[board];
  const int firstFile = pin.queenSide ? 0 : 4;
  for (int slot = 0; slot < kDirectionCount; ++slot) {
    const int d = kDirections[slot];
    for (int rankBit : {1, 0}) {
      for (FixedGroup group : {kOuterLevels, kNeutralGroup}) {
        for (int fileBit : {0, 1}) {
          Square t = FixedSquareAt(group, firstFile + fileBit + FileStep(d),
                                   pin.lowRank + rankBit + RankStep(d));
          if (t != kNoSquare) AddLink(b, slot, base + 8 * fileBit + rankBit, t);
        }
      }
    }
  }
}

// From each square of `from` to the squares of `to` one file and/or one rank
// further on, where both boards cover the same four projections (or are one board).
void LinkSameProjections(Builder& b, BoardSquares from, BoardSquares to) {
  AddLink(b, kSlotUp, from.ll, to.lu);
  AddLink(b, kSlotUp, from.hl, to.hu);
  AddLink(b, kSlotUpRight, from.ll, to.hu);
  AddLink(b, kSlotRight, from.lu, to.hu);
  AddLink(b, kSlotRight, from.ll, to.hl);
  AddLink(b, kSlotDownRight, from.lu, to.hl);
}

// `high` covers the two ranks just above `low`'s, on the same files.
void LinkBoardAbove(Builder& b, BoardSquares low, BoardSquares high) {
  AddLink(b, kSlotUp, low.lu, high.ll);
  AddLink(b, kSlotUp, low.hu, high.hl);
  AddLink(b, kSlotKnightUpRight, low.lu, high.hu);
  AddLink(b, kSlotKnightUpRight, low.ll, high.hl);
  AddLink(b, kSlotUpRight, low.lu, high.hl);
  AddLink(b, kSlotUpLeft, low.hu, high.ll);
  AddLink(b, kSlotKnightUpLeft, low.hu, high.lu);
  AddLink(b, kSlotKnightUpLeft, low.hl, high.ll);
}

// Pins are pin numbers (-1 for none). A pair below, or on the other side, or
// more than one rank apart, gets nothing here; a lower board links itself to
// the board above when the loop reaches it.
void LinkPair(Builder& b, int board, int other, int pin, int otherPin) {
  if (board == other) {
    if (pin >= 0) LinkSameProjections(b, SquaresOf(board), SquaresOf(board));
    return;
  }
  if (pin < 0) {
    Warn(true, "Error! Bad inner board @ DirTo");
    return;
  }
  if (otherPin < 0 || otherPin == pin) {
    const std::string message = std::string("Error! ") + kPinTable[pin].name + " @ DirTo";
    Warn(true, message.c_str());
    return;
  }
  const PinInfo& p = kPinTable[pin];
  const PinInfo& q = kPinTable[otherPin];
  if (p.queenSide != q.queenSide) return;
  if (q.lowRank == p.lowRank) LinkSameProjections(b, SquaresOf(board), SquaresOf(other));
  else if (q.lowRank == p.lowRank + 2) LinkBoardAbove(b, SquaresOf(board), SquaresOf(other));
}

}  // namespace

void BuildRayTable(uint32_t key, RayTable& table) {
  table = kBaseTable;
  std::array<int, kAttackBoards> pins{};
  for (int a = 0; a < kAttackBoards; ++a)
    pins[a] = PinIndex(int((key >> (24 - 8 * a)) & 0xffu));
  Builder b{table};
  for (int a = 0; a < kAttackBoards; ++a) {
    if (pins[a] >= 0) LinkToFixedLevels(b, a, kPinTable[pins[a]]);
    else Warn(true, "Bad outer board @ DirTo");
    for (int other = 0; other < kAttackBoards; ++other)
      LinkPair(b, a, other, pins[a], pins[other]);
  }
}

}  // namespace torvik
