// Whether the window can open at all, asked before the toolkit starts (which
// would end the program with its own message otherwise).
#pragma once

#include <memory>

namespace torvik::ui {

struct DisplayCloser {
  void operator()(void* display) const;
};
// A connection to the X display, held until the toolkit has its own: a server
// may reset when its last client leaves, and would then refuse the toolkit.
using DisplayProbe = std::unique_ptr<void, DisplayCloser>;

// Opens the display named by "-display NAME" among the arguments, or DISPLAY;
// empty when there is none to open.
DisplayProbe OpenDisplayProbe(int argc, char** argv);

}  // namespace torvik::ui
