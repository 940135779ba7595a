// show: the position as text and as a picture.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/picture.h"
#include "record/position_text.h"

namespace torvik::cli {

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

int Show(Options& options) {
  if (!options.rest.empty()) {
    std::fprintf(stderr, "torvik-cli: unknown option '%s'\n", options.rest[0].c_str());
    return kBadUsage;
  }
  auto pos = std::make_unique<Position>();
  if (!LoadPosition(options, *pos)) return kBadUsage;
  std::printf("%s\n%s", FormatPosition(*pos).c_str(), Picture(*pos).c_str());
  return 0;
}

}  // namespace torvik::cli
