// The tables that depend on where the attack boards stand: the straight line
// between two squares and the reach of each piece type on an empty board. They
// are built once per board configuration (and once for the 2D board) and then
// only looked up.
#pragma once

#include <array>
#include <cstdint>

#include "board/position.h"

namespace torvik {

// The line and reach tables of one configuration and rule set.
struct LineTables {
  std::array<std::array<int8_t, kSquareCount>, kSquareCount> lineDir{};
  std::array<std::array<uint64_t, kSquareCount>, kPieceCodes> reach{};  // [code + 6][from]
};

// Fills `t` for the configuration, rules and mode of `pos`, whose ray lookups
// must already answer for that configuration.
void BuildLineTables(const Position& pos, LineTables& t);

// The tables of the configuration, rules and mode of `pos`, for a caller that
// looks up many pairs of one position.
const LineTables& LineTablesOf(const Position& pos);

// Direction code (+1, +8, +9, +7 or the negative) of the straight line from
// `from` to `to`, 0 when the two squares share no line. LineDir(b, a) is always
// -LineDir(a, b).
int LineDir(const Position& pos, Square from, Square to);

// 1 when a piece of `code` standing on `from` attacks `to` on an empty board:
// pawns their two forward diagonal steps, knights and kings their steps, rooks,
// bishops and queens every square on their lines.
bool PieceReach(const Position& pos, int code, Square from, Square to);

// 1 when `b` lies between `a` and `c` on one line.
int IsBetween(const Position& pos, Square a, Square b, Square c);

// The squares reached from `origin` by repeated steps in `direction`,
// following every branch of the ray lists, at most ten steps deep, one bit per
// square. Under the Tournament rules the steps also cross to boards beyond
// empty pins.
uint64_t RayReach(const Position& pos, Square origin, int direction);

}  // namespace torvik
