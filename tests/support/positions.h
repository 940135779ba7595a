// Positions and moves for tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/position.h"
#include "board/setup.h"
#include "engine/rebuild.h"
#include "record/position_text.h"

namespace torvik::test {

inline Position FromText(const std::string& text, int mode, int rules = kTournament) {
  Position pos;
  pos.rules = rules;
  std::string error;
  EXPECT_TRUE(ParsePosition(text, mode, pos, error)) << text << ": " << error;
  return pos;
}
inline Position From2D(const std::string& fen) { return FromText(fen, kGame2D); }
inline Position From3D(const std::string& text) { return FromText(text, kGame3D); }

inline Position Start(int mode, int rules = kTournament) {
  Position pos;
  pos.rules = rules;
  PlaceStartPosition(pos, mode);
  EXPECT_EQ(RebuildPosition(pos), 1);
  return pos;
}

// The given pieces on an otherwise empty 3D board, followed by `rest` (side to
// move, pins, owners, castling, en passant).
inline Position Build3D(const std::vector<std::pair<Square, char>>& pieces,
                        const std::string& rest = "w QL1,QL6,KL1,KL6 wbwb - -", int rules = kTournament) {
  std::string board(64, '.');
  for (auto [s, c] : pieces) board[s] = c;
  return FromText(board + " " + rest, kGame3D, rules);
}

inline Move M(int piece, Square from, Square to, char kind = '-', int check = 0) {
  return Move{from, to, kNoScore, piece, kind, uint8_t(check), {0, 0}};
}

// A square of the 2D board by its name.
constexpr Square Sq(char file, int rank) { return MakeSquare(file - 'a', rank - 1); }

}  // namespace torvik::test
