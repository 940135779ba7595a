#include "board/board_checks.h"

#include <array>

#include "board/castling.h"
#include "board/geometry.h"
#include "board/promotion.h"

namespace torvik {
namespace {

// How many pieces of each type the K Q R R B B N N layout holds, by type.
constexpr std::array<int, 7> kLayoutRoom = {0, 0, 2, 2, 2, 1, 1};
constexpr std::array<const char*, 7> kPlural = {"", "pawns", "knights", "bishops", "rooks", "queens", "kings"};
constexpr int kSpareSlots = kSideSlots - kPawnSlot;  // for pawns and extra pieces

bool SideFits(const Position& pos, int sign, bool needKing, std::string& error) {
  std::array<int, 7> count{};
  for (int code : pos.board)
    if (code != 0 && IsValidCode(code) && Sign(code) == sign) ++count[TypeOf(code)];
  const std::string side = sign > 0 ? "white" : "black";
  if (needKing && count[kKing] != 1) {
    error = side + (count[kKing] == 0 ? " has no king" : " has more than one king");
    return false;
  }
  int spare = count[kPawn];
  std::string extra;
  for (int type = kKing; type >= kKnight; --type) {
    if (count[type] <= kLayoutRoom[type]) continue;
    spare += count[type] - kLayoutRoom[type];
    extra += (extra.empty() ? "" : " and ") + std::string(kPlural[type]);
  }
  if (spare <= kSpareSlots) return true;
  error = side + " has too many " + (extra.empty() ? std::string("pawns") : extra) +
          " for its 16 piece slots";
  return false;
}

}  // namespace

bool SidesFit(const Position& pos, std::string& error) {
  return SideFits(pos, +1, true, error) && SideFits(pos, -1, true, error);
}

bool SidesFitSlots(const Position& pos, std::string& error) {
  return SideFits(pos, +1, false, error) && SideFits(pos, -1, false, error);
}

Square PawnPastPromotion(const Position& pos) {
  for (Square s = 0; s < kSquareCount; ++s) {
    const int code = pos.board[s];
    if (TypeOf(code) != kPawn) continue;
    if (!Is3D(pos)) {
      if (RowOf(s) == 0 || RowOf(s) == 7) return s;
      continue;
    }
    if (!IsPromotion(pos, code, s, Move{})) continue;
    // A level's corner beneath the pawn's end pin (a pin is named by that
    // corner's square) had a square ahead while a board stood there; the board
    // may have moved off since.
    if (code > 0 ? IsFarEndPin(s) : IsNearEndPin(s)) continue;
    return s;
  }
  return kNoSquare;
}

bool EpSquareFits2D(const Position& pos) {
  const Square ep = pos.epSquare;
  if (!IsSquare(ep) || ep == 0 || pos.board[ep] != 0) return false;
  const int pawn = WhiteToMove(pos) ? -kPawn : kPawn;  // the pawn that stepped
  const Square beyond = pawn > 0 ? ep + 1 : ep - 1;
  return RowOf(ep) == (pawn > 0 ? 2 : 5) && pos.board[beyond] == pawn;
}

void DropUnbackedCastling(Position& pos) {
  for (int side : {1, -1}) {
    const CastlingSquares& c = CastlingSquaresOf(pos.gameMode, side);
    const bool king = pos.board[c.kingHome] == side * kKing;
    if (!king || pos.board[c.shortRook] != side * kRook) pos.flags &= ~c.shortRight;
    if (!king || pos.board[c.longRook] != side * kRook) pos.flags &= ~c.longRight;
  }
}

}  // namespace torvik
