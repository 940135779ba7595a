#include "cli/uci_command.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "cli/uci_variant.h"
#include "record/game_state.h"
#include "record/levels.h"

namespace torvik::cli {
namespace {

using Words = std::vector<std::string>;

struct KindName {
  const char* word;
  UciKind kind;
};
constexpr std::array<KindName, 11> kCommands = {{{"uci", UciKind::kUci},
                                                 {"debug", UciKind::kDebug},
                                                 {"isready", UciKind::kIsReady},
                                                 {"setoption", UciKind::kSetOption},
                                                 {"register", UciKind::kRegister},
                                                 {"ucinewgame", UciKind::kNewGame},
                                                 {"position", UciKind::kPosition},
                                                 {"go", UciKind::kGo},
                                                 {"stop", UciKind::kStop},
                                                 {"ponderhit", UciKind::kPonderHit},
                                                 {"quit", UciKind::kQuit}}};

Words Split(const std::string& line) {
  Words words;
  std::istringstream in(line);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A move's shape in long algebraic notation: e2e4, e7e8q.
bool Is2DMoveWord(std::string_view w) {
  if (w.size() != 4 && w.size() != 5) return false;
  auto file = [](char c) { return c >= 'a' && c <= 'h'; };
  auto rank = [](char c) { return c >= '1' && c <= '8'; };
  if (!file(w[0]) || !rank(w[1]) || !file(w[2]) || !rank(w[3])) return false;
  return w.size() == 4 || std::string_view("qrbnQRBN").find(w[4]) != std::string_view::npos;
}

// A move's shape in the 3D game's move text: 33-34, 30-31=N, 100:QL1-QL3.
bool Is3DMoveWord(std::string_view w) {
  if (w.size() < 3 || w.size() > 16 || w.find('-') == std::string_view::npos) return false;
  if (std::isdigit(static_cast<unsigned char>(w[0])) == 0) return false;
  return w.find_first_not_of("0123456789-:=QKLRBN") == std::string_view::npos;
}

bool IsMoveWord(std::string_view w) { return Is2DMoveWord(w) || Is3DMoveWord(w); }

bool Number(const std::string& text, int64_t low, int64_t high, int64_t& value) {
  int64_t n = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc{} || end != text.data() + text.size() || n < low || n > high) return false;
  value = n;
  return true;
}

// The words from `at` up to the end or the word `stop`, joined by spaces.
std::string JoinUntil(const Words& w, std::size_t& at, const char* stop) {
  std::string text;
  for (; at < w.size() && w[at] != stop; ++at) text += (text.empty() ? "" : " ") + w[at];
  return text;
}

bool ParsePositionWords(const Words& w, std::size_t at, UciCommand& out, std::string& error) {
  if (at < w.size() && w[at] == "startpos") {
    out.startPos = true;
    ++at;
  } else if (at < w.size() && (w[at] == "fen" || w[at] == "text")) {
    const std::string word = w[at];
    out.fen = JoinUntil(w, ++at, "moves");
    if (out.fen.empty()) return error = "position " + word + " needs a position", false;
  } else {
    return error = "position needs startpos, fen or text", false;
  }
  if (at == w.size()) return true;
  if (w[at] != "moves") return error = "position: unexpected '" + w[at] + "'", false;
  for (++at; at < w.size(); ++at) {
    if (!IsMoveWord(w[at])) return error = "position: '" + w[at] + "' is not a move", false;
    out.moves.push_back(w[at]);
  }
  return true;
}

// A go word that takes a number: where it goes and what it may be.
bool GoNumber(const std::string& word, const std::string& text, ClockLimits& l, std::string& error) {
  constexpr int64_t kBig = int64_t(1) << 50;
  int64_t n = 0;
  const bool time = word == "wtime" || word == "btime";
  const int64_t low = time ? -kBig : word == "depth" || word == "nodes" ? 1 : 0;
  const int64_t high = word == "depth" || word == "movestogo" || word == "mate" ? 100000 : kBig;
  if (!Number(text, low, high, n)) return error = "go: bad number '" + text + "' for " + word, false;
  if (word == "wtime") l.time[0] = n, l.timed = true;
  else if (word == "btime") l.time[1] = n, l.timed = true;
  else if (word == "winc") l.increment[0] = n;
  else if (word == "binc") l.increment[1] = n;
  else if (word == "movestogo") l.movesToGo = int(n);
  else if (word == "movetime") l.moveTime = n > 0 ? n : 1;
  else if (word == "depth") l.depth = int(n);
  else if (word == "nodes") l.nodes = n;
  return true;  // mate N: read, not used
}

bool TakesNumber(const std::string& w) {
  for (const char* name : {"wtime", "btime", "winc", "binc", "movestogo", "movetime", "depth", "nodes", "mate"})
    if (w == name) return true;
  return false;
}

bool ParseGoWords(const Words& w, std::size_t at, UciCommand& out, std::string& error) {
  for (; at < w.size(); ++at) {
    if (w[at] == "infinite") {
      out.limits.infinite = true;
    } else if (w[at] == "searchmoves") {  // not used: the moves are passed over
      while (at + 1 < w.size() && IsMoveWord(w[at + 1])) ++at;
    } else if (TakesNumber(w[at])) {
      if (at + 1 == w.size()) return error = "go: " + w[at] + " needs a number", false;
      if (!GoNumber(w[at], w[at + 1], out.limits, error)) return false;
      ++at;
    }
  }
  return true;
}

bool ReadKnownOption(UciCommand& out, std::string& error) {
  const std::string name = Lower(out.optionName);
  if (name == "hash") {
    int64_t mb = 0;
    if (!Number(out.optionValue, 1, kUciMaxHash, mb))
      return error = "Hash takes a number from 1 to " + std::to_string(kUciMaxHash), false;
    out.option = UciOption::kHash;
    out.hashMegabytes = int(mb);
  } else if (name == "difficulty") {
    if (!LevelOfWord(Lower(out.optionValue), out.difficulty))
      return error = "Difficulty takes easy, medium, hard, expert or master", false;
    out.option = UciOption::kDifficulty;
  } else if (name == "variant") {
    out.variant = FindUciVariant(Lower(out.optionValue));
    if (out.variant < 0) return error = "Variant takes 2d, 3d-tournament or 3d-standard", false;
    out.option = UciOption::kVariant;
  }
  return true;
}

bool ParseSetOptionWords(const Words& w, std::size_t at, UciCommand& out, std::string& error) {
  if (at >= w.size() || w[at] != "name") return error = "setoption needs a name", false;
  out.optionName = JoinUntil(w, ++at, "value");
  if (out.optionName.empty()) return error = "setoption needs a name", false;
  if (at < w.size()) out.optionValue = JoinUntil(w, ++at, "");
  return ReadKnownOption(out, error);
}

}  // namespace

bool ParseUciCommand(const std::string& line, UciCommand& out, std::string& error) {
  out = UciCommand{};
  error.clear();
  const Words w = Split(line);
  for (std::size_t at = 0; at < w.size(); ++at) {
    for (const KindName& k : kCommands) {
      if (w[at] != k.word) continue;
      out.kind = k.kind;
      if (k.kind == UciKind::kPosition) return ParsePositionWords(w, at + 1, out, error);
      if (k.kind == UciKind::kGo) return ParseGoWords(w, at + 1, out, error);
      if (k.kind == UciKind::kSetOption) return ParseSetOptionWords(w, at + 1, out, error);
      return true;
    }
  }
  return true;
}

}  // namespace torvik::cli
