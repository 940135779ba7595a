// The evasion generator's working record and its steps. Everything lives in one
// call of GenerateEvasions; nothing is kept between calls.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "board/position.h"
#include "rules/move_sink.h"

namespace torvik {

struct Evasion {
  Position& pos;
  MoveSink sink;
  int side = 1;             // +1 white to move, -1 black
  uint32_t mover = 0;       // slot masks
  uint32_t enemy = 0;
  Square king = kNoSquare;  // K
  uint32_t checkers = 0;    // enemy slots attacking K
  Square checker = kNoSquare;  // X: the single checker's square, else K
  std::array<uint64_t, kSquareCount> listed{};  // listed[from] bit `to`: a piece move already in the list
};

inline bool SingleCheck(const Evasion& e) { return std::has_single_bit(e.checkers); }

// Lists a piece move unless the same piece already goes from `from` to `to`.
bool AddOnce(Evasion& e, int piece, Square from, Square to, char kind, Fill fill = Fill::kFresh);

// The mover's pieces other than pawns and the king that may go to the empty
// square `b`, and the pawns that may push there.
void AddPieceBlocks(Evasion& e, Square b);
void AddPawnBlocks(Evasion& e, Square b);

// Blocks between K and a sliding checker: along the line in the 3D game (and
// past the edge of the tables along the Tournament walks), square by square in
// the 2D game.
void AddLineBlocks3D(Evasion& e);
void AddLineBlocks2D(Evasion& e);

// 3D: every other piece move that touches the line of each checker.
void AddPathMoves(Evasion& e);

// The king's own steps.
void AddKingSteps(Evasion& e);

}  // namespace torvik
