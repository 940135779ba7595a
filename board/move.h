// The move record: 20 bytes, copied by value into the game record and the Position.
#pragma once

#include <cstdint>

namespace torvik {

// Move kinds.
enum MoveKind : char {
  kPlain = '-',
  kCapture = 'x',
  kEnPassantWhite = 'e',
  kEnPassantBlack = 'E',
  kShortCastle = 'S',
  kLongCastle = 'L',
  kPromoteQueen = 'Q',
  kPromoteRook = 'R',
  kPromoteBishop = 'B',
  kPromoteKnight = 'N',
  kBoardMove = 'T',
};

constexpr int32_t kNoScore = 405000;  // score of a move not yet searched

// One of the kinds above (a move from the engine's table carries a mark of its own).
constexpr bool IsMoveKind(char kind) {
  switch (kind) {
    case kPlain: case kCapture: case kEnPassantWhite: case kEnPassantBlack: case kShortCastle:
    case kLongCastle: case kPromoteQueen: case kPromoteRook: case kPromoteBishop: case kPromoteKnight:
    case kBoardMove:
      return true;
    default:
      return false;
  }
}

// A kind that names the piece a pawn becomes.
constexpr bool IsPromotionKind(char kind) {
  return kind == kPromoteQueen || kind == kPromoteRook || kind == kPromoteBishop || kind == kPromoteKnight;
}

struct Move {
  int32_t from = 0;   // square left; for an attack-board move the board's pin before
  int32_t to = 0;     // square reached; for an attack-board move the new pin
  int32_t score = 0;
  int32_t piece = 0;  // piece code, or the board code 100/106/116/122
  char kind = 0;
  uint8_t check = 0;  // 1 when the move gives check
  uint8_t pad[2] = {0, 0};
};
static_assert(sizeof(Move) == 20, "a Move is five 32-bit words");

constexpr int kMoveImageBytes = 20;

inline void ClearMove(Move& move) { move = Move{}; }

// Same origin and destination.
inline int SameMove(const Move& a, const Move& b) { return a.from == b.from && a.to == b.to; }

}  // namespace torvik
