#include "rules/legality.h"

#include "board/console.h"
#include "rules/generate.h"
#include "rules/make_move.h"

namespace torvik {

int LegalMove(Position& pos, Move& move) {
  if (move.piece == 0 && move.from == 0 && move.to == 0) {
    Warn(false, "NULL move @ LegalMove");
    return 0;
  }
  MoveList list{};
  const int n = GenerateAll(pos, list);
  for (int i = 0; i < n; ++i) {
    const Move& m = list[i];
    if (m.piece != move.piece || m.to != move.to || m.from != move.from) continue;
    // A move from the engine's table carries a mark, not a kind: it takes the
    // generated move's, so that it is named and recorded as the rules make it.
    if (!IsMoveKind(move.kind)) move.kind = m.kind;
    Position scratch;
    return MakeMove(scratch, pos, move);
  }
  return 0;
}

int IsRepetition(const Position& pos, int count) {
  if (pos.halfmoveCount > 101) return 1;
  if (!pos.history) return 0;
  int found = 0;
  const int oldest = pos.ply - pos.halfmoveCount;
  for (int ply = pos.ply - 2; ply >= 0 && ply >= oldest; ply -= 2)
    if (pos.history->At(ply) == pos.hashKey && ++found >= count) return 1;
  return 0;
}

}  // namespace torvik
