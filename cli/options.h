// Command-line options of torvik-cli.
#pragma once

#include <string>
#include <vector>

#include "board/square.h"

namespace torvik::cli {

struct Options {
  std::string command;
  int mode = kGame3D;
  int rules = kTournament;
  std::string position;  // empty: the start position of the mode (an empty --position is refused)
  std::string pgnFile;   // --pgn: the game the position comes from (position then holds its end)
  int pgnGame = 1;       // --game: which game of the file
  bool help = false;
  std::vector<std::string> rest;  // what no option claimed
};

// Parses argv; on a bad option returns false with a one-line reason.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error);

// Takes `--name VALUE` out of options.rest when present.
bool TakeOption(Options& options, const std::string& name, std::string& value);

extern const char* const kUsage;

}  // namespace torvik::cli
