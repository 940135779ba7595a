// Position texts no game can reach or no reader takes, each with the reason it
// is refused: the text reader, the headless tool and the editor's checks all
// give that reason.
#pragma once

#include <string>
#include <vector>

#include "board/position.h"

namespace torvik::test {

struct BadPosition {
  std::string text;
  int mode;
  std::string reason;
};

// A 3D text of the given pieces on an empty board, the boards at home.
inline std::string Text3D(std::vector<std::pair<Square, char>> pieces, char side = 'w') {
  std::string board(64, '.');
  for (auto [s, c] : pieces) board[s] = c;
  return board + " " + side + " QL1,QL6,KL1,KL6 wbwb - -";
}

// A side's pieces must fit its 16 slots (the rebuild once wrote past the piece
// list); the side not to move must not stand in check; a 3D pawn on a square
// with nothing ahead of it must already have promoted.
inline std::vector<BadPosition> BadPositions() {
  const std::string start3D = "RP....prQP....pqKP....pkRP....prNP....pnBP....pbBP....pbNP....pn";
  return {
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP w KQkq - 0 1", kGame2D, "FEN board must have 8 ranks"},
      {"rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", kGame2D, "rank 7 is too long"},
      {"rnbqkbnr/pppppppp/54/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", kGame2D, "rank 6 is too long"},
      {"rnbqkbnr/ppppxppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", kGame2D, "unknown piece letter 'x'"},
      {"rnbq1bnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ - 0 1", kGame2D, "black has no king"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1", kGame2D, "side to move must be w or b"},
      {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e4 0 1", kGame2D, "bad en-passant square 'e4'"},
      {"P3k3/8/8/8/8/8/8/4K3 w - - 0 1", kGame2D, "pawn on the first or last rank"},
      {"qqqqqqqq/qqqqqqq1/8/8/8/8/8/K6k w - - 0 1", kGame2D, "black has too many queens for its 16 piece slots"},
      {"QQQQQQQQ/QQQQQQQ1/8/8/8/8/8/K6k b - - 0 1", kGame2D, "white has too many queens for its 16 piece slots"},
      {"4k3/8/8/8/8/8/PPPPPPPP/QQ2K3 w - - 0 1", kGame2D, "white has too many queens for its 16 piece slots"},
      {"4k3/8/8/8/8/P7/PPPPPPPP/RNBQKBNR w - - 0 1", kGame2D, "white has too many pawns for its 16 piece slots"},
      {"4k3/8/8/8/8/8/PPPPPPPP/RNNQKBNR w - - 0 1", kGame2D, "white has too many knights for its 16 piece slots"},
      {"k7/8/8/8/8/8/8/R6K w - - 0 1", kGame2D, "black is in check with white to move"},
      {"4k3/8/8/8/8/5n2/8/4K3 b - - 0 1", kGame2D, "white is in check with black to move"},
      {start3D.substr(1) + " w QL1,QL6,KL1,KL6 wbwb KQkq -", kGame3D, "board field has 63 squares, not 64"},
      {start3D + " w QL1,QL7,KL1,KL6 wbwb KQkq -", kGame3D, "bad pin name 'QL7'"},
      {start3D + " w QL1,QL6,KL1,QL1 wbwb KQkq -", kGame3D, "two boards on pin QL1"},
      {start3D + " w QL1,QL6,KL1,KL6 wbxb KQkq -", kGame3D, "owners must be four of w/b"},
      {start3D + " w QL1,QL6,KL1,KL6 wbwb KQkq 64", kGame3D, "bad en-passant square '64'"},
      {start3D + " w QL1,QL6,KL1,KL6 wbwb KQkq - 0", kGame3D, "3D position needs 6 or 8 fields"},
      {std::string(64, '.') + " w QL1,QL6,KL1,KL6 wbwb - -", kGame3D, "white has no king"},
      {"KQQQQQQQQQRRBBNNQ" + std::string(46, '.') + "k b QL1,QL6,KL1,KL6 wbwb - -", kGame3D,
       "white has too many queens for its 16 piece slots"},
      {Text3D({{32, 'k'}, {40, 'R'}, {63, 'K'}}), kGame3D, "black is in check with white to move"},
      {Text3D({{16, 'K'}, {23, 'k'}, {47, 'P'}}), kGame3D, "must already have promoted"},  // b8, no b9
      {Text3D({{16, 'K'}, {23, 'k'}, {40, 'p'}}), kGame3D, "must already have promoted"},  // b1, no b0
  };
}

}  // namespace torvik::test
