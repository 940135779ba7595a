#include "rules/board_moves.h"

#include <array>

#include "board/castling.h"
#include "board/config_cache.h"
#include "board/console.h"
#include "board/geometry.h"
#include "board/hash_keys.h"
#include "board/pieces.h"
#include "board/promotion.h"
#include "rules/make_move.h"

namespace torvik {

namespace {

constexpr int QL1 = 32, QL2 = 35, QL3 = 2, QL4 = 5, QL5 = 36, QL6 = 39;
constexpr int KL1 = 56, KL2 = 59, KL3 = 26, KL4 = 29, KL5 = 60, KL6 = 63;

// Destinations from each pin, in the order they are listed: backward (towards
// white), forward (towards black), and sideways to the other wing (Tournament).
struct Destinations {
  int pin;
  std::array<int, 3> backward;  // 0 ends a list
  std::array<int, 3> forward;
  int sideways;
};

constexpr std::array<Destinations, kPins> kDestinations = {{
    {QL1, {0}, {QL3, QL2}, KL1},
    {QL2, {QL1, QL3}, {QL4}, KL2},
    {QL3, {QL1}, {QL2, QL4, QL5}, KL3},
    {QL4, {QL2, QL3, QL5}, {QL6}, KL4},
    {QL5, {QL3}, {QL4, QL6}, KL5},
    {QL6, {QL4, QL5}, {0}, KL6},
    {KL1, {0}, {KL2, KL3}, QL1},
    {KL2, {KL1, KL3}, {KL4}, QL2},
    {KL3, {KL1}, {KL2, KL4, KL5}, QL3},
    {KL4, {KL2, KL3, KL5}, {KL6}, QL4},
    {KL5, {KL3}, {KL4, KL6}, QL5},
    {KL6, {KL4, KL5}, {0}, QL6},
}};

const Destinations* DestinationsFrom(int pin) {
  for (const Destinations& d : kDestinations)
    if (d.pin == pin) return &d;
  return nullptr;
}

}  // namespace

// Only the side to move moves its boards. Tournament: a board carrying at most
// one piece of any kind. Standard: an empty board or one carrying one pawn.
int BoardCanMove(const Position& pos, int boardCode, int& direction) {
  const int b = BoardIndexOfCode(boardCode);
  direction = 0;
  if (b < 0) {
    Warn(true, "bad board @ BoardCanMove");
    return 0;
  }
  if (pos.owners[b] != (WhiteToMove(pos) ? 1 : 0)) return 0;
  int pieces = 0, weight = 0;
  const Square base = kBoardBase[b];
  for (Square s : {base, base + 1, base + 8, base + 9}) {
    const int code = pos.board[s];
    pieces += code != 0;
    weight += TypeOf(code);
    direction += code;
  }
  return pos.rules == kStandard ? weight <= 1 : pieces <= 1;
}

// A board carrying a white piece goes forward only, one carrying a black piece
// backward only, an empty one both ways. Standard rules filter the same way.
int GenAtBoMoves(const Position& pos, int boardCode, MoveList& list, int at) {
  const int pin = GetABPin(pos, boardCode);
  int direction;
  if (!BoardCanMove(pos, boardCode, direction)) return 0;
  const Destinations* d = DestinationsFrom(pin);
  if (!d) {
    Warn(true, "Error! Where is AB @ GenAtBoMoves?");
    return 0;
  }
  int n = 0;
  auto add = [&](int to) {
    if (to == 0 || WhichABOnPin(pos, to) != kNoSquare) return;
    list[static_cast<std::size_t>(at + n++)] = Move{pin, to, kNoScore, boardCode, kBoardMove, 0, {0, 0}};
  };
  if (direction <= 0) for (int to : d->backward) add(to);
  if (direction >= 0) for (int to : d->forward) add(to);
  if (pos.rules == kTournament) add(d->sideways);
  return n;
}

// Making an attack-board move: the board changes pins and carries its pieces.
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
