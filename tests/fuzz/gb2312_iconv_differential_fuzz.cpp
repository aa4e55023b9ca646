// Our GB2312 converter against the C library's iconv, call for call: the same
// input windows and output buffers go to both, and every call must give the
// same result, errno, pointer and count updates and output bytes.
#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "tests/fuzz/fuzz_check.h"
#include "web/gb2312_iconv.h"

namespace {

constexpr std::size_t kLargeOutput = 4096;
constexpr int kMostCalls = 256;
constexpr unsigned char kUntouched = 0xCC;

// The call schedule comes from a small generator seeded by the input's first
// bytes, so that mutating the page does not reshuffle the schedule.
class Schedule {
 public:
  explicit Schedule(uint32_t seed) : state_(seed | 1u) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }

 private:
  uint32_t state_;
};

struct Outcome {
  std::size_t result;
  int error;  // errno, read only when the call failed
  std::size_t inputUsed, inputLeft, outputUsed, outputLeft;
  std::array<unsigned char, kLargeOutput> output;
};

using Convert = std::size_t (*)(void*, char**, std::size_t*, char**, std::size_t*);

Outcome Call(Convert convert, void* descriptor, const unsigned char* window, std::size_t windowSize,
             std::size_t outputSize, bool reset) {
  Outcome outcome{};
  outcome.output.fill(kUntouched);
  char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(window));
  std::size_t inLeft = windowSize;
  char* out = reinterpret_cast<char*>(outcome.output.data());
  std::size_t outLeft = outputSize;
  errno = 0;
  outcome.result = reset ? convert(descriptor, nullptr, nullptr, &out, &outLeft)
                         : convert(descriptor, &in, &inLeft, &out, &outLeft);
  outcome.error = errno;
  outcome.inputUsed = reset ? 0 : static_cast<std::size_t>(in - reinterpret_cast<const char*>(window));
  outcome.inputLeft = reset ? 0 : inLeft;
  outcome.outputUsed = static_cast<std::size_t>(out - reinterpret_cast<char*>(outcome.output.data()));
  outcome.outputLeft = outLeft;
  return outcome;
}

std::size_t CLibraryConvert(void* descriptor, char** input, std::size_t* inputLeft, char** output,
                            std::size_t* outputLeft) {
  return ::iconv(static_cast<iconv_t>(descriptor), input, inputLeft, output, outputLeft);
}

void Print(const char* who, const Outcome& o) {
  std::fprintf(stderr, "%s: result %zd errno %d input used %zu left %zu output used %zu left %zu\n",
               who, static_cast<std::ptrdiff_t>(o.result), o.error, o.inputUsed, o.inputLeft,
               o.outputUsed, o.outputLeft);
}

void CheckSame(const Outcome& ours, const Outcome& theirs, const unsigned char* window,
               std::size_t windowSize) {
  const bool same = ours.result == theirs.result && ours.inputUsed == theirs.inputUsed &&
                    ours.inputLeft == theirs.inputLeft && ours.outputUsed == theirs.outputUsed &&
                    ours.outputLeft == theirs.outputLeft && ours.output == theirs.output &&
                    (theirs.result != static_cast<std::size_t>(-1) || ours.error == theirs.error);
  if (!same) {
    std::fprintf(stderr, "input window:");
    for (std::size_t i = 0; i < windowSize; ++i) std::fprintf(stderr, " %02X", window[i]);
    std::fprintf(stderr, "\n");
    Print("ours", ours);
    Print("C library", theirs);
  }
  QSH_FUZZ_CHECK(ours.result == theirs.result);
  if (theirs.result == static_cast<std::size_t>(-1)) QSH_FUZZ_CHECK(ours.error == theirs.error);
  QSH_FUZZ_CHECK(ours.inputUsed == theirs.inputUsed);
  QSH_FUZZ_CHECK(ours.inputLeft == theirs.inputLeft);
  QSH_FUZZ_CHECK(ours.outputUsed == theirs.outputUsed);
  QSH_FUZZ_CHECK(ours.outputLeft == theirs.outputLeft);
  QSH_FUZZ_CHECK(ours.output == theirs.output);  // nothing written past the count either
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  qsh::fuzz::FuzzInput input(data, size);
  uint32_t seed = 0;
  for (int i = 0; i < 4; ++i) seed = seed << 8 | input.TakeByte();
  Schedule schedule(seed);
  const auto page = input.Rest();

  const iconv_t theirs = ::iconv_open("GB2312", "UTF-8");
  QSH_FUZZ_CHECK(theirs != reinterpret_cast<iconv_t>(-1));
  void* const ours = qsh::Gb2312IconvOpen("GB2312", "UTF-8");
  QSH_FUZZ_CHECK(ours != reinterpret_cast<void*>(~uintptr_t{0}));

  std::size_t position = 0;
  std::size_t window = 0;  // 0: a new window is chosen
  for (int call = 0; call < kMostCalls && position < page.size(); ++call) {
    const uint32_t draw = schedule.Next();
    const std::size_t left = page.size() - position;
    if (window == 0) window = (draw & 1) ? left : 1 + (draw >> 1) % 8;
    if (window > left) window = left;
    const std::size_t outputSize = (draw & 0x100) ? kLargeOutput : (draw >> 9) % 8;
    const bool reset = (draw >> 12) % 16 == 0;

    const Outcome a = Call(qsh::Gb2312Iconv, ours, page.data() + position, window, outputSize, reset);
    const Outcome b = Call(CLibraryConvert, theirs, page.data() + position, window, outputSize, reset);
    CheckSame(a, b, page.data() + position, reset ? 0 : window);
    if (reset) continue;

    position += b.inputUsed;
    window -= b.inputUsed;
    if (b.result != static_cast<std::size_t>(-1)) continue;  // the window is used up
    switch (b.error) {
      case E2BIG: break;  // the same window goes on into a new output
      case EINVAL:        // cut off: give the next bytes too, unless there are none
        if (window == left - b.inputUsed) position = page.size();
        window = 0;
        break;
      default:  // EILSEQ: step over one byte, as a forgiving caller would
        position += 1;
        window = 0;
        break;
    }
  }

  QSH_FUZZ_CHECK(qsh::Gb2312IconvClose(ours) == 0);
  QSH_FUZZ_CHECK(::iconv_close(theirs) == 0);
  return 0;
}
