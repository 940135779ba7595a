#include "record/move_text.h"

#include <cctype>
#include <charconv>

#include "board/geometry.h"

namespace torvik {
namespace {

std::string Square2D(Square s) { return {char('a' + ColumnOf(s)), char('1' + RowOf(s))}; }

std::string PinText(int pin) {
  const int i = PinIndex(pin);
  return i < 0 ? std::to_string(pin) : kPinTable[i].name;
}

// A pin by name (QL1) or square code.
bool ParsePin(std::string_view text, int& pin) {
  for (const PinInfo& p : kPinTable)
    if (text == p.name) return pin = p.square, true;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), pin);
  return ec == std::errc{} && end == text.data() + text.size() && PinIndex(pin) >= 0;
}

bool ParseNumber(std::string_view text, int& value) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && end == text.data() + text.size();
}

// Splits off a trailing "=Q" style promotion letter.
bool TakePromotion(std::string_view& text, char& kind) {
  kind = kPlain;
  const std::size_t eq = text.find('=');
  if (eq == std::string_view::npos) return true;
  if (eq + 2 != text.size()) return false;
  kind = char(std::toupper(static_cast<unsigned char>(text[eq + 1])));
  text = text.substr(0, eq);
  return IsPromotionKind(kind);
}

bool Parse2D(const Position& pos, std::string_view t, Move& move) {
  if (t.size() != 4 && t.size() != 5) return false;
  auto square = [](char f, char r, Square& s) {
    if (f < 'a' || f > 'h' || r < '1' || r > '8') return false;
    s = MakeSquare(f - 'a', r - '1');
    return true;
  };
  if (!square(t[0], t[1], move.from) || !square(t[2], t[3], move.to)) return false;
  move.kind = kPlain;
  if (t.size() == 5) {
    move.kind = char(std::toupper(static_cast<unsigned char>(t[4])));
    if (!IsPromotionKind(move.kind)) return false;
  }
  move.piece = pos.board[move.from];
  return move.piece != 0;
}

bool Parse3D(const Position& pos, std::string_view t, Move& move) {
  if (!TakePromotion(t, move.kind)) return false;
  const std::size_t colon = t.find(':'), dash = t.find('-', colon == std::string_view::npos ? 0 : colon);
  if (dash == std::string_view::npos) return false;
  if (colon != std::string_view::npos) {
    int code;
    if (!ParseNumber(t.substr(0, colon), code) || BoardIndexOfCode(code) < 0) return false;
    if (!ParsePin(t.substr(colon + 1, dash - colon - 1), move.from)) return false;
    if (!ParsePin(t.substr(dash + 1), move.to)) return false;
    move.piece = code;
    if (move.kind == kPlain) move.kind = kBoardMove;
    return true;
  }
  if (!ParseNumber(t.substr(0, dash), move.from) || !ParseNumber(t.substr(dash + 1), move.to)) return false;
  if (!IsSquare(move.from) || !IsSquare(move.to)) return false;
  move.piece = pos.board[move.from];
  return move.piece != 0;
}

}  // namespace

std::string FormatMoveText(const Position& pos, const Move& move) {
  std::string text;
  if (BoardIndexOfCode(move.piece) >= 0) {
    text = std::to_string(move.piece) + ":" + PinText(move.from) + "-" + PinText(move.to);
  } else if (Is3D(pos)) {
    text = std::to_string(move.from) + "-" + std::to_string(move.to);
  } else {
    text = Square2D(move.from) + Square2D(move.to);
    if (IsPromotionKind(move.kind)) text += char(std::tolower(static_cast<unsigned char>(move.kind)));
    return text;
  }
  if (IsPromotionKind(move.kind)) text += std::string("=") + move.kind;
  return text;
}

bool MatchTypedMove(const Move& typed, const Move* moves, int count, Move& found) {
  const char want = IsPromotionKind(typed.kind) ? typed.kind : 0;
  for (int i = 0; i < count; ++i) {
    const Move& m = moves[i];
    const char have = IsPromotionKind(m.kind) ? m.kind : 0;
    if (m.piece == typed.piece && m.from == typed.from && m.to == typed.to &&
        (have == want || (want == 0 && have == kPromoteQueen)))
      return found = m, true;
  }
  return false;
}

bool ParseMoveText(const Position& pos, std::string_view text, Move& move) {
  move = Move{};
  move.score = kNoScore;
  return Is3D(pos) ? Parse3D(pos, text, move) : Parse2D(pos, text, move);
}

}  // namespace torvik
