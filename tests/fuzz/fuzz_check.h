#pragma once
// What the fuzz targets share: a failed property stops the run with a
// message, and the fuzzer keeps the input that broke it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

namespace qsh::fuzz {

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, what);
  std::abort();
}

#define QSH_FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::qsh::fuzz::Fail(#condition, __FILE__, __LINE__))

// Takes the fuzzer's bytes apart: small numbers from the front, the rest as data.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, std::size_t size) : bytes_(data, size) {}

  // One byte, 0 once the input is used up.
  uint8_t TakeByte() {
    if (bytes_.empty()) return 0;
    const uint8_t byte = bytes_.front();
    bytes_ = bytes_.subspan(1);
    return byte;
  }

  // Up to count bytes from the front.
  std::span<const uint8_t> Take(std::size_t count) {
    const std::size_t taken = count < bytes_.size() ? count : bytes_.size();
    const std::span<const uint8_t> front = bytes_.first(taken);
    bytes_ = bytes_.subspan(taken);
    return front;
  }

  [[nodiscard]] std::span<const uint8_t> Rest() const { return bytes_; }
  [[nodiscard]] bool Empty() const { return bytes_.empty(); }

 private:
  std::span<const uint8_t> bytes_;
};

inline std::string_view AsView(std::span<const uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace qsh::fuzz
