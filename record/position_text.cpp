#include "record/position_text.h"

#include <charconv>
#include <cstring>
#include <vector>

#include "board/board_checks.h"
#include "board/geometry.h"
#include "board/move_counters.h"
#include "board/rebuild.h"
#include "record/admit_position.h"

namespace torvik {

const char* const kStartText3D =
    "RP....prQP....pqKP....pkRP....prNP....pnBP....pbBP....pbNP....pn "
    "w QL1,QL6,KL1,KL6 wbwb KQkq - 0 1";
const char* const kStartText2D = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

namespace {

constexpr const char* kLetters = "PNBRQK";

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

// Piece code of a letter, 0 for none.
int CodeOf(char c) {
  const char* p = c ? std::strchr(kLetters, c) : nullptr;
  if (p) return int(p - kLetters) + 1;
  p = (c >= 'a' && c <= 'z') ? std::strchr(kLetters, c - 'a' + 'A') : nullptr;
  return p ? -(int(p - kLetters) + 1) : 0;
}

char LetterOf(int code) { return code == 0 ? '.' : PieceLetter(code); }

bool ParseNumber(std::string_view text, int& value, int low, int high) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && end == text.data() + text.size() && value >= low && value <= high;
}

bool Fail(std::string& error, std::string message) {
  error = std::move(message);
  return false;
}

bool ParseSide(std::string_view field, Position& pos, std::string& error) {
  if (field != "w" && field != "b") return Fail(error, "side to move must be w or b");
  pos.ply = field == "b" ? 1 : 0;
  return true;
}

bool ParseCastling(std::string_view field, Position& pos, std::string& error) {
  pos.flags = 0;
  if (field == "-") return true;
  const char* order = "KQkq";
  std::size_t at = 0;
  for (char c : field) {
    const char* p = std::strchr(order + at, c);
    if (!c || !p) return Fail(error, "bad castling rights '" + std::string(field) + "'");
    at = std::size_t(p - order) + 1;
    pos.flags |= 1u << (p - order);
  }
  return !field.empty() || Fail(error, "empty castling field");
}

// Halfmove clock and fullmove number: both or neither.
bool ParseCounters(const std::vector<std::string_view>& f, std::size_t at, Position& pos,
                   std::string& error) {
  if (f.size() == at) {
    pos.halfmoveCount = 1;
    return true;
  }
  int half, full;
  if (f.size() != at + 2) return Fail(error, "expected halfmove clock and fullmove number");
  if (!ParseNumber(f[at], half, 0, kMaxStartPly)) return Fail(error, "bad halfmove clock");
  if (!ParseNumber(f[at + 1], full, 1, kMaxFullmoveNumber)) return Fail(error, "bad fullmove number");
  pos.halfmoveCount = half + 1;
  pos.ply += 2 * (full - 1);
  return true;
}

// Builds the rest of the Position from what the text gave; the rebuild's own
// messages go to the console. A FEN en-passant square no double step can have
// left is dropped; the 3D game keeps its square as given (a piece may stand on
// it, since only its file and rank count).
bool Rebuild(Position& pos, Position& out, std::string& error) {
  if (!SidesFit(pos, error)) return false;
  if (const Square s = PawnPastPromotion(pos); s != kNoSquare)
    return Fail(error, "the pawn on " + std::to_string(s) + " must already have promoted");
  if (!Is3D(pos) && !EpSquareFits2D(pos)) pos.epSquare = 0;
  if (!BoardToPieces(pos)) return Fail(error, "position refused by the rebuild");
  if (!AdmitPosition(pos, error)) return false;
  out = pos;
  return true;
}

bool ParseBoard2D(std::string_view field, Position& pos, std::string& error) {
  std::vector<std::string_view> ranks = Split(field, '/');
  if (ranks.size() != 8) return Fail(error, "FEN board must have 8 ranks");
  for (int i = 0; i < 8; ++i) {
    int rank = 7 - i, file = 0;
    for (char c : ranks[i]) {
      if (c >= '1' && c <= '8') {
        file += c - '0';
      } else if (int code = CodeOf(c); code != 0 && file < 8) {
        if (TypeOf(code) == kPawn && (rank == 0 || rank == 7))
          return Fail(error, "pawn on the first or last rank");
        pos.board[MakeSquare(file++, rank)] = code;
      } else {
        return Fail(error, code ? "rank " + std::to_string(rank + 1) + " is too long"
                                : std::string("unknown piece letter '") + c + "'");
      }
      if (file > 8) return Fail(error, "rank " + std::to_string(rank + 1) + " is too long");
    }
    if (file != 8) return Fail(error, "rank " + std::to_string(rank + 1) + " is too short");
  }
  return true;
}

bool ParseEp2D(std::string_view field, Position& pos, std::string& error) {
  if (field == "-") return true;
  if (field.size() != 2 || field[0] < 'a' || field[0] > 'h' || (field[1] != '3' && field[1] != '6'))
    return Fail(error, "bad en-passant square '" + std::string(field) + "'");
  pos.epSquare = MakeSquare(field[0] - 'a', field[1] - '1');
  return true;
}

bool Parse2D(const std::vector<std::string_view>& f, Position& pos, std::string& error) {
  if (f.size() != 4 && f.size() != 6) return Fail(error, "FEN needs 4 or 6 fields");
  return ParseBoard2D(f[0], pos, error) && ParseSide(f[1], pos, error) &&
         ParseCastling(f[2], pos, error) && ParseEp2D(f[3], pos, error) &&
         ParseCounters(f, 4, pos, error);
}

bool ParseBoard3D(std::string_view field, Position& pos, std::string& error) {
  if (field.size() != 64)
    return Fail(error, "board field has " + std::to_string(field.size()) + " squares, not 64");
  for (Square s = 0; s < 64; ++s) {
    int code = CodeOf(field[s]);
    if (code == 0 && field[s] != '.')
      return Fail(error, std::string("unknown piece letter '") + field[s] + "'");
    pos.board[s] = code;
  }
  return true;
}

bool ParsePins(std::string_view field, Position& pos, std::string& error) {
  std::vector<std::string_view> names = Split(field, ',');
  if (names.size() != 4) return Fail(error, "expected four pins separated by commas");
  for (int b = 0; b < 4; ++b) {
    int pin = -1;
    for (const PinInfo& info : kPinTable)
      if (names[b] == info.name) pin = info.square;
    if (pin < 0) return Fail(error, "bad pin name '" + std::string(names[b]) + "'");
    for (int other = 0; other < b; ++other)
      if (pos.pins[other] == pin) return Fail(error, "two boards on pin " + std::string(names[b]));
    pos.pins[b] = pin;
  }
  return true;
}

bool ParseOwners(std::string_view field, Position& pos, std::string& error) {
  if (field.size() != 4 || field.find_first_not_of("wb") != std::string_view::npos)
    return Fail(error, "owners must be four of w/b");
  for (int b = 0; b < 4; ++b) pos.owners[b] = field[b] == 'w' ? 1 : 0;
  return true;
}

bool ParseEp3D(std::string_view field, Position& pos, std::string& error) {
  if (field == "-") return true;
  if (!ParseNumber(field, pos.epSquare, 1, 63))
    return Fail(error, "bad en-passant square '" + std::string(field) + "'");
  return true;
}

bool Parse3D(const std::vector<std::string_view>& f, Position& pos, std::string& error) {
  if (f.size() != 6 && f.size() != 8) return Fail(error, "3D position needs 6 or 8 fields");
  return ParseBoard3D(f[0], pos, error) && ParseSide(f[1], pos, error) &&
         ParsePins(f[2], pos, error) && ParseOwners(f[3], pos, error) &&
         ParseCastling(f[4], pos, error) && ParseEp3D(f[5], pos, error) &&
         ParseCounters(f, 6, pos, error);
}

std::string Counters(const Position& pos) {
  int half = pos.halfmoveCount > 0 ? pos.halfmoveCount - 1 : 0;
  return " " + std::to_string(half) + " " + std::to_string(pos.ply / 2 + 1);
}

std::string Castling(const Position& pos) {
  std::string s;
  for (int bit = 0; bit < 4; ++bit)
    if (pos.flags & (1u << bit)) s += "KQkq"[bit];
  return s.empty() ? "-" : s;
}

std::string Format2D(const Position& pos) {
  std::string text;
  for (int rank = 7; rank >= 0; --rank) {
    int gap = 0;
    for (int file = 0; file < 8; ++file) {
      int code = pos.board[MakeSquare(file, rank)];
      if (code == 0) { ++gap; continue; }
      if (gap) text += char('0' + gap);
      gap = 0;
      text += PieceLetter(code);
    }
    if (gap) text += char('0' + gap);
    if (rank) text += '/';
  }
  text += BlackToMove(pos) ? " b " : " w ";
  text += Castling(pos) + " ";
  if (pos.epSquare > 0)
    text += std::string{char('a' + ColumnOf(pos.epSquare)), char('1' + RowOf(pos.epSquare))};
  else
    text += "-";
  return text + Counters(pos);
}

std::string Format3D(const Position& pos) {
  std::string text;
  for (int code : pos.board) text += LetterOf(code);
  text += BlackToMove(pos) ? " b " : " w ";
  for (int b = 0; b < 4; ++b) {
    int pin = PinIndex(pos.pins[b]);
    text += pin < 0 ? "??" : kPinTable[pin].name;
    text += b < 3 ? "," : " ";
  }
  for (int b = 0; b < 4; ++b) text += pos.owners[b] ? 'w' : 'b';
  text += " " + Castling(pos) + " ";
  text += pos.epSquare > 0 ? std::to_string(pos.epSquare) : "-";
  return text + Counters(pos);
}

}  // namespace

bool ParsePosition(std::string_view text, int mode, Position& out, std::string& error) {
  Position pos;
  pos.gameMode = mode;
  pos.rules = out.rules;
  pos.history = out.history;
  std::vector<std::string_view> fields;
  for (std::string_view f : Split(text, ' '))
    if (!f.empty()) fields.push_back(f);
  bool ok = mode == kGame3D ? Parse3D(fields, pos, error) : Parse2D(fields, pos, error);
  return ok && Rebuild(pos, out, error);
}

std::string FormatPosition(const Position& pos) {
  return Is3D(pos) ? Format3D(pos) : Format2D(pos);
}

}  // namespace torvik
