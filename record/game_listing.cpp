#include "record/game_listing.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "board/console.h"

namespace torvik {
namespace {

constexpr const char* kPieceLetters = " pNBRQK";  // by the absolute piece code
constexpr const char* kRule = "---------------------------------\n";
constexpr const char* kRowRule = "|\n|---+---+---+---+---+---+---+---|\n";

std::string Printed(const char* format, int value) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), format, value);
  return text.data();
}

char ListedLetter(int code) {
  const int type = std::abs(code);
  return type <= 6 ? kPieceLetters[type] : '?';
}

// The texts are rebuilt from the record when the last move's is missing.
void RebuildTextsIfEmpty(Game& game) {
  bool empty;
  {
    std::lock_guard lock(game.mutex);
    empty = MoveText(game.record, 0)[0] == 0;
  }
  if (empty) Undo(game, 0);
}

}  // namespace

std::string ListingMoves(const GameState& gs, const GameRecord& record) {
  const int start = RecordStartPly(gs), plies = gs.position.ply;
  std::string out;
  if (plies <= start) return out;
  // A start with black to move opens its line with white's move left empty.
  for (int i = start % 2 == 0 ? start + 1 : start; i <= plies; ++i) {
    out += i % 2 == 1 ? Printed("\n%2d.", (i - 1) / 2 + 1) : std::string(" -");
    out += ' ';
    if (i > start) out += MoveText(record, i);
  }
  return out;
}

std::string ListingBoard(const Position& pos) {
  std::string out = std::string("\n\n\n") + kRule;
  for (int row = 7; row >= 0; --row) {
    for (int column = 0; column < 8; ++column) {
      const int code = pos.board[8 * column + row];
      out += '|';
      out += code < 0 ? '*' : ' ';
      out += ListedLetter(code);
      out += ' ';
    }
    out += row > 0 ? kRowRule : std::string("|\n") + kRule;
  }
  return out;
}

std::string ListingText(const GameState& gs, const GameRecord& record) {
  return Printed("Game listing: %d plies\n", gs.position.ply) + ListingMoves(gs, record) +
         ListingBoard(gs.position);
}

void ListGameToConsole(Game& game) {
  RebuildTextsIfEmpty(game);
  std::string moves;
  {
    std::lock_guard lock(game.mutex);
    moves = ListingMoves(game.state, game.record);
  }
  ConsolePrintf("%s\n", moves.c_str());
}

bool ListGameToFile(Game& game, const std::string& name) {
  RebuildTextsIfEmpty(game);
  std::FILE* file = std::fopen(name.c_str(), "w");
  if (!file) {
    const int err = errno;
    ConsolePrintf("%s: %s\n", name.c_str(), std::strerror(err));
    Warn(false, "can't open list file for writing");
    return false;
  }
  std::string text, moves;
  int plies;
  {
    std::lock_guard lock(game.mutex);
    plies = game.state.position.ply;
    text = ListingText(game.state, game.record);
    moves = ListingMoves(game.state, game.record);
  }
  ConsolePrintf("\nGame listing: %d plies", plies);
  bool whole = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  ConsolePrintf("%s\n", moves.c_str());
  whole = std::fclose(file) == 0 && whole;
  return whole;
}

}  // namespace torvik
