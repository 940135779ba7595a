// The squares of castling in both games, for each side.
#pragma once

#include <cstdint>

#include "board/position.h"

namespace torvik {

// In the 3D game the king castles short onto its rook's square (the rook goes
// to the king's) and long onto the queen's-side attack board (the rook goes to
// the king's square).
struct CastlingSquares {
  Square kingHome;
  Square shortTarget, longTarget;  // where the king goes
  Square shortRook, longRook;      // the rooks' home squares
  Square shortRookTo, longRookTo;
  uint32_t shortRight, longRight, castled;
};

inline constexpr CastlingSquares kWhiteCastling3D = {16, 24, 8, 24, 0, 16, 16, kWhiteShort, kWhiteLong, kWhiteCastled};
inline constexpr CastlingSquares kBlackCastling3D = {23, 31, 15, 31, 7, 23, 23, kBlackShort, kBlackLong, kBlackCastled};
inline constexpr CastlingSquares kWhiteCastling2D = {32, 48, 16, 56, 0, 40, 24, kWhiteShort, kWhiteLong, kWhiteCastled};
inline constexpr CastlingSquares kBlackCastling2D = {39, 55, 23, 63, 7, 47, 31, kBlackShort, kBlackLong, kBlackCastled};

// `side` +1 white, -1 black.
constexpr const CastlingSquares& CastlingSquaresOf(int gameMode, int side) {
  if (gameMode == kGame3D) return side > 0 ? kWhiteCastling3D : kBlackCastling3D;
  return side > 0 ? kWhiteCastling2D : kBlackCastling2D;
}

}  // namespace torvik
