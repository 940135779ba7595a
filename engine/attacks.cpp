// Attacks on enemy pieces: how many officers each side has bearing on the
// other's pieces, which pieces stand en prise, and which defenders are
// overloaded with contested pieces to guard.
#include "engine/eval_terms.h"
#include "engine/square_control.h"

namespace torvik {

int32_t AttackPass(Position& pos) {
  EvalCache& e = pos.eval;
  if (e.stage == 3) {
    e.enPriseMask = e.attackingMask = 0;
    return 0;
  }
  uint32_t collected = 0, enPrise = 0;
  std::array<int, 2> officers{};  // by the attacking side
  for (const View& v : kViews) {
    const uint32_t victims = pos.occupiedMask & v.own & ~SlotBit(v.Slot(kKingSlot));
    for (uint32_t m = victims; m; m &= m - 1) {
      const int slot = std::countr_zero(m);
      const Square sq = pos.pieces[slot].square;
      const uint32_t by = pos.attackedBy[sq] & v.enemy;
      if (!by) continue;
      collected |= by;
      officers[v.side ^ 1] += Popcount(by & pos.pieceMask);
      if (e.controlValue[sq] * v.sign < 0) enPrise |= SlotBit(slot);
    }
  }
  const uint32_t attacking = collected & pos.pieceMask;
  e.recomputeMask |= (attacking ^ e.attackingMask) & pos.occupiedMask;
  e.attackingMask = attacking;
  e.enPriseMask = enPrise;
  // A count above 15 reads on into the trade-down entries that follow (16
  // reads 1287); from 197 on it would pass the block's end and reads 1467.
  const CoefficientTable& c = Coefficients(pos);
  return ReadOn(c, kOfficerAttacks + officers[kWhite]) - ReadOn(c, kOfficerAttacks + officers[kBlack]);
}

int32_t OverloadTerm(const Position& pos) {
  const EvalCache& e = pos.eval;
  if (e.stage == 3) return 0;  // no square control to say what is contested
  std::array<uint8_t, 32> guarded{};
  for (uint32_t m = pos.occupiedMask; m; m &= m - 1) {
    const int slot = std::countr_zero(m);
    const Square sq = pos.pieces[slot].square;
    if (e.controlSign[sq] != 0 || pos.attackedBy[sq] == 0) continue;
    const uint32_t officers = 0xffu << (slot & kSideSlots);
    for (uint32_t d = pos.attackedBy[sq] & officers; d; d &= d - 1) ++guarded[std::countr_zero(d)];
  }
  const CoefficientTable& c = Coefficients(pos);
  int32_t value = 0;
  for (int slot = 0; slot < kSlots; ++slot) {
    // Sixteen guarded pieces read entry 1204, the table's last; more read on
    // into the king-safety tables (31 would reach 1219).
    if (guarded[slot] > 1) value += (slot < kSideSlots ? -1 : 1) * c[kWinsByCaptures + guarded[slot]];
  }
  return value;
}

}  // namespace torvik
