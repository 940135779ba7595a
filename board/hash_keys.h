// Hash keys of (piece, square) and, in the 3D game, of (attack board, pin).
//
// Two independent 15-bit keys per entry, drawn from the program's own generator
// x = x * 214013 + 2531011 (mod 2^32), value (x >> 16) & 0x7fff, started from 1:
// for piece index 0..12 but the empty code's, for square 0..63, the primary key
// (bit 0 cleared, it marks the side to move) and then the lock key. The board keys
// follow the piece keys in the same way, for board 0..3 and pin QL1..KL6.
//
// The primary key of a position: bit 0 when black is to move, XOR the keys of its
// pieces and boards, XOR (epSquare << 8), XOR ((flags & 15) << 16).
// The lock: the XOR of the lock keys of its pieces and boards.
#pragma once

#include <array>
#include <cstdint>

#include "board/geometry.h"
#include "board/piece.h"
#include "board/position.h"

namespace torvik {

struct HashKeys {
  std::array<std::array<uint32_t, kSquareCount>, kPieceCodes> primary{};
  std::array<std::array<uint32_t, kSquareCount>, kPieceCodes> lock{};
  std::array<std::array<uint32_t, kPins>, kAttackBoards> boardPrimary{};
  std::array<std::array<uint32_t, kPins>, kAttackBoards> boardLock{};
};

constexpr HashKeys MakeHashKeys() {
  HashKeys k;
  uint32_t x = 1;
  auto draw = [&x]() {
    x = x * 214013u + 2531011u;
    return (x >> 16) & 0x7fffu;
  };
  for (int code = 0; code < kPieceCodes; ++code) {
    if (code == 6) continue;
    for (int s = 0; s < kSquareCount; ++s) {
      k.primary[code][s] = draw() & ~1u;
      k.lock[code][s] = draw();
    }
  }
  for (int b = 0; b < kAttackBoards; ++b) {
    for (int p = 0; p < kPins; ++p) {
      k.boardPrimary[b][p] = draw() & ~1u;
      k.boardLock[b][p] = draw();
    }
  }
  return k;
}

inline constexpr HashKeys kHashKeys = MakeHashKeys();

// XORs both keys with the keys of (code, square).
inline void HashPiece(Position& pos, Square square, int code) {
  pos.hashKey ^= kHashKeys.primary[code + 6][square];
  pos.hashLock ^= kHashKeys.lock[code + 6][square];
}

// XORs both keys with the keys of attack board `which_ab` standing on `pin`
// (a pin square code); a value that is no pin has no key.
inline void HashBoardPin(Position& pos, int which_ab, int pin) {
  int p = PinIndex(pin);
  if (p < 0) return;
  pos.hashKey ^= kHashKeys.boardPrimary[which_ab][p];
  pos.hashLock ^= kHashKeys.boardLock[which_ab][p];
}

// Both keys computed from scratch; the incremental keys must always equal these.
void ComputeKeys(const Position& pos, uint32_t& key, uint32_t& lock);

}  // namespace torvik
