#include "record/notation.h"

#include <cstdio>

#include "board/console.h"
#include "board/geometry.h"

namespace torvik {
namespace {

constexpr const char* kPieceLetters = " PNBRQK";

SquareName Name(char file, char rank) {
  SquareName n;
  n.text = {file, rank, 0, 0};
  return n;
}

// An attack-board square: its letters follow the side of its board's pin, its
// digit the pin's ranks. `roman` names the files z..e, otherwise a..f.
SquareName AttackBoardName(const Position& pos, Square square, bool roman) {
  const int pin = PinIndex(pos.pins[BoardOfSquare(square)]);
  if (pin < 0) {
    Warn(true, "Error! Where is AB @ PosStrAB_L?");
    return {};
  }
  const PinInfo& p = kPinTable[pin];
  const int file = (p.queenSide ? 0 : 4) + (ColumnOf(square) & 1) + (roman ? 0 : 1);
  return Name("zabcdef"[file], char('0' + p.lowRank + (RowOf(square) & 1)));
}

SquareName Name3D(const Position& pos, Square square, bool roman) {
  if (!Is3D(pos)) return {};
  if (!IsSquare(square)) {
    Warn(false, roman ? "can't posstr3DRom sq" : "can't posstr3D sq");
    return {};
  }
  if (BoardOfSquare(square) >= 0) return AttackBoardName(pos, square, roman);
  const int x = ColumnOf(square), y = RowOf(square);
  const char first = roman ? 'a' : 'b';
  return Name(char(first + (x < 4 ? x : x - 4)), char('1' + y));
}

}  // namespace

SquareName posstr3D(const Position& pos, Square square) { return Name3D(pos, square, false); }
SquareName posstr3DRom(const Position& pos, Square square) { return Name3D(pos, square, true); }

SquareName posstr(const Position& pos, Square square, int notation) {
  if (!Is3D(pos)) {
    if (!IsSquare(square)) return {};
    return Name(char('a' + ColumnOf(square)), char('1' + RowOf(square)));
  }
  if (notation == kNotationStandard) return posstr3D(pos, square);
  if (notation == kNotationTournament || notation == kNotationAlgebraic) return posstr3DRom(pos, square);
  return {};
}

}  // namespace torvik
