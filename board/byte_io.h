// Little-endian fields of the binary images, written and read at fixed offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace torvik {

inline void PutU32(std::span<uint8_t> image, std::size_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void PutI32(std::span<uint8_t> image, std::size_t offset, int32_t v) {
  PutU32(image, offset, static_cast<uint32_t>(v));
}
inline void PutF32(std::span<uint8_t> image, std::size_t offset, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  PutU32(image, offset, bits);
}

inline uint32_t GetU32(std::span<const uint8_t> image, std::size_t offset) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= uint32_t(image[offset + i]) << (8 * i);
  return v;
}
inline int32_t GetI32(std::span<const uint8_t> image, std::size_t offset) {
  return static_cast<int32_t>(GetU32(image, offset));
}
inline float GetF32(std::span<const uint8_t> image, std::size_t offset) {
  uint32_t bits = GetU32(image, offset);
  float v;
  std::memcpy(&v, &bits, 4);
  return v;
}

}  // namespace torvik
