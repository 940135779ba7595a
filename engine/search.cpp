#include "engine/search.h"

#include <algorithm>
#include <array>

#include "board/eval_cache.h"
#include "engine/evaluate.h"
#include "engine/move_order.h"
#include "engine/score.h"
#include "engine/square_control.h"
#include "engine/static_exchange.h"
#include "engine/tactics.h"
#include "engine/tick_clock.h"
#include "rules/generate.h"
#include "rules/legality.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

constexpr int kExtensionRoom = 20;     // extensions stop this deep below the root depth
constexpr int kNullReduction = 4;      // the null move is searched this many plies shallower
constexpr int kEngineNullDepth = 3;    // at the engine's own nodes no null move below this depth
constexpr int32_t kNullMateCut = 10000; // a null move's mate score is taken down by this: passing proves no mate
constexpr int kNullControlFloor = 6;   // fewer controlled squares: zugzwang risk, no null move
// A null move that gets mated this near the bottom of the scale shows a mate
// threat: the node is searched a ply deeper.
constexpr int32_t kMateThreat = -(kMateScores - 2);
constexpr int kLateMoveDepth = 3;      // late quiet moves are searched a ply shallower from here on
constexpr int kLateMoveIndex = 3;      // the moves ordered before this one are never reduced
constexpr int kLateMoveReduction = 1;  // how much shallower a late quiet move is tried first
// In the 2D game a late quiet move that has never refuted anything (its
// history is empty) is tried a ply shallower still, from this depth and place.
constexpr int kColdMoveDepth = 4;
constexpr int kColdMoveIndex = 5;
// A recapture on the square the last move took on is extended while the
// material stays within this of what it was two plies up (an even trade).
constexpr int32_t kRecaptureWindow = 5000;
// Frontier futility: this near the horizon, a calm node this far below gamma
// (per ply of depth left) goes straight to the quiescence search. The 2D game
// takes it two plies up; in the 3D game, whose moves swing more, that loses.
constexpr int32_t kFrontierMargin = 9000;
constexpr int kFrontierDepth2D = 2;
constexpr int kFrontierDepth3D = 1;
constexpr int kEtcMateSteps = 2;       // a cutoff proven by a child's entry is two plies further down
// Static cut: this shallow, a static score this far above gamma (per ply of
// depth left) stands for the node without a search.
constexpr int kStaticCutDepth = 6;
constexpr int32_t kStaticCutMargin = 6000;
// Late-move pruning: at depths 1 to 3 the quiet moves from this place in the
// list on are not searched at all, once a move has a value. The 3D game has
// about twice the moves of the 2D game, and its lists are cut twice as late.
constexpr int kPruneDepth = 3;
constexpr std::array<int, kPruneDepth + 1> kPruneIndex2D = {0, 8, 14, 22};
constexpr std::array<int, kPruneDepth + 1> kPruneIndex3D = {0, 16, 28, 44};
// Exchange pruning: at depths 1 to 5 in a calm node, once a move has a value,
// a quiet move that loses more than this (per ply of depth left) by the
// exchange on its square is not searched.
constexpr int kExchangePruneDepth = 5;
constexpr int32_t kExchangePruneMargin = 5000;

// Futility (the 2D game's): at depths 1 to kFutilityDepth in a calm node whose
// static score lies below gamma by more than kFutilityBase and kFutilityStep a
// ply, once a move has a value, a quiet move that gives no check is not
// searched; the node's bound allows it that much.
constexpr int kFutilityDepth = 5;
constexpr int32_t kFutilityBase = 2000;
constexpr int32_t kFutilityStep = 7000;

// ProbCut (the 2D game's): from this depth on, a capture that wins by its
// exchange enough to clear gamma by the margin, and that a search this many
// plies shallower proves to clear it, fails the node high.
constexpr int kProbCutDepth = 5;
constexpr int kProbCutReduction = 4;
constexpr int32_t kProbCutMargin = 20000;

// Singular extension (the 3D game's): from this depth on, a hash move whose
// lower bound was proven nearly as deep is searched a ply deeper when every
// other move, searched to half the depth, stays this far (per ply) below that
// bound. In the 2D game it gained nothing.
constexpr int kSingularDepth = 5;
constexpr int kSingularDraft = 3;
constexpr int32_t kSingularMargin = 300;

// A quiet cutoff lowers the history of at most this many quiet moves before it.
constexpr int kQuietsKept = 64;

bool InCheck(const Position& pos) { return (pos.flags & kInCheck) != 0; }

// A child's ply before its search: no moves yet, no extension of its own, and
// `parentExtended` telling whether the move into this node was extended.
void StartChild(SearchStack& next, bool parentExtended) {
  next.moves = {};
  next.extended = false;
  next.parentExtended = parentExtended;
}

// A check is worth a ply unless the piece that moved can be won at once: some
// capture of it gains by its exchange.
bool CheckPays(const Position& pos) {
  const Square to = pos.lastMove.to;
  if (!IsSquare(to) || pos.board[to] == 0) return true;
  const uint32_t own = WhiteToMove(pos) ? kWhiteSlots : kBlackSlots;
  return BestExchange(pos, pos.attackedBy[to] & own & pos.occupiedMask, to) <= 0;
}

bool HasOfficer(const Position& pos) {
  const uint32_t side = WhiteToMove(pos) ? kWhiteSlots : kBlackSlots;
  const uint32_t king = SlotBit(WhiteToMove(pos) ? kKingSlot : kSideSlots + kKingSlot);
  return (pos.pieceMask & side & ~king) != 0;
}

}  // namespace

bool NullMoveAllowed(const Engine& e, const Position& pos, int depth, int ply, int32_t staticEval,
                     int32_t gamma) {
  if (ply >= e.controls.difficulty || !HasOfficer(pos) || InCheck(pos)) return false;
  if (ply > 0 && e.stack[ply - 1].nullMove) return false;
  if (IsEngineNode(pos) && depth < kEngineNullDepth) return false;
  // Passing seldom lifts a side that stands below the test value.
  if (!Is3D(pos) && staticEval < gamma) return false;
  return ControlledSquares(pos, WhiteToMove(pos) ? kWhite : kBlack) > kNullControlFloor;
}


// Why the two sides are searched differently: the search plays for the engine,
// whose oversights cost it the game, while an oversight of the opponent's only
// costs it value. So it is careful with what it concludes in its own favour. At
// the opponent's nodes in the 3D game a null-move cutoff (the opponent doing so
// well it need not move) is checked by a search one ply deeper before it is
// believed (in the 2D game the check cost more depth than it saved); the
// engine's own null move needs depth to spare and its reply is searched at
// least one ply deep. Where an extended move is first searched at the unextended
// depth, a result that favours the engine (its own move reaching gamma, or the
// opponent's move failing to) is searched again at the extended depth; a result
// against it is taken as it stands.

int32_t DrawForMover(const Position& pos) { return WhiteToMove(pos) ? DrawValue(pos) : -DrawValue(pos); }

namespace {

// The place of the hash move in `list` when it stands alone: every other move
// fails below the hash move's bound less the margin; -1 otherwise.
int SingularMove(Engine& e, Position& pos, Move* list, int count, int depth, int ply) {
  const TTEntry* entry = LookupTT(e.tt, pos);
  if (!entry || !TTHasMove(*entry) || entry->lowerDepth + kSingularDraft < depth) return -1;
  if (entry->lower <= -kMateScores || entry->lower >= kMateScores) return -1;
  int hash = -1;
  for (int i = 0; i < count && hash < 0; ++i)
    if (list[i].from == TTFrom(*entry) && list[i].to == TTTo(*entry)) hash = i;
  if (hash < 0) return -1;
  const int32_t bound = entry->lower - kSingularMargin * depth;
  Position& child = ChildAt(e, ply);
  SearchStack& next = e.stack[ply + 1];
  for (int i = 0; i < count; ++i) {
    if (i == hash || !HasMover(pos, list[i])) continue;
    Move m = list[i];
    if (!DoMove(child, pos, m)) continue;
    StartChild(next, false);
    const int32_t v = IsRepetition(child, 1) ? DrawForMover(pos) : -Search(e, child, depth / 2 - 1, 1 - bound, ply + 1);
    if (e.aborted || v >= bound) return -1;
  }
  return hash;
}

}  // namespace

int32_t Search(Engine& e, Position& pos, int depth, int32_t gamma, int ply) {
  // Step 1. Horizon: at depth 0 the quiescence search takes over.
  ++e.nodes;
  if (depth <= 0) return QuiesceEntry(e, pos, gamma, ply);
  ++e.tickNodes;
  e.deepestPly = std::max(e.deepestPly, ply);
  gamma = GammaAway(gamma);
  const int incoming = depth;  // as the parent asked, before extensions
  SearchStack& ss = e.stack[ply];
  SearchStack& next = e.stack[ply + 1];

  // The node's result once its moves are done: a stalemate when no move was
  // legal and the side is not in check; stored in the table.
  const auto close = [&](int32_t best, const Move* move) {
    if (e.aborted) return best;
    if (best == kMated && !InCheck(pos)) best = 0;
    StoreTT(e.tt, pos, incoming, gamma, best, move);
    return TowardZero(best);
  };

  // Step 2. Transposition table probe.
  int32_t value = 0;
  Move hashMove{};
  if (ProbeTT(e.tt, pos, depth, gamma, value, &hashMove)) return TowardZero(value);
  const bool haveHash = hashMove.from != 0 || hashMove.to != 0;

  // Step 3. Finish the move that led here (make-move may have left the attack
  // maps for now): a move that left its own king attacked loses at once.
  Move last = pos.lastMove;
  if (!FinishMove(pos, last)) return kKingTaken;

  // Step 4. Extensions (a check that keeps its piece, a recapture) and
  // frontier futility. Below a null move nothing is extended; extensions stop
  // kExtensionRoom plies below the root depth, and a recapture is not extended
  // right after an extension.
  // The incremental evaluation gives exactly the full one's value, at every depth.
  const int32_t staticEval = Evaluate(pos, gamma, EvalMode::Incremental);
  const Position* parent = pos.previous;
  const bool belowNull = ply > 0 && e.stack[ply - 1].nullMove;
  const auto extensionRoom = [&] { return depth + ply < e.rootDepth + kExtensionRoom; };
  if (!belowNull && extensionRoom() && InCheck(pos) && CheckPays(pos)) {
    ss.extended = true;
    ++depth;
  } else if (!belowNull && extensionRoom() && !(parent && ss.parentExtended)) {
    const Position* grand = parent ? parent->previous : nullptr;
    const Square to = pos.lastMove.to;
    const bool recapture = grand && IsSquare(to) && to == parent->lastMove.to && grand->board[to] != 0 &&
                           TypeOf(pos.board[to]) != kPawn;
    const int32_t now = pos.eval.material[kWhite] - pos.eval.material[kBlack];
    if (recapture && std::abs(now - (grand->eval.material[kWhite] - grand->eval.material[kBlack])) < kRecaptureWindow) {
      ss.extended = true;
      ++depth;
    }
  }
  if (!belowNull && depth <= (Is3D(pos) ? kFrontierDepth3D : kFrontierDepth2D) && !ss.extended && parent &&
      !ss.parentExtended && staticEval < gamma - kFrontierMargin * depth)
    return QuiesceEntry(e, pos, gamma, ply);

  // Step 4b. Static cut: a calm node whose static score is far above gamma,
  // with few plies left to bring it down, fails high at once.
  if (depth <= kStaticCutDepth && ply > 0 && !ss.extended && !InCheck(pos) && gamma > -kMateScores &&
      gamma < kMateScores && staticEval - kStaticCutMargin * depth >= gamma)
    return staticEval;

  // Step 5. Null move: the side to move passes; when the opponent's reply
  // still leaves it at gamma, the node fails high. A null move that is mated
  // shows a mate threat, and the node is searched a ply deeper.
  bool threat = false;
  if (NullMoveAllowed(e, pos, depth, ply, staticEval, gamma)) {
    const Position saved = pos;
    int nullDepth = depth - kNullReduction;
    if (IsEngineNode(pos)) nullDepth = std::max(nullDepth, 1);
    ss.nullMove = true;
    MakeNullMove(pos);
    // The passed position is this one: its entry starts as this node's did.
    next.moves = {};
    next.extended = ss.extended;
    next.parentExtended = ss.parentExtended;
    PassedPawnTempo(pos);
    RefreshTactics(pos);
    int32_t v = -Search(e, pos, nullDepth, 1 - gamma, ply + 1);
    if (Is3D(saved) && !IsEngineNode(saved) && v >= gamma && !e.aborted) {  // verified: see above
      next.moves = {};
      v = -Search(e, pos, nullDepth + 1, 1 - gamma, ply + 1);
    }
    pos = saved;
    ss.nullMove = false;
    if (v >= kFirstMate) v -= kNullMateCut;
    if (e.aborted) return v;
    if (v >= gamma) return close(v, nullptr);
    if (v < kMateThreat && extensionRoom()) {
      ss.extended = true;
      threat = true;
      ++depth;
    }
  }

  // Step 6. Generate and order the moves, once per node: the hash move first.
  if (!ss.moves.moves || ss.listOf != &pos) {
    MoveList* moves = PlyList(e, ply);
    if (!moves) return Evaluate(pos, gamma, EvalMode::Incremental);
    const int generated = GenerateAll(pos, *moves);
    const PositionKeys* keys = OrderMoves(e, pos, moves->data(), generated, ply, haveHash ? &hashMove : nullptr, gamma);
    for (int i = 0; i < generated; ++i) (*moves)[i].score = kUnsearched;
    ss.moves = {moves->data(), generated, keys};
    ss.listOf = &pos;
  }
  Move* list = ss.moves.moves;
  const int count = ss.moves.count;
  if (count == 0) return close(InCheck(pos) ? kMated : 0, nullptr);

  // Step 7. Single reply to check: one more ply, unless the move into this
  // node was extended already.
  if (InCheck(pos) && count == 1 && parent && !ss.parentExtended && extensionRoom()) {
    ss.extended = true;
    ++depth;
  }
  depth = std::min(depth, incoming + 1);  // at most one ply more than asked, all reasons together

  // Step 8. Enhanced transposition cutoff: a child the table proves good enough.
  Move etcMove;
  if (ETC(e, pos, list, count, ss.moves.keys, depth, gamma, value, etcMove, ply))
    return TowardZero(value, kEtcMateSteps);

  // Step 8a. ProbCut: a good capture that, searched shallower, clears gamma by
  // a margin shows the node would fail high at full depth too.
  Position& child = ChildAt(e, ply);
  if (!Is3D(pos) && depth >= kProbCutDepth && ply > 0 && !InCheck(pos) && !ss.extended && !belowNull &&
      gamma > -kMateScores && gamma + kProbCutMargin < kMateScores) {
    const int32_t raised = gamma + kProbCutMargin;
    for (int i = 0; i < count; ++i) {
      Move m = list[i];
      if (!HasMover(pos, m) || pos.board[m.to] == 0) continue;
      if (staticEval + StaticExchange(pos, m.from, m.to) < raised) continue;
      if (!DoMove(child, pos, m) || IsRepetition(child, 1)) continue;
      StartChild(next, false);
      const int32_t v = -Search(e, child, depth - kProbCutReduction, 1 - raised, ply + 1);
      if (e.aborted) return kMated;
      if (v >= raised) return TowardZero(v);
    }
  }

  // Step 8b. Singular extension: the hash move alone reaches its bound.
  int singular = -1;
  if (Is3D(pos) && depth >= kSingularDepth && ply > 0 && haveHash && !ss.extended && !belowNull &&
      extensionRoom() && !InCheck(pos)) {
    singular = SingularMove(e, pos, list, count, depth, ply);
    if (e.aborted) return kMated;
  }

  // Step 9. Moves loop, in list order, until one reaches gamma.
  int32_t best = kMated;
  int bestIndex = -1;
  std::array<uint16_t, kQuietsKept> quiets;  // 2D: the list places of the quiet moves searched so far
  int quietCount = 0;
  const bool calm = !threat && !InCheck(pos);  // late quiet moves may be pruned and reduced
  const int pruneFrom = calm && depth <= kPruneDepth ? (Is3D(pos) ? kPruneIndex3D : kPruneIndex2D)[depth] : count;
  const int32_t futile = staticEval + kFutilityBase + kFutilityStep * depth;
  const bool futility = calm && !Is3D(pos) && depth <= kFutilityDepth && !ss.extended && futile < gamma;
  for (int i = 0; i < count; ++i) {
    // Step 9a. Late-move and exchange pruning, then make the move; an illegal
    // one scores as mated. In a futile node a quiet move is made only to see
    // whether it gives check: one that does not is left unsearched.
    if (!HasMover(pos, list[i])) continue;
    Move m = list[i];
    const bool quiet = m.kind == kPlain && pos.board[m.to] == 0;
    const auto hopeless = [&] {
      return i >= pruneFrom || (calm && depth <= kExchangePruneDepth &&
                                StaticExchange(pos, m.from, m.to) < -kExchangePruneMargin * depth);
    };
    if (quiet && best > kMated && hopeless()) {
      list[i].score = kMated;
      continue;
    }
    if (!DoMove(child, pos, m)) {
      list[i].score = kMated;
      continue;
    }
    if (quiet && futility && best > kMated) {
      Move made = m;
      const bool legal = FinishMove(child, made) != 0;
      if (!legal || !InCheck(child)) {
        list[i].score = kMated;
        if (legal) best = std::max(best, futile);
        continue;
      }
    }
    StartChild(next, ss.extended);

    // Step 9b. Search the child. A repetition is a draw. A quiet move ordered
    // late (not a killer), at a node deep enough and not in check, is tried
    // shallower first and at full depth only when that reaches gamma. An
    // extended node's move is tried at the unextended depth first (see above
    // on the two sides).
    int32_t v;
    if (IsRepetition(child, 1)) {
      v = DrawForMover(pos);
    } else {
      const bool late = quiet && calm && i >= kLateMoveIndex && depth >= kLateMoveDepth && !IsKiller(e, m, ply);
      bool settled = false;
      if (late) {
        const bool cold = !Is3D(pos) && depth >= kColdMoveDepth && i >= kColdMoveIndex &&
                          HistoryOf(e, m) == 0;
        v = -Search(e, child, depth - 1 - kLateMoveReduction - (cold ? 1 : 0), 1 - gamma, ply + 1);
        settled = v < gamma || e.aborted;
        if (!settled) next.moves = {};
      }
      if (settled) {
      } else if (depth > incoming && !threat && !InCheck(pos)) {
        v = -Search(e, child, incoming - 1, 1 - gamma, ply + 1);
        const bool favoursEngine = IsEngineNode(pos) ? v >= gamma : v < gamma;
        if (v != kMated && favoursEngine && !e.aborted) v = -Search(e, child, depth - 1, 1 - gamma, ply + 1);
      } else {
        v = -Search(e, child, depth - 1 + (i == singular ? 1 : 0), 1 - gamma, ply + 1);
      }
    }
    list[i].score = v;

    // Step 9c. Abort check: a pass given up returns at once, stores nothing.
    if (AbortCheck(e)) e.aborted = true;
    if (e.aborted) return best;

    // Step 9d. The best so far; at gamma, the cutoff teaches the ordering:
    // a quiet cutoff also counts against the quiet moves searched before it.
    if (v >= gamma) {
      best = v;
      bestIndex = i;
      CutoffUpdate(e, pos, list[i], depth, ply);
      if (quiet)
        for (int q = 0; q < quietCount; ++q) LowerHistory(e, list[quiets[q]], depth);
      break;
    }
    if (quiet && !Is3D(pos) && quietCount < kQuietsKept) quiets[quietCount++] = uint16_t(i);
    if (v <= best) continue;
    best = v;
    bestIndex = i;
  }

  // Step 10. Store the result.
  return close(best, bestIndex >= 0 ? &list[bestIndex] : nullptr);
}

int32_t RootSearch(Engine& e, Position& pos, int depth, int32_t gamma, Move& best) {
  e.rootDepth = depth;
  e.aborted = false;
  ++e.nodes;
  ++e.tickNodes;
  int32_t value = 0;
  Move hashMove{};
  if (ProbeTT(e.tt, pos, depth, gamma, value, &hashMove) && (hashMove.from || hashMove.to)) {
    Move legal = hashMove;
    Position& child = ChildAt(e, 0);
    Move made = hashMove;
    if (LegalMove(pos, legal) && MakeMove(child, pos, made) && !IsRepetition(child, 1)) {
      best = legal;
      return value;
    }
  }
  const SearchStack& top = e.stack[0];  // the root list, prepared by the driver
  Move* list = top.listOf == &pos ? top.moves.moves : nullptr;
  const int count = list ? top.moves.count : 0;
  Move etcMove;
  if (ETC(e, pos, list, count, nullptr, depth, gamma, value, etcMove, 0)) {
    best = etcMove;
    return value;
  }
  const bool haveBest = best.from || best.to;
  OrderMoves(e, pos, list, count, 0, haveBest ? &best : nullptr, gamma);
  int32_t bestValue = kMated;
  Position& child = ChildAt(e, 0);
  for (int i = 0; i < count; ++i) {
    if (!HasMover(pos, list[i])) continue;
    Move m = list[i];
    int32_t v;
    if (!MakeMove(child, pos, m)) {
      v = kMated;
    } else if (IsRepetition(child, 1)) {
      v = DrawForMover(pos);
    } else {
      StartChild(e.stack[1], false);
      v = -Search(e, child, depth - 1, 1 - gamma, 1);
    }
    if (AbortCheck(e)) e.aborted = true;
    if (e.aborted) return bestValue;
    list[i].score = v;
    bestValue = std::max(bestValue, v);
    if (bestValue >= gamma) {
      best = list[i];
      break;
    }
  }
  if (bestValue == kMated && !InCheck(pos)) bestValue = 0;
  StoreTT(e.tt, pos, depth, gamma, bestValue, &best);
  return bestValue;
}

}  // namespace torvik
