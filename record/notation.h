// Square names and move notation: the 2D game's, and the three of the 3D game
// ("Tournament", "Standard", "Algebraic").
#pragma once

#include <array>
#include <string>

#include "board/position.h"

namespace torvik {

// A square's name, held by value, so any number can be alive at once.
struct SquareName {
  std::array<char, 4> text{};
  const char* c_str() const { return text.data(); }
  bool empty() const { return text[0] == 0; }
};

// The name for the game's kind and the notation setting.
SquareName posstr(const Position& pos, Square square, int notation);
SquareName posstr3D(const Position& pos, Square square);     // "Standard": files a..f
SquareName posstr3DRom(const Position& pos, Square square);  // files z..e

// The name of attack-board square `square` of a board standing on `pin`, in
// its higher file or not; `roman` names the files z..e, otherwise a..f.
SquareName PosStrAB_L(Square square, int pin, bool higherFile, bool roman);

// The text of a move, written on the position after the move was made: it
// reads the pins, the promotion markers of the flags and `captured`, the code
// of the piece the move took (0 for none). It writes nothing: the game clears
// the promotion markers once the move is recorded.
std::string MoveNotation(const Position& after, const Move& move, int notation, int captured);

// The text a move of `before` will get: made on a copy, then named there.
std::string NotationOfMove(const Position& before, const Move& move, int notation);

}  // namespace torvik
