#include "record/notation.h"

#include "board/console.h"
#include "board/geometry.h"

namespace torvik {
namespace {

SquareName Name(char file, char rank) {
  SquareName n;
  n.text = {file, rank, 0, 0};
  return n;
}

}  // namespace

// An attack-board square: its letters follow the side of its board's pin, its
// digit the pin's ranks. `roman` names the files z..e, otherwise a..f.
SquareName PosStrAB_L(Square square, int pin, bool higherFile, bool roman) {
  const int p = PinIndex(pin);
  if (p < 0) {
    Warn(true, "Error! Where is AB @ PosStrAB_L?");
    return {};
  }
  const PinInfo& info = kPinTable[p];
  const int file = (info.queenSide ? 0 : 4) + (higherFile ? 1 : 0) + (roman ? 0 : 1);
  return Name("zabcdef"[file], char('0' + info.lowRank + (RowOf(square) & 1)));
}

namespace {

SquareName Name3D(const Position& pos, Square square, bool roman) {
  if (!Is3D(pos)) return {};
  if (!IsSquare(square)) {
    Warn(false, roman ? "can't posstr3DRom sq" : "can't posstr3D sq");
    return {};
  }
  if (const int b = BoardOfSquare(square); b >= 0)
    return PosStrAB_L(square, pos.pins[b], ColumnOf(square) & 1, roman);
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
