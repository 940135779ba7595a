// How the pieces move over the squares: their direction sets, the slides of
// both games and the Tournament rules' walks across empty pins. The attack
// maps and the evasion generator both read the boards through these.
//
// The direction sets of the pieces, in the order the builder walks them.
#pragma once

#include <array>

#include "board/config_cache.h"
#include "board/geometry.h"
#include "board/piece.h"
#include "board/position.h"
#include "board/rays.h"

namespace torvik {

constexpr std::array<int, 4> kBishopDirections = {9, -7, -9, 7};
constexpr std::array<int, 4> kRookDirections = {1, -8, -1, 8};
constexpr std::array<int, 8> kKingDirections = {1, 9, 8, 7, -1, -9, -8, -7};
constexpr std::array<int, 8> kKnightDirections = {10, 6, 17, 15, -10, -6, -17, -15};
constexpr std::array<int, 2> kWhitePawnCaptures = {-7, 9};
constexpr std::array<int, 2> kBlackPawnCaptures = {-9, 7};

constexpr bool SlidesDiagonally(int code) {
  return TypeOf(code) == kBishop || TypeOf(code) == kQueen;
}
constexpr bool SlidesStraight(int code) {
  return TypeOf(code) == kRook || TypeOf(code) == kQueen;
}

// A pawn's forward step: towards black for white, towards white for black.
constexpr int PawnForward(int code) { return code > 0 ? 1 : -1; }

// Sliding pieces. In the 2D game a slide runs to the first occupied square and
// on into the x-ray map through friendly batteries. In the 3D game one step can
// land on several levels; each level blocks on its own.
//
// The 3D slide is written once for every use through a probe:
//   int  probe.Code(Square)  what stands on a square (the probe may pretend),
//   void probe.Mark(Square)  the slide reaches that square.
// No line of the 3D board is longer than ten steps.
constexpr int kMaxSlideSteps = 12;

// 2D: marks the slot's line from `from` in attackedBy up to and including the
// first occupied square, then in xrayBy while the line runs on through a
// friendly slider that attacks back along it.
void Slide2D(Position& pos, int slot, Square from, int direction);

// 3D: one open flag per level for the whole slide. Each step takes the ray list
// of the current square: a square on an open level is marked, an occupied square
// closes its level, and an empty square becomes the square to go on from once
// some square of the step has been marked (the last such square wins). Under the
// Tournament rules a step holding an occupied square ends the slide, after every
// square of that step has been seen; under the Standard rules only the closed
// levels stay blocked. The slide ends when a step leaves no square to go on from.
template <class Probe>
void Slide3D(const Position& pos, Square from, int direction, Probe& probe) {
  std::array<bool, kLevelCount> open;
  open.fill(true);
  const bool tournament = pos.rules == kTournament;
  Square current = from;
  // One step over a list of squares; false when the slide ends there.
  auto step = [&](const auto& list) {
    Square next = kNoSquare;
    bool marked = false, blocked = false;
    for (int i = 0; i < int(list.count); ++i) {
      const Square s = list.squares[i];
      const int level = LevelOfSquare(pos, s);
      if (open[level]) {
        probe.Mark(s);
        marked = true;
      }
      if (probe.Code(s) != 0) {
        open[level] = false;
        blocked = true;
      } else if (marked) {
        next = s;
      }
    }
    if (next == kNoSquare || (blocked && tournament)) return false;
    current = next;
    return true;
  };
  const int slot = ray_detail::SlotOf(direction);
  if (slot < 0 || !Is3D(pos)) {  // the lookup reports a bad direction
    for (int n = 0; n < kMaxSlideSteps; ++n) {
      RayList list;
      GetRay(pos, current, direction, list);
      if (!step(list)) return;
    }
    return;
  }
  // The configuration's table is looked up once for the whole slide.
  const RayTable& rays = ConfigOf(pos).rays;
  for (int n = 0; n < kMaxSlideSteps && IsSquare(current); ++n)
    if (!step(rays[RayListIndex(slot, current)])) return;
}

// The Tournament rules' lines across empty pins. The outer files (z and e) and
// the extreme ranks (0 and 9) exist only on attack boards, and the ray tables
// link only boards that stand next to each other. Under the Tournament rules a
// rook's or queen's line runs on over pins that hold no board:
//   - the column walk, along the outer file, from pin to pin of the board's side
//     in rank order: QL1, QL3, QL2 and QL5 together, QL4, QL6 (KL likewise);
//   - the lateral walk, along rank 0 between the boards on QL1 and KL1, and
//     along rank 9 between the boards on QL6 and KL6.
//
// A walk reports the squares it enters through a probe (see the slides above). In the
// attack builder a column walk marks only after it has crossed an empty pin
// (before that the ray tables hold its squares), and it marks a piece it runs
// into only when that piece is the walker's enemy. Evasions use the walks to
// find blocking squares: every empty square entered, up to the first piece.
enum class WalkMode { kAttack, kBlocks };

// A square of an attack board and its place on that board.
struct WalkStart {
  Square square;
  int board;       // 0..3
  int pin;         // pin number 0..11 (kPinTable)
  int file;        // on the board: 0 lower, 1 higher
  int rank;        // on the board: 0 lower, 1 upper
  bool queenSide;  // the board stands on a QL pin
};

// False for a fixed-level square or a board on no pin.
bool GetWalkStart(const Position& pos, Square square, WalkStart& out);

// The column stops of a side in rank order; stop 2 holds the pair QL2/QL5.
constexpr int kColumnStops = 5;
constexpr int kPairStop = 2;
int ColumnStopOfPin(int pin);

// The boards standing at a column stop of one side; returns how many.
int BoardsAtStop(const Position& pos, bool queenSide, int stop, std::array<int, 2>& boards);

// The pin a lateral walk from `w` heads for (QL1 with KL1 on rank 0, QL6 with
// KL6 on rank 9), or -1 when the square starts no lateral walk.
int LateralPartner(const WalkStart& w);

constexpr Square BoardSquare(int board, int file, int rank) {
  return kBoardBase[board] + 8 * file + rank;
}

constexpr bool OnOuterFile(const WalkStart& w) { return w.file == (w.queenSide ? 0 : 1); }

// Enters one square: an empty square lets the walk go on.
template <class Probe>
bool EnterSquare(Probe& probe, Square s, int walker, bool mark, WalkMode mode) {
  const int there = probe.Code(s);
  if (there == 0) {
    if (mark) probe.Mark(s);
    return true;
  }
  if (mode == WalkMode::kAttack && mark && !SameSide(there, walker)) probe.Mark(s);
  return false;
}

// Before walking, the walker's own file must be clear on its board: forward
// from the lower rank the upper square, backward from the upper rank the lower
// square; backward from the pair QL2/QL5 (KL2/KL5) the lower squares of every
// board standing there, the walker's own square aside.
template <class Probe>
bool ColumnWalkMayStart(const Position& pos, const WalkStart& w, int step, Probe& probe) {
  if (step > 0) return w.rank == 1 || probe.Code(BoardSquare(w.board, w.file, 1)) == 0;
  if (ColumnStopOfPin(w.pin) == kPairStop) {
    std::array<int, 2> boards{};
    const int n = BoardsAtStop(pos, w.queenSide, kPairStop, boards);
    for (int i = 0; i < n; ++i) {
      const Square s = BoardSquare(boards[i], w.file, 0);
      if (s != w.square && probe.Code(s) != 0) return false;
    }
    return true;
  }
  return w.rank == 0 || probe.Code(BoardSquare(w.board, w.file, 0)) == 0;
}

// step +1 walks towards black, -1 towards white. At each stop every board
// present is entered, nearer square first; the walk goes past the stop only when
// every board let it through. A stop without a board is a gap.
template <class Probe>
void ColumnWalk(const Position& pos, const WalkStart& w, int walker, int step, WalkMode mode,
                Probe& probe) {
  if (!ColumnWalkMayStart(pos, w, step, probe)) return;
  const int nearRank = step > 0 ? 0 : 1;
  bool gap = false;
  for (int stop = ColumnStopOfPin(w.pin) + step; stop >= 0 && stop < kColumnStops; stop += step) {
    std::array<int, 2> boards{};
    const int n = BoardsAtStop(pos, w.queenSide, stop, boards);
    if (n == 0) {
      gap = true;
      continue;
    }
    const bool mark = gap || mode == WalkMode::kBlocks;
    bool through = true;
    for (int i = 0; i < n; ++i) {
      if (!EnterSquare(probe, BoardSquare(boards[i], w.file, nearRank), walker, mark, mode) ||
          !EnterSquare(probe, BoardSquare(boards[i], w.file, 1 - nearRank), walker, mark, mode))
        through = false;
    }
    if (!through) return;
  }
}

// From the far file of its board the walker needs the square beside it empty;
// then it enters the other board's nearer square and, if that is empty, the
// farther one. The lateral walk marks from its first square.
template <class Probe>
void LateralWalk(const Position& pos, const WalkStart& w, int walker, WalkMode mode, Probe& probe) {
  const int partner = LateralPartner(w);
  if (partner < 0) return;
  const int other = WhichABOnPin(pos, kPinTable[partner].square);
  if (other < 0 || other >= kAttackBoards) return;
  const int nearFile = w.queenSide ? 1 : 0;  // own board's file towards the partner
  if (w.file != nearFile && probe.Code(BoardSquare(w.board, nearFile, w.rank)) != 0) return;
  if (EnterSquare(probe, BoardSquare(other, 1 - nearFile, w.rank), walker, true, mode))
    EnterSquare(probe, BoardSquare(other, nearFile, w.rank), walker, true, mode);
}

// Every walk that starts from `from`: the column walk forward and backward when
// `from` is on its board's outer file, then the lateral walk.
template <class Probe>
void TournamentWalks(const Position& pos, Square from, int walker, WalkMode mode, Probe& probe) {
  WalkStart w;
  if (!GetWalkStart(pos, from, w)) return;
  if (OnOuterFile(w)) {
    ColumnWalk(pos, w, walker, +1, mode, probe);
    ColumnWalk(pos, w, walker, -1, mode, probe);
  }
  LateralWalk(pos, w, walker, mode, probe);
}

// A rook or queen on an attack-board square of the 3D game under the
// Tournament rules walks.
bool WalksAcrossPins(const Position& pos, int code, Square from);

}  // namespace torvik
