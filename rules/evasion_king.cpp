#include <bit>

#include "board/line_tables.h"
#include "board/rays.h"
#include "rules/directions.h"
#include "rules/evasion.h"
#include "rules/slider_reach.h"

namespace torvik {
namespace {

// A step away from a sliding checker along its own line stays in that line: in
// the 2D game always; in the 3D game when the slider, followed over the board
// as it will be after the step, reaches the king's new square (the line may
// pass it by on another level).
bool StaysInLine(const Evasion& e, Square to) {
  const int away = LineDir(e.pos, e.king, to);
  if (away == 0) return false;
  for (uint32_t slots = e.checkers; slots; slots &= slots - 1) {
    const int slot = std::countr_zero(slots);
    const PieceEntry& c = e.pos.pieces[slot];
    if (!IsSlider(c.code) || LineDir(e.pos, c.square, e.king) != away) continue;
    if (!Is3D(e.pos) || ReachesAfterKingStep(e.pos, slot, e.king, to)) return true;
  }
  return false;
}

}  // namespace

// Every square one king step away but X, not attacked, not holding a piece of
// the mover and not left in a checker's line; kind '-' whatever stands there.
void AddKingSteps(Evasion& e) {
  const Position& pos = e.pos;
  const int king = pos.board[e.king];
  for (int d : kKingDirections) {
    RayList list;
    GetRay(pos, e.king, d, list);
    for (int i = 0; i < list.count; ++i) {
      const Square to = list.squares[i];
      const int there = pos.board[to];
      if (to == e.checker || (pos.attackedBy[to] & e.enemy)) continue;
      if (there != 0 && SameSide(there, king)) continue;
      if (!StaysInLine(e, to)) Append(e.sink, king, e.king, to, kPlain);
    }
  }
}

}  // namespace torvik
