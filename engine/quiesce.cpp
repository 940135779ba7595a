// The quiescence search: from a stand-pat value, the side to move tries its
// promotions, its winning capture, then every capture with the most valuable
// victim first and the least valuable attacker first; in check (within the
// ply cap) it searches every evasion.
#include <algorithm>
#include <bit>

#include "board/rays.h"
#include "engine/evaluate.h"
#include "engine/move_order.h"
#include "engine/score.h"
#include "engine/search.h"
#include "engine/tick_clock.h"
#include "rules/generate.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

constexpr int32_t kStandMargin = 6500;
// Under a wall clock a long quiescence search (checks and evasions run to the
// ply cap) polls too, and gives the pass up once the hard limit is passed or
// a stop is asked for.
bool GivenUp(Engine& e) {
  if (!e.aborted && QuiesceAbortCheck(e)) e.aborted = true;
  return e.aborted;
}

// Tries the moves one at a time and keeps the best value.
struct Tries {
  Engine& e;
  Position& pos;
  int32_t gamma;
  int ply;
  int32_t best;
  Position& child;

  bool Done() const { return best >= gamma || e.aborted; }
  void Try(Square from, Square to, int piece, char kind) {
    if (Done()) return;
    Move m{from, to, kNoScore, piece, kind, 0, {0, 0}};
    if (!DoMove(child, pos, m)) return;
    ++e.nodes;
    best = std::max(best, -Quiesce(e, child, 1 - gamma, ply + 1));
  }
};

void TryPromotions(Tries& t, uint32_t mover) {
  const Position& pos = t.pos;
  const int forward = WhiteToMove(pos) ? 1 : -1;
  for (uint32_t m = pos.pawnWatchMask & mover; m; m &= m - 1) {
    const PieceEntry& p = pos.pieces[std::countr_zero(m)];
    RayList ahead;
    GetRay(pos, p.square, forward, ahead);
    for (int i = 0; i < ahead.count; ++i)
      if (pos.board[ahead.squares[i]] == 0) t.Try(p.square, ahead.squares[i], p.code, 'P');
  }
}

// The capture the tactics found, while it still stands.
void TryBestCapture(Tries& t, uint32_t mover) {
  const Position& pos = t.pos;
  const Move& b = pos.bestMove;
  if ((!b.from && !b.to) || !IsSquare(b.from) || !IsSquare(b.to)) return;
  const int victim = pos.board[b.to], piece = pos.board[b.from];
  if (victim == 0 || piece == 0 || SameSide(victim, piece) || (piece > 0) != WhiteToMove(pos)) return;
  const int slot = pos.slotOf[b.from];
  if (slot == kNoSlot || !(pos.attackedBy[b.to] & SlotBit(slot) & mover)) return;
  t.Try(b.from, b.to, piece, '-');
}

void TryCaptures(Tries& t, uint32_t mover) {
  const Position& pos = t.pos;
  const uint32_t victims = pos.occupiedMask & ~mover;
  for (uint32_t v = victims; v && !t.Done(); v &= v - 1) {
    const Square to = pos.pieces[std::countr_zero(v)].square;
    for (uint32_t a = pos.attackedBy[to] & mover; a && !t.Done(); a &= ~(1u << (31 - std::countl_zero(a)))) {
      const PieceEntry& p = pos.pieces[31 - std::countl_zero(a)];
      t.Try(p.square, to, p.code, '-');
    }
  }
}

void TryEnPassant(Tries& t, uint32_t mover) {
  const Position& pos = t.pos;
  if (Is3D(pos) || !pos.epSquare) return;
  const int pawn = WhiteToMove(pos) ? kPawn : -kPawn;
  for (uint32_t a = pos.attackedBy[pos.epSquare] & mover; a; a &= a - 1) {
    const PieceEntry& p = pos.pieces[std::countr_zero(a)];
    if (p.code == pawn) t.Try(p.square, pos.epSquare, p.code, '-');
  }
}

int32_t EvasionNode(Engine& e, Position& pos, int32_t gamma, int ply) {
  if (!(pos.flags & kEvalCached)) Evaluate(pos, gamma, 1);
  int32_t best = kMated;
  MoveList* list = PlyList(e, ply);
  if (list) {
    const int count = GenerateAll(pos, *list);
    OrderMoves(e, pos, list->data(), count, ply, nullptr, gamma);
    Position& child = ChildAt(e, ply);
    for (int i = 0; i < count && best < gamma; ++i) {
      Move m = (*list)[i];
      if (!HasMover(pos, m) || !DoMove(child, pos, m)) continue;
      ++e.nodes;
      best = std::max(best, -Quiesce(e, child, 1 - gamma, ply + 1));
    }
  }
  if (e.aborted) return best;  // cut short: nothing to keep
  StoreTT(e.tt, pos, 0, gamma, best, nullptr);
  return TowardZero(best);
}

}  // namespace

int32_t QuiesceEntry(Engine& e, Position& pos, int32_t gamma, int ply) {
  ++e.tickNodes;
  e.deepestPly = std::max(e.deepestPly, ply);
  return Quiesce(e, pos, gamma, ply + 1);
}

int32_t Quiesce(Engine& e, Position& pos, int32_t gamma, int ply) {
  if (GivenUp(e)) return gamma;  // the pass is given up: the value is never used
  e.deepestPly = std::max(e.deepestPly, ply);
  gamma = GammaAway(gamma);
  int32_t value = 0;
  if (ProbeTT(e.tt, pos, 0, gamma, value, nullptr)) return TowardZero(value);
  Move last = pos.lastMove;
  if (!FinishMove(pos, last)) return kKingTaken;
  if ((pos.flags & kInCheck) && ply < e.controls.difficulty) return EvasionNode(e, pos, gamma, ply);
  int32_t stand = Evaluate(pos, gamma, 0);
  if (stand >= gamma || ply >= e.controls.difficulty) return TowardZero(stand);
  if (!(pos.flags & kEvalCached)) {
    stand = Evaluate(pos, gamma, 1);
    if (stand >= gamma) return TowardZero(stand);
  }
  Tries t{e, pos, gamma, ply, std::max(stand, gamma - kStandMargin), ChildAt(e, ply)};
  const uint32_t mover = WhiteToMove(pos) ? kWhiteSlots : kBlackSlots;
  TryPromotions(t, mover);
  TryBestCapture(t, mover);
  TryCaptures(t, mover);
  TryEnPassant(t, mover);
  return TowardZero(t.best);
}

}  // namespace torvik
