// The real torvik program on a test X server, driven with xdotool: keys and
// clicks in, console text and screenshots out.
#pragma once

#include <sys/types.h>

#include <string>

#include "screenshot.h"

namespace torvik::test {

class WindowProgram {
 public:
  // Starts `binary` on `display` in folder `workDir`, its console going to a file there.
  WindowProgram(const std::string& binary, const std::string& display, const std::string& workDir);
  ~WindowProgram();  // kills the program if it still runs
  WindowProgram(const WindowProgram&) = delete;
  WindowProgram& operator=(const WindowProgram&) = delete;

  // Waits until the window is shown; false when it never was.
  bool WaitForWindow(int millis);
  unsigned long Window() const { return window_; }

  // The console text so far.
  std::string Console() const;
  // Waits until the console holds `text` after position `from`.
  bool WaitForConsole(const std::string& text, std::size_t from, int millis) const;

  // xdotool key names: "F2", "q", "Left", "shift+Up".
  void Key(const std::string& keys);
  // A left click at window position (x, y) from the top left.
  void Click(int x, int y, bool shift = false);

  // Waits for the console and the picture to settle, then takes a screenshot.
  Image Settle();
  Image Screenshot() const;

  // Waits for the program to end; its exit status, or -1 when it did not end
  // (or ended by a signal).
  int WaitForExit(int millis);

 private:
  bool XdoTool(const std::string& arguments) const;

  std::string display_;
  std::string consolePath_;
  pid_t pid_ = -1;
  unsigned long window_ = 0;
};

// Two screenshots agree over the rectangle from (x0, y0) to (x1, y1).
bool SameRegion(const Image& a, const Image& b, int x0, int y0, int x1, int y1);

}  // namespace torvik::test
