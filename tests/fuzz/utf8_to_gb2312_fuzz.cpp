// The release page's conversion and search, over the C library's iconv and
// over our own converter, with any page the server could send.
#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_check.h"
#include "web/bytes.h"
#include "web/gb2312_iconv.h"
#include "web/locate_text.h"
#include "web/utf8_to_gb2312.h"

namespace {

// "软件版本：【V1.01】" in code page 936.
constexpr std::string_view kMarker =
    "\xC8\xED\xBC\xFE\xB0\xE6\xB1\xBE\xA3\xBA\xA1\xBEV1.01\xA1\xBF";

// The C library's iconv, but handing out at most this many output bytes per
// call, so that the conversion has to go on after a full output again and again.
std::size_t stingyOutput = 1;

std::size_t StingyConvert(void* descriptor, char** input, std::size_t* inputLeft, char** output,
                          std::size_t* outputLeft) {
  std::size_t offered = *outputLeft < stingyOutput ? *outputLeft : stingyOutput;
  const std::size_t withheld = *outputLeft - offered;
  const std::size_t result =
      qsh::PlatformIconv().convert(descriptor, input, inputLeft, output, &offered);
  *outputLeft = offered + withheld;  // errno stays as the C library set it
  return result;
}

// GB2312 back to UTF-8 with the C library; empty on any failure.
std::string BackToUtf8(const qsh::Bytes& gb2312) {
  const iconv_t descriptor = ::iconv_open("UTF-8", "GB2312");
  QSH_FUZZ_CHECK(descriptor != reinterpret_cast<iconv_t>(-1));
  std::string utf8(gb2312.size() * 2 + 4, '\0');
  char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(gb2312.data()));
  std::size_t inLeft = gb2312.size();
  char* out = utf8.data();
  std::size_t outLeft = utf8.size();
  const std::size_t result = ::iconv(descriptor, &in, &inLeft, &out, &outLeft);
  ::iconv_close(descriptor);
  if (result == static_cast<std::size_t>(-1)) return {};
  utf8.resize(utf8.size() - outLeft);
  return utf8;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  qsh::fuzz::FuzzInput input(data, size);
  stingyOutput = 1 + input.TakeByte() % 64u;
  const auto page = input.Rest();
  const qsh::Bytes bytes(page.begin(), page.end());

  const qsh::Bytes converted = qsh::Utf8ToGb2312(bytes, qsh::PlatformIconv());
  const qsh::Bytes ours = qsh::Utf8ToGb2312(bytes, qsh::Gb2312IconvFacility());
  QSH_FUZZ_CHECK(ours == converted);

  // All or nothing: what converted reads back as the page (the tag
  // characters U+E0000..U+E007F, F3 A0 8x xx, are dropped on the way).
  const std::string_view pageText = qsh::fuzz::AsView(page);
  if (!converted.empty() && pageText.find("\xF3\xA0") == std::string_view::npos)
    QSH_FUZZ_CHECK(BackToUtf8(converted) == pageText);

  // Going on after every full output changes nothing, or, past the growths
  // allowed, gives nothing.
  static const qsh::IconvFacility kStingy{qsh::PlatformIconv().open, StingyConvert,
                                          qsh::PlatformIconv().close};
  const qsh::Bytes stingy = qsh::Utf8ToGb2312(bytes, kStingy);
  QSH_FUZZ_CHECK(stingy == converted || stingy.empty());
  if (converted.size() <= stingyOutput) QSH_FUZZ_CHECK(stingy == converted);

  // The rest of the check's road: the Text, then the search.
  const std::string text = qsh::BytesToText(converted);
  const int32_t position = qsh::LocateText(text, kMarker);
  QSH_FUZZ_CHECK(position == -1 ||
                 (position >= 1 && text.compare(static_cast<std::size_t>(position - 1),
                                                kMarker.size(), kMarker) == 0));
  return 0;
}
