// The tactics term and the root's capture test: a side wins material when its
// captures gain half a pawn or more, by the capture search (the 3D game's term,
// the root's test) or by static exchanges (the 2D game's term).
#include <algorithm>
#include <bit>
#include <memory>

#include "engine/eval_terms.h"
#include "engine/score.h"
#include "engine/static_exchange.h"
#include "engine/tactics.h"
#include "engine/tactics_memo.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

// A double threat costs the threatened side this fraction of the lesser capture.
constexpr int32_t kDoubleThreatShare = 2;

int32_t Difference(const Position& pos, int side) {
  return pos.eval.material[side] - pos.eval.material[side ^ 1];
}

// 2D: the outcome by static exchanges alone, as CaptureOutcome answers it: a
// side wins when one of its captures gains kCaptureGain by the exchange on its
// square, and `bestMove` becomes the first such capture found. It looks at
// each square on its own (no answer elsewhere on the board), and it costs a
// fraction of the capture search: the depth it buys is worth more.
int ExchangeOutcome(Position& pos) {
  const auto wins = [&](int side) {
    const View& v = kViews[side];
    for (uint32_t victims = pos.occupiedMask & v.enemy; victims; victims &= victims - 1) {
      const PieceEntry& t = pos.pieces[std::countr_zero(victims)];
      if (t.code == 0 || TypeOf(t.code) == kKing) continue;
      for (uint32_t m = pos.attackedBy[t.square] & v.own & pos.occupiedMask; m; m &= m - 1) {
        const PieceEntry& a = pos.pieces[std::countr_zero(m)];
        if (StaticExchange(pos, a.square, t.square) < kCaptureGain) continue;
        pos.bestMove = Move{a.square, t.square, kNoScore, a.code, kCapture, 0, {0, 0}};
        return true;
      }
    }
    return false;
  };
  const int mover = WhiteToMove(pos) ? kWhite : kBlack;
  return wins(mover) ? 1 : wins(mover ^ 1) ? -1 : 0;
}

int Outcome(Position& pos) { return Is3D(pos) ? CaptureOutcome(pos) : ExchangeOutcome(pos); }

// The outcome, from the think's memo when the position was met before; sets
// `bestMove` as the search would.
int32_t RememberedOutcome(Position& pos) {
  TacticsMemo* memo = pos.tacticsMemo;
  if (!memo) return Outcome(pos);
  if (const TacticsAnswer* known = FindTactics(*memo, pos)) {
    pos.bestMove = known->bestMove;
    return known->outcome;
  }
  const TacticsAnswer answer{Outcome(pos), pos.bestMove};
  StoreTactics(*memo, pos, answer);
  return answer.outcome;
}

// 3D: a double threat, where the side not to move wins two of the mover's
// pieces by their exchanges and the mover can save only one. What the lesser
// of the two best such captures wins, or 0.
int32_t DoubleThreat(const Position& pos) {
  const View& v = kViews[WhiteToMove(pos) ? kBlack : kWhite];
  int32_t first = 0, second = 0;
  for (uint32_t victims = pos.occupiedMask & v.enemy; victims; victims &= victims - 1) {
    const PieceEntry& t = pos.pieces[std::countr_zero(victims)];
    if (TypeOf(t.code) == kKing) continue;
    const int32_t gain = BestExchange(pos, pos.attackedBy[t.square] & v.own & pos.occupiedMask, t.square);
    if (gain < kCaptureGain) continue;
    second = std::max(second, std::min(first, gain));
    first = std::max(first, gain);
  }
  return second;
}

int32_t DoubledShare(const Position& pos) { return Is3D(pos) ? DoubleThreat(pos) / kDoubleThreatShare : 0; }

// The term as the side to move sees it, made White-positive. In the 3D game a
// threatened side facing a double threat loses a share of the lesser capture too.
int32_t ComputeTerm(Position& pos) {
  const CoefficientTable& c = Coefficients(pos);
  const int32_t sign = WhiteToMove(pos) ? 1 : -1;
  const int32_t outcome = RememberedOutcome(pos);
  if (outcome > 0) return sign * c[kWinsByCaptures];
  if (outcome == 0) return 0;
  return -sign * (c[kThreatensCaptures] + DoubledShare(pos));
}

}  // namespace

int32_t TacticsTermCost(const Position& pos) {
  return std::max(Coefficients(pos)[kThreatensCaptures], 0) + DoubledShare(pos);
}

int32_t TacticsTerm(Position& pos) {
  if (pos.flags & kTacticsCached) return pos.evalTerm;
  ClearMove(pos.bestMove);
  pos.evalTerm = ComputeTerm(pos);
  pos.flags |= kTacticsCached;
  return pos.evalTerm;
}

// The term is worked out again for the new side to move (the think's memo
// keeps the capture searches cheap), and `evalScore` moves by the change.
void RefreshTactics(Position& pos) {
  if (pos.flags & kTacticsCached) pos.evalScore -= pos.evalTerm;
  pos.flags &= ~kTacticsCached;
  pos.evalScore += TacticsTerm(pos);
}

int32_t RootMoveGain(Position& pos, const Move& move) {
  auto child = std::make_unique<Position>();
  Move m = move;
  if (!MakeMove(*child, pos, m)) return -kNoScore;
  const int opponent = WhiteToMove(*child) ? kWhite : kBlack;
  const int32_t before = Difference(*child, opponent);
  int32_t lower = -kNoScore, upper = kNoScore, gamma = before + 1;
  while (lower < upper - kCaptureGain) {
    const int32_t v = CaptureSearch(*child, opponent, child->occupiedMask, 0, gamma, false);
    if (v < gamma) {
      upper = v;
      gamma = upper - 1;
    } else {
      lower = v;
      gamma = lower + 1;
    }
  }
  if (lower > before) return before - lower;
  if (upper < before) return before - upper;
  return 0;
}

}  // namespace torvik
