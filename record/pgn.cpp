#include "record/pgn.h"

#include <array>
#include <cctype>
#include <memory>

#include "record/game_over.h"
#include "record/game_start.h"
#include "record/move_text.h"
#include "record/named_move.h"
#include "record/notation.h"
#include "record/position_text.h"
#include "record/san.h"
#include "rules/legality.h"
#include "rules/make_move.h"
#include "rules/perft.h"

namespace torvik {
namespace {

constexpr std::array<std::string_view, 4> kResults = {"1-0", "0-1", "1/2-1/2", "*"};
constexpr std::array<std::string_view, 3> kNotationNames = {"Tournament", "Standard", "Algebraic"};
constexpr std::string_view kVariantTournament = "3D Tournament";
constexpr std::string_view kVariantStandard = "3D Standard";
constexpr std::size_t kLineWidth = 79;  // PGN keeps its lines under 80 characters

bool IsResult(std::string_view word) {
  for (std::string_view r : kResults)
    if (word == r) return true;
  return false;
}

bool Fail(std::string& error, int line, const std::string& why) {
  error = "line " + std::to_string(line) + ": " + why;
  return false;
}

// The text being split, with the line it has reached.
struct Lexer {
  std::string_view text;
  std::size_t at = 0;
  int line = 1;

  bool AtEnd() const { return at >= text.size(); }
  char Peek(std::size_t ahead = 0) const { return at + ahead < text.size() ? text[at + ahead] : '\0'; }
  char Take() {
    const char c = text[at++];
    if (c == '\n') ++line;
    return c;
  }
  bool AtLineStart() const { return at == 0 || text[at - 1] == '\n'; }
  void SkipLine() {
    while (!AtEnd() && Take() != '\n') {
    }
  }
  void SkipBlanks() {
    while (Peek() == ' ' || Peek() == '\t') Take();
  }
};

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// [Name "value"], the value's \" and \\ escapes undone.
bool ReadTag(Lexer& lx, PgnTag& tag, std::string& error) {
  const int line = lx.line;
  lx.Take();
  lx.SkipBlanks();
  while (std::isalnum(static_cast<unsigned char>(lx.Peek())) || lx.Peek() == '_') tag.name += lx.Take();
  if (tag.name.empty()) return Fail(error, line, "a tag without a name");
  lx.SkipBlanks();
  if (lx.Peek() != '"') return Fail(error, line, "tag " + tag.name + " has no value in quotes");
  lx.Take();
  for (;;) {
    if (lx.AtEnd() || lx.Peek() == '\n') return Fail(error, line, "the value of tag " + tag.name + " is not closed");
    const char c = lx.Take();
    if (c == '"') break;
    if (c == '\\' && (lx.Peek() == '"' || lx.Peek() == '\\')) tag.value += lx.Take();
    else tag.value += c;
  }
  lx.SkipBlanks();
  if (lx.Peek() != ']') return Fail(error, line, "tag " + tag.name + " is not closed with ]");
  lx.Take();
  return true;
}

// A word of the move text: up to white space or a character that begins or
// ends something else. A 3D level in parentheses, as in "Pb2-b3(2)", is part
// of the word it ends.
std::string ReadWord(Lexer& lx) {
  std::string word;
  while (!lx.AtEnd()) {
    const char c = lx.Peek();
    if (IsSpace(c) || c == '{' || c == '}' || c == ';' || c == '[' || c == ']' || c == ')') break;
    if (c == '(') {
      std::size_t k = 1;
      while (IsDigit(lx.Peek(k))) ++k;
      if (word.empty() || k == 1 || lx.Peek(k) != ')') break;
      for (std::size_t i = 0; i <= k; ++i) word += lx.Take();
      continue;
    }
    word += lx.Take();
  }
  return word;
}

// "12." and "12..." go; so does the number glued to a move ("12.e4").
std::string WithoutMoveNumber(const std::string& word) {
  std::size_t i = 0;
  while (i < word.size() && IsDigit(word[i])) ++i;
  if (i == word.size() || word[i] != '.') return word;
  while (i < word.size() && word[i] == '.') ++i;
  return word.substr(i);
}

// An annotation of its own ("!", "?!") or trailing a move ("Nf3!?").
std::string WithoutAnnotation(std::string word) {
  while (!word.empty() && (word.back() == '!' || word.back() == '?')) word.pop_back();
  return word;
}

void FinishGame(PgnGame& game, std::vector<PgnGame>& games) {
  if (!game.moves.empty() && IsResult(game.moves.back().text)) {
    game.result = game.moves.back().text;
    game.moves.pop_back();
  } else if (const std::string* tagged = PgnTagValue(game, "Result"); tagged && IsResult(*tagged)) {
    game.result = *tagged;
  }
  if (!game.tags.empty() || !game.moves.empty() || game.result != "*") games.push_back(std::move(game));
  game = PgnGame{};
}

// The mode and rules a Variant tag names; no tag is the 2D game.
bool ReadVariant(const PgnGame& game, int& mode, int& rules, std::string& error) {
  const std::string* variant = PgnTagValue(game, "Variant");
  mode = kGame2D;
  if (!variant) return true;
  std::string v;
  for (char c : *variant) v += char(std::tolower(static_cast<unsigned char>(c)));
  if (*variant == kVariantTournament) mode = kGame3D, rules = kTournament;
  else if (*variant == kVariantStandard) mode = kGame3D, rules = kStandard;
  else if (!(v.empty() || v == "standard" || v == "chess" || v == "normal"))
    return Fail(error, game.line, "unknown variant \"" + *variant + "\"");
  return true;
}

// The 3D notations to read the moves in: the tagged one (Tournament when
// none), then the others.
bool ReadNotations(const PgnGame& game, std::array<int, 3>& order, std::string& error) {
  int first = kNotationTournament;
  if (const std::string* tagged = PgnTagValue(game, "Notation")) {
    first = -1;
    for (int n = 0; n < int(kNotationNames.size()); ++n)
      if (*tagged == kNotationNames[n]) first = n;
    if (first < 0) return Fail(error, game.line, "unknown notation \"" + *tagged + "\"");
  }
  order = {first, (first + 1) % 3, (first + 2) % 3};
  return true;
}

bool ReadStart(const PgnGame& game, int mode, int rules, GameState& gs, std::string& error) {
  auto start = std::make_unique<Position>();
  const std::string* setUp = PgnTagValue(game, "SetUp");
  const std::string* text = PgnTagValue(game, "FEN");
  if (!text) text = PgnTagValue(game, "Position");
  if (setUp && *setUp == "1") {
    if (!text) return Fail(error, game.line, "SetUp without FEN or Position");
    start->rules = rules;
    std::string why;
    if (!ParsePosition(*text, mode, *start, why)) return Fail(error, game.line, "bad start position: " + why);
  } else {
    gs.gameMode = mode;
    gs.rules = rules;
    gs.startEdited = 0;
    SetUpStartPosition(gs);
    *start = gs.position;
  }
  BeginGameAt(gs, *start);
  return true;
}

// The legal move a word names, by SAN and the program's own texts in the 2D
// game, by the notations in `order` in the 3D game.
bool FindMove(Position& pos, const std::string& word, const std::array<int, 3>& order, Move& found,
              std::string& error) {
  if (!Is3D(pos)) {
    if (FindNamedMove(pos, kNotationTournament, word, found) == NamedMove::kFound) return true;
    MoveOfSan(pos, word, found, error);  // for why not
    return false;
  }
  std::string name = word;
  if (!name.empty() && name.back() == '#') name.pop_back();
  bool ambiguous = false;
  for (int notation : order) {
    const NamedMove named = FindNamedMove(pos, notation, name, found);
    if (named == NamedMove::kFound) return true;
    ambiguous |= named == NamedMove::kAmbiguous;
  }
  error = (ambiguous ? "ambiguous move " : "illegal move ") + word;
  return false;
}

// The name of a 3D move in `notation` when that names it alone, else its move text.
std::string Name3D(Position& pos, const Move& move, int notation) {
  std::string name = NotationOfMove(pos, move, notation);
  Move named;
  if (!name.empty() && FindNamedMove(pos, notation, name, named) == NamedMove::kFound && SameMove(named, move) &&
      named.piece == move.piece && named.kind == move.kind)
    return name;
  return FormatMoveText(pos, move);
}

std::string Quoted(const std::string& value) {
  std::string out = "\"";
  for (char c : value) {
    if (c == '"' || c == '\\') out += '\\';
    out += c == '\n' ? ' ' : c;
  }
  return out + "\"";
}

// Move text words, wrapped under the line width.
struct Wrapped {
  std::string text, line;
  void Add(const std::string& word) {
    if (!line.empty() && line.size() + 1 + word.size() > kLineWidth) {
      text += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  std::string Done() { return text + line + "\n"; }
};

}  // namespace

const std::string* PgnTagValue(const PgnGame& game, std::string_view name) {
  for (const PgnTag& tag : game.tags)
    if (tag.name == name) return &tag.value;
  return nullptr;
}

int WinnerOfResult(std::string_view result) {
  if (result == "1-0") return kWhiteWon;
  if (result == "0-1") return kBlackWon;
  if (result == "1/2-1/2") return kDrawn;
  return kNoWinner;
}

bool SplitPgn(std::string_view text, std::vector<PgnGame>& games, std::string& error) {
  games.clear();
  Lexer lx{text};
  if (text.substr(0, 3) == "\xEF\xBB\xBF") lx.at = 3;  // a byte-order mark
  PgnGame game;
  int depth = 0, variationLine = 0;
  for (;;) {
    while (!lx.AtEnd() && IsSpace(lx.Peek())) lx.Take();
    if (lx.AtEnd()) break;
    const char c = lx.Peek();
    if (c == '%' && lx.AtLineStart()) {
      lx.SkipLine();
    } else if (c == '[') {
      if (depth > 0) return Fail(error, lx.line, "a tag inside a variation");
      if (!game.moves.empty()) FinishGame(game, games);
      if (game.tags.empty()) game.line = lx.line;
      PgnTag tag;
      if (!ReadTag(lx, tag, error)) return false;
      game.tags.push_back(std::move(tag));
    } else if (c == '{') {
      const int line = lx.line;
      while (!lx.AtEnd() && lx.Peek() != '}') lx.Take();
      if (lx.AtEnd()) return Fail(error, line, "a comment is not closed");
      lx.Take();
    } else if (c == ';') {
      lx.SkipLine();
    } else if (c == '(') {
      if (depth++ == 0) variationLine = lx.line;
      lx.Take();
    } else if (c == ')') {
      if (depth == 0) return Fail(error, lx.line, "\")\" without a variation");
      --depth;
      lx.Take();
    } else if (c == '$') {
      lx.Take();
      while (IsDigit(lx.Peek())) lx.Take();
    } else {
      const int line = lx.line;
      const std::string raw = ReadWord(lx);
      if (raw.empty()) return Fail(error, line, std::string("unexpected \"") + c + "\"");
      const std::string word = WithoutAnnotation(WithoutMoveNumber(raw));
      if (depth > 0 || word.empty()) continue;
      if (game.tags.empty() && game.moves.empty()) game.line = line;
      game.moves.push_back({word, line});
    }
  }
  if (depth > 0) return Fail(error, variationLine, "a variation is not closed");
  FinishGame(game, games);
  return true;
}

bool PlayPgnGame(const PgnGame& game, GameState& gs, std::string& error) {
  int mode = kGame2D, rules = gs.rules;
  std::array<int, 3> order{};
  if (!ReadVariant(game, mode, rules, error) || !ReadNotations(game, order, error) ||
      !ReadStart(game, mode, rules, gs, error))
    return false;
  for (const PgnWord& word : game.moves) {
    Move move;
    std::string why;
    if (!FindMove(gs.position, word.text, order, move, why))
      return Fail(error, word.line, why.empty() ? "illegal move " + word.text : why);
    if (!RecordMove(gs, move, why)) return Fail(error, word.line, why + ": " + word.text);
  }
  return true;
}

std::string PgnOfGame(const GameState& gs, int lastPly, int winner, const PgnPlayers& players,
                      const std::string& date) {
  auto scratch = std::make_unique<GameState>(gs);
  GameState& s = *scratch;
  s.position.history = s.startPosition.history = &s.keyHistory;
  SetUpGameStart(s);
  Position& pos = s.position;
  const int startPly = RecordStartPly(s);
  const bool threeD = Is3D(pos);
  std::string start = s.startEdited ? FormatPosition(pos) : "";

  Wrapped moves;
  for (int i = 0; i < lastPly - startPly && i < kMaxRecordedMoves; ++i) {
    // The move as the rules generate it: a recorded move may carry a plain
    // kind for an en-passant capture, which its name must show.
    MoveList legal;
    const int n = LegalMoves(pos, legal);
    Move move;
    if (!MatchTypedMove(s.moves[i], legal.data(), n, move)) break;  // a record cut short by an edit
    std::string number;  // kept on the line of its move
    if (WhiteToMove(pos)) number = std::to_string(pos.ply / 2 + 1) + ". ";
    else if (i == 0) number = std::to_string(pos.ply / 2 + 1) + "... ";
    moves.Add(number + (threeD ? Name3D(pos, move, gs.notation) : SanOfMove(pos, move)));
    MakeMove(pos, pos, move);
    pos.flags &= ~(kWhitePromoted | kBlackPromoted);
  }
  std::string words;
  // What the board shows at the end (mate, stalemate, a draw) is said in a
  // comment; a result it does not show (a resignation) stands without one.
  pos.winner = kNoWinner;
  if (FindWinner(pos, nullptr, false, &words) && (winner == kNoWinner || winner == pos.winner)) winner = pos.winner;
  else words.clear();
  const std::string result = ResultCode(winner);
  for (char& c : words)
    if (c == '\n') c = ' ';
  while (!words.empty() && words.front() == ' ') words.erase(0, 1);
  if (!words.empty()) moves.Add("{" + words + "}");
  moves.Add(result);

  std::string text;
  auto tag = [&](const char* name, const std::string& value) { text += "[" + std::string(name) + " " + Quoted(value) + "]\n"; };
  tag("Event", "Casual game");
  tag("Site", "?");
  tag("Date", date);
  tag("Round", "-");
  tag("White", players.white);
  tag("Black", players.black);
  tag("Result", result);
  if (threeD) {
    tag("Variant", std::string(s.rules == kStandard ? kVariantStandard : kVariantTournament));
    tag("Notation", std::string(kNotationNames[gs.notation >= 0 && gs.notation < 3 ? gs.notation : 0]));
  }
  if (!start.empty()) {
    tag("SetUp", "1");
    tag(threeD ? "Position" : "FEN", start);
  }
  tag("Termination", winner == kNoWinner ? "unterminated" : "normal");
  return text + "\n" + moves.Done();
}

}  // namespace torvik
