// The primary hash key of every ply of the game, for the repetition test.
// Indexed by ply; a game longer than the table wraps around, which keeps the
// most recent 1000 plies, far more than the repetition test ever looks back.
#pragma once

#include <array>
#include <cstdint>

namespace torvik {

struct KeyHistory {
  static constexpr int kPlies = 1000;

  std::array<uint32_t, kPlies> keys{};

  static constexpr int IndexOf(int ply) { return ((ply % kPlies) + kPlies) % kPlies; }
  void Store(int ply, uint32_t key) { keys[IndexOf(ply)] = key; }
  uint32_t At(int ply) const { return keys[IndexOf(ply)]; }
};

}  // namespace torvik
