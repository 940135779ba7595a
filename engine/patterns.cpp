// Patterns over several pieces: the unmoved centre pawns and knights walled in
// by their own pieces, the bishop pair, bishops of opposite colours, and the
// pawnless endings in which the side ahead drives the bare king to a corner.
#include <algorithm>

#include "engine/eval_terms.h"

namespace torvik {
namespace {

// A pawn or knight on `home` with a piece on `blocker`, from White's view.
struct Blocked {
  int code;
  Square home;
  Square blocker;
  int coef;
};

constexpr std::array<Blocked, 4> kBlocked = {{
    {kPawn, 25, 26, kBlockedDPawn},
    {kPawn, 33, 34, kBlockedEPawn},
    {kKnight, 8, 18, kKnightBlocked},
    {kKnight, 48, 42, kKnightBlocked},
}};

int32_t BlockedPieces(const Position& pos, const CoefficientTable& c) {
  int32_t value = 0;
  for (const View& v : kViews) {
    for (const Blocked& b : kBlocked) {
      if (pos.board[v.Mirror(b.home)] == v.Code(b.code) && pos.board[v.Mirror(b.blocker)] != 0)
        value -= v.sign * c[b.coef];
    }
  }
  return value;
}

// The living bishops among White's slots 4, 5 and Black's 20, 21, as bits 0..3.
int Bishops(const Position& pos) {
  int set = 0;
  for (int i = 0; i < 4; ++i)
    if (pos.pieces[(i < 2 ? kBishopSlot : kSideSlots + kBishopSlot) + (i & 1)].code != 0) set |= 1 << i;
  return set;
}

int CornerDistance(Square s) {
  const int c = ColumnOf(s), r = RowOf(s);
  return std::min(std::max(c, r), std::max(7 - c, 7 - r));
}

int32_t BishopPatterns(const CoefficientTable& c, int bishops, int32_t ahead) {
  int32_t value = 0;
  if ((bishops & 3) == 3) value += c[kBishopPair];
  if ((bishops & 12) == 12) value -= c[kBishopPair];
  // Slot 4 stands on the other colour than slot 20 (and 5 than 21).
  if (bishops == 5 || bishops == 10) {
    if (ahead > 5000) value -= c[kSameBishopsDraw];
    if (ahead < -5000) value += c[kSameBishopsDraw];
  }
  return value;
}

// The pawnless ending with one side more than a minor piece ahead: the bare
// king belongs in the corner of the winning bishop's colour.
int32_t PawnlessNet(const Position& pos, const CoefficientTable& c, int bishops, int32_t ahead) {
  if (pos.eval.stage != 3 || (ahead <= 10000 && ahead >= -10000)) return 0;
  const bool white = ahead > 0;
  const View& v = kViews[white ? kWhite : kBlack];
  const int own = white ? bishops & 3 : bishops >> 2;
  Square king = pos.pieces[v.EnemySlot(kKingSlot)].square;
  // Black's slot 20 and White's slot 5 stand on the colour of the corners 0 and 63.
  const int cornerBishop = white ? 2 : 1;
  int32_t value = c[kPawnlessAhead];
  if (own == 1 || own == 2) {
    if (own != cornerBishop) king ^= 7;
    value += (7 - CornerDistance(king)) * c[kPawnlessCornerStep];
  }
  return v.sign * value;
}

}  // namespace

int32_t PatternTerms(const Position& pos) {
  const CoefficientTable& c = Coefficients(pos);
  const int bishops = Bishops(pos);
  const int32_t ahead = pos.eval.material[kWhite] - pos.eval.material[kBlack];
  return BlockedPieces(pos, c) + BishopPatterns(c, bishops, ahead) + PawnlessNet(pos, c, bishops, ahead);
}

}  // namespace torvik
