#pragma once
// The three iconv calls the conversion needs, as a value, so that the same
// conversion code runs over the C library's iconv or over our own GB2312
// converter (for Windows targets that have no iconv), and over fakes in tests.
// Each member behaves as its POSIX namesake: open yields
// InvalidIconvDescriptor() on failure, convert returns (size_t)-1 and sets
// errno to E2BIG, EILSEQ or EINVAL, advancing the pointers and counts past
// what it converted.

#include <cstddef>
#include <cstdint>

namespace qsh {

struct IconvFacility {
  using Descriptor = void*;
  Descriptor (*open)(const char* toCode, const char* fromCode);
  std::size_t (*convert)(Descriptor descriptor, char** input, std::size_t* inputLeft,
                         char** output, std::size_t* outputLeft);
  int (*close)(Descriptor descriptor);
};

// The value iconv_open returns when it fails, (iconv_t)-1.
inline IconvFacility::Descriptor InvalidIconvDescriptor() noexcept {
  return reinterpret_cast<IconvFacility::Descriptor>(~uintptr_t{0});
}

inline constexpr std::size_t kIconvFailed = static_cast<std::size_t>(-1);

// The iconv this build converts with: the C library's or libiconv where the
// target has one, otherwise our own converter (web/gb2312_iconv.h).
const IconvFacility& PlatformIconv();

}  // namespace qsh
