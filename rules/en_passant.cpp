#include "rules/en_passant.h"

#include <bit>

#include "board/console.h"
#include "board/geometry.h"
#include "board/pieces.h"
#include "board/rays.h"
#include "rules/make_move.h"

namespace torvik {

namespace {

// The capture steps of the side to move, each with the step that leads back
// from the en-passant square to the capturing pawn: the lower file first.
struct EpStep {
  int back;     // from the en-passant square to the pawn
  int capture;  // the pawn's step
};
constexpr std::array<EpStep, 2> kWhiteSteps = {{{-9, 9}, {7, -7}}};
constexpr std::array<EpStep, 2> kBlackSteps = {{{-7, 7}, {9, -9}}};

}  // namespace

void AddEnPassant2D(const Position& pos, MoveSink& sink) {
  const Square ep = pos.epSquare;
  if (ep == 0 || !IsSquare(ep)) return;
  const bool white = WhiteToMove(pos);
  const int pawn = white ? kPawn : -kPawn;
  for (const EpStep& step : white ? kWhiteSteps : kBlackSteps) {
    RayList from;
    if (GetRay(pos, ep, step.back, from) == 0 || pos.board[from.squares[0]] != pawn) continue;
    Append(sink, pawn, from.squares[0], ep, white ? kEnPassantWhite : kEnPassantBlack, Fill::kKeep);
  }
}

void AddEnPassant3D(Position& pos, MoveSink& sink) {
  const Square ep = pos.epSquare;
  if (ep == 0) return;
  const bool white = WhiteToMove(pos);
  if (!IsSquare(ep)) {
    Warn(true, white ? "EP(W) ERROR" : "EP(B) ERROR");
    pos.hashKey ^= uint32_t(ep) << 8;  // the key holds the square: keep it true
    pos.epSquare = 0;
    return;
  }
  const int pawn = white ? kPawn : -kPawn;
  for (const EpStep& step : white ? kWhiteSteps : kBlackSteps) {
    RayList pawns;
    GetRay(pos, ep, step.back, pawns);
    for (int i = 0; i < pawns.count; ++i) {
      const Square from = pawns.squares[i];
      if (pos.board[from] != pawn) continue;
      RayList targets;
      GetRay(pos, from, step.capture, targets);
      // An occupied target is a plain capture (listed with the attack map's
      // moves) or holds the mover's own piece.
      for (int j = 0; j < targets.count; ++j)
        if (pos.board[targets.squares[j]] == 0)
          Append(sink, pawn, from, targets.squares[j], kEnPassantWhite);
    }
  }
}

// En passant: the capture, and the square a double step leaves behind.
namespace {

bool ChangesFile(const Position& pos, Square from, Square to) {
  if (!Is3D(pos)) return ColumnOf(from) != ColumnOf(to);
  Projection a, b;
  return ProjectionOf(pos, from, a) && ProjectionOf(pos, to, b) && a.file != b.file;
}

bool SameProjection(const Position& pos, Square a, Square b) {
  Projection pa, pb;
  return ProjectionOf(pos, a, pa) && ProjectionOf(pos, b, pb) && pa == pb;
}

// The pawn taken: the one whose double step made the en-passant square. When
// the last move is not known (a position read from text), the first enemy pawn
// one step back from the target.
Square Victim3D(const Position& parent, int mover, const Move& move) {
  const Move& last = parent.lastMove;
  const int enemyPawn = -Sign(mover) * kPawn;
  if (last.piece == enemyPawn && IsSquare(last.to) && parent.board[last.to] == enemyPawn) return last.to;
  RayList back;
  GetRay(parent, move.to, mover > 0 ? -1 : 1, back);
  for (int i = 0; i < back.count; ++i)
    if (parent.board[back.squares[i]] == enemyPawn) return back.squares[i];
  return kNoSquare;
}

}  // namespace

// Only a diagonal capture step onto the empty en-passant square (its projection
// in the 3D game) takes en passant; a straight push there is a plain move.
Square EnPassantVictim(const Position& parent, int mover, const Move& move, bool* offBoard) {
  const Square from = move.from, to = move.to, ep = parent.epSquare;
  if (TypeOf(mover) != kPawn || ep == 0 || !IsSquare(from) || !IsSquare(to)) return kNoSquare;
  if (parent.board[to] != 0 || !ChangesFile(parent, from, to)) return kNoSquare;
  if (!Is3D(parent)) {
    const Square victim = mover > 0 ? to - 1 : to + 1;
    return to == ep && parent.board[victim] == -mover ? victim : kNoSquare;
  }
  if (!SameProjection(parent, to, ep)) return kNoSquare;
  const Square victim = Victim3D(parent, mover, move);
  if (victim == kNoSquare && offBoard) *offBoard = true;
  return victim;
}

void CaptureEnPassant(MoveStep& s, int mover) {
  bool offBoard = false;
  const Square victim = EnPassantVictim(s.parent, mover, s.move, &offBoard);
  if (offBoard) Warn(false, "OFFBOARD E.P. capture");
  if (victim == kNoSquare) return;
  RemovePiece(s.child, s.child.slotOf[victim]);
  s.move.kind = Is3D(s.child) ? kEnPassantWhite : kCapture;
  s.captured = true;
  s.fullCheck = true;
}

namespace {

// 2D: a double step sets the square passed over when an enemy pawn attacks it.
Square EpSquare2D(const Position& parent, int mover, const Move& move) {
  const Square from = move.from, to = move.to;
  const Square passed = mover > 0 ? from + 1 : from - 1;
  if (to != (mover > 0 ? from + 2 : from - 2)) return 0;
  uint32_t attackers = parent.attackedBy[passed] & (mover > 0 ? 0xff000000u : 0x0000ff00u);
  for (; attackers; attackers &= attackers - 1) {
    const int slot = std::countr_zero(attackers);
    if (parent.pieces[slot].code == -mover) return passed;
  }
  return 0;
}

// 3D: a double step lands one step beyond the first square of the pawn's
// forward step; it leaves that square when an enemy pawn stands beside the target.
Square EpSquare3D(const Position& parent, int mover, const Move& move) {
  const int forward = mover > 0 ? 1 : -1;
  RayList one, two, side;
  if (GetRay(parent, move.from, forward, one) == 0) return 0;
  if (!IsSquare(one.squares[0])) {
    if (mover > 0) Warn(true, "error 2 in EP DoMove");
    return 0;
  }
  GetRay(parent, one.squares[0], forward, two);
  bool doubleStep = false;
  for (int i = 0; i < two.count; ++i) doubleStep |= two.squares[i] == move.to;
  if (!doubleStep) return 0;
  for (int d : {8, -8}) {
    GetRay(parent, move.to, d, side);
    for (int i = 0; i < side.count; ++i)
      if (parent.board[side.squares[i]] == -mover) return one.squares[0];
  }
  return 0;
}

}  // namespace

Square EpSquareAfter(const Position& parent, int mover, const Move& move) {
  if (TypeOf(mover) != kPawn || !IsSquare(move.from) || !IsSquare(move.to)) return 0;
  return Is3D(parent) ? EpSquare3D(parent, mover, move) : EpSquare2D(parent, mover, move);
}

void SetEpSquare(MoveStep& s, int mover) {
  Position& child = s.child;
  child.hashKey ^= uint32_t(s.parent.epSquare) << 8;
  child.epSquare = EpSquareAfter(s.parent, mover, s.move);
  child.hashKey ^= uint32_t(child.epSquare) << 8;
}

}  // namespace torvik
