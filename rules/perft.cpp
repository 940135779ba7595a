#include "rules/perft.h"

#include "board/promotion.h"
#include "board/geometry.h"
#include "rules/generate.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

// Moves the generator lists twice (a 3D double step reached through two first
// squares, a promotion listed before its variants) are the same player's move.
bool SameEntry(const Move& a, const Move& b) {
  return a.piece == b.piece && a.from == b.from && a.to == b.to &&
         (IsPromotionKind(a.kind) ? a.kind : 0) == (IsPromotionKind(b.kind) ? b.kind : 0);
}

bool Listed(const MoveList& out, int n, const Move& m) {
  for (int i = 0; i < n; ++i)
    if (SameEntry(out[i], m)) return true;
  return false;
}

// A 2D move that cannot leave its own king attacked, known without making it:
// the king is not in check, the mover is not the king and takes no pawn en
// passant, and no enemy slider attacks the square it leaves (a line through
// that square to the king would start at such a slider).
bool PlainlyLegal(const Position& pos, const Move& m) {
  if (Is3D(pos) || (pos.flags & kInCheck) || !IsSquare(m.from)) return false;
  const int mover = pos.board[m.from];
  const int type = TypeOf(mover);
  if (type == kKing || (type == kPawn && pos.board[m.to] == 0 && ColumnOf(m.to) != ColumnOf(m.from))) return false;
  return (pos.attackedBy[m.from] & pos.sliderMask & EnemySlots(pos)) == 0;
}

}  // namespace

int LegalMoves(Position& pos, MoveList& out) {
  MoveList list;
  const int n = GenerateAll(pos, list);
  Position child;
  int count = 0;
  for (int i = 0; i < n; ++i) {
    Move m = list[i];
    const bool promotes = IsPromotion(pos, m.piece, m.to, m);
    if (promotes && !IsPromotionKind(m.kind)) m.kind = kPromoteQueen;
    if ((promotes || Is3D(pos)) && Listed(out, count, m)) continue;
    if (PlainlyLegal(pos, m)) {
      out[count++] = m;
      continue;
    }
    Move made = m;
    if (MakeMove(child, pos, made)) out[count++] = m;
  }
  return count;
}

uint64_t Perft(Position& pos, int depth) {
  if (depth <= 0) return 1;
  MoveList moves;
  const int n = LegalMoves(pos, moves);
  if (depth == 1) return uint64_t(n);
  Position child;
  uint64_t total = 0;
  for (int i = 0; i < n; ++i) {
    Move m = moves[i];
    MakeMove(child, pos, m);
    total += Perft(child, depth - 1);
  }
  return total;
}

}  // namespace torvik
