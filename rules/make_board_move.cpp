// Making an attack-board move: the board changes pins and carries its pieces.
#include "board/castling.h"
#include "board/config_cache.h"
#include "board/console.h"
#include "board/geometry.h"
#include "board/hash_keys.h"
#include "board/pieces.h"
#include "board/promotion.h"
#include "rules/make_move.h"
#include "rules/make_move_steps.h"

namespace torvik {
namespace {

// The pawn a board carries onto its last rank becomes the chosen piece.
bool PromoteCarriedPawn(Position& pos, int which_ab, Move& move) {
  const Square s = CarriedPromotion(pos, which_ab, pos.pins[which_ab]);
  if (s == kNoSquare) return false;
  ChangePiece(pos, pos.slotOf[s], GetPromotedPiece(move) * Sign(pos.board[s]));
  return true;
}

}  // namespace

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

Square CarriedPromotion(const Position& pos, int which_ab, int pin) {
  const Square base = kBoardBase[which_ab];
  const bool black = IsNearEndPin(pin);
  if (!black && !IsFarEndPin(pin)) return kNoSquare;
  const int pawn = black ? -kPawn : kPawn;
  for (Square s : black ? std::array<Square, 2>{base, base + 8} : std::array<Square, 2>{base + 1, base + 9})
    if (pos.board[s] == pawn) return s;
  return kNoSquare;
}

void RelocateBoard(Position& pos, int which_ab, int pin) {
  HashBoardPin(pos, which_ab, pos.pins[which_ab]);
  pos.pins[which_ab] = pin;
  HashBoardPin(pos, which_ab, pin);
  ResolveConfig(pos);
  pos.hashKey ^= uint32_t(pos.epSquare) << 8;
  pos.epSquare = 0;
  const uint32_t before = pos.flags & kCastleRights;
  pos.flags &= ~RightsCarried(pos, which_ab);
  pos.hashKey ^= (before ^ (pos.flags & kCastleRights)) << 16;
  UpdateABOwners(pos);
  MarkPawns(pos);
}

void MakeBoardMove(MoveStep& s, int which_ab) {
  Position& child = s.child;
  if (PinIndex(s.move.to) < 0 || WhichABOnPin(child, s.move.to) != kNoSquare) {
    Warn(true, "bad piece @ DoMove");
    return;
  }
  const bool promotes = BoardMovePromotes(child, s.move.piece, s.move);
  RelocateBoard(child, which_ab, s.move.to);
  if (promotes && PromoteCarriedPawn(child, which_ab, s.move))
    child.flags |= child.owners[which_ab] ? kWhitePromoted : kBlackPromoted;
  s.fullCheck = true;
}

}  // namespace torvik
