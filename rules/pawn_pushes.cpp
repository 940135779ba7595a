#include "rules/pawn_pushes.h"

#include "board/geometry.h"
#include "board/rays.h"
#include "rules/directions.h"

namespace torvik {

// The double step belongs to the square, not to the piece-list slot: a white
// pawn on row 1, a black pawn on row 6, so that a position rebuilt from a board
// keeps it. A pawn on an attack board has it only while that board is home.
bool MayDoubleStep(const Position& pos, Square from, int code) {
  if (RowOf(from) != (code > 0 ? 1 : 6)) return false;
  if (!Is3D(pos)) return true;
  const int board = BoardOfSquare(from);
  return board < 0 || IsAttackBoardHome(pos, kBoardCodes[board]) == 1;
}

int PawnPushTargets(const Position& pos, Square from, int code, PawnTargets& out) {
  out.count = 0;
  const int forward = PawnForward(code);
  RayList ahead;
  GetRay(pos, from, forward, ahead);
  std::array<bool, kLevelCount> open;
  open.fill(true);
  bool blocked = false;
  for (int i = 0; i < ahead.count; ++i) {
    const Square f = ahead.squares[i];
    if (pos.board[f] != 0) {
      open[LevelOfSquare(pos, f)] = false;
      blocked = true;
    } else {
      out.squares[out.count++] = f;
    }
  }
  if (!MayDoubleStep(pos, from, code)) return out.count;
  if (blocked && Is3D(pos) && pos.rules == kTournament) return out.count;
  for (int i = 0; i < ahead.count; ++i) {
    const Square f = ahead.squares[i];
    if (pos.board[f] != 0) continue;
    RayList beyond;
    GetRay(pos, f, forward, beyond);
    for (int j = 0; j < beyond.count; ++j) {
      const Square t = beyond.squares[j];
      if (pos.board[t] == 0 && open[LevelOfSquare(pos, t)]) out.squares[out.count++] = t;
    }
  }
  return out.count;
}

bool PawnPushesTo(const Position& pos, Square from, Square to) {
  PawnTargets targets;
  const int n = PawnPushTargets(pos, from, pos.board[from], targets);
  for (int i = 0; i < n; ++i)
    if (targets.squares[i] == to) return true;
  return false;
}

}  // namespace torvik
