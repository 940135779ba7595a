// Screenshots of a window on an X display: the pixels to check, and a PNG file
// kept in the build folder to look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace torvik::test {

struct Pixel {
  int r = 0, g = 0, b = 0;
};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // rows from the top, 3 bytes a pixel

  Pixel At(int x, int y) const;
  bool Empty() const { return rgb.empty(); }
};

// Whether the window is mapped and shown (only then can it be captured).
bool WindowViewable(const std::string& display, unsigned long window);

// The contents of window `window` (an X window id) on `display`.
Image CaptureWindow(const std::string& display, unsigned long window);  // empty when not shown

// Writes an uncompressed PNG. Returns false when the file cannot be written.
bool WritePng(const Image& image, const std::string& path);

}  // namespace torvik::test
