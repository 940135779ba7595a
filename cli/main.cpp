// torvik-cli: the program's rules and engine without a window, for tests,
// benchmarks and people without a display.
#include <cstdio>
#include <memory>
#include <string>

#include "board/console.h"
#include "board/setup.h"
#include "cli/options.h"
#include "cli/picture.h"
#include "record/position_text.h"

namespace torvik::cli {
namespace {

constexpr int kBadUsage = 2;

// The position the options name: --position, or the start of the mode.
bool LoadPosition(const Options& options, Position& pos) {
  pos.gameMode = options.mode;
  pos.rules = options.rules;
  std::string text = options.position;
  if (text.empty()) text = options.mode == kGame3D ? kStartText3D : kStartText2D;
  std::string error;
  if (ParsePosition(text, options.mode, pos, error)) return true;
  std::fprintf(stderr, "torvik-cli: bad position: %s\n", error.c_str());
  return false;
}

int Show(const Options& options) {
  auto pos = std::make_unique<Position>();
  if (!LoadPosition(options, *pos)) return kBadUsage;
  std::printf("%s\n%s", FormatPosition(*pos).c_str(), Picture(*pos).c_str());
  return 0;
}

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
  if (!options.rest.empty()) {
    std::fprintf(stderr, "torvik-cli: unknown option '%s'\n", options.rest[0].c_str());
    return kBadUsage;
  }
  if (options.command == "show") return Show(options);
  std::fprintf(stderr, "torvik-cli: unknown command '%s' (try --help)\n", options.command.c_str());
  return kBadUsage;
}

}  // namespace
}  // namespace torvik::cli

int main(int argc, char** argv) { return torvik::cli::Run(argc, argv); }
