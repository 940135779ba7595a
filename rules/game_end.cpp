// The end of the game: mate, stalemate and the draws, declared before a move
// is played and before a side to move moves.
#include <memory>
#include <string>

#include "board/console.h"
#include "board/piece_values.h"
#include "rules/generate.h"
#include "rules/legality.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

// Where the result goes: the console, or the caller's text to print later.
struct Announce {
  std::string* text = nullptr;
  int operator()(Position& pos, int winner, const char* result) const {
    if (text) *text += result;
    else ConsolePrintf("%s", result);
    pos.winner = winner;
    return 1;
  }
};

// No pawns, and no more than a king and one bishop (or knight).
bool BareSide(const Position& pos, int side) {
  const uint32_t half = side > 0 ? kWhiteSlots : kBlackSlots;
  const bool noPawns = (pos.occupiedMask & half) == (pos.pieceMask & half);
  return noPawns && pos.eval.material[side > 0 ? kWhite : kBlack] <= PieceValue(kKing) + PieceValue(kBishop);
}

// 1 when some generated reply is legal (the generated moves tried in order).
bool HasLegalReply(Position& pos) {
  MoveList replies{};
  const int n = GenerateAll(pos, replies);
  auto scratch = std::make_unique<Position>();
  for (int i = 0; i < n; ++i) {
    Move m = replies[i];
    if (MakeMove(*scratch, pos, m)) return true;
  }
  return false;
}

// No legal move in `after`: the side to move there is mated or stalemated. The
// result is written to `marked` (the position before the move, or `after` itself).
int NoMoves(Position& marked, const Position& after, const Announce& declare) {
  const int side = WhiteToMove(after) ? 1 : -1;
  if (KingAttacked(after, side))
    return side > 0 ? declare(marked, kBlackWon, "\nWhite is mated") : declare(marked, kWhiteWon, "\nBlack is mated");
  return declare(marked, kDrawn, "\nStalemate");
}

}  // namespace

bool KingAttacked(const Position& pos, int side) {
  const Square king = pos.pieces[side > 0 ? kKingSlot : kSideSlots + kKingSlot].square;
  return (pos.attackedBy[king] & (side > 0 ? kBlackSlots : kWhiteSlots)) != 0;
}

int FindWinner(Position& pos, Move* move, bool autoPlay, std::string* announcement) {
  const Announce declare{announcement};
  if (pos.winner != kNoWinner) {
    Warn(false, "FindWinner: already has winner");
    return 1;
  }
  if (WhiteToMove(pos) && KingAttacked(pos, -1)) return declare(pos, kWhiteWon, "\nBlack is mated!");
  if (BlackToMove(pos) && KingAttacked(pos, 1)) return declare(pos, kBlackWon, "\nWhite is mated!");
  if (IsRepetition(pos, 3)) return declare(pos, kDrawn, "\nDraw - you're repeating");
  if (autoPlay && (pos.flags & kDrawish)) return declare(pos, kDrawn, "\nAuto-draw");
  if (!move) return HasLegalReply(pos) ? 0 : NoMoves(pos, pos, declare);
  if (!LegalMove(pos, *move)) return 0;
  auto after = std::make_unique<Position>();
  Move m = *move;
  MakeMove(*after, pos, m);
  if (IsRepetition(*after, 3)) return declare(pos, kDrawn, "\nDraw - I'm repeating");
  if (BareSide(pos, 1) && BareSide(pos, -1)) return declare(pos, kDrawn, "\nDraw - insufficient material");
  return HasLegalReply(*after) ? 0 : NoMoves(pos, *after, declare);
}

}  // namespace torvik
