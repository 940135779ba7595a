// A message the player must see, not only the log: the window shows the latest
// one in its status line for a few seconds. The console gets its own text.
#pragma once

#include <cstdint>
#include <string>

namespace torvik {

struct Notice {
  std::string text;
  uint32_t serial = 0;  // counts the notices given, so a repeated text is seen as new
};

}  // namespace torvik
