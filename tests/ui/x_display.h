// X servers for the window tests: a private Xvfb, screenshots of a window,
// and the real torvik program driven with xdotool.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/run.h"

namespace torvik::test {

// Xvfb on a display number it picks itself, ended with the object.
class XvfbServer {
 public:
  XvfbServer();  // Display() is empty when it could not start
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;
  const std::string& Display() const { return display_; }  // ":N"
  const std::string& Failure() const { return failure_; }

 private:
  std::unique_ptr<Process> process_;
  std::string display_, failure_;
};

struct Pixel {
  int r = 0, g = 0, b = 0;
};

struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // rows from the top, 3 bytes a pixel

  Pixel At(int x, int y) const;  // black outside the image
  // How many pixels of the rectangle from (x0, y0) to (x1, y1) satisfy `test`.
  int Count(int x0, int y0, int x1, int y1, const std::function<bool(Pixel)>& test) const;
};

// Within 3 of colour `c` in every channel.
std::function<bool(Pixel)> Near(Pixel c);

// What the screen shows over window `window` on `display`, menus included;
// empty while the window is not shown.
Image CaptureWindow(const std::string& display, unsigned long window);

// Keeps a screenshot to look at, as `name`.ppm in the build's ui-screenshots folder.
void Keep(const Image& image, const std::string& name);

// The real torvik program on a test X server: keys and clicks in, console text
// and screenshots out.
class WindowProgram {
 public:
  // Starts `binary` on `display` in folder `workDir`, its console going to a file there.
  WindowProgram(const std::string& binary, const std::string& display, const std::string& workDir);
  ~WindowProgram();  // kills the program if it still runs
  WindowProgram(const WindowProgram&) = delete;
  WindowProgram& operator=(const WindowProgram&) = delete;

  bool WaitForWindow(int millis);  // false when it never showed
  std::string Console() const;     // the console text so far
  // Waits until the console holds `text` after position `from`.
  bool WaitForConsole(const std::string& text, std::size_t from, int millis) const;
  void Key(const std::string& keys);  // xdotool key names: "F2", "q", "Left", "shift+Up"
  void Click(int x, int y, int button = 1);  // a click at (x, y) from the top left; 3 the right button
  void MoveTo(int x, int y);                 // the pointer to (x, y), no click
  void Resize(int width, int height);        // the window's size, as a user drags it
  // Waits for the picture to settle (two screenshots a tenth of a second apart
  // agree), then returns it.
  Image Settle();
  // Waits for the program to end: its exit status, or -1 when it did not end
  // (it is then killed) or ended by a signal.
  int WaitForExit(int millis);

 private:
  bool XdoTool(const std::string& arguments) const;

  std::string display_, consolePath_;
  std::unique_ptr<Process> process_;
  unsigned long window_ = 0;
};

}  // namespace torvik::test
