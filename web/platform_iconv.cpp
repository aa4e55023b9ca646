#include "web/iconv_facility.h"

#if QSH_ICONV_ADAPTER

#include "web/gb2312_iconv.h"

namespace qsh {

const IconvFacility& PlatformIconv() { return Gb2312IconvFacility(); }

}  // namespace qsh

#else

#include <iconv.h>

namespace qsh {
namespace {

IconvFacility::Descriptor Open(const char* toCode, const char* fromCode) {
  const iconv_t descriptor = ::iconv_open(toCode, fromCode);
  if (descriptor == reinterpret_cast<iconv_t>(-1)) return InvalidIconvDescriptor();
  return descriptor;
}

std::size_t Convert(IconvFacility::Descriptor descriptor, char** input, std::size_t* inputLeft,
                    char** output, std::size_t* outputLeft) {
  return ::iconv(static_cast<iconv_t>(descriptor), input, inputLeft, output, outputLeft);
}

int Close(IconvFacility::Descriptor descriptor) {
  return ::iconv_close(static_cast<iconv_t>(descriptor));
}

}  // namespace

const IconvFacility& PlatformIconv() {
  static constexpr IconvFacility facility{Open, Convert, Close};
  return facility;
}

}  // namespace qsh

#endif
