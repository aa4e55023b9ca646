#include "web/utf8_to_gb2312.h"

#include <cerrno>
#include <limits>
#include <new>

namespace qsh {
namespace {

class OpenConversion {
 public:
  OpenConversion(const IconvFacility& iconv, const char* toCode, const char* fromCode)
      : iconv_(iconv), descriptor_(iconv.open(toCode, fromCode)) {}
  ~OpenConversion() {
    if (valid()) iconv_.close(descriptor_);
  }
  OpenConversion(const OpenConversion&) = delete;
  OpenConversion& operator=(const OpenConversion&) = delete;

  [[nodiscard]] bool valid() const { return descriptor_ != InvalidIconvDescriptor(); }
  [[nodiscard]] IconvFacility::Descriptor get() const { return descriptor_; }

 private:
  const IconvFacility& iconv_;
  IconvFacility::Descriptor descriptor_;
};

// A failed allocation reads as a failed conversion.
bool TryResize(Bytes& bytes, std::size_t size) {
  try {
    bytes.resize(size);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace

Bytes Utf8ToGb2312(const Bytes& input) { return Utf8ToGb2312(input, PlatformIconv()); }

Bytes Utf8ToGb2312(const Bytes& input, const IconvFacility& iconv) {
  if (input.empty()) return {};
  const OpenConversion conversion(iconv, "GB2312", "UTF-8");
  if (!conversion.valid()) return {};

  Bytes output;
  if (!TryResize(output, input.size())) return {};
  const std::size_t growth = input.size() / 2 + 128;

  // iconv's input parameter is not const, but iconv only reads through it.
  char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(input.data()));
  std::size_t inLeft = input.size();
  std::size_t produced = 0;
  for (int growths = 0;; ++growths) {
    char* out = reinterpret_cast<char*>(output.data() + produced);
    std::size_t outLeft = output.size() - produced;
    const std::size_t result = iconv.convert(conversion.get(), &in, &inLeft, &out, &outLeft);
    const int error = errno;
    produced = output.size() - outLeft;
    if (result != kIconvFailed) break;
    if (error != E2BIG || growths == kMaxOutputGrowths) return {};
    if (output.size() > std::numeric_limits<std::size_t>::max() - growth) return {};
    if (!TryResize(output, output.size() + growth)) return {};
  }
  output.resize(produced);
  return output;
}

std::size_t WholeUtf8Length(const Bytes& bytes) {
  const std::size_t size = bytes.size();
  // A character is at most four bytes long: look back at most three.
  for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
    const unsigned char byte = bytes[size - back];
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? size - back : size;
  }
  return size;
}

}  // namespace qsh
