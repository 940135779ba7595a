#include "record/named_move.h"

#include "record/move_text.h"
#include "record/notation.h"
#include "record/san.h"
#include "rules/perft.h"

namespace torvik {
namespace {

std::string WithoutCheck(std::string text) {
  if (!text.empty() && text.back() == '+') text.pop_back();
  return text;
}

// Every move's name holds a square or pin (a digit), but castling's.
bool LooksLikeMove(const std::string& word) {
  return word.find_first_of("0123456789") != std::string::npos || word.rfind("O-O", 0) == 0;
}

}  // namespace

NamedMove FindNamedMove(Position& pos, int notation, std::string text, Move& found) {
  MoveList moves;
  const int n = LegalMoves(pos, moves);
  if (Move typed; ParseMoveText(pos, text, typed))
    return MatchTypedMove(typed, moves.data(), n, found) ? NamedMove::kFound : NamedMove::kIllegal;
  text = WithoutCheck(text);
  int matches = 0;
  for (int i = 0; i < n; ++i)
    if (WithoutCheck(NotationOfMove(pos, moves[i], notation)) == text) found = moves[i], ++matches;
  if (matches == 1) return NamedMove::kFound;
  // The 2D game also takes the standard names other programs write (Bxc6, Nbd7, e8=Q).
  std::string ignored;
  if (!Is3D(pos) && MoveOfSan(pos, text, found, ignored)) return NamedMove::kFound;
  if (matches > 1) return NamedMove::kAmbiguous;
  return LooksLikeMove(text) ? NamedMove::kIllegal : NamedMove::kNoMove;
}

}  // namespace torvik
