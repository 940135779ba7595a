// A move typed by a player: its move text (e2e4, 33-34, 100:QL1-QL3) or its
// name in the notation in effect, as the console shows it (Nf3, QxPd5, O-O).
#pragma once

#include <string>

#include "board/position.h"

namespace torvik {

enum class NamedMove {
  kFound,      // exactly one legal move
  kIllegal,    // a move's text or name, but no legal move's
  kAmbiguous,  // a name that two legal moves have
  kNoMove,     // nothing shaped like a move (no square, no castling)
};

// The legal move of `pos` that `text` names (a trailing '+' is ignored; a
// promotion typed without its piece makes a queen); in the 2D game also its
// standard name (SAN: Bxc6, Nbd7, e8=Q).
NamedMove FindNamedMove(Position& pos, int notation, std::string text, Move& found);

}  // namespace torvik
