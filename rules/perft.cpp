#include "rules/perft.h"

#include <bit>
#include <optional>
#include <vector>

#include "board/geometry.h"
#include "board/line_tables.h"
#include "board/promotion.h"
#include "rules/attack_maps.h"
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

// 1 when an enemy slider that attacks `from` stands beyond it on the line from
// the mover's king through `from`: the piece there may be pinned.
bool MayBePinned(const Position& pos, Square king, Square from) {
  for (uint32_t m = pos.attackedBy[from] & pos.sliderMask & EnemySlots(pos); m; m &= m - 1)
    if (IsBetween(pos, king, from, pos.pieces[std::countr_zero(m)].square)) return true;
  return false;
}

// A 2D move whose legality the maps settle without making it, the mover's king
// standing on `king` and not in check: a king move (not castling) to a square
// no enemy piece attacks, or a move of another piece, not en passant, that no
// pinning line can hold.
bool PlainlyLegal(const Position& pos, Square king, const Move& m) {
  if (!IsSquare(m.from) || !IsSquare(m.to)) return false;
  const int type = TypeOf(pos.board[m.from]);
  if (type == kKing)
    return m.kind != kShortCastle && m.kind != kLongCastle && !(pos.attackedBy[m.to] & EnemySlots(pos));
  if (type == kPawn && pos.board[m.to] == 0 && ColumnOf(m.to) != ColumnOf(m.from)) return false;
  return !MayBePinned(pos, king, m.from);
}

// Whether the 3D move just made into `child`, its maps left for later, leaves
// the mover's king unattacked. The enemy's steps do not depend on the board's
// occupancy and a plain move leaves the boards where they were, so the
// parent's maps still tell them; only the enemy's slides are followed anew.
bool KingSafe3D(const Position& child, const Position& parent) {
  const uint32_t enemy = MoverSlots(child) & child.occupiedMask;
  const Square king = child.pieces[(WhiteToMove(parent) ? 0 : kSideSlots) + kKingSlot].square;
  if (parent.attackedBy[king] & enemy & ~child.sliderMask) return false;
  return !SlidersReach3D(child, enemy, king);
}

// LegalMoves with the position a move is made into when it must be played to
// be judged: `child` is made when first needed, or is handed in made.
int LegalMovesWith(Position& pos, MoveList& out, std::optional<Position>& child) {
  // The moves are generated into `out` and kept in place: entry i is read
  // before any entry at i or beyond is written.
  const int n = GenerateAll(pos, out);
  // In 2D out of check the maps settle most moves (the flag may not be set yet).
  const Square king = pos.pieces[(WhiteToMove(pos) ? 0 : kSideSlots) + kKingSlot].square;
  const bool mapsSettle = !Is3D(pos) && !(pos.attackedBy[king] & EnemySlots(pos));
  int count = 0;
  for (int i = 0; i < n; ++i) {
    Move m = out[i];
    const bool promotes = IsPromotion(pos, m.piece, m.to, m);
    if (promotes && !IsPromotionKind(m.kind)) m.kind = kPromoteQueen;
    if ((promotes || Is3D(pos)) && Listed(out, count, m)) continue;
    bool legal = mapsSettle && PlainlyLegal(pos, king, m);
    if (!legal) {
      if (!child) child.emplace();
      Move made = m;
      if (!Is3D(pos)) {
        legal = MakeMove(*child, pos, made) != 0;
      } else if (DoMove(*child, pos, made)) {  // a 3D plain move leaves its maps pending
        legal = !(child->flags & kMapsPending) || KingSafe3D(*child, pos);
      }
    }
    if (legal) out[count++] = m;
  }
  return count;
}

// The scratch of one ply of a count, made once for the whole count: a list
// that is filled again at every node (only the moves' squares, pieces and
// kinds are read), the child position and the one moves are judged in.
struct PerftPly {
  MoveList moves;
  Position child;
  std::optional<Position> judged;
};

uint64_t PerftFrom(Position& pos, int depth, PerftPly* ply) {
  const int n = LegalMovesWith(pos, ply->moves, ply->judged);
  if (depth == 1) return uint64_t(n);  // the last ply counted in bulk
  uint64_t total = 0;
  for (int i = 0; i < n; ++i) {
    Move m = ply->moves[i];
    MakeMove(ply->child, pos, m);
    total += PerftFrom(ply->child, depth - 1, ply + 1);
  }
  return total;
}

}  // namespace

int LegalMoves(Position& pos, MoveList& out) {
  std::optional<Position> scratch;
  return LegalMovesWith(pos, out, scratch);
}

uint64_t Perft(Position& pos, int depth) {
  if (depth <= 0) return 1;
  std::vector<PerftPly> plies(static_cast<std::size_t>(depth));
  return PerftFrom(pos, depth, plies.data());
}

}  // namespace torvik
