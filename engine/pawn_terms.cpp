// A pawn's value: its square, its neighbours and defenders, backwardness,
// doubling and isolation, and for a passed pawn how far it has to go, who
// escorts or blocks it, and whether a bare king can still catch it.
#include <cstdlib>

#include "engine/eval_terms.h"
#include "engine/square_control.h"

namespace torvik {
namespace {

struct PawnAt {
  const View& v;
  int slot;
  Square sq;
  int column;
  int row;    // counted from its own back row
  int togo;   // rows to promotion
};

bool IsPawn(int code) { return TypeOf(code) == kPawn; }

// The square `steps` rows ahead of the pawn, or kNoSquare past the last row.
Square Ahead(const PawnAt& p, int steps) {
  const int row = p.row + steps;
  return row <= 7 ? p.v.Mirror(MakeSquare(p.column, row)) : kNoSquare;
}

uint32_t PawnAttackers(const Position& pos, Square s, uint32_t side) {
  return pos.attackedBy[s] & side & ~pos.pieceMask;
}

// Undefended and unable to advance under the cover of a pawn beside it.
bool IsBackward(const Position& pos, const PawnAt& p) {
  const Square one = Ahead(p, 1), two = Ahead(p, 2);
  if (one == kNoSquare) return true;
  const bool oneFree = !IsPawn(pos.board[one]);
  if (oneFree && PawnAttackers(pos, one, p.v.own)) return false;
  return !(p.row == 1 && two != kNoSquare && oneFree && !IsPawn(pos.board[two]) &&
           !PawnAttackers(pos, one, p.v.enemy) && PawnAttackers(pos, two, p.v.own));
}

int32_t BackwardPenalty(const Position& pos, const PawnColumns& cols, const PawnAt& p) {
  const CoefficientTable& c = Coefficients(pos);
  int32_t penalty = c[kBackwardPawn];
  if (cols.rear[p.v.side ^ 1][p.column] == 0) penalty += c[kBackwardOpenColumn];
  const int n = Popcount(pos.attackedBy[p.sq] & p.v.enemy & pos.pieceMask & ~pos.eval.pinnedMask);
  // Sixteen attackers would reach entry 1468, one past the block: it reads 1467.
  if (n >= 1) penalty += ReadOn(c, kBackwardAttacked + n);
  return penalty;
}

// Rooks on the pawn's column behind it that attack its square: the enemy's
// count against the pawn, the own ones for it. Returns the first own rook.
int RooksBehind(const Position& pos, const PawnAt& p, int32_t& value) {
  const CoefficientTable& c = Coefficients(pos);
  int support = -1;
  for (int offset = kRookSlot; offset <= kRookSlot + 1; ++offset) {
    for (int slot : {p.v.Slot(offset), p.v.EnemySlot(offset)}) {
      const PieceEntry& r = pos.pieces[slot];
      const uint32_t bit = SlotBit(slot);
      if (TypeOf(r.code) != kRook || !(pos.attackedBy[p.sq] & bit) || (pos.eval.pinnedMask & bit)) continue;
      if (ColumnOf(r.square) != p.column || p.v.Row(r.square) >= p.row) continue;
      if (p.v.own & bit) {
        value += c[kOwnRookBehindPasser];
        if (support < 0) support = slot;
      } else {
        value -= c[kEnemyRookBehindPasser];
      }
    }
  }
  return support;
}

// 2D: the squares ahead that the pawn's side holds, up to the first the enemy
// holds; a rook behind the pawn counts as holding them too.
int32_t SafePath(const Position& pos, const PawnAt& p, int rook) {
  if (Is3D(pos) || p.row < 1 || p.row > 6) return 0;
  const CoefficientTable& c = Coefficients(pos);
  int32_t value = 0;
  int k = PassedPathStart(p.row);
  for (int step = 1; step <= p.togo; ++step, ++k) {
    const Square s = Ahead(p, step);
    int balance = pos.eval.controlSign[s];
    if (rook >= 0) {
      const uint32_t attackers = (pos.attackedBy[s] & ~pos.eval.pinnedMask) | SlotBit(rook);
      balance = ControlBalance(pos, attackers, pos.board[s], s);
    }
    if (balance * p.v.sign < 0) break;
    value += c[kPassedPath + k];
  }
  return value;
}

// Against a bare king: the pawn outruns it when the king's distance to the
// queening row is more than the pawn's path, own pawns in the way counting ten
// steps and other pieces one.
void RaceBareKing(Position& pos, const PawnAt& p, int32_t& value) {
  const View& v = p.v;
  const Square king = pos.pieces[v.EnemySlot(kKingSlot)].square;
  const bool ownMove = (v.side == kWhite) == WhiteToMove(pos);
  int dk = std::max(std::abs(ColumnOf(king) - p.column), 7 - v.Row(king));
  if (!ownMove) --dk;
  if (dk <= p.togo) return;
  int length = p.togo;
  for (int step = 1; p.row + step < 7 && length < dk; ++step) {
    const int code = pos.board[Ahead(p, step)];
    if (code == v.Code(kPawn)) length += 10;
    else if (code != 0) length += 1;
  }
  const uint32_t bit = SlotBit(p.slot);
  if (dk > length) {
    value += Coefficients(pos)[kUnstoppablePasser];
    if (ownMove && dk == length + 1) pos.eval.raceMask[0] |= bit;
  } else if (!ownMove && dk == length) {
    pos.eval.raceMask[1] |= bit;
  }
}

// A passed pawn's terms, added to `open` (the bonus of a pawn free to
// advance) but for the unstoppable bonus, which goes to `value`.
void PasserTerms(Position& pos, const PawnColumns& cols, const PawnAt& p, int32_t& value, int32_t& open) {
  const View& v = p.v;
  const CoefficientTable& c = Coefficients(pos);
  open += c[kPassedByRows + p.togo];
  const Square ownKing = pos.pieces[v.Slot(kKingSlot)].square;
  const Square enemyKing = pos.pieces[v.EnemySlot(kKingSlot)].square;
  auto escorts = [&](Square k) { return v.Row(k) >= p.row && std::abs(ColumnOf(k) - p.column) < 2; };
  if (escorts(enemyKing)) open -= c[kEnemyKingAheadOfPasser];
  if (escorts(ownKing)) open += c[kKingByPasser];
  const Square front = Ahead(p, 1);
  if (front != kNoSquare && pos.board[front] * v.sign < 0) open -= c[kPasserBlocked];
  const int rook = RooksBehind(pos, p, open);
  open += SafePath(pos, p, rook);
  for (int col : {p.column - 1, p.column + 1}) {
    if (col < 0 || col > 7) continue;
    const int rear = cols.Own(v, col);
    // A pawn one row short of promotion would read 1359, the head of the row table.
    if (rear != 0 && std::abs(rear - p.row) < 2) open += ReadOn(c, kConnectedPasser - 1 + p.togo);
  }
  if ((pos.pieceMask & v.enemy) == SlotBit(v.EnemySlot(kKingSlot))) RaceBareKing(pos, p, value);
  // Close to promotion a passer is worth at least the row value of five rows to go.
  const int32_t floor = c[kPassedByRows + 5];
  if (p.togo < 4 && value + open < floor) open = floor - value;
}

bool EnemyPawnAheadBeside(const PawnColumns& cols, const PawnAt& p) {
  return (p.column > 0 && cols.Enemy(p.v, p.column - 1) > p.row) ||
         (p.column < 7 && cols.Enemy(p.v, p.column + 1) > p.row);
}

}  // namespace

int32_t PawnValue(Position& pos, const PawnColumns& cols, int slot) {
  const PieceEntry& e = pos.pieces[slot];
  const View& v = ViewOf(e.code);
  const PawnAt p{v, slot, e.square, ColumnOf(e.square), v.Row(e.square), 7 - v.Row(e.square)};
  const CoefficientTable& c = Coefficients(pos);
  const int pawn = v.Code(kPawn);
  int32_t value = c[kPawnSquares + v.Mirror(p.sq)];
  if ((p.column > 0 && pos.board[p.sq - 8] == pawn) || (p.column < 7 && pos.board[p.sq + 8] == pawn))
    value += c[kPawnNeighbour];
  bool backward = false;
  if (!PawnAttackers(pos, p.sq, v.own)) {
    value -= c[kPawnUndefended];
    backward = IsBackward(pos, p);
    if (backward) value -= BackwardPenalty(pos, cols, p);
  }
  if (cols.Enemy(v, p.column) < p.row) {
    int32_t open = backward ? 0 : ReadOn(c, kOpenPawnByRows + std::min(p.togo, 6));
    if (!EnemyPawnAheadBeside(cols, p)) {
      pos.eval.passedMask[v.side] |= SlotBit(slot);
      PasserTerms(pos, cols, p, value, open);
    }
    value += open;
  }
  if (cols.Own(v, p.column) != p.row) value -= c[kDoubledPawn];
  const bool left = p.column > 0 && cols.Own(v, p.column - 1) != 0;
  const bool right = p.column < 7 && cols.Own(v, p.column + 1) != 0;
  if (!left && !right) value -= c[kIsolatedPawn];
  return value;
}

}  // namespace torvik
