// The endings the material alone decides: recognised draws, the fading of a
// score that no capture or pawn move has changed for long, and the trade-down
// bonus of the side ahead. Also the draw value and the tempo of pawn races.
#include <cstdlib>

#include "board/piece_values.h"
#include "engine/eval_terms.h"
#include "engine/evaluate.h"

namespace torvik {
namespace {

constexpr int32_t kK = kPieceValues[kKing];
constexpr int32_t kKQ = kK + kPieceValues[kQueen];
constexpr int32_t kKR = kK + kPieceValues[kRook];
constexpr int32_t kKB = kK + kPieceValues[kBishop];
constexpr int32_t kKN = kK + kPieceValues[kKnight];
constexpr int32_t kKRB = kKR + kPieceValues[kBishop];
constexpr int32_t kKRN = kKR + kPieceValues[kKnight];
constexpr int32_t kKNN = kKN + kPieceValues[kKnight];

bool HasPawns(const Position& pos, const View& v) { return (PawnSlots(pos) & v.own) != 0; }

// King and one bishop or knight (in its minor-piece slots), nothing else.
bool KingAndMinor(const Position& pos, const View& v) {
  const int32_t m = pos.eval.material[v.side];
  const uint32_t minors = 0xf0u << v.base;
  return (m == kKB || m == kKN) && (pos.pieceMask & minors) && !HasPawns(pos, v);
}

// King and rook (in a rook slot), nothing else.
bool KingAndRook(const Position& pos, const View& v) {
  return pos.eval.material[v.side] == kKR && (pos.pieceMask & (0xcu << v.base)) && !HasPawns(pos, v);
}

// The rook endings that are known draws, from the view of the side with the
// rook: rook against a minor piece, rook and minor piece against a rook.
bool RookEndingDraw(const Position& pos, const View& v) {
  const View& o = kViews[v.side ^ 1];
  const int32_t m = pos.eval.material[v.side];
  if (KingAndRook(pos, v)) return KingAndMinor(pos, o);
  return (m == kKRB || m == kKRN) && !HasPawns(pos, v) && KingAndRook(pos, o);
}

// A side that cannot mate: no pawns and at most a minor piece, or two knights.
bool CannotWin(const Position& pos, const View& v) {
  const int32_t m = pos.eval.material[v.side];
  return !HasPawns(pos, v) && (m <= std::max(kKB, kKN) || m == kKNN);
}

int32_t FiftyMoveFading(const Position& pos, int32_t s) {
  if (pos.eval.stage == 3 || s == 0 || pos.halfmoveCount < 21) return s;
  return static_cast<int32_t>(int64_t{148 - pos.halfmoveCount} * s / 128);
}

// The side 8000 or more ahead gains as pieces come off, less as pawns do.
int32_t TradeDown(const Position& pos, int32_t s) {
  const CoefficientTable& c = Coefficients(pos);
  const int pieces = Popcount(pos.pieceMask), pawns = Popcount(PawnSlots(pos));
  // 32 pieces would read entry 1271, the first of the attack counts.
  const int32_t bonus = ReadOn(c, kTradeDownPieces + pieces) - ReadOn(c, kTradeDownPawns + pawns);
  const int32_t ahead = pos.eval.material[kWhite] - pos.eval.material[kBlack];
  if (ahead >= 8000) s += bonus;
  if (-ahead >= 8000) s -= bonus;
  return s;
}

}  // namespace

int32_t DrawValue(const Position& pos) {
  const int32_t base = Coefficients(pos)[kDrawBase];
  const int32_t v = (pos.flags & kEngineWhite) ? base - 1000 : base + 1000;
  return std::clamp(v, -10000, 10000);
}

int32_t EndgameAdjust(Position& pos, int32_t s) {
  const int32_t dv = DrawValue(pos);
  const int32_t w = pos.eval.material[kWhite], b = pos.eval.material[kBlack];
  if (pos.pieceMask == pos.occupiedMask && pos.evalTerm == 0 && w == b && (w == kKQ || w == kKR)) {
    pos.flags |= kDrawish;
    return 2 * dv - s;
  }
  const int32_t rookDraw = Coefficients(pos)[kRookEndingDraw];
  if (RookEndingDraw(pos, kViews[kWhite])) return -rookDraw - s;
  if (RookEndingDraw(pos, kViews[kBlack])) return rookDraw - s;
  int32_t t = s;
  if (CannotWin(pos, kViews[kWhite])) t = std::min(t, dv);
  if (CannotWin(pos, kViews[kBlack])) t = std::max(t, dv);
  if (t == dv && t != s) {
    pos.flags |= kDrawish;
    return t - s;
  }
  pos.flags &= ~kDrawish;
  return TradeDown(pos, FiftyMoveFading(pos, t)) - s;
}

void PassedPawnTempo(Position& pos) {
  const int32_t unstoppable = Coefficients(pos)[kUnstoppablePasser];
  const uint32_t a = pos.eval.raceMask[0], b = pos.eval.raceMask[1];
  if (WhiteToMove(pos)) {
    pos.evalScore += unstoppable * (Popcount(a & 0xff000000u) + Popcount(b & 0xff00u));
  } else {
    pos.evalScore -= unstoppable * (Popcount(a & 0xff00u) + Popcount(b & 0xff000000u));
  }
}

}  // namespace torvik
