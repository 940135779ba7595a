// What the evaluation's term files share: the coefficient block of a
// position's stage, a side's view of the board, and the per-column pawn
// summary. Terms are written once, from the side's own view; Black's view
// mirrors the rows (square s becomes s ^ 7) and the caller negates its value.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "board/position.h"
#include "engine/coefficients.h"

namespace torvik {

// The block of the position's game and stage (an impossible stage reads block 0).
inline const CoefficientTable& Coefficients(const Position& pos) {
  return CoefficientBlock(pos.gameMode, std::clamp(pos.eval.stage, 0, kStages - 1));
}

// An entry of a table that may be read past its end: the index is kept inside
// the block (the last entry, 1467, stands for anything beyond).
inline int32_t ReadOn(const CoefficientTable& c, int index) {
  return c[std::clamp(index, 0, kCoefficients - 1)];
}

inline int Popcount(uint32_t m) { return std::popcount(m); }

// A side's view of the board.
struct View {
  int side;        // kWhite or kBlack
  int sign;        // +1 White, -1 Black
  int forward;     // the row step of its pawns
  int base;        // its first slot, 0 or 16
  uint32_t own;    // its slot bits
  uint32_t enemy;  // the other side's slot bits

  Square Mirror(Square s) const { return side == kWhite ? s : s ^ 7; }
  int Row(Square s) const { return side == kWhite ? RowOf(s) : 7 - RowOf(s); }
  int Slot(int offset) const { return base + offset; }           // own slot by its number 0..15
  int EnemySlot(int offset) const { return (base ^ 16) + offset; }
  int Code(int type) const { return sign * type; }               // own piece code of a type
};

constexpr View kViews[2] = {
    {kWhite, 1, 1, 0, kWhiteSlots, kBlackSlots},
    {kBlack, -1, -1, kSideSlots, kBlackSlots, kWhiteSlots},
};

inline const View& ViewOf(int code) { return kViews[code < 0 ? kBlack : kWhite]; }

// Per column, the rearmost pawn of each side as a row counted from that side's
// own back row (White: its lowest pawn, Black: its highest), 0 for none.
struct PawnColumns {
  std::array<std::array<int8_t, 8>, 2> rear{};

  // The rearmost own pawn of column c in v's rows, 0 for none.
  int Own(const View& v, int c) const { return rear[v.side][c]; }
  // The rearmost enemy pawn of column c, in v's rows; 0 for none.
  int Enemy(const View& v, int c) const {
    const int r = rear[v.side ^ 1][c];
    return r ? 7 - r : 0;
  }
};

PawnColumns ColumnPawns(const Position& pos);

// PieceValues and KingSafety with the columns' pawns already summed for the
// position as it stands (one evaluation sums them once).
int32_t PieceValues(Position& pos, const PawnColumns& cols);
int32_t KingSafety(const Position& pos, const PawnColumns& cols);

// Pawn bits of the occupied slots (the slots of pieces that are not officers).
inline uint32_t PawnSlots(const Position& pos) { return pos.occupiedMask & ~pos.pieceMask; }

// The value of the piece in `slot` from its own side's view.
int32_t KnightValue(const Position& pos, const PawnColumns& cols, int slot);
int32_t BishopValue(const Position& pos, const PawnColumns& cols, int slot);
int32_t RookValue(const Position& pos, int slot);
int32_t QueenValue(const Position& pos, int slot);
int32_t KingValue(const Position& pos, int slot);
// Also sets the slot in the passed-pawn and race masks when it belongs there.
int32_t PawnValue(Position& pos, const PawnColumns& cols, int slot);

// The pattern terms (blocked centre pawns and knights, bishop pair and
// bishop-colour draws, the pawnless mating nets), White-positive.
int32_t PatternTerms(const Position& pos);

}  // namespace torvik
