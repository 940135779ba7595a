#include "board/rebuild.h"

#include <algorithm>
#include <vector>

#include "board/castling.h"
#include "board/config_cache.h"
#include "board/console.h"
#include "board/geometry.h"
#include "board/hash_keys.h"
#include "board/pieces.h"

namespace torvik {
namespace {

// The non-pawn layout of one side, slot by slot.
constexpr std::array<int, 8> kOfficerLayout = {kKing, kQueen, kRook, kRook,
                                               kBishop, kBishop, kKnight, kKnight};

// Assigns one side's pieces to its 16 slots: officers in the K Q R R B B N N
// layout, pawns in the last slots in square order, and officers the layout has
// no room for (a third rook, a second queen) in the free pawn slots.
bool AssignSide(Position& pos, int sign) {
  std::vector<PieceEntry> officers, pawns;
  for (Square s = 0; s < kSquareCount; ++s) {
    int code = pos.board[s];
    if (code == 0 || Sign(code) != sign) continue;
    (TypeOf(code) == kPawn ? pawns : officers).push_back({code, s});
  }
  std::sort(officers.begin(), officers.end(), [](const PieceEntry& a, const PieceEntry& b) {
    return TypeOf(a.code) != TypeOf(b.code) ? TypeOf(a.code) > TypeOf(b.code)
                                            : a.square > b.square;
  });
  const int base = sign > 0 ? 0 : kSideSlots;
  const char* side = sign > 0 ? "white" : "black";
  if (officers.empty() || TypeOf(officers[0].code) != kKing) {
    ConsolePrintf("\nno king");
    return false;
  }
  if (officers.size() > 1 && TypeOf(officers[1].code) == kKing) {
    ConsolePrintf("\n%s has more than one king", side);
    return false;
  }
  if (officers.size() + pawns.size() > kSideSlots) {
    ConsolePrintf("\n%s has more than 16 pieces", side);
    return false;
  }
  std::vector<PieceEntry> extra;
  std::size_t next = 0;
  for (int i = 0; i < 8; ++i) {
    while (next < officers.size() && TypeOf(officers[next].code) > kOfficerLayout[i])
      extra.push_back(officers[next++]);
    if (next < officers.size() && TypeOf(officers[next].code) == kOfficerLayout[i])
      pos.pieces[base + i] = officers[next++];
  }
  extra.insert(extra.end(), officers.begin() + next, officers.end());
  int pawnStart = base + kSideSlots - static_cast<int>(pawns.size());
  for (std::size_t i = 0; i < pawns.size(); ++i) pos.pieces[pawnStart + i] = pawns[i];
  for (std::size_t i = 0; i < extra.size(); ++i) pos.pieces[base + kPawnSlot + i] = extra[i];
  return true;
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

// A right stays only while its king and rook stand on their home squares.
void DropUnbackedCastling(Position& pos) {
  for (int side : {1, -1}) {
    const CastlingSquares& c = CastlingSquaresOf(pos.gameMode, side);
    const bool king = pos.board[c.kingHome] == side * kKing;
    if (!king || pos.board[c.shortRook] != side * kRook) pos.flags &= ~c.shortRight;
    if (!king || pos.board[c.longRook] != side * kRook) pos.flags &= ~c.longRight;
  }
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
  if (!AssignSide(pos, +1) || !AssignSide(pos, -1)) return 0;
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
  return 1;
}

}  // namespace torvik
