// Hash keys of (piece, square) and, in the 3D game, of (attack board, pin).
//
// Two independent 32-bit keys per entry, the primary key and the lock, both
// taken from one draw of a well-mixed 64-bit generator (splitmix64) started from
// a fixed seed, so that the keys are the same in every run: the low half is the
// primary key with bit 0 cleared (that bit marks the side to move), the high
// half the lock. Draw order: piece index 0..12 but the empty code's, square
// 0..63; then board 0..3, pin QL1..KL6.
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

constexpr uint64_t kHashSeed = 0x546f7276696b2033ull;

constexpr HashKeys MakeHashKeys() {
  HashKeys k;
  uint64_t x = kHashSeed;
  auto draw = [&x](uint32_t& primary, uint32_t& lock) {
    x += 0x9e3779b97f4a7c15ull;
    uint64_t z = x;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    z ^= z >> 31;
    primary = uint32_t(z) & ~1u;
    lock = uint32_t(z >> 32);
  };
  for (int code = 0; code < kPieceCodes; ++code) {
    if (code == 6) continue;
    for (int s = 0; s < kSquareCount; ++s) draw(k.primary[code][s], k.lock[code][s]);
  }
  for (int b = 0; b < kAttackBoards; ++b)
    for (int p = 0; p < kPins; ++p) draw(k.boardPrimary[b][p], k.boardLock[b][p]);
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
