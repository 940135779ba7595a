#include <bit>

#include "board/console.h"
#include "board/geometry.h"
#include "board/line_tables.h"
#include "board/rays.h"
#include "rules/directions.h"
#include "rules/evasion.h"
#include "rules/pawn_pushes.h"
#include "rules/slides.h"
#include "rules/tournament_walks.h"

namespace torvik {
namespace {

bool Holds(const RayList& list, Square s) {
  for (int i = 0; i < list.count; ++i)
    if (list.squares[i] == s) return true;
  return false;
}

// The Tournament walks looking for blocking squares: every empty square they
// enter, up to the first piece.
struct BlockProbe {
  Evasion& e;
  int Code(Square s) const { return e.pos.board[s]; }
  void Mark(Square s) { AddPieceBlocks(e, s); }
};

// Past the edge of the ray tables the line of a Tournament rook or queen goes on
// along the walks from the last square reached.
void AddWalkBlocks(Evasion& e, Square last) {
  if (e.pos.rules != kTournament || BoardOfSquare(last) < 0) return;
  BlockProbe probe{e};
  TournamentWalks(e.pos, last, e.side * kRook, WalkMode::kBlocks, probe);
}

}  // namespace

void AddPieceBlocks(Evasion& e, Square b) {
  const Position& pos = e.pos;
  if (pos.board[b] != 0) return;
  for (uint32_t slots = pos.attackedBy[b] & e.mover & pos.pieceMask; slots; slots &= slots - 1) {
    const PieceEntry& p = pos.pieces[std::countr_zero(slots)];
    if (TypeOf(p.code) != kKing) AddOnce(e, p.code, p.square, b, kPlain);
  }
}

// A pawn one step behind `b` pushes there; when none stands there and the
// square behind is empty, a pawn behind that may reach `b` by its double step.
void AddPawnBlocks(Evasion& e, Square b) {
  const Position& pos = e.pos;
  if (pos.board[b] != 0) return;
  const int pawn = e.side * kPawn;
  RayList behind;
  GetRay(pos, b, -PawnForward(pawn), behind);
  bool found = false;
  for (int i = 0; i < behind.count; ++i) {
    const Square p = behind.squares[i];
    if (pos.board[p] != pawn) continue;
    found = true;
    if (PawnPushesTo(pos, p, b)) AddOnce(e, pawn, p, b, kPlain);
  }
  if (found || behind.count == 0 || pos.board[behind.squares[0]] != 0) return;
  RayList further;
  GetRay(pos, behind.squares[0], -PawnForward(pawn), further);
  for (int i = 0; i < further.count; ++i) {
    const Square p = further.squares[i];
    if (pos.board[p] == pawn && PawnPushesTo(pos, p, b)) AddOnce(e, pawn, p, b, kPlain);
  }
}

// From K towards X by the line table, taking each step's ray list and going on
// from its first square, until a step holds X or the tables end.
void AddLineBlocks3D(Evasion& e) {
  Position& pos = e.pos;
  const int d = LineDir(pos, e.king, e.checker);
  if (d == 0) {
    Warn(false, "onboard attacker not found by K");
    return;
  }
  Square current = e.king;
  for (int step = 0; step < kMaxSlideSteps; ++step) {
    RayList list;
    if (GetRay(pos, current, d, list) == 0) return AddWalkBlocks(e, current);
    if (Holds(list, e.checker)) return;
    for (int i = 0; i < list.count; ++i) {
      AddPieceBlocks(e, list.squares[i]);
      AddPawnBlocks(e, list.squares[i]);
    }
    current = list.squares[0];
  }
}

void AddLineBlocks2D(Evasion& e) {
  const int file = ColumnOf(e.checker) - ColumnOf(e.king);
  const int rank = RowOf(e.checker) - RowOf(e.king);
  const int step = 8 * ((file > 0) - (file < 0)) + ((rank > 0) - (rank < 0));
  Square b = e.king + step;
  for (int n = 0; n < 7 && b != e.checker && IsSquare(b); ++n, b += step) {
    AddPieceBlocks(e, b);
    AddPawnBlocks(e, b);
  }
}

}  // namespace torvik
