#include "ui/display_check.h"

#include <X11/Xlib.h>

#include <cstring>

namespace torvik::ui {

void DisplayCloser::operator()(void* display) const {
  XCloseDisplay(static_cast<Display*>(display));
}

DisplayProbe OpenDisplayProbe(int argc, char** argv) {
  const char* name = nullptr;  // Xlib then reads DISPLAY
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "-display") == 0) name = argv[i + 1];
  return DisplayProbe(XOpenDisplay(name));
}

}  // namespace torvik::ui
