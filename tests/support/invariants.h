// Checks that hold for every Position the program makes.
#pragma once

#include <bit>
#include <memory>
#include <sstream>
#include <string>

#include "board/hash_keys.h"
#include "board/piece_values.h"
#include "board/position.h"
#include "record/position_text.h"
#include "rules/attack_maps.h"

namespace torvik::test {

struct Home {
  uint32_t right;
  Square king, rook;
  int side;
};
constexpr Home kHomes3D[] = {{kWhiteShort, 16, 24, 1}, {kWhiteLong, 16, 0, 1},
                             {kBlackShort, 23, 31, -1}, {kBlackLong, 23, 7, -1}};
constexpr Home kHomes2D[] = {{kWhiteShort, 32, 56, 1}, {kWhiteLong, 32, 0, 1},
                             {kBlackShort, 39, 63, -1}, {kBlackLong, 39, 7, -1}};

// Empty when the piece list, slot table, masks, material and both keys agree
// with the board (and the castling rights with the kings and rooks on their
// home squares); otherwise what disagrees.
inline std::string Inconsistency(const Position& pos) {
  const std::string where = " in " + FormatPosition(pos);
  uint32_t occupied = 0, officers = 0;
  int32_t material[2] = {0, 0};
  for (int slot = 0; slot < kSlots; ++slot) {
    const PieceEntry& e = pos.pieces[slot];
    if (e.code == 0) continue;
    if ((e.code < 0) != (slot >= 16)) return "piece in the other side's slot" + where;
    if (!IsSquare(e.square) || pos.board[e.square] != e.code || pos.slotOf[e.square] != slot)
      return "slot " + std::to_string(slot) + " disagrees with the board" + where;
    occupied |= SlotBit(slot);
    if (TypeOf(e.code) != kPawn) officers |= SlotBit(slot);
    material[e.code < 0] += PieceValue(e.code);
  }
  int onBoard = 0;
  for (Square s = 0; s < 64; ++s) {
    if (pos.board[s] != 0) ++onBoard;
    else if (pos.slotOf[s] != kNoSlot) return "slot on an empty square" + where;
  }
  if (onBoard != std::popcount(occupied)) return "a piece on the board has no slot" + where;
  if (pos.occupiedMask != occupied) return "occupiedMask" + where;
  if (pos.pieceMask != officers) return "pieceMask" + where;
  if ((pos.sliderMask & occupied) != (pos.sliderMask & occupied & officers)) return "sliderMask" + where;
  if (pos.eval.material[kWhite] != material[0] || pos.eval.material[kBlack] != material[1])
    return "material" + where;
  uint32_t key, lock;
  ComputeKeys(pos, key, lock);
  if (pos.hashKey != key) return "hashKey" + where;
  if (pos.hashLock != lock) return "hashLock" + where;
  if (pos.pieces[0].code != kKing || pos.pieces[16].code != -kKing) return "king slots" + where;
  for (const Home& h : Is3D(pos) ? kHomes3D : kHomes2D) {
    if (!(pos.flags & h.right)) continue;
    if (pos.board[h.king] != h.side * kKing || pos.board[h.rook] != h.side * kRook)
      return "castling right without king and rook at home" + where;
  }
  return "";
}

// Empty when the attack maps, the pawn marks and the board owners equal those
// of a fresh rebuild of the same Position.
inline std::string MapsDiffer(const Position& pos) {
  auto fresh = std::make_unique<Position>(pos);
  RegenToPieces(*fresh);
  if (fresh->pawnWatchMask != pos.pawnWatchMask) return "pawnWatchMask in " + FormatPosition(pos);
  if (fresh->owners != pos.owners) return "owners in " + FormatPosition(pos);
  for (Square s = 0; s < 64; ++s) {
    if (fresh->attackedBy[s] != pos.attackedBy[s])
      return "attackedBy[" + std::to_string(s) + "] in " + FormatPosition(pos);
    if (fresh->xrayBy[s] != pos.xrayBy[s])
      return "xrayBy[" + std::to_string(s) + "] in " + FormatPosition(pos);
  }
  for (uint32_t m = pos.sliderMask & pos.occupiedMask; Is3D(pos) && m; m &= m - 1)
    if (fresh->reachRead[std::countr_zero(m)] != pos.reachRead[std::countr_zero(m)])
      return "reachRead[" + std::to_string(std::countr_zero(m)) + "] in " + FormatPosition(pos);
  return "";
}

// The lines of a captured log but the notes of ray tables being built: the
// warnings of the program's consistency checks, of which the rules give none.
inline std::string Warnings(const std::string& log) {
  std::string warnings;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);)
    if (!line.empty() && line.rfind("Building ", 0) != 0) warnings += line + "\n";
  return warnings;
}

}  // namespace torvik::test
