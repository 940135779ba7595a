// The squares of castling in both games, for each side.
#pragma once

#include <array>
#include <cstdint>

#include "board/position.h"

namespace torvik {

// In the 3D game the king castles short onto its rook's square (the rook goes
// to the king's) and long onto the queen's-side attack board (the rook goes to
// the king's square).
// Where a square list has fewer than three squares it is filled with kNoSquare.
using CastlingPath = std::array<Square, 3>;
struct CastlingSquares {
  Square kingHome;
  Square shortTarget, longTarget;  // where the king goes
  Square shortRook, longRook;      // the rooks' home squares
  Square shortRookTo, longRookTo;
  uint32_t shortRight, longRight, castled;
  CastlingPath shortEmpty, longEmpty;    // squares that must be empty
  CastlingPath shortUnsafe, longUnsafe;  // squares the opponent may not attack
};

constexpr Square kNo = kNoSquare;
inline constexpr CastlingSquares kWhiteCastling3D = {16, 24, 8, 24, 0, 16, 16, kWhiteShort, kWhiteLong, kWhiteCastled,
                                                     {kNo, kNo, kNo}, {8, kNo, kNo}, {16, 24, kNo}, {16, 8, kNo}};
inline constexpr CastlingSquares kBlackCastling3D = {23, 31, 15, 31, 7, 23, 23, kBlackShort, kBlackLong, kBlackCastled,
                                                     {kNo, kNo, kNo}, {15, kNo, kNo}, {23, 31, kNo}, {23, 15, kNo}};
inline constexpr CastlingSquares kWhiteCastling2D = {32, 48, 16, 56, 0, 40, 24, kWhiteShort, kWhiteLong, kWhiteCastled,
                                                     {40, 48, kNo}, {8, 16, 24}, {32, 40, 48}, {32, 24, 16}};
inline constexpr CastlingSquares kBlackCastling2D = {39, 55, 23, 63, 7, 47, 31, kBlackShort, kBlackLong, kBlackCastled,
                                                     {47, 55, kNo}, {15, 23, 31}, {39, 47, 55}, {39, 31, 23}};

// `side` +1 white, -1 black.
constexpr const CastlingSquares& CastlingSquaresOf(int gameMode, int side) {
  if (gameMode == kGame3D) return side > 0 ? kWhiteCastling3D : kBlackCastling3D;
  return side > 0 ? kWhiteCastling2D : kBlackCastling2D;
}

}  // namespace torvik
