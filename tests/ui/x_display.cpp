#include "x_display.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "support/run.h"

namespace torvik::test {
namespace {

constexpr auto kPoll = std::chrono::milliseconds(50);

// Polls `done` until it holds (true) or `millis` have passed (false).
bool Poll(int millis, const std::function<bool()>& done) {
  const auto end = Clock::now() + std::chrono::milliseconds(millis);
  for (;; std::this_thread::sleep_for(kPoll)) {
    if (done()) return true;
    if (Clock::now() >= end) return false;
  }
}

struct DisplayCloser {
  void operator()(Display* d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

int Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  return static_cast<int>(((pixel & mask) >> shift) * 255 / (mask >> shift));
}

}  // namespace

// Xvfb writes its display number once it is ready.
XvfbServer::XvfbServer()
    : process_(Spawn("exec Xvfb -displayfd 1 -screen 0 1400x1100x24 -nolisten tcp -noreset 2>/dev/null")) {
  const int line = process_ ? WaitFor(*process_, "", 0, 10) : -1;
  const std::string number = line < 0 ? "" : Lines(*process_)[std::size_t(line)].text;
  if (number.empty() || !std::isdigit(static_cast<unsigned char>(number[0]))) {
    failure_ = "Xvfb did not start (is the package xvfb installed?)";
    return;
  }
  display_ = ":" + std::to_string(std::stoi(number));
}

XvfbServer::~XvfbServer() {
  if (process_) Finish(*process_, 0, SIGTERM);
}

Pixel Image::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {};
  const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
  return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

int Image::Count(int x0, int y0, int x1, int y1, const std::function<bool(Pixel)>& test) const {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += test(At(x, y));
  return n;
}

std::function<bool(Pixel)> Near(Pixel c) {
  return [c](Pixel p) {
    return std::abs(p.r - c.r) <= 3 && std::abs(p.g - c.g) <= 3 && std::abs(p.b - c.b) <= 3;
  };
}

Image CaptureWindow(const std::string& display, unsigned long window) {
  Image image;
  DisplayPtr d(XOpenDisplay(display.c_str()));
  XWindowAttributes a;
  if (!d || !XGetWindowAttributes(d.get(), window, &a) || a.map_state != IsViewable) return image;
  // Read from the screen over the window, so that the menus' own windows show.
  const Window root = DefaultRootWindow(d.get());
  int left = 0, top = 0;
  Window child = 0;
  if (!XTranslateCoordinates(d.get(), window, root, 0, 0, &left, &top, &child)) return image;
  XImage* x = XGetImage(d.get(), root, left, top, a.width, a.height, AllPlanes, ZPixmap);
  if (!x) return image;
  image.width = a.width;
  image.height = a.height;
  for (int y = 0; y < image.height; ++y)
    for (int px = 0; px < image.width; ++px) {
      const unsigned long p = XGetPixel(x, px, y);
      for (unsigned long mask : {x->red_mask, x->green_mask, x->blue_mask})
        image.rgb.push_back(static_cast<uint8_t>(Channel(p, mask)));
    }
  XDestroyImage(x);
  return image;
}

void Keep(const Image& image, const std::string& name) {
  std::filesystem::create_directories(TORVIK_ARTEFACTS);
  std::ofstream out(std::string(TORVIK_ARTEFACTS) + "/" + name + ".ppm", std::ios::binary);
  out << "P6\n" << image.width << " " << image.height << "\n255\n";
  out.write(reinterpret_cast<const char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size()));
}

WindowProgram::WindowProgram(const std::string& binary, const std::string& display,
                             const std::string& workDir)
    : display_(display), consolePath_(workDir + "/console.txt"),
      process_(Spawn("cd " + Quote(workDir) + " && DISPLAY=" + display + " exec " + Quote(binary) +
                     " > console.txt 2> stderr.txt")) {}

WindowProgram::~WindowProgram() {
  if (process_) Finish(*process_, 0);
}

bool WindowProgram::XdoTool(const std::string& arguments) const {
  return RunCommand("DISPLAY=" + display_ + " xdotool " + arguments).status == 0;
}

bool WindowProgram::WaitForWindow(int millis) {
  return Poll(millis, [&] {
    const std::string search = "DISPLAY=" + display_ + " xdotool search --onlyvisible --name '^Torvik'";
    const std::string id = RunCommand(search).out;
    if (!id.empty()) window_ = std::stoul(id);
    return !id.empty();
  });
}

std::string WindowProgram::Console() const { return Slurp(consolePath_); }

bool WindowProgram::WaitForConsole(const std::string& text, std::size_t from, int millis) const {
  return Poll(millis, [&] {
    const std::string now = Console();
    return now.size() > from && now.find(text, from) != std::string::npos;
  });
}

// Without a window manager a key goes to the window under the pointer.
void WindowProgram::Key(const std::string& keys) {
  XdoTool("mousemove --window " + std::to_string(window_) + " 2 2 key --delay 30 " + keys);
}

void WindowProgram::Click(int x, int y, int button) {
  const std::string at = std::to_string(x) + " " + std::to_string(y);
  XdoTool("mousemove --window " + std::to_string(window_) + " " + at + " click " + std::to_string(button));
}

void WindowProgram::Resize(int width, int height) {
  XdoTool("windowsize " + std::to_string(window_) + " " + std::to_string(width) + " " + std::to_string(height));
}

void WindowProgram::MoveTo(int x, int y) {
  XdoTool("mousemove --window " + std::to_string(window_) + " " + std::to_string(x) + " " + std::to_string(y));
}

Image WindowProgram::Settle() {
  Image last = CaptureWindow(display_, window_);
  for (int i = 0; i < 100; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Image now = CaptureWindow(display_, window_);
    const bool drawn = std::any_of(now.rgb.begin(), now.rgb.end(), [](uint8_t v) { return v != 0; });
    if (drawn && now.rgb == last.rgb) return now;
    last = std::move(now);
  }
  return last;
}

int WindowProgram::WaitForExit(int millis) { return process_ ? Finish(*process_, millis / 1000.0) : -1; }

}  // namespace torvik::test
