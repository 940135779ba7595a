// The direction sets of the pieces, in the order the builder walks them.
#pragma once

#include <array>

#include "board/piece.h"

namespace torvik {

constexpr std::array<int, 4> kBishopDirections = {9, -7, -9, 7};
constexpr std::array<int, 4> kRookDirections = {1, -8, -1, 8};
constexpr std::array<int, 8> kKingDirections = {1, 9, 8, 7, -1, -9, -8, -7};
constexpr std::array<int, 8> kKnightDirections = {10, 6, 17, 15, -10, -6, -17, -15};
constexpr std::array<int, 2> kWhitePawnCaptures = {-7, 9};
constexpr std::array<int, 2> kBlackPawnCaptures = {-9, 7};

constexpr bool SlidesDiagonally(int code) {
  return TypeOf(code) == kBishop || TypeOf(code) == kQueen;
}
constexpr bool SlidesStraight(int code) {
  return TypeOf(code) == kRook || TypeOf(code) == kQueen;
}

// A pawn's forward step: towards black for white, towards white for black.
constexpr int PawnForward(int code) { return code > 0 ? 1 : -1; }

}  // namespace torvik
