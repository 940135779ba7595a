#include "board/rebuild.h"

#include <algorithm>
#include <string>
#include <vector>

#include "board/board_checks.h"
#include "board/config_cache.h"
#include "board/console.h"
#include "board/geometry.h"
#include "board/hash_keys.h"
#include "board/pieces.h"

namespace torvik {
namespace {

// Assigns one side's pieces to its 16 slots: officers in the K Q R R B B N N
// layout, pawns in the last slots in square order, and officers the layout has
// no room for (a third rook, a second queen) in the slots between. The side
// must fit (SidesFit): its pawns and extra officers then never meet.
void AssignSide(Position& pos, int sign) {
  std::vector<PieceEntry> officers, pawns;
  for (Square s = 0; s < kSquareCount; ++s) {
    int code = pos.board[s];
    if (code == 0 || !IsValidCode(code) || Sign(code) != sign) continue;
    (TypeOf(code) == kPawn ? pawns : officers).push_back({code, s});
  }
  std::sort(officers.begin(), officers.end(), [](const PieceEntry& a, const PieceEntry& b) {
    return TypeOf(a.code) != TypeOf(b.code) ? TypeOf(a.code) > TypeOf(b.code)
                                            : a.square > b.square;
  });
  const int base = sign > 0 ? 0 : kSideSlots;
  std::vector<PieceEntry> extra;
  std::size_t next = 0;
  for (int i = 0; i < kPawnSlot; ++i) {
    while (next < officers.size() && TypeOf(officers[next].code) > kOfficerLayout[i])
      extra.push_back(officers[next++]);
    if (next < officers.size() && TypeOf(officers[next].code) == kOfficerLayout[i])
      pos.pieces[base + i] = officers[next++];
  }
  extra.insert(extra.end(), officers.begin() + next, officers.end());
  if (pawns.size() + extra.size() > kSideSlots - kPawnSlot) return;  // the side does not fit
  const std::size_t pawnStart = kSideSlots - pawns.size();
  for (std::size_t i = 0; i < pawns.size(); ++i) pos.pieces[base + pawnStart + i] = pawns[i];
  for (std::size_t i = 0; i < extra.size(); ++i) pos.pieces[base + kPawnSlot + i] = extra[i];
}

bool IsBishopOn(const Position& pos, int slot, int parity) {
  const PieceEntry& e = pos.pieces[slot];
  return TypeOf(e.code) == kBishop && ((ColumnOf(e.square) ^ RowOf(e.square)) & 1) == parity;
}

// White's first bishop slot holds the bishop on (c ^ r) odd, black's on even.
void OrderBishops(Position& pos) {
  if (IsBishopOn(pos, kBishopSlot, 0)) std::swap(pos.pieces[4], pos.pieces[5]);
  if (IsBishopOn(pos, kSideSlots + kBishopSlot, 1)) std::swap(pos.pieces[20], pos.pieces[21]);
}

void ClearPieceState(Position& pos) {
  pos.slotOf.fill(kNoSlot);
  pos.pieces.fill(PieceEntry{});
  pos.winner = kNoWinner;
  pos.sliderMask = pos.pawnWatchMask = pos.pieceMask = pos.occupiedMask = 0;
  pos.eval.material = {0, 0};
  pos.eval.passedMask = {0, 0};
  pos.hashKey = static_cast<uint32_t>(pos.ply & 1);
  pos.hashLock = 0;
}

}  // namespace

int BoardToPieces(Position& pos) {
  ClearPieceState(pos);
  std::string error;
  if (!SidesFitSlots(pos, error)) {
    ConsolePrintf("\n%s", error.c_str());
    return 0;
  }
  const bool kings = SidesFit(pos, error);
  AssignSide(pos, +1);
  AssignSide(pos, -1);
  OrderBishops(pos);
  pos.board.fill(0);
  for (int slot = 0; slot < kSlots; ++slot) {
    const PieceEntry e = pos.pieces[slot];
    if (e.code != 0) PlacePiece(pos, e.code, e.square, slot);
  }
  if (Is3D(pos)) {
    for (int b = 0; b < kAttackBoards; ++b) HashBoardPin(pos, b, pos.pins[b]);
    ResolveConfig(pos);
  }
  DropUnbackedCastling(pos);
  pos.hashKey ^= static_cast<uint32_t>(pos.epSquare) << 8;
  pos.hashKey ^= (pos.flags & kCastleRights) << 16;
  if (kings) return 1;
  // A side without its king is the common case: its message is the short one.
  ConsolePrintf("\n%s", error.find("no king") != std::string::npos ? "no king" : error.c_str());
  return 0;
}

}  // namespace torvik
