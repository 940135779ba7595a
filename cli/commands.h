// The commands of torvik-cli; each returns the process's exit status.
#pragma once

#include "board/position.h"
#include "cli/options.h"

namespace torvik::cli {

constexpr int kBadUsage = 2;

// The position the options name (--position, or the start of the mode); on bad
// text prints why and returns false.
bool LoadPosition(const Options& options, Position& pos);

int Show(Options& options);
int Perft(Options& options);
int Divide(Options& options);
int Moves(Options& options);

}  // namespace torvik::cli
