#include "screenshot.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

namespace torvik::test {
namespace {

uint32_t Crc(const uint8_t* data, std::size_t n, uint32_t crc = 0xffffffffu) {
  for (std::size_t i = 0; i < n; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
  }
  return crc;
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutU32(out, static_cast<uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutU32(out, Crc(out.data() + start, out.size() - start) ^ 0xffffffffu);
}

// zlib stream of stored (uncompressed) deflate blocks.
std::vector<uint8_t> Stored(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> z = {0x78, 0x01};
  constexpr std::size_t kBlock = 65535;
  std::size_t at = 0;
  do {
    const std::size_t n = std::min(kBlock, raw.size() - at);
    z.push_back(at + n >= raw.size() ? 1 : 0);
    z.push_back(static_cast<uint8_t>(n));
    z.push_back(static_cast<uint8_t>(n >> 8));
    z.push_back(static_cast<uint8_t>(~n));
    z.push_back(static_cast<uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + n));
    at += n;
  } while (at < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutU32(z, (b << 16) | a);
  return z;
}

struct DisplayCloser {
  void operator()(Display* d) const { XCloseDisplay(d); }
};
struct ImageDestroyer {
  void operator()(XImage* i) const { XDestroyImage(i); }
};

int Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  const unsigned long max = mask >> shift;
  return static_cast<int>(((pixel & mask) >> shift) * 255 / max);
}

}  // namespace

Pixel Image::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {};
  const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
  return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

bool WindowViewable(const std::string& display, unsigned long window) {
  std::unique_ptr<Display, DisplayCloser> d(XOpenDisplay(display.c_str()));
  XWindowAttributes attributes;
  return d && XGetWindowAttributes(d.get(), window, &attributes) && attributes.map_state == IsViewable;
}

Image CaptureWindow(const std::string& display, unsigned long window) {
  Image image;
  std::unique_ptr<Display, DisplayCloser> d(XOpenDisplay(display.c_str()));
  if (!d) return image;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(d.get(), window, &attributes) || attributes.map_state != IsViewable)
    return image;
  std::unique_ptr<XImage, ImageDestroyer> x(XGetImage(d.get(), window, 0, 0, attributes.width,
                                                      attributes.height, AllPlanes, ZPixmap));
  if (!x) return image;
  image.width = attributes.width;
  image.height = attributes.height;
  image.rgb.reserve(static_cast<std::size_t>(image.width) * image.height * 3);
  for (int y = 0; y < image.height; ++y)
    for (int px = 0; px < image.width; ++px) {
      const unsigned long p = XGetPixel(x.get(), px, y);
      image.rgb.push_back(static_cast<uint8_t>(Channel(p, x->red_mask)));
      image.rgb.push_back(static_cast<uint8_t>(Channel(p, x->green_mask)));
      image.rgb.push_back(static_cast<uint8_t>(Channel(p, x->blue_mask)));
    }
  return image;
}

bool WritePng(const Image& image, const std::string& path) {
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<std::size_t>(image.width * 3 + 1) * image.height);
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);  // no filter
    const auto row = image.rgb.begin() + static_cast<long>(y) * image.width * 3;
    raw.insert(raw.end(), row, row + image.width * 3);
  }
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<uint8_t> header;
  PutU32(header, static_cast<uint32_t>(image.width));
  PutU32(header, static_cast<uint32_t>(image.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", Stored(raw));
  Chunk(png, "IEND", {});
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace torvik::test
