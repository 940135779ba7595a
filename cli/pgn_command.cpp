// pgn: a saved game as PGN.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "cli/commands.h"
#include "record/older_game_image.h"
#include "record/pgn_file.h"
#include "record/saved_game.h"

namespace torvik::cli {

int SavedGameToPgn(Options& options) {
  int notation = kNotationTournament;
  if (!TakeNotation(options, notation)) return kBadUsage;
  if (options.rest.size() != 1) {
    std::fprintf(stderr, "torvik-cli: pgn takes the name of one saved game\n");
    return kBadUsage;
  }
  const std::string name = options.rest[0];
  std::ifstream file(name, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "torvik-cli: can't open %s\n", name.c_str());
    return kBadUsage;
  }
  // No saved game is longer than its older layout: more is no saved game.
  std::vector<uint8_t> bytes;
  bytes.resize(kOlderGameImageBytes + 1);
  file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
  bytes.resize(std::size_t(file.gcount()));
  auto gs = std::make_unique<GameState>();
  gs->notation = notation;  // the 3D moves' names
  std::string error;
  if (!ReadSavedGame(bytes, *gs, error)) {
    std::fprintf(stderr, "torvik-cli: %s: bad save file: %s\n", name.c_str(), error.c_str());
    return kBadUsage;
  }
  std::fputs(PgnOfGame(*gs, gs->position.ply, gs->position.winner, PgnPlayersOf(*gs), PgnToday()).c_str(), stdout);
  return 0;
}

}  // namespace torvik::cli
