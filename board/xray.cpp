#include "board/xray.h"

#include "board/line_tables.h"

namespace torvik {

int ExtendsXray(const Position& pos, Square from, Square to) {
  const int mover = pos.board[from], blocker = pos.board[to];
  if (mover == 0 || blocker == 0) return 1;
  return IsSlider(blocker) && SameSide(mover, blocker) && PieceReach(pos, blocker, to, from) ? 1 : 0;
}

}  // namespace torvik
