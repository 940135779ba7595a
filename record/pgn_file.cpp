#include "record/pgn_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

#include "board/console.h"
#include "record/game_start.h"
#include "record/pgn.h"

namespace torvik {
namespace {

constexpr long kMaxPgnBytes = 64L << 20;  // a bigger file is no game collection

}  // namespace

std::string PgnToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char text[16] = "????.??.??";
  if (localtime_r(&now, &local)) std::strftime(text, sizeof text, "%Y.%m.%d", &local);
  return text;
}

PgnPlayers PgnPlayersOf(const GameState& gs) {
  const char* user = std::getenv("USER");
  const std::string person = user && *user ? user : "?";
  const bool both = gs.autoPlay != 0;
  return {both || gs.engineSide == kEnginePlaysWhite ? "Torvik" : person,
          both || gs.engineSide == kEnginePlaysBlack ? "Torvik" : person};
}

namespace {

bool ReadWholeFile(const std::string& name, std::string& text, std::string& error) {
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (!file) {
    error = std::strerror(errno);
    return false;
  }
  char buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (long(text.size() + got) > kMaxPgnBytes) {
      std::fclose(file);
      error = "the file is larger than " + std::to_string(kMaxPgnBytes >> 20) + " MiB";
      return false;
    }
    text.append(buffer, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) error = "the file could not be read";
  return !failed;
}

}  // namespace

bool ExportGame(Game& game, const std::string& name) {
  std::string text;
  {
    std::lock_guard lock(game.mutex);
    const GameState& gs = game.state;
    const int winner = game.record.replayCursor == -1 ? gs.position.winner : kNoWinner;
    text = PgnOfGame(gs, LastPly(game), winner, PgnPlayersOf(gs), PgnToday());
  }
  ConsolePrintf("\nExport %s ...", name.c_str());
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (!file) {
    const std::string why = std::strerror(errno);
    ConsolePrintf(" failed! %s\n", why.c_str());
    TellPlayer(game, "export failed: " + name + ": " + why);
    return false;
  }
  bool whole = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  whole = std::fclose(file) == 0 && whole;
  ConsolePrintf("%s", whole ? " complete\n" : " failed! not all was written\n");
  TellPlayer(game, (whole ? "exported " : "export failed: ") + name);
  return whole;
}

bool LoadPgnGame(const std::string& name, int number, GameState& gs, std::string& result, std::string& error) {
  std::string text;
  if (!ReadWholeFile(name, text, error)) return false;
  std::vector<PgnGame> games;
  const bool whole = SplitPgn(text, games, error);
  const std::string which = "game " + std::to_string(number);
  if (number < 1 || number > int(games.size())) {
    if (whole) error = games.empty() ? "no game in the file" : "the file has " + std::to_string(games.size()) + " games";
    error = which + ": " + error;
    return false;
  }
  const PgnGame& chosen = games[number - 1];
  result = chosen.result;
  if (PlayPgnGame(chosen, gs, error)) return true;
  error = which + ", " + error;
  return false;
}

bool ImportGame(Game& game, const std::string& name, int number) {
  ConsolePrintf("\nImport %s game %d ...", name.c_str(), number);
  auto built = std::make_unique<GameState>();
  {
    std::lock_guard lock(game.mutex);
    *built = game.state;
  }
  built->position.history = built->startPosition.history = &built->keyHistory;
  std::string result, error;
  if (!LoadPgnGame(name, number, *built, result, error)) {
    ConsolePrintf(" failed! %s\n", error.c_str());
    TellPlayer(game, "import failed: " + name + ": " + error);
    return false;
  }
  const int plies = built->position.ply - RecordStartPly(*built);
  AdoptGame(game, *built, name);
  {
    // A result the board does not show (a resignation, an agreed draw) is the game's all the same.
    std::lock_guard lock(game.mutex);
    Position& pos = game.state.position;
    if (pos.winner == kNoWinner) pos.winner = WinnerOfResult(result);
  }
  ConsolePrintf(" complete: %d plies, %s\n", plies, result.c_str());
  TellPlayer(game, "imported " + name);
  return true;
}

}  // namespace torvik
