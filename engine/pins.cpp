// Pinned pieces: a piece standing between an enemy slider and an own officer
// that the slider would win if the piece stepped aside. Such a piece is not
// counted as an attacker or defender by the square control.
#include "board/line_tables.h"
#include "engine/eval_terms.h"
#include "engine/square_control.h"

namespace torvik {
namespace {

int Step(int from, int to) { return (to > from) - (to < from); }

// The squares strictly between `from` and `to` are empty, walking the 8 x 8
// grid one column and one row at most per step.
bool EmptyBetween(const Position& pos, Square from, Square to) {
  int c = ColumnOf(from), r = RowOf(from);
  const int tc = ColumnOf(to), tr = RowOf(to);
  for (;;) {
    c += Step(c, tc);
    r += Step(r, tr);
    if (c == tc && r == tr) return true;
    if (pos.board[MakeSquare(c, r)] != 0) return false;
  }
}

// The slider on `line` would win an officer of v's side behind `piece`: one
// on the slider's line through the piece, beyond it, with nothing between.
bool PinsToOfficer(const Position& pos, const LineTables& lines, const View& v, int piece, Square line,
                   uint32_t sliderBit) {
  const Square at = pos.pieces[piece].square;
  if (!IsSquare(line) || !IsSquare(at)) return false;
  const int d = lines.lineDir[line][at];
  if (d == 0) return false;
  for (int offset = kKingSlot; offset < kPawnSlot; ++offset) {
    const int officer = v.Slot(offset);
    const PieceEntry& o = pos.pieces[officer];
    if (officer == piece || o.code == 0 || !IsSquare(o.square) || lines.lineDir[at][o.square] != d) continue;
    const uint32_t attackers = pos.attackedBy[o.square] | sliderBit;
    if (ControlBalance(pos, attackers, o.code, o.square) * v.sign >= 0) continue;
    if (EmptyBetween(pos, at, o.square)) return true;
  }
  return false;
}

uint32_t PinnedOf(const Position& pos, const View& v) {
  const uint32_t sliders = pos.sliderMask & pos.occupiedMask & v.enemy;
  if (sliders == 0) return 0;
  const LineTables& lines = LineTablesOf(pos);
  uint32_t pinned = 0;
  for (int offset = kRookSlot; offset < kSideSlots; ++offset) {
    const int slot = v.Slot(offset);
    const PieceEntry& p = pos.pieces[slot];
    if (p.code == 0) continue;
    for (uint32_t m = pos.attackedBy[p.square] & sliders; m; m &= m - 1) {
      const int slider = std::countr_zero(m);
      const Square line = pos.pieces[slider].square;
      if (!IsSlider(pos.pieces[slider].code) || (pos.attackedBy[line] & SlotBit(slot))) continue;
      if (PinsToOfficer(pos, lines, v, slot, line, SlotBit(slider))) {
        pinned |= SlotBit(slot);
        break;
      }
    }
  }
  return pinned;
}

}  // namespace

int32_t PinnedPass(Position& pos) {
  pos.eval.pinnedMask = 0;
  if (pos.eval.stage == 3) return 0;
  pos.eval.pinnedMask = PinnedOf(pos, kViews[kWhite]) | PinnedOf(pos, kViews[kBlack]);
  return 0;
}

}  // namespace torvik
