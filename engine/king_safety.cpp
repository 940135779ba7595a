// King safety: the enemy officers bearing on the king's 3 x 3 zone, a rook
// counting one more, and the open columns beside the king. The engine reads its
// own king with other weights than the opponent's.
#include "engine/eval_terms.h"
#include "engine/square_control.h"

namespace torvik {
namespace {

int32_t KingExposure(const Position& pos, const View& v, const PawnColumns& cols) {
  const Square king = pos.pieces[v.Slot(kKingSlot)].square;
  const int kc = ColumnOf(king), kr = RowOf(king);
  const uint32_t officers = pos.pieceMask & v.enemy & ~SlotBit(v.EnemySlot(kKingSlot));
  uint32_t bearing = 0;
  for (int c = std::max(kc - 1, 0); c <= std::min(kc + 1, 7); ++c)
    for (int r = std::max(kr - 1, 0); r <= std::min(kr + 1, 7); ++r)
      bearing |= (pos.attackedBy[MakeSquare(c, r)] | pos.xrayBy[MakeSquare(c, r)]) & officers;
  const uint32_t rooks = SlotBit(v.EnemySlot(kRookSlot)) | SlotBit(v.EnemySlot(kRookSlot + 1));
  const int n = Popcount(bearing) + ((bearing & rooks) ? 1 : 0);
  const bool engines = ((pos.flags & kEngineWhite) != 0) == (v.side == kWhite);
  const bool queen = (pos.pieceMask & SlotBit(v.EnemySlot(kQueenSlot))) != 0;
  const int table = queen ? (engines ? kEngineKingAttackersQueen : kOpponentKingAttackersQueen)
                          : (engines ? kEngineKingAttackers : kOpponentKingAttackers);
  const CoefficientTable& c = Coefficients(pos);
  // Eight or more attackers read on past the table: 16, the most there can
  // be, reaches entry 1221 from the first table and 1245 from the last.
  int32_t term = -ReadOn(c, table + n);
  const int32_t open = c[queen ? kOpenColumnByKingQueen : kOpenColumnByKing];
  for (int col = std::max(kc - 1, 0); col <= std::min(kc + 1, 7); ++col)
    if (cols.rear[kWhite][col] == 0 && cols.rear[kBlack][col] == 0) term -= open;
  return term;
}

}  // namespace

int32_t KingSafety(const Position& pos) { return KingSafety(pos, ColumnPawns(pos)); }

int32_t KingSafety(const Position& pos, const PawnColumns& cols) {
  return KingExposure(pos, kViews[kWhite], cols) - KingExposure(pos, kViews[kBlack], cols);
}

}  // namespace torvik
