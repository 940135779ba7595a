// Making an attack-board move: the board changes pins and carries its pieces.
#include "board/castling.h"
#include "board/console.h"
#include "board/geometry.h"
#include "board/hash_keys.h"
#include "board/make_move.h"
#include "board/make_move_steps.h"
#include "board/maps.h"
#include "board/pieces.h"
#include "board/promotion.h"
#include "board/ray_cache.h"
#include "board/rebuild.h"

namespace torvik {
namespace {

constexpr bool IsNearEndPin(int pin) { return pin == 32 || pin == 56; }  // QL1, KL1
constexpr bool IsFarEndPin(int pin) { return pin == 39 || pin == 63; }   // QL6, KL6

// Castling rights a board takes with it: the king's, and a rook's on its home square.
uint32_t RightsCarried(const Position& pos, int which_ab) {
  uint32_t lost = 0;
  const Square base = kBoardBase[which_ab];
  for (Square s : {base, base + 1, base + 8, base + 9}) {
    const int code = pos.board[s];
    if (TypeOf(code) != kKing && TypeOf(code) != kRook) continue;
    const CastlingSquares& c = CastlingSquaresOf(kGame3D, Sign(code));
    if (TypeOf(code) == kKing) lost |= c.shortRight | c.longRight;
    else if (s == c.shortRook) lost |= c.shortRight;
    else if (s == c.longRook) lost |= c.longRight;
  }
  return lost;
}

// The pawn a board carries onto its last rank becomes the chosen piece.
bool PromoteCarriedPawn(Position& pos, int which_ab, Move& move) {
  const Square base = kBoardBase[which_ab];
  const int pin = pos.pins[which_ab];
  const bool black = IsNearEndPin(pin);
  const int pawn = black ? -kPawn : kPawn;
  for (Square s : black ? std::array<Square, 2>{base, base + 8} : std::array<Square, 2>{base + 1, base + 9}) {
    if (pos.board[s] != pawn) continue;
    ChangePiece(pos, pos.slotOf[s], GetPromotedPiece(move) * (black ? -1 : 1));
    return true;
  }
  return false;
}

}  // namespace

int BoardMovePromotes(const Position& pos, int boardCode, const Move& move) {
  const int b = BoardIndexOfCode(boardCode);
  if (b < 0) return 0;
  const Square base = kBoardBase[b];
  if (IsNearEndPin(move.to)) return pos.board[base] == -kPawn || pos.board[base + 8] == -kPawn;
  if (IsFarEndPin(move.to)) return pos.board[base + 1] == kPawn || pos.board[base + 9] == kPawn;
  return 0;
}

// An attack-board move takes the en-passant square away, moves the board's key
// from the old pin to the new, and drops the castling rights of a king or home
// rook it carries away.
void MakeBoardMove(MoveStep& s, int which_ab) {
  Position& child = s.child;
  if (PinIndex(s.move.to) < 0 || WhichABOnPin(child, s.move.to) != kNoSquare) {
    Warn(true, "bad piece @ DoMove");
    return;
  }
  const bool promotes = BoardMovePromotes(child, s.move.piece, s.move);
  HashBoardPin(child, which_ab, child.pins[which_ab]);
  child.pins[which_ab] = s.move.to;
  HashBoardPin(child, which_ab, child.pins[which_ab]);
  SetRayTableHint(child);
  child.hashKey ^= uint32_t(child.epSquare) << 8;
  child.epSquare = 0;
  const uint32_t before = child.flags & kCastleRights;
  child.flags &= ~RightsCarried(child, which_ab);
  child.hashKey ^= (before ^ (child.flags & kCastleRights)) << 16;
  if (promotes && PromoteCarriedPawn(child, which_ab, s.move))
    child.flags |= child.owners[which_ab] ? kWhitePromoted : kBlackPromoted;
  if (RegenToPieces(child)) RegenMaps(child);
  s.fullCheck = true;
}

}  // namespace torvik
