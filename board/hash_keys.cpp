#include "board/hash_keys.h"

namespace torvik {

void ComputeKeys(const Position& pos, uint32_t& key, uint32_t& lock) {
  key = static_cast<uint32_t>(pos.ply & 1);
  lock = 0;
  for (Square s = 0; s < kSquareCount; ++s) {
    int code = pos.board[s];
    if (code == 0 || !IsValidCode(code)) continue;
    key ^= kHashKeys.primary[code + 6][s];
    lock ^= kHashKeys.lock[code + 6][s];
  }
  if (Is3D(pos)) {
    for (int b = 0; b < kAttackBoards; ++b) {
      int p = PinIndex(pos.pins[b]);
      if (p < 0) continue;
      key ^= kHashKeys.boardPrimary[b][p];
      lock ^= kHashKeys.boardLock[b][p];
    }
  }
  key ^= static_cast<uint32_t>(pos.epSquare) << 8;
  key ^= (pos.flags & kCastleRights) << 16;
}

}  // namespace torvik
