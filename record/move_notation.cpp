// The text of a move, as the console, the window and the game listing show it.
#include <memory>
#include <string>

#include "board/geometry.h"
#include "record/notation.h"
#include "rules/legality.h"
#include "rules/make_move.h"

namespace torvik {
namespace {

char Letter(int code) { return PieceLetter(TypeOf(code)); }  // upper case, blank for none

// What a capture says of the piece it took: nothing for a pawn (or, in the
// "Algebraic" notation, for anything), else the piece's letter.
std::string Capture(char who, char taken, bool nameTaken, const std::string& to) {
  std::string s{who, 'x'};
  if (nameTaken && taken != 'P') s += taken;
  return s + to;
}

std::string Notation2D(const Position& after, const Move& m, int captured) {
  const std::string to = posstr(after, m.to, 0).c_str();
  const char from = posstr(after, m.from, 0).text[0];
  const char taken = Letter(captured);
  if (TypeOf(m.piece) == kPawn) {
    if (from == to[0]) return to;
    if (taken == ' ') return std::string{from, 'x'} + to + "ep";
    return Capture(from, taken, true, to);
  }
  const char piece = Letter(m.piece);
  if (m.kind == kPlain) return std::string{piece} + to;
  if (m.kind == kCapture) return Capture(piece, taken, true, to);
  return std::string{piece, m.kind} + to;
}

std::string BoardMove3D(const Position& after, const Move& m, int notation) {
  const int pin = PinIndex(m.to);
  if (notation != kNotationStandard) {
    if (pin < 0) return "";
    return notation == kNotationAlgebraic ? kPinTable[pin].shortName : kPinTable[pin].name;
  }
  static constexpr const char* kBoardNames[] = {"QLW", "QLB", "KLW", "KLB"};
  const int b = BoardIndexOfCode(m.piece);
  std::string s = kBoardNames[b < 0 ? 0 : b];
  s += posstr(after, m.to, kNotationStandard).c_str();
  s += "(" + std::to_string(GetSquareLevel(after, m.to)) + ")";
  if (m.kind != kBoardMove) s += m.kind;
  return s;
}

// Where the piece arrived: W, N, B for the fixed levels, the pin of an attack board.
std::string LevelSuffix(const Position& after, Square to, int notation) {
  switch (GetSquareLevel(after, to)) {
    case kWhiteLevel: return "W";
    case kNeutralLevel: return "N";
    case kBlackLevel: return "B";
    default: break;
  }
  const int b = BoardOfSquare(to);
  const int pin = b < 0 ? -1 : PinIndex(after.pins[b]);
  if (pin < 0) return "OC2";
  return notation == kNotationAlgebraic ? kPinTable[pin].shortName : kPinTable[pin].name;
}

std::string PieceMove3D(const Position& after, const Move& m, int notation, int captured) {
  const std::string to = posstr(after, m.to, notation).c_str();
  const SquareName from = posstr(after, m.from, notation);
  const char piece = Letter(m.piece);
  if (notation == kNotationStandard)
    return std::string{piece} + from.c_str() + m.kind + to + "(" +
           std::to_string(GetSquareLevel(after, m.to)) + ")";
  const bool nameTaken = notation == kNotationTournament;
  const char taken = m.kind == kEnPassantWhite ? 'P' : Letter(captured);
  std::string s;
  if (TypeOf(m.piece) == kPawn)
    s = from.text[0] == to[0] ? to : Capture(from.text[0], taken, nameTaken, to);
  else if (m.kind == kPlain)
    s = std::string{piece} + to;
  else if (m.kind == kCapture || m.kind == kEnPassantWhite)
    s = Capture(piece, taken, nameTaken, to);
  else
    s = std::string{piece, m.kind} + to;
  s += LevelSuffix(after, m.to, notation);
  if (m.kind == kEnPassantWhite) s += "ep";
  return s;
}

}  // namespace

std::string MoveNotation(const Position& after, const Move& move, int notation, int captured) {
  std::string s;
  if (move.kind == kLongCastle) {
    s = "O-O-O";
  } else if (move.kind == kShortCastle) {
    s = "O-O";
  } else {
    if (!Is3D(after)) s = Notation2D(after, move, captured);
    else if (BoardIndexOfCode(move.piece) >= 0) s = BoardMove3D(after, move, notation);
    else s = PieceMove3D(after, move, notation, captured);
    if (after.flags & (kWhitePromoted | kBlackPromoted)) s += IsPromotionKind(move.kind) ? move.kind : 'Q';
  }
  if (move.check) s += '+';
  return s;
}

std::string NotationOfMove(const Position& before, const Move& move, int notation) {
  auto parent = std::make_unique<Position>(before);  // the child links to its parent
  auto after = std::make_unique<Position>();
  Move made = move;
  LegalMove(*parent, made);  // a line from the table names each move as generated
  MakeMove(*after, *parent, made);
  return MoveNotation(*after, made, notation, before.board[move.to]);
}

}  // namespace torvik
