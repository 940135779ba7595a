// The capture search: victims most valuable first, each taken by its cheapest
// attacker first, the other side answering on the board left behind. The
// pieces move on the board and in the piece list and are put back.
#include "board/line_tables.h"
#include "board/piece_values.h"
#include "board/rays.h"
#include "engine/eval_terms.h"
#include "engine/tactics.h"

namespace torvik {
namespace {

// Attack bits a capture added (the 2D x-ray step), to take off again.
struct AddedAttacks {
  std::array<Square, kSlots> squares;
  std::array<uint32_t, kSlots> bits;
  int count = 0;
};

// 2D: own sliders that attacked `from` now see through it to the next piece.
void ExtendLines(Position& pos, const View& v, Square from, uint32_t used, uint32_t& targets,
                 AddedAttacks& added) {
  const uint32_t sliders = pos.attackedBy[from] & v.own & pos.sliderMask & pos.occupiedMask & ~used;
  for (uint32_t m = sliders; m; m &= m - 1) {
    const int slider = std::countr_zero(m);
    const PieceEntry& s = pos.pieces[slider];
    const int d = LineDir(pos, s.square, from);
    if (!IsSlider(s.code) || d == 0) continue;
    Square at = from;
    RayList next;
    do {
      if (GetRay(pos, at, d, next) == 0) break;
      at = next.squares[0];
    } while (pos.board[at] == 0);
    if (pos.board[at] == 0) continue;
    const uint32_t bit = SlotBit(slider);
    if (!(pos.attackedBy[at] & bit)) {
      pos.attackedBy[at] |= bit;
      added.squares[added.count] = at;
      added.bits[added.count++] = bit;
    }
    if (pos.board[at] * v.sign < 0) targets |= SlotBit(pos.slotOf[at]);
  }
}

// `attacker` takes `victim`, the other side answers; the result is from v's view.
int32_t TryCapture(Position& pos, const View& v, int attacker, int victim, uint32_t targets, uint32_t used,
                   int32_t gamma) {
  PieceEntry& a = pos.pieces[attacker];
  PieceEntry& t = pos.pieces[victim];
  const Square from = a.square, to = t.square;
  const int victimCode = t.code;
  pos.board[from] = 0;
  pos.slotOf[from] = kNoSlot;
  pos.board[to] = a.code;
  pos.slotOf[to] = uint8_t(attacker);
  a.square = to;
  t.code = 0;
  pos.eval.material[v.side ^ 1] -= PieceValue(victimCode);
  AddedAttacks added;
  targets |= SlotBit(attacker);
  if (!Is3D(pos)) ExtendLines(pos, v, from, used | SlotBit(attacker), targets, added);
  const uint32_t nowUsed = used | SlotBit(attacker) | SlotBit(victim);
  const int32_t result = -CaptureSearch(pos, v.side ^ 1, targets & ~SlotBit(victim), nowUsed, 1 - gamma, false);
  for (int i = 0; i < added.count; ++i) pos.attackedBy[added.squares[i]] &= ~added.bits[i];
  pos.eval.material[v.side ^ 1] += PieceValue(victimCode);
  t.code = victimCode;
  a.square = from;
  pos.slotOf[to] = uint8_t(victim);
  pos.board[to] = victimCode;
  pos.slotOf[from] = uint8_t(attacker);
  pos.board[from] = a.code;
  return result;
}

void StoreBest(Position& pos, int attacker, Square to) {
  const PieceEntry& a = pos.pieces[attacker];
  pos.bestMove = Move{a.square, to, kNoScore, a.code, kCapture, 0, {0, 0}};
}

}  // namespace

int32_t CaptureSearch(Position& pos, int side, uint32_t targets, uint32_t used, int32_t gamma, bool top) {
  const View& v = kViews[side];
  const int32_t standPat = pos.eval.material[side] - pos.eval.material[side ^ 1];
  int32_t best = standPat;
  if (standPat >= gamma) return best;
  const uint32_t ready = v.own & pos.occupiedMask & ~used;  // the pieces still free to capture
  for (uint32_t victims = targets & v.enemy; victims; victims &= victims - 1) {
    const int victim = std::countr_zero(victims);
    const PieceEntry& t = pos.pieces[victim];
    if (t.code == 0) continue;
    const int32_t gain = standPat + PieceValue(t.code);
    if (gain < gamma) return std::max(best, gain);
    const Square to = t.square;
    for (uint32_t m = pos.attackedBy[to] & ready; m;) {
      const int attacker = 31 - std::countl_zero(m);
      m &= ~SlotBit(attacker);
      if (pos.pieces[attacker].code == 0) continue;
      best = std::max(best, TryCapture(pos, v, attacker, victim, targets, used, gamma));
      if (best >= gamma) {
        if (top) StoreBest(pos, attacker, to);
        return best;
      }
    }
  }
  return best;
}

}  // namespace torvik
