// show: the position as text and as a picture.
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>

#include "board/console.h"
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
  ConsoleEndLine();  // the rebuild may have logged on this stream
  std::fprintf(stderr, "torvik-cli: bad position: %s\n", error.c_str());
  return false;
}

bool TakeChoice(Options& options, const char* name, std::initializer_list<Choice> choices, int& value) {
  std::string text;
  if (!TakeOption(options, name, text)) return true;
  std::string names;
  for (const Choice& c : choices) {
    if (text == c.name) return value = c.value, true;
    names += std::string(names.empty() ? "" : ", ") + c.name;
  }
  std::fprintf(stderr, "torvik-cli: %s takes %s\n", name, names.c_str());
  return false;
}

bool TakeNumber(Options& options, const char* name, int low, int high, int& value) {
  std::string text;
  if (!TakeOption(options, name, text)) return true;
  int number = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec == std::errc{} && end == text.data() + text.size() && number >= low && number <= high)
    return value = number, true;
  std::fprintf(stderr, "torvik-cli: %s takes a number from %d to %d\n", name, low, high);
  return false;
}

bool TakeNotation(Options& options, int& notation) {
  return TakeChoice(options, "--notation",
                    {{"tournament", kNotationTournament}, {"standard", kNotationStandard},
                     {"algebraic", kNotationAlgebraic}},
                    notation);
}

bool NoOtherOptions(const Options& options) {
  if (options.rest.empty()) return true;
  std::fprintf(stderr, "torvik-cli: unknown option '%s'\n", options.rest[0].c_str());
  return false;
}

int Show(Options& options) {
  if (!NoOtherOptions(options)) return kBadUsage;
  auto pos = std::make_unique<Position>();
  if (!LoadPosition(options, *pos)) return kBadUsage;
  std::printf("%s\n%s", FormatPosition(*pos).c_str(), Picture(*pos).c_str());
  return 0;
}

}  // namespace torvik::cli
