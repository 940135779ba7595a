#include "record/san.h"

#include <cctype>
#include <memory>

#include "rules/legality.h"
#include "rules/make_move.h"
#include "rules/perft.h"

namespace torvik {
namespace {

constexpr std::string_view kPieceLetters = " PNBRQK";

// Squares of the 2D game: 8 x file + rank.
char FileOf(int square) { return char('a' + square / 8); }
char RankOf(int square) { return char('1' + square % 8); }
int TypeOf(const Move& m) { return m.piece < 0 ? -m.piece : m.piece; }

bool IsCastling(const Move& m) { return m.kind == kShortCastle || m.kind == kLongCastle; }

// "+" when the move checks, "#" when it mates.
std::string CheckMark(Position& pos, const Move& move) {
  auto child = std::make_unique<Position>();
  Move m = move;
  MakeMove(*child, pos, m);
  const int mover = WhiteToMove(*child) ? 1 : -1;
  if (!KingAttacked(*child, mover)) return "";
  MoveList replies;
  return LegalMoves(*child, replies) == 0 ? "#" : "+";
}

// What tells `move` from the other legal moves of its piece type to its
// square: nothing, the origin's file, its rank, or both.
std::string Disambiguation(const Move& move, const MoveList& moves, int n) {
  bool rival = false, sameFile = false, sameRank = false;
  for (int i = 0; i < n; ++i) {
    const Move& m = moves[i];
    if (m.piece != move.piece || m.to != move.to || m.from == move.from) continue;
    rival = true;
    sameFile |= m.from / 8 == move.from / 8;
    sameRank |= m.from % 8 == move.from % 8;
  }
  if (!rival) return "";
  if (!sameFile) return {FileOf(move.from)};
  if (!sameRank) return {RankOf(move.from)};
  return {FileOf(move.from), RankOf(move.from)};
}

// SAN as written, reduced to what names a move: no marks, no "e.p.", no "=".
std::string Reduced(std::string_view san) {
  std::string s(san);
  for (std::string_view tail : {"e.p.", "ep"})
    if (s.size() > tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0)
      s.erase(s.size() - tail.size());
  while (!s.empty() && (s.back() == '+' || s.back() == '#' || s.back() == '!' || s.back() == '?')) s.pop_back();
  std::string out;
  for (char c : s)
    if (c != '=') out += c;
  for (char& c : out)
    if (c == '0') c = 'O';  // 0-0 for O-O
  return out;
}

bool IsFile(char c) { return c >= 'a' && c <= 'h'; }
bool IsRank(char c) { return c >= '1' && c <= '8'; }

// The parts of a reduced SAN: the piece type, what is known of the origin
// (-1 for unknown), the destination and the promotion kind.
struct SanParts {
  int type = kPawn;
  int fromFile = -1, fromRank = -1;
  int to = -1;
  char promotion = 0;
};

bool Split(const std::string& s, SanParts& p) {
  std::size_t i = 0, end = s.size();
  if (end > 0 && std::string_view("QRBN").find(s[end - 1]) != std::string_view::npos &&
      end >= 3 && IsRank(s[end - 2])) {
    p.promotion = s[end - 1];
    --end;
  }
  if (i < end && std::isupper(static_cast<unsigned char>(s[i]))) {
    const auto at = kPieceLetters.find(s[i]);
    if (at == std::string_view::npos || at < 2) return false;
    p.type = int(at);
    ++i;
  }
  if (end < i + 2 || !IsFile(s[end - 2]) || !IsRank(s[end - 1])) return false;
  p.to = 8 * (s[end - 2] - 'a') + (s[end - 1] - '1');
  end -= 2;
  if (end > i && s[end - 1] == 'x') --end;
  for (; i < end; ++i) {
    if (IsFile(s[i]) && p.fromFile < 0) p.fromFile = s[i] - 'a';
    else if (IsRank(s[i]) && p.fromRank < 0) p.fromRank = s[i] - '1';
    else return false;
  }
  return true;
}

}  // namespace

std::string SanOfMove(Position& pos, const Move& move) {
  std::string san;
  if (IsCastling(move)) {
    san = move.kind == kShortCastle ? "O-O" : "O-O-O";
  } else {
    MoveList moves;
    const int n = LegalMoves(pos, moves);
    // A pawn that changes its file captures, en passant onto an empty square.
    const bool capture = pos.board[move.to] != 0 || (TypeOf(move) == kPawn && move.from / 8 != move.to / 8);
    if (TypeOf(move) == kPawn) {
      if (capture) san = {FileOf(move.from), 'x'};
    } else {
      san = kPieceLetters[TypeOf(move)];
      san += Disambiguation(move, moves, n);
      if (capture) san += 'x';
    }
    san += FileOf(move.to);
    san += RankOf(move.to);
    if (IsPromotionKind(move.kind)) san += {'=', move.kind};
  }
  return san + CheckMark(pos, move);
}

bool MoveOfSan(Position& pos, std::string_view san, Move& found, std::string& error) {
  const std::string s = Reduced(san);
  MoveList moves;
  const int n = LegalMoves(pos, moves);
  int matches = 0;
  if (s == "O-O" || s == "O-O-O") {
    const char kind = s == "O-O" ? kShortCastle : kLongCastle;
    for (int i = 0; i < n; ++i)
      if (moves[i].kind == kind) found = moves[i], ++matches;
  } else {
    SanParts p;
    if (!Split(s, p)) {
      error = "not a move: " + std::string(san);
      return false;
    }
    for (int i = 0; i < n; ++i) {
      const Move& m = moves[i];
      const char promotion = IsPromotionKind(m.kind) ? m.kind : 0;
      if (TypeOf(m) != p.type || m.to != p.to || IsCastling(m)) continue;
      if ((p.fromFile >= 0 && m.from / 8 != p.fromFile) || (p.fromRank >= 0 && m.from % 8 != p.fromRank)) continue;
      if (promotion != p.promotion && !(p.promotion == 0 && promotion == kPromoteQueen)) continue;
      found = m, ++matches;
    }
  }
  if (matches == 1) return true;
  error = (matches == 0 ? "illegal move: " : "ambiguous move: ") + std::string(san);
  return false;
}

}  // namespace torvik
