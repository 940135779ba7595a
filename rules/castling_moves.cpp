#include "rules/castling_moves.h"

#include <array>

namespace torvik {
namespace {

struct Castle {
  uint32_t right;
  Square king, to;
  char kind;
  std::array<Square, 3> empty;   // kNoSquare where unused
  std::array<Square, 3> unsafe;  // squares the opponent may not attack
  Square rook;                   // where the rook must stand
};

constexpr Square kNone = kNoSquare;

constexpr std::array<Castle, 4> kCastles2D = {{
    {kWhiteShort, 32, 48, kShortCastle, {40, 48, kNone}, {32, 40, 48}, 56},
    {kWhiteLong, 32, 16, kLongCastle, {8, 16, 24}, {32, 24, 16}, 0},
    {kBlackShort, 39, 55, kShortCastle, {47, 55, kNone}, {39, 47, 55}, 63},
    {kBlackLong, 39, 23, kLongCastle, {15, 23, 31}, {39, 31, 23}, 7},
}};

constexpr std::array<Castle, 4> kCastles3D = {{
    {kWhiteShort, 16, 24, kShortCastle, {kNone, kNone, kNone}, {16, 24, kNone}, 24},
    {kWhiteLong, 16, 8, kLongCastle, {8, kNone, kNone}, {16, 8, kNone}, 0},
    {kBlackShort, 23, 31, kShortCastle, {kNone, kNone, kNone}, {23, 31, kNone}, 31},
    {kBlackLong, 23, 15, kLongCastle, {15, kNone, kNone}, {23, 15, kNone}, 7},
}};

bool MayCastle(const Position& pos, const Castle& c, uint32_t enemy) {
  for (Square s : c.empty)
    if (s != kNone && pos.board[s] != 0) return false;
  for (Square s : c.unsafe)
    if (s != kNone && (pos.attackedBy[s] & enemy)) return false;
  return true;
}

// The two castlings of the side to move.
const Castle* SideCastles(const std::array<Castle, 4>& all, const Position& pos) {
  return WhiteToMove(pos) ? &all[0] : &all[2];
}

}  // namespace

void AddCastling2D(const Position& pos, MoveSink& sink) {
  const bool white = WhiteToMove(pos);
  const int king = white ? kKing : -kKing;
  const uint32_t enemy = white ? kBlackSlots : kWhiteSlots;
  const int rook = white ? kRook : -kRook;
  const Castle* castles = SideCastles(kCastles2D, pos);
  for (int i = 0; i < 2; ++i) {
    const Castle& c = castles[i];
    if (!(pos.flags & c.right) || pos.board[c.king] != king || pos.board[c.rook] != rook) continue;
    if (!MayCastle(pos, c, enemy)) continue;
    Append(sink, king, c.king, c.to, c.kind, Fill::kKeep);
  }
}

void AddCastling3D(Position& pos, MoveSink& sink) {
  const bool white = WhiteToMove(pos);
  const int king = white ? kKing : -kKing;
  const uint32_t enemy = white ? kBlackSlots : kWhiteSlots;
  const Castle* castles = SideCastles(kCastles3D, pos);
  for (int i = 0; i < 2; ++i) {
    const Castle& c = castles[i];
    if (!(pos.flags & c.right)) continue;
    if (pos.board[c.king] != king || pos.board[c.rook] != (white ? kRook : -kRook)) {
      // The right is gone with its king or rook; the key holds the rights.
      pos.hashKey ^= (pos.flags & kCastleRights) << 16;
      pos.flags &= ~c.right;
      pos.hashKey ^= (pos.flags & kCastleRights) << 16;
      continue;
    }
    if (MayCastle(pos, c, enemy)) Append(sink, king, c.king, c.to, c.kind, Fill::kKeep);
  }
}

}  // namespace torvik
