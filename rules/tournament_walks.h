// The Tournament rules' lines across empty pins. The outer files (z and e) and
// the extreme ranks (0 and 9) exist only on attack boards, and the ray tables
// link only boards that stand next to each other. Under the Tournament rules a
// rook's or queen's line runs on over pins that hold no board:
//   - the column walk, along the outer file, from pin to pin of the board's side
//     in rank order: QL1, QL3, QL2 and QL5 together, QL4, QL6 (KL likewise);
//   - the lateral walk, along rank 0 between the boards on QL1 and KL1, and
//     along rank 9 between the boards on QL6 and KL6.
//
// A walk reports the squares it enters through a probe (see slides.h). In the
// attack builder a column walk marks only after it has crossed an empty pin
// (before that the ray tables hold its squares), and it marks a piece it runs
// into only when that piece is the walker's enemy. Evasions use the walks to
// find blocking squares: every empty square entered, up to the first piece.
#pragma once

#include <array>

#include "board/geometry.h"
#include "board/position.h"
#include "board/rays.h"

namespace torvik {

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
