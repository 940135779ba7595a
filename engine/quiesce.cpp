// The quiescence search: from a stand-pat value, the side to move tries the
// capture the table remembers, its promotions, its winning capture, then every
// capture with the most valuable victim first and the least valuable attacker
// first, leaving out captures that cannot reach the bound or that lose
// material by exchange; in check (within the ply cap, in its first plies) it
// searches every evasion. Its results
// go to the table at depth 0, where only the quiescence search takes them.
#include <algorithm>
#include <array>
#include <bit>

#include "board/piece_values.h"
#include "board/rays.h"
#include "engine/evaluate.h"
#include "engine/move_order.h"
#include "engine/score.h"
#include "engine/search.h"
#include "engine/static_exchange.h"
#include "engine/tick_clock.h"
#include "rules/generate.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

// A node below gamma starts its best value no lower than this under gamma:
// a fail low reports a bound near gamma, not the bare stand-pat value.
constexpr int32_t kStandMargin = 6500;
// Delta pruning: a capture is not tried when its victim (with a promotion's
// gain), plus this allowance for what the capture changes beyond material,
// cannot bring the stand-pat value up to gamma. Half a pawn.
constexpr int32_t kDeltaMargin = 5000;
constexpr int32_t kPromotionGain = PieceValue(kQueen) - PieceValue(kPawn);
// A side in check searches all its evasions only this many plies into the
// quiescence search; deeper it stands pat and tries its captures, as when not
// in check, so that a run of capturing checks cannot grow without end.
constexpr int kEvasionPlies = 4;
// Under a wall clock a long quiescence search (checks and evasions in its
// first plies) polls too, and gives the pass up once the hard limit is passed or
// a stop is asked for.
bool GivenUp(Engine& e) {
  if (!e.aborted && QuiesceAbortCheck(e)) e.aborted = true;
  return e.aborted;
}

}  // namespace

int32_t QuiesceEntry(Engine& e, Position& pos, int32_t gamma, int ply) {
  ++e.tickNodes;
  e.deepestPly = std::max(e.deepestPly, ply);
  e.quiesceStart = ply + 1;
  return Quiesce(e, pos, gamma, ply + 1);
}

int32_t Quiesce(Engine& e, Position& pos, int32_t gamma, int ply) {
  // Step 1. Abort check: under a wall clock a pass given up ends here (its
  // value is never used).
  if (GivenUp(e)) return gamma;
  e.deepestPly = std::max(e.deepestPly, ply);
  gamma = GammaAway(gamma);

  // Step 2. Transposition table probe (depth 0: the quiescence search's own).
  int32_t value = 0;
  Move stored{};
  if (ProbeTT(e.tt, pos, 0, gamma, value, &stored)) return TowardZero(value);

  // Step 3. Finish the move that led here; one that left its king attacked loses.
  Move last = pos.lastMove;
  if (!FinishMove(pos, last)) return kKingTaken;
  Position& child = ChildAt(e, ply);

  // Step 4. In check, in the first plies: every evasion, as the full search would.
  if ((pos.flags & kInCheck) && ply < e.controls.difficulty && ply - e.quiesceStart < kEvasionPlies) {
    if (!(pos.flags & kEvalCached)) Evaluate(pos, gamma, EvalMode::Incremental);
    int32_t best = kMated;
    if (MoveList* list = PlyList(e, ply)) {
      const int count = GenerateAll(pos, *list);
      OrderMoves(e, pos, list->data(), count, ply, nullptr, gamma);
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

  // Step 5. Stand pat: a lazy estimate first, the whole evaluation when that
  // is below gamma. Beyond the ply cap the estimate is the answer.
  int32_t stand = Evaluate(pos, gamma, EvalMode::Lazy);
  if (ply >= e.controls.difficulty) return TowardZero(stand);  // not stored
  if (stand < gamma && !(pos.flags & kEvalCached)) stand = Evaluate(pos, gamma, EvalMode::Incremental);
  if (stand >= gamma) {
    StoreTT(e.tt, pos, 0, gamma, stand, nullptr);
    return TowardZero(stand);
  }

  // The moves are tried one at a time; the best value is kept and the move
  // that reached gamma. The captures tried ahead of the rest are not tried again.
  int32_t best = std::max(stand, gamma - kStandMargin);
  Move cut{};
  std::array<Move, 2> lead{};
  int leadCount = 0;
  const uint32_t mover = WhiteToMove(pos) ? kWhiteSlots : kBlackSlots;
  const auto done = [&] { return best >= gamma || e.aborted; };
  const auto tryMove = [&](Square from, Square to, int piece, char kind) {
    if (done()) return;
    for (int i = 0; i < leadCount; ++i)
      if (lead[i].from == from && lead[i].to == to) return;
    Move m{from, to, kNoScore, piece, kind, 0, {0, 0}};
    if (!DoMove(child, pos, m)) return;
    ++e.nodes;
    best = std::max(best, -Quiesce(e, child, 1 - gamma, ply + 1));
    if (best >= gamma) cut = Move{from, to, 0, piece, kind, 0, {0, 0}};
  };
  // Delta pruning: whether a move that wins `gain` can still reach gamma; when
  // it cannot, what it might reach joins the best value, which stays an upper
  // bound. In check every capture may be the way out: none is left out.
  const auto canReach = [&](int32_t gain) {
    if (pos.flags & kInCheck) return true;
    const int32_t reach = stand + gain + kDeltaMargin;
    if (reach >= gamma) return true;
    best = std::max(best, reach);
    return false;
  };
  // A capture tried first: it still stands when its piece is the mover's and
  // attacks an enemy piece on the to-square.
  const auto tryLead = [&](const Move& m) {
    if ((!m.from && !m.to) || !IsSquare(m.from) || !IsSquare(m.to) || leadCount == int(lead.size())) return;
    const int victim = pos.board[m.to], piece = pos.board[m.from];
    if (victim == 0 || piece == 0 || SameSide(victim, piece) || (piece > 0) != WhiteToMove(pos)) return;
    const int slot = pos.slotOf[m.from];
    if (slot == kNoSlot || !(pos.attackedBy[m.to] & SlotBit(slot) & mover)) return;
    tryMove(m.from, m.to, piece, '-');
    lead[leadCount++] = m;
  };

  // Step 6. The capture the table remembers.
  tryLead(stored);

  // Step 7. Promotions: every push of a pawn on its last step.
  if ((pos.pawnWatchMask & mover) && canReach(kPromotionGain)) {
    const int forward = WhiteToMove(pos) ? 1 : -1;
    for (uint32_t m = pos.pawnWatchMask & mover; m; m &= m - 1) {
      const PieceEntry& p = pos.pieces[std::countr_zero(m)];
      RayList ahead;
      GetRay(pos, p.square, forward, ahead);
      for (int i = 0; i < ahead.count; ++i)
        if (pos.board[ahead.squares[i]] == 0) tryMove(p.square, ahead.squares[i], p.code, 'P');
    }
  }

  // Step 8. The position's winning capture (the tactics term's).
  tryLead(pos.bestMove);

  // Step 9. Captures, the most valuable victim first and the least valuable
  // attacker first. One that loses material once the exchange has run is left
  // out (one by a piece worth no more than its victim never does).
  for (uint32_t v = pos.occupiedMask & ~mover; v && !done(); v &= v - 1) {
    const PieceEntry& victim = pos.pieces[std::countr_zero(v)];
    const Square to = victim.square;
    const bool promotes = (pos.attackedBy[to] & mover & pos.pawnWatchMask) != 0;
    if (!canReach(PieceValue(victim.code) + (promotes ? kPromotionGain : 0))) continue;
    for (uint32_t a = pos.attackedBy[to] & mover; a && !done(); a &= ~(1u << (31 - std::countl_zero(a)))) {
      const PieceEntry& p = pos.pieces[31 - std::countl_zero(a)];
      if (LosesByExchange(pos, p.square, to)) continue;
      tryMove(p.square, to, p.code, '-');
    }
  }

  // Step 10. En passant (the 2D game's).
  if (!Is3D(pos) && pos.epSquare && canReach(PieceValue(kPawn))) {
    const int pawn = WhiteToMove(pos) ? kPawn : -kPawn;
    for (uint32_t a = pos.attackedBy[pos.epSquare] & mover; a; a &= a - 1) {
      const PieceEntry& p = pos.pieces[std::countr_zero(a)];
      if (p.code == pawn) tryMove(p.square, pos.epSquare, p.code, '-');
    }
  }

  // Step 11. Store the result.
  if (e.aborted) return best;  // cut short: nothing to keep
  StoreTT(e.tt, pos, 0, gamma, best, best >= gamma ? &cut : nullptr);
  return TowardZero(best);
}

}  // namespace torvik
