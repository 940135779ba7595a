// Mobility: each officer by the squares it attacks and the squares it
// effectively controls, read by its row from its own side; an officer with
// little room that attacks nothing, or that controls nothing, pays more.
#include "engine/eval_terms.h"
#include "engine/square_control.h"

namespace torvik {
namespace {

struct MobilityTables {
  int attacked;
  int controlled;
  int fewest;  // fewer attacked squares than this is low mobility
};

// By piece type: knight, bishop, rook, queen, king.
constexpr std::array<MobilityTables, 7> kTables = {{{0, 0, 0},
                                                    {0, 0, 0},
                                                    {kKnightAttacked, kKnightControlled, 6},
                                                    {kBishopAttacked, kBishopControlled, 5},
                                                    {kRookAttacked, kRookControlled, 4},
                                                    {kQueenAttacked, kQueenControlled, 6},
                                                    {kKingAttacked, kKingControlled, 0}}};

int32_t OfficerMobility(const Position& pos, const CoefficientTable& c, int slot) {
  const PieceEntry& p = pos.pieces[slot];
  const MobilityTables& t = kTables[TypeOf(p.code)];
  const int row = ViewOf(p.code).Row(p.square);
  const int attacked = pos.eval.attackedCount[slot], controlled = pos.eval.controlledCount[slot];
  int32_t value = c[t.attacked + row * 10 + std::min(attacked, 9)] +
                  c[t.controlled + row * 10 + std::min(controlled, 9)];
  if (attacked < t.fewest && !(pos.eval.attackingMask & SlotBit(slot))) value -= c[kLowMobility];
  if (controlled == 0) value -= c[kOfficerNoControl + row];
  return value;
}

}  // namespace

int32_t MobilityTerm(const Position& pos) {
  if (pos.eval.stage == 3) return 0;
  const CoefficientTable& c = Coefficients(pos);
  int32_t value = 0;
  for (uint32_t m = pos.pieceMask; m; m &= m - 1) {
    const int slot = std::countr_zero(m);
    if (TypeOf(pos.pieces[slot].code) < kKnight) continue;
    const int32_t v = OfficerMobility(pos, c, slot);
    value += slot < kSideSlots ? v : -v;
  }
  return value;
}

}  // namespace torvik
