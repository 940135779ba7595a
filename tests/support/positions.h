// Positions for tests, from text.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "board/position.h"
#include "record/position_text.h"

namespace torvik::test {

inline Position FromText(const std::string& text, int mode) {
  Position pos;
  std::string error;
  EXPECT_TRUE(ParsePosition(text, mode, pos, error)) << text << ": " << error;
  return pos;
}

inline Position From2D(const std::string& fen) { return FromText(fen, kGame2D); }
inline Position From3D(const std::string& text) { return FromText(text, kGame3D); }

// A 3D board text with the given pieces on an otherwise empty board.
inline std::string Board3D(std::initializer_list<std::pair<Square, char>> pieces) {
  std::string board(64, '.');
  for (auto [s, c] : pieces) board[s] = c;
  return board;
}

}  // namespace torvik::test
