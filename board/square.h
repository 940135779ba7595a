// Squares of both games: 0..63, column c = square >> 3, row r = square & 7.
// 2D: c is the file (a..h), r the rank (1..8). 3D: see geometry.h.
#pragma once

#include <cstdint>

namespace torvik {

using Square = int;

constexpr int kSquareCount = 64;
constexpr Square kNoSquare = 65;  // an empty list entry, a board on no pin

constexpr int ColumnOf(Square s) { return s >> 3; }
constexpr int RowOf(Square s) { return s & 7; }
constexpr Square MakeSquare(int column, int row) { return column * 8 + row; }
constexpr bool IsSquare(int s) { return s >= 0 && s < kSquareCount; }

// `gameMode` of the game state.
enum GameMode : int32_t { kGame2D = 2, kGame3D = 3 };

// `rules` of the game state.
enum Rules : int32_t { kTournament = 0, kStandard = 1 };

// `notation` of the game state.
enum Notation : int32_t { kNotationTournament = 0, kNotationStandard = 1, kNotationAlgebraic = 2 };

}  // namespace torvik
