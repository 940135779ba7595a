#include "engine/search.h"

#include <algorithm>

#include "board/eval_cache.h"
#include "engine/evaluate.h"
#include "engine/move_order.h"
#include "engine/score.h"
#include "engine/square_control.h"
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
// A recapture on the square the last move took on is extended while the
// material stays within this of what it was two plies up (an even trade).
constexpr int32_t kRecaptureWindow = 5000;
// Frontier futility: at depth 1, a calm node this far below gamma goes
// straight to the quiescence search.
constexpr int32_t kFrontierMargin = 9000;
constexpr int kEtcMateSteps = 2;       // a cutoff proven by a child's entry is two plies further down

bool InCheck(const Position& pos) { return (pos.flags & kInCheck) != 0; }

bool HasOfficer(const Position& pos) {
  const uint32_t side = WhiteToMove(pos) ? kWhiteSlots : kBlackSlots;
  const uint32_t king = SlotBit(WhiteToMove(pos) ? kKingSlot : kSideSlots + kKingSlot);
  return (pos.pieceMask & side & ~king) != 0;
}

}  // namespace

bool NullMoveAllowed(const Engine& e, const Position& pos, int depth, int ply) {
  if (ply >= e.controls.difficulty || !HasOfficer(pos) || InCheck(pos)) return false;
  if (ply > 0 && e.nullMove[ply - 1]) return false;
  if (IsEngineNode(pos) && depth < kEngineNullDepth) return false;
  return ControlledSquares(pos, WhiteToMove(pos) ? kWhite : kBlack) > kNullControlFloor;
}

namespace {

// The side to move passes; the opponent's reply is searched shallower.
int32_t NullMoveValue(Engine& e, Position& pos, int depth, int32_t gamma, int ply) {
  const Position saved = pos;
  int newDepth = depth - kNullReduction;
  if (IsEngineNode(pos)) newDepth = std::max(newDepth, 1);
  e.nullMove[ply] = 1;
  MakeNullMove(pos);
  pos.movesCache = {};
  PassedPawnTempo(pos);
  RefreshTactics(pos);
  int32_t v = -Search(e, pos, newDepth, 1 - gamma, ply + 1);
  if (!IsEngineNode(saved) && v >= gamma && !e.aborted) {  // verify at the opponent's nodes
    pos.movesCache = {};
    v = -Search(e, pos, newDepth + 1, 1 - gamma, ply + 1);
  }
  pos = saved;
  e.nullMove[ply] = 0;
  return v >= kFirstMate ? v - kNullMateCut : v;
}

// Generates, orders and resets the scores of the node's list once.
bool EnsureMoves(Engine& e, Position& pos, int ply, const Move* hashMove, int32_t gamma) {
  if (pos.movesCache.moves) return true;
  MoveList* list = PlyList(e, ply);
  if (!list) return false;
  const int count = GenerateAll(pos, *list);
  OrderMoves(e, pos, list->data(), count, ply, hashMove, gamma);
  for (int i = 0; i < count; ++i) (*list)[i].score = kUnsearched;
  pos.movesCache = {list->data(), count};
  return true;
}

// What a node's move loop needs to know of the node.
struct Node {
  int depth;     // after extensions
  int incoming;  // as the parent asked
  int ply;
  bool threat;   // extended for a mate threat found by the null move
  int32_t gamma;
};

// A quiet move ordered late, at a node deep enough and not in check: it is
// tried a ply shallower first, and at full depth only when that refutes the
// node's bound.
bool Reducible(const Position& pos, const Move& m, const Node& n, int index) {
  return index >= kLateMoveIndex && n.depth >= kLateMoveDepth && !n.threat && !InCheck(pos) &&
         m.kind == kPlain && pos.board[m.to] == 0;
}

// One move of the loop: its value from this node's view.
int32_t ChildValue(Engine& e, Position& pos, Position& child, const Node& n, bool late) {
  if (IsRepetition(child, 1)) return DrawForMover(pos);
  if (late) {
    const int32_t v = -Search(e, child, n.depth - 1 - kLateMoveReduction, 1 - n.gamma, n.ply + 1);
    if (v < n.gamma || e.aborted) return v;
    child.movesCache = {};
  }
  if (n.depth > n.incoming && !n.threat && !InCheck(pos)) {
    int32_t v = -Search(e, child, n.incoming - 1, 1 - n.gamma, n.ply + 1);
    const bool engine = IsEngineNode(pos);
    if (v != kMated && (engine ? v >= n.gamma : v < n.gamma) && !e.aborted)
      v = -Search(e, child, n.depth - 1, 1 - n.gamma, n.ply + 1);
    return v;
  }
  return -Search(e, child, n.depth - 1, 1 - n.gamma, n.ply + 1);
}

// The moves in list order, each scored with its value, until one reaches
// gamma; the best value and its move's index (-1 for none).
int32_t SearchMoves(Engine& e, Position& pos, const Node& n, int& bestIndex) {
  Move* list = pos.movesCache.moves;
  int32_t best = kMated;
  Position& child = ChildAt(e, n.ply);
  for (int i = 0; i < pos.movesCache.count; ++i) {
    if (!HasMover(pos, list[i])) continue;
    Move m = list[i];
    if (!DoMove(child, pos, m)) {
      list[i].score = kMated;
      continue;
    }
    const int32_t v = ChildValue(e, pos, child, n, Reducible(pos, m, n, i));
    list[i].score = v;
    if (AbortCheck(e)) e.aborted = true;
    if (e.aborted) return best;
    if (v <= best) continue;
    best = v;
    bestIndex = i;
    if (best >= n.gamma) {
      CutoffUpdate(e, pos, list[i], n.depth, n.ply);
      break;
    }
  }
  return best;
}

// The node's result: a stalemate when every move was illegal and no check,
// stored unless the search gave up.
int32_t Close(Engine& e, Position& pos, int incoming, int32_t gamma, int32_t best, const Move* move) {
  if (e.aborted) return best;
  if (best == kMated && !InCheck(pos)) best = 0;
  StoreTT(e.tt, pos, incoming, gamma, best, move);
  return TowardZero(best);
}

}  // namespace

int32_t DrawForMover(const Position& pos) { return WhiteToMove(pos) ? DrawValue(pos) : -DrawValue(pos); }

int32_t Search(Engine& e, Position& pos, int depth, int32_t gamma, int ply) {
  ++e.nodes;
  if (depth <= 0) return QuiesceEntry(e, pos, gamma, ply);
  ++e.tickNodes;
  e.deepestPly = std::max(e.deepestPly, ply);
  gamma = GammaAway(gamma);
  int32_t value = 0;
  Move hashMove{};
  if (ProbeTT(e.tt, pos, depth, gamma, value, &hashMove)) return TowardZero(value);
  const bool haveHash = hashMove.from != 0 || hashMove.to != 0;
  Move last = pos.lastMove;
  if (!FinishMove(pos, last)) return kKingTaken;
  const int incoming = depth;
  depth = Extend(e, pos, depth, ply, Evaluate(pos, gamma, depth > 1 ? EvalMode::Fresh : EvalMode::Incremental), gamma);
  if (depth <= 0) return QuiesceEntry(e, pos, gamma, ply);
  bool threat = false;
  if (NullMoveAllowed(e, pos, depth, ply)) {
    const int32_t v = NullMoveValue(e, pos, depth, gamma, ply);
    if (e.aborted) return v;
    if (v >= gamma) return Close(e, pos, incoming, gamma, v, nullptr);
    if (v < kMateThreat && depth + ply < e.rootDepth + kExtensionRoom) {
      pos.flags |= kExtended;
      threat = true;
      ++depth;
    }
  }
  if (!EnsureMoves(e, pos, ply, haveHash ? &hashMove : nullptr, gamma)) return Evaluate(pos, gamma, EvalMode::Incremental);
  Move* list = pos.movesCache.moves;
  const int count = pos.movesCache.count;
  if (count == 0) return Close(e, pos, incoming, gamma, InCheck(pos) ? kMated : 0, nullptr);
  if (InCheck(pos) && count == 1 && pos.previous && !(pos.previous->flags & kExtended) &&
      depth + ply < e.rootDepth + kExtensionRoom) {
    pos.flags |= kExtended;
    ++depth;
  }
  depth = std::min(depth, incoming + 1);
  Move etcMove;
  if (ETC(e, pos, list, count, depth, gamma, value, etcMove, ply)) return TowardZero(value, kEtcMateSteps);
  int bestIndex = -1;
  const int32_t best = SearchMoves(e, pos, Node{depth, incoming, ply, threat, gamma}, bestIndex);
  if (e.aborted) return best;
  return Close(e, pos, incoming, gamma, best, bestIndex >= 0 ? &list[bestIndex] : nullptr);
}

int Extend(Engine& e, Position& pos, int depth, int ply, int32_t value, int32_t gamma) {
  if (ply > 0 && e.nullMove[ply - 1]) return depth;
  const Position* parent = pos.previous;
  if (depth + ply < e.rootDepth + kExtensionRoom) {
    if (InCheck(pos)) {
      pos.flags |= kExtended;
      return depth + 1;
    }
    if (parent && (parent->flags & kExtended)) return depth;
    const Position* grand = parent ? parent->previous : nullptr;
    const Square to = pos.lastMove.to;
    if (grand && IsSquare(to) && to == parent->lastMove.to && grand->board[to] != 0 &&
        TypeOf(pos.board[to]) != kPawn) {
      const int32_t now = pos.eval.material[kWhite] - pos.eval.material[kBlack];
      const int32_t then = grand->eval.material[kWhite] - grand->eval.material[kBlack];
      if (std::abs(now - then) < kRecaptureWindow) {
        pos.flags |= kExtended;
        return depth + 1;
      }
    }
  }
  const bool calm = !(pos.flags & kExtended) && parent && !(parent->flags & kExtended);
  if (calm && depth == 1 && value < gamma - kFrontierMargin) return 0;
  return depth;
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
  Move* list = pos.movesCache.moves;
  const int count = list ? pos.movesCache.count : 0;
  Move etcMove;
  if (ETC(e, pos, list, count, depth, gamma, value, etcMove, 0)) {
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
    if (!MakeMove(child, pos, m)) v = kMated;
    else if (IsRepetition(child, 1)) v = DrawForMover(pos);
    else v = -Search(e, child, depth - 1, 1 - gamma, 1);
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
