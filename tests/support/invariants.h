// Checks that hold for every Position the program makes.
#pragma once

#include <string>

#include "board/position.h"

namespace torvik::test {

// Empty when the piece list, slot table, masks, material and both keys agree
// with the board (and the castling rights with the kings and rooks on their
// home squares); otherwise what disagrees.
std::string Inconsistency(const Position& pos);

// Empty when the attack maps equal those of a fresh rebuild of the same Position.
std::string MapsDiffer(const Position& pos);

}  // namespace torvik::test
