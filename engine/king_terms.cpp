// The king's own value: where it stands for the stage (hidden while the enemy
// queen lives, central once she is gone, hunting or fleeing in the pawnless
// ending), castling, and the pawn cover in front of a castled king.
#include <cstdlib>

#include "engine/eval_terms.h"

namespace torvik {
namespace {

// A shelter item: pawns on all of `squares` (White's view), counted when the
// enemy bishop numbered `bishopGone` (4 or 5 within the enemy's slots, -1 for
// no condition) has left the board: the one that would use the holes.
struct Shelter {
  std::array<Square, 2> squares;
  int count;
  int bishopGone;
};

// In front of a king on the king's side (g1), then on the queen's side (b1).
constexpr std::array<Shelter, 6> kKingSide = {{{{41, 0}, 1, -1}, {{49, 0}, 1, -1}, {{57, 0}, 1, -1},
                                              {{58, 49}, 2, -1}, {{50, 57}, 2, 5}, {{42, 49}, 2, 4}}};
constexpr std::array<Shelter, 6> kQueenSide = {{{{1, 0}, 1, -1}, {{9, 0}, 1, -1}, {{17, 0}, 1, -1},
                                               {{2, 9}, 2, -1}, {{10, 1}, 2, 4}, {{18, 9}, 2, 5}}};

int32_t ShelterItems(const Position& pos, const View& v, const std::array<Shelter, 6>& items,
                     int firstCoef) {
  const CoefficientTable& c = Coefficients(pos);
  const int pawn = v.Code(kPawn);
  int32_t value = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const Shelter& s = items[i];
    bool all = true;
    for (int k = 0; k < s.count; ++k) all &= pos.board[v.Mirror(s.squares[k])] == pawn;
    if (s.bishopGone >= 0 && pos.pieces[v.EnemySlot(s.bishopGone)].code != 0) all = false;
    if (all) value += c[firstCoef + static_cast<int>(i)];
  }
  return value;
}

int32_t ShelterValue(const Position& pos, const View& v, Square king) {
  if (v.Row(king) != 0) return 0;
  const uint32_t shortRight = v.side == kWhite ? kWhiteShort : kBlackShort;
  const int column = ColumnOf(king);
  if (column >= 5 || (pos.flags & shortRight)) return ShelterItems(pos, v, kKingSide, kKingSideShelter);
  if (column <= 2) return ShelterItems(pos, v, kQueenSide, kQueenSideShelter);
  return 0;
}

int32_t Castling(const Position& pos, const View& v) {
  const uint32_t castled = v.side == kWhite ? kWhiteCastled : kBlackCastled;
  const uint32_t rights = v.side == kWhite ? (kWhiteShort | kWhiteLong) : (kBlackShort | kBlackLong);
  const int32_t weight = Coefficients(pos)[kKingCastled];
  if (pos.flags & castled) return weight;
  return (pos.flags & rights) ? 0 : -weight;
}

int Chebyshev(Square a, Square b) {
  return std::max(std::abs(ColumnOf(a) - ColumnOf(b)), std::abs(RowOf(a) - RowOf(b)));
}

// Where the king stands.
int32_t Placement(const Position& pos, const View& v, Square king, bool enemyQueen) {
  const CoefficientTable& c = Coefficients(pos);
  const int stage = pos.eval.stage, row = v.Row(king);
  const int32_t central = c[kKingCentre + ColumnOf(king)] + c[kKingCentre + row];
  if (enemyQueen) {
    if (stage == 0 && row >= 1) return -c[kKingOffBackRowOpening + row];
    if (stage == 1 && row >= 1) return -c[kKingOffBackRowMiddle + row];
    return 0;
  }
  if (stage <= 2) return central;
  const int32_t own = pos.eval.material[v.side], other = pos.eval.material[v.side ^ 1];
  if (own >= other - 10000) {
    return -c[kPawnlessKingDistance + Chebyshev(king, pos.pieces[v.EnemySlot(kKingSlot)].square)];
  }
  return 10 * central;
}

}  // namespace

int32_t KingValue(const Position& pos, int slot) {
  const PieceEntry& e = pos.pieces[slot];
  const View& v = ViewOf(e.code);
  const uint32_t enemyQueen = SlotBit(v.EnemySlot(kQueenSlot));
  int32_t value = Placement(pos, v, e.square, (pos.pieceMask & enemyQueen) != 0);
  if (pos.eval.stage >= 2) return value;
  value += Castling(pos, v);
  if (pos.occupiedMask & enemyQueen) value += ShelterValue(pos, v, e.square);
  return value;
}

}  // namespace torvik
