// The evaluation driver: which pieces the last move can have changed, the fast
// terms, the lazy estimate, the slow passes over the attack maps, and the
// endgame adjustment, cached in the position.
#include "engine/evaluate.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "board/console.h"
#include "engine/eval_terms.h"
#include "engine/score.h"
#include "engine/square_control.h"
#include "engine/tactics.h"

namespace torvik {
namespace {

// Bishops and knights are recomputed after every move, and so are the pieces
// promoted into pawn slots, which may be bishops or knights too.
constexpr uint32_t kMinorSlots = 0x00f000f0u;
constexpr uint32_t kPawnSlotBits = 0xff00ff00u;
constexpr uint32_t kKings = SlotBit(kKingSlot) | SlotBit(kSideSlots + kKingSlot);

int32_t Clamp(int32_t score) { return std::clamp(score, -kEvalLimit, kEvalLimit); }

// The parent was evaluated after this position was made from it: take its
// cached terms again, keeping what the board keeps for this position.
void Inherit(Position& pos) {
  const Position& parent = *pos.previous;
  if (pos.eval.serial == parent.eval.serial) return;
  const EvalCache own = pos.eval;
  pos.eval = parent.eval;
  pos.eval.stage = own.stage;
  pos.eval.recomputeMask = own.recomputeMask;
  pos.eval.material = own.material;
  pos.eval.lastSearchScore = own.lastSearchScore;
  const uint32_t pawns = PawnSlots(pos);
  pos.eval.passedMask[kWhite] &= pawns;
  pos.eval.passedMask[kBlack] &= pawns;
}

// A passed pawn of `side` on `s` (when s is a square).
bool PassedOn(const Position& pos, int side, Square s) {
  if (!IsSquare(s) || pos.slotOf[s] == kNoSlot) return false;
  return (pos.eval.passedMask[side] >> pos.slotOf[s]) & 1;
}

// Passed pawns the move may have blocked or freed.
uint32_t PassersTouched(const Position& pos, const Position& parent, Square from, Square to) {
  const bool took = parent.board[to] != 0;
  const int now = pos.board[to];
  uint32_t marks = 0;
  auto mark = [&](int side, Square s) {
    if (PassedOn(pos, side, s)) marks |= SlotBit(pos.slotOf[s]);
  };
  if (RowOf(to) > 1 && (took || now < 0)) mark(kWhite, to - 1);
  if (RowOf(to) < 6 && (took || now > 0)) mark(kBlack, to + 1);
  if (RowOf(from) > 1 && now < 0) mark(kWhite, from - 1);
  if (RowOf(from) < 6 && now > 0) mark(kBlack, from + 1);
  return marks;
}

// The slots the last move can have changed the value of, beyond those the
// attack-map update marked.
uint32_t MoveMarks(const Position& pos, const Position& parent) {
  uint32_t marks = kMinorSlots | (pos.pieceMask & kPawnSlotBits);
  const Move& m = pos.lastMove;
  if (m.kind != kBoardMove && IsSquare(m.from) && IsSquare(m.to)) {
    const int atFrom = parent.board[m.from], atTo = parent.board[m.to];
    if (atFrom == kPawn || atTo == kPawn) marks |= SlotBit(kKingSlot);
    if (atFrom == -kPawn || atTo == -kPawn) marks |= SlotBit(kSideSlots + kKingSlot);
    if (TypeOf(atFrom) == kKing) marks |= PawnSlots(pos);
    if (atTo == kQueen || atTo == kBishop) marks |= SlotBit(kSideSlots + kKingSlot);
    if (atTo == -kQueen || atTo == -kBishop) marks |= SlotBit(kKingSlot);
    marks |= PassersTouched(pos, parent, m.from, m.to);
  }
  // Against a bare king every enemy passer runs a race.
  if ((pos.pieceMask & kWhiteSlots) == SlotBit(kKingSlot)) marks |= pos.eval.passedMask[kBlack];
  if ((pos.pieceMask & kBlackSlots) == SlotBit(kSideSlots + kKingSlot)) marks |= pos.eval.passedMask[kWhite];
  // In the pawnless stage a king's value depends on where the other king stands
  // and on the material, which any move may change.
  if (pos.eval.stage == 3) marks |= kKings;
  return marks;
}

void MarkForRecompute(Position& pos, int32_t bound, EvalMode mode) {
  uint32_t& mask = pos.eval.recomputeMask;
  if (bound == kNoScore) {
    pos.previous = nullptr;
    mask |= pos.occupiedMask;
  } else if (mode == EvalMode::Fresh) {
    mask |= pos.occupiedMask;
  } else if (pos.previous) {
    mask |= MoveMarks(pos, *pos.previous);
  }
  mask &= pos.occupiedMask;
}

// The fast terms, in the order their side effects need; the tactics term,
// the costliest of them, comes last and apart (FastTerms leaves it 0).
struct Fast {
  PawnColumns cols;  // the same board all through one evaluation
  int32_t pins, patterns;
  uint32_t marked;  // the slots the first piece values recomputed
  int32_t pieces, king, tactics;
  int32_t Partial() const { return patterns + pieces + king + tactics; }
};

Fast FastTerms(Position& pos) {
  Fast f{};
  f.cols = ColumnPawns(pos);
  f.pins = PinnedPass(pos);
  f.patterns = PatternTerms(pos);
  f.marked = pos.eval.recomputeMask;
  f.pieces = PieceValues(pos, f.cols);
  f.king = KingSafety(pos, f.cols);
  return f;
}

// The estimate from the fast terms and the parent's slow terms (side to
// move's view), when it clears the bound by the margin even after the
// deduction. `unknown` is what a term left out could still take off the side
// to move: the estimate clears the margin and is lowered by that much too.
std::optional<int32_t> LazyEstimate(Position& pos, int32_t bound, int32_t fast, int32_t sign, int32_t unknown) {
  const int32_t slow = pos.eval.slowTerms;
  if (std::abs(slow) >= kLazyMargin || bound + kLazyMargin + unknown >= (fast + slow) * sign) return std::nullopt;
  int32_t e = fast + slow - (kLazyDeduction + unknown) * sign;
  e += EndgameAdjust(pos, e);
  if (bound > e * sign) return std::nullopt;
  return e * sign;
}

int32_t FullEvaluation(Position& pos, const Fast& f, int32_t material, EvalBreakdown* out) {
  const int32_t control = SquareControlPass(pos);
  const int32_t attacks = AttackPass(pos);
  const int32_t slow = f.pins + control + attacks;
  const uint32_t passed = pos.eval.passedMask[kWhite] | pos.eval.passedMask[kBlack];
  pos.eval.recomputeMask = (pos.eval.recomputeMask & ~f.marked) | passed;
  const int32_t pieces = PieceValues(pos, f.cols);
  const int32_t mobility = MobilityTerm(pos);
  pos.eval.slowTerms = slow + mobility;
  const int32_t overload = OverloadTerm(pos);
  pos.flags |= kEvalCached;
  int32_t total = f.Partial() + slow + (pieces - f.pieces) + mobility + overload + material;
  const int32_t adjust = EndgameAdjust(pos, total);
  total += adjust;
  pos.evalScore = total;
  ++pos.eval.serial;
  if (out) *out = {material, f.patterns, pieces, f.king, f.tactics, f.pins, control, attacks,
                   mobility, overload, adjust, total};
  return total;
}

int32_t EvaluateTerms(Position& pos, int32_t bound, EvalMode mode, EvalBreakdown* out) {
  const int32_t sign = WhiteToMove(pos) ? 1 : -1;
  if (pos.eval.stage < 0 || pos.eval.stage >= kStages) Warn(false, "Stage error");
  if (pos.flags & kEvalCached) return Clamp(pos.evalScore * sign);
  if (pos.flags & kMapsPending) Warn(false, "NEED_PART2 in eval");
  [[maybe_unused]] static const int tableChecked = CheckCoefficients();
  if (pos.previous && !(pos.previous->flags & kEvalCached)) Evaluate(*pos.previous, bound, EvalMode::Incremental);
  if (pos.previous) Inherit(pos);
  pos.eval.raceMask = {0, 0};
  const int32_t diff = pos.eval.material[kWhite] - pos.eval.material[kBlack];
  const int32_t material = std::clamp(diff, -kMaterialClamp, kMaterialClamp);
  MarkForRecompute(pos, bound, mode);
  Fast f = FastTerms(pos);
  const bool lazy = mode == EvalMode::Lazy && pos.previous;
  // A position far enough beyond the bound is not worth its capture search:
  // the tactics term costs the side to move at most the other side's threat
  // (with, in the 3D game, the share of a double threat).
  if (lazy && !(pos.flags & kTacticsCached)) {
    const int32_t cost = TacticsTermCost(pos);
    if (const auto e = LazyEstimate(pos, bound, f.Partial() + material, sign, cost)) return Clamp(*e);
  }
  f.tactics = TacticsTerm(pos);
  if (lazy) {
    if (const auto e = LazyEstimate(pos, bound, f.Partial() + material, sign, 0)) return Clamp(*e);
  }
  return Clamp(FullEvaluation(pos, f, material, out) * sign);
}

}  // namespace

int32_t Evaluate(Position& pos, int32_t bound, EvalMode mode) { return EvaluateTerms(pos, bound, mode, nullptr); }

int32_t ExplainEvaluation(Position& pos, EvalBreakdown& out) {
  pos.flags &= ~(kEvalCached | kTacticsCached);
  return EvaluateTerms(pos, kNoScore, EvalMode::Fresh, &out);
}

}  // namespace torvik
