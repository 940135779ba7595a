// Piece codes: 0 empty, 1 pawn .. 6 king; white positive, black negative.
#pragma once

#include <cstdint>

namespace torvik {

enum PieceType : int32_t {
  kEmpty = 0,
  kPawn = 1,
  kKnight = 2,
  kBishop = 3,
  kRook = 4,
  kQueen = 5,
  kKing = 6,
};

constexpr int kPieceCodes = 13;  // -6..6, indexed by code + 6

constexpr int TypeOf(int code) { return code < 0 ? -code : code; }
constexpr bool IsWhitePiece(int code) { return code > 0; }
constexpr bool IsBlackPiece(int code) { return code < 0; }
constexpr bool IsValidCode(int code) { return code >= -kKing && code <= kKing; }

// Bishops, rooks and queens slide.
constexpr bool IsSlider(int code) {
  int t = TypeOf(code);
  return t == kBishop || t == kRook || t == kQueen;
}

// The letter of a code: black lower case, white upper case, blank for empty.
constexpr char PieceLetter(int code) {
  return IsValidCode(code) ? "kqrbnp PNBRQK"[code + 6] : '?';
}

// 1 when two codes have the same sign (an empty code counts as white).
constexpr int SameSide(int a, int b) { return (a ^ b) >= 0 ? 1 : 0; }

constexpr int Sign(int v) { return v < 0 ? -1 : 1; }

}  // namespace torvik
