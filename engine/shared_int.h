// An integer setting that one thread writes while another reads it (the
// engine's side, autoplay, the request to abort a search): every access is an
// atomic load or store, and copying a record that holds one copies its value.
#pragma once

#include <atomic>
#include <cstdint>

namespace torvik {

class SharedInt {
 public:
  constexpr SharedInt(int32_t value = 0) : value_(value) {}  // NOLINT: stands for a plain int
  SharedInt(const SharedInt& other) : value_(other.Load()) {}
  SharedInt& operator=(const SharedInt& other) {
    Store(other.Load());
    return *this;
  }
  SharedInt& operator=(int32_t value) {
    Store(value);
    return *this;
  }
  operator int32_t() const { return Load(); }  // NOLINT: reads as a plain int

  int32_t Load() const { return value_.load(std::memory_order_acquire); }
  void Store(int32_t value) { value_.store(value, std::memory_order_release); }

 private:
  std::atomic<int32_t> value_;
};

}  // namespace torvik
