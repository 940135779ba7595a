// The tactics term and the root's capture test, both built on the capture
// search: a side wins material when its captures gain half a pawn or more.
#include <memory>

#include "board/console.h"
#include "engine/eval_terms.h"
#include "engine/score.h"
#include "engine/tactics.h"
#include "engine/tactics_memo.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

int32_t Difference(const Position& pos, int side) {
  return pos.eval.material[side] - pos.eval.material[side ^ 1];
}

// The side wins material by captures from the position as it stands.
bool WinsMaterial(Position& pos, int side) {
  const int32_t gamma = Difference(pos, side) + kCaptureGain;
  return CaptureSearch(pos, side, pos.occupiedMask, 0, gamma, true) >= gamma;
}

// +1 the side to move wins material, -1 the other side threatens to, 0 neither.
int32_t Outcome(Position& pos) {
  const int mover = WhiteToMove(pos) ? kWhite : kBlack;
  if (WinsMaterial(pos, mover)) return 1;
  if (WinsMaterial(pos, mover ^ 1)) return -1;
  return 0;
}

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

// The term as the side to move sees it, made White-positive.
int32_t ComputeTerm(Position& pos) {
  const CoefficientTable& c = Coefficients(pos);
  const int32_t sign = WhiteToMove(pos) ? 1 : -1;
  const int32_t outcome = RememberedOutcome(pos);
  if (outcome > 0) return sign * c[kWinsByCaptures];
  if (outcome < 0) return -sign * c[kThreatensCaptures];
  return 0;
}

}  // namespace

int32_t TacticsTerm(Position& pos) {
  if (pos.flags & kTacticsCached) return pos.evalTerm;
  ClearMove(pos.bestMove);
  pos.evalTerm = ComputeTerm(pos);
  pos.flags |= kTacticsCached;
  return pos.evalTerm;
}

// The side now to move could only have been threatening before (1189 for it)
// or losing material (1188 against it): a threat becomes a win; a loss is
// tested again, now that it moves first.
void RefreshTactics(Position& pos) {
  if (!(pos.flags & kTacticsCached)) {
    pos.evalScore += TacticsTerm(pos);
    return;
  }
  if (pos.evalTerm == 0) return;
  const CoefficientTable& c = Coefficients(pos);
  const int32_t win = c[kWinsByCaptures], threat = c[kThreatensCaptures];
  const int mover = WhiteToMove(pos) ? kWhite : kBlack;
  const int32_t sign = mover == kWhite ? 1 : -1;
  const int32_t term = pos.evalTerm * sign;  // from the new mover's view
  int32_t now;
  if (term == threat) {
    now = win;
  } else if (term == -win) {
    now = WinsMaterial(pos, mover) ? win : -threat;
  } else {
    // A term the other side to move could not have left: reported, kept.
    static constexpr const char* kBugs[2][2] = {{"tactics bug 1", "tactics bug 2"},
                                                {"tactics bug 3", "tactics bug 4"}};
    Warn(false, kBugs[mover][term == win ? 0 : 1]);
    return;
  }
  pos.evalScore += sign * (now - term);
  pos.evalTerm = sign * now;
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
