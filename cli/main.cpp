// torvik-cli: the program's rules and engine without a window, for tests,
// benchmarks and people without a display.
#include <cstdio>
#include <string>

#include "board/console.h"
#include "cli/commands.h"
#include "cli/options.h"

namespace torvik::cli {
namespace {

int Run(int argc, char** argv) {
  SetConsoleStream(stderr);
  Options options;
  std::string error;
  if (!ParseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "torvik-cli: %s\n", error.c_str());
    return kBadUsage;
  }
  if (options.help || options.command.empty()) {
    std::fputs(kUsage, options.help ? stdout : stderr);
    return options.help ? 0 : kBadUsage;
  }
  const std::string& c = options.command;
  if (c == "show") return Show(options);
  if (c == "perft") return Perft(options);
  if (c == "divide") return Divide(options);
  if (c == "moves") return Moves(options);
  if (c == "play") return PlayGame(options);
  if (c == "eval") return EvalCommand(options);
  if (c == "search") return SearchCommand(options);
  if (c == "selfplay") return SelfPlay(options);
  if (c == "bench") return Bench(options);
  if (c == "pgn") return SavedGameToPgn(options);
  if (c == "uci") return Uci(options);
  if (c == "referee") return Referee(options);
  std::fprintf(stderr, "torvik-cli: unknown command '%s' (try --help)\n", options.command.c_str());
  return kBadUsage;
}

}  // namespace
}  // namespace torvik::cli

int main(int argc, char** argv) {
  const int status = torvik::cli::Run(argc, argv);
  torvik::ConsoleEndLine();
  return status;
}
