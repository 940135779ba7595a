// Per-piece values of the officers other than the king, and the sum of every
// piece's value with the cache that keeps them from one position to the next.
#include "board/console.h"
#include "board/line_tables.h"
#include "engine/eval_terms.h"
#include "engine/evaluate.h"

namespace torvik {
namespace {

// A pawn of the other side on a column beside the piece that stands, or will
// stand after its pushes, level with or beyond the piece's row.
bool EnemyPawnCanReach(const PawnColumns& cols, const View& v, Square sq) {
  const int c = ColumnOf(sq), row = v.Row(sq);
  return (c > 0 && cols.Enemy(v, c - 1) > row) || (c < 7 && cols.Enemy(v, c + 1) > row);
}

// An own pawn diagonally behind the square.
bool OwnPawnBehind(const Position& pos, const View& v, Square sq) {
  const int c = ColumnOf(sq), r = RowOf(sq) - v.forward;
  if (r < 0 || r > 7) return false;
  const int pawn = v.Code(kPawn);
  return (c > 0 && pos.board[MakeSquare(c - 1, r)] == pawn) ||
         (c < 7 && pos.board[MakeSquare(c + 1, r)] == pawn);
}

// An outpost: on the fourth or fifth row counted from the own side, out of
// reach of enemy pawns; worth more with an own pawn behind it.
int32_t Outpost(const Position& pos, const PawnColumns& cols, const View& v, Square sq, int base,
                int supported) {
  const int row = v.Row(sq);
  if ((row != 4 && row != 5) || EnemyPawnCanReach(cols, v, sq)) return 0;
  const CoefficientTable& c = Coefficients(pos);
  return c[base] + (OwnPawnBehind(pos, v, sq) ? c[supported] : 0);
}

int32_t ValueOf(Position& pos, const PawnColumns& cols, int slot) {
  switch (TypeOf(pos.pieces[slot].code)) {
    case kPawn: return PawnValue(pos, cols, slot);
    case kKnight: return KnightValue(pos, cols, slot);
    case kBishop: return BishopValue(pos, cols, slot);
    case kRook: return RookValue(pos, slot);
    case kQueen: return QueenValue(pos, slot);
    case kKing: return KingValue(pos, slot);
    default:
      Warn(false, "PieceValues: no piece?");
      return 0;
  }
}

}  // namespace

PawnColumns ColumnPawns(const Position& pos) {
  PawnColumns cols;
  for (uint32_t m = PawnSlots(pos); m; m &= m - 1) {
    const PieceEntry& e = pos.pieces[std::countr_zero(m)];
    if (TypeOf(e.code) != kPawn || !IsSquare(e.square)) continue;
    const View& v = ViewOf(e.code);
    int8_t& rear = cols.rear[v.side][ColumnOf(e.square)];
    const int row = v.Row(e.square);
    if (rear == 0 || row < rear) rear = int8_t(row);
  }
  return cols;
}

int32_t KnightValue(const Position& pos, const PawnColumns& cols, int slot) {
  const PieceEntry& e = pos.pieces[slot];
  const View& v = ViewOf(e.code);
  return Coefficients(pos)[kKnightSquares + v.Mirror(e.square)] +
         Outpost(pos, cols, v, e.square, kKnightOutpost, kKnightOutpostSupported);
}

// Bishops have no square table: they are valued by the enemy royal and heavy
// pieces on their lines, and as outposts.
int32_t BishopValue(const Position& pos, const PawnColumns& cols, int slot) {
  const PieceEntry& e = pos.pieces[slot];
  const View& v = ViewOf(e.code);
  int lined = 0;
  if (IsValidCode(e.code) && IsSquare(e.square)) {
    const uint64_t reach = LineTablesOf(pos).reach[e.code + 6][e.square];  // its lines on an empty board
    for (uint32_t m = pos.pieceMask & v.enemy; m; m &= m - 1) {
      const PieceEntry& t = pos.pieces[std::countr_zero(m)];
      if (TypeOf(t.code) >= kRook && IsSquare(t.square) && ((reach >> t.square) & 1)) ++lined;
    }
  }
  return Coefficients(pos)[kBishopLineUp + std::min(lined, 4)] +
         Outpost(pos, cols, v, e.square, kBishopOutpost, kBishopOutpostSupported);
}

// The rook's square, and another rook guarding it (more when both stand on
// the seventh row).
int32_t RookValue(const Position& pos, int slot) {
  const PieceEntry& e = pos.pieces[slot];
  const View& v = ViewOf(e.code);
  const CoefficientTable& c = Coefficients(pos);
  int32_t value = c[kRookSquares + v.Mirror(e.square)];
  const uint32_t guards = pos.attackedBy[e.square] & pos.pieceMask & v.own & ~pos.eval.pinnedMask & ~SlotBit(slot);
  bool guarded = false, seventh = false;
  for (uint32_t m = guards; m; m &= m - 1) {
    const PieceEntry& o = pos.pieces[std::countr_zero(m)];
    if (TypeOf(o.code) != kRook) continue;
    guarded = true;
    seventh = seventh || (v.Row(e.square) == 6 && v.Row(o.square) == 6);
  }
  if (guarded) value += c[kRookDefended] + (seventh ? c[kRooksOnSeventh] : 0);
  return value;
}

// Only the opening minds where the queen stands: out early, she is chased.
int32_t QueenValue(const Position& pos, int slot) {
  const PieceEntry& e = pos.pieces[slot];
  if (pos.eval.stage != 0 || ViewOf(e.code).Row(e.square) < 3) return 0;
  return -Coefficients(pos)[kQueenEarly];
}

int32_t PieceValues(Position& pos) { return PieceValues(pos, ColumnPawns(pos)); }

int32_t PieceValues(Position& pos, const PawnColumns& cols) {
  const uint32_t live = pos.occupiedMask;
  const uint32_t redo = pos.previous ? pos.eval.recomputeMask & live : live;
  for (uint32_t m = ~live; m; m &= m - 1) pos.eval.pieceValue[std::countr_zero(m)] = 0;
  pos.eval.passedMask[kWhite] &= ~redo & live;
  pos.eval.passedMask[kBlack] &= ~redo & live;
  for (uint32_t m = redo; m; m &= m - 1) {
    const int slot = std::countr_zero(m);
    const int32_t value = ValueOf(pos, cols, slot);
    pos.eval.pieceValue[slot] = pos.pieces[slot].code < 0 ? -value : value;
  }
  pos.eval.recomputeMask = 0;
  int32_t sum = 0;
  for (int32_t value : pos.eval.pieceValue) sum += value;
  return sum;
}

}  // namespace torvik
