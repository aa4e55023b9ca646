#include "web/gb2312_iconv.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iterator>

namespace qsh {
namespace {

struct Gb2312Mapping {
  uint16_t codePoint;
  uint16_t bytes;  // below 0x100: one byte; otherwise lead byte, trail byte
};

constexpr Gb2312Mapping kGb2312Table[] = {
#include "web/gb2312_table.inc"
};

constexpr bool IsSortedByCodePoint() {
  for (std::size_t i = 1; i < std::size(kGb2312Table); ++i)
    if (kGb2312Table[i - 1].codePoint >= kGb2312Table[i].codePoint) return false;
  return true;
}
static_assert(IsSortedByCodePoint(), "the generated table must be sorted by code point");

// The conversion keeps no state, so every descriptor is this one object.
int theConversion;

bool SameName(const char* given, const char* expected) {
  if (given == nullptr) return false;
  for (; *given != '\0' && *expected != '\0'; ++given, ++expected) {
    const char c = (*given >= 'a' && *given <= 'z') ? static_cast<char>(*given - 'a' + 'A') : *given;
    if (c != *expected) return false;
  }
  return *given == '\0' && *expected == '\0';
}

enum class Decoded { Character, Invalid, CutOff };

struct DecodeResult {
  Decoded kind;
  uint32_t codePoint;
  std::size_t length;
};

bool IsTrailByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length a lead byte announces, 0 for a byte that cannot lead. As the C
// library does, the old five- and six-byte forms count as announced lengths,
// so that a cut-off one at the end reads as cut off rather than invalid;
// complete, they are beyond U+10FFFF and invalid.
std::size_t AnnouncedLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  if ((lead & 0xFC) == 0xF8) return 5;
  if ((lead & 0xFE) == 0xFC) return 6;
  return 0;
}

DecodeResult DecodeUtf8(const unsigned char* in, std::size_t available) {
  const unsigned char lead = in[0];
  const std::size_t length = AnnouncedLength(lead);
  if (length == 1) return {Decoded::Character, lead, 1};
  if (length == 0) return {Decoded::Invalid, 0, 0};
  if (length > available) {
    // Cut off only if every byte that is there could continue the sequence.
    for (std::size_t i = 1; i < available; ++i)
      if (!IsTrailByte(in[i])) return {Decoded::Invalid, 0, 0};
    return {Decoded::CutOff, 0, 0};
  }
  uint32_t codePoint = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsTrailByte(in[i])) return {Decoded::Invalid, 0, 0};
    codePoint = (codePoint << 6) | (in[i] & 0x3Fu);
  }
  // Overlong forms: a code point that fits the bits of one byte less.
  const bool overlong = length > 2 && (codePoint >> (5 * length - 4)) == 0;
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (overlong || surrogate) return {Decoded::Invalid, 0, 0};
  return {Decoded::Character, codePoint, length};
}

// U+E0000 to U+E007F, the Unicode tag characters: the C library's converters
// drop them without a word, and so do we.
bool IsTagCharacter(uint32_t codePoint) { return (codePoint >> 7) == (0xE0000 >> 7); }

// The GB2312 bytes of a code point, or nullptr when GB2312 lacks it.
const Gb2312Mapping* FindMapping(uint32_t codePoint) {
  if (codePoint > 0xFFFF) return nullptr;
  const auto* const end = std::end(kGb2312Table);
  const auto* found = std::lower_bound(
      std::begin(kGb2312Table), end, codePoint,
      [](const Gb2312Mapping& entry, uint32_t value) { return entry.codePoint < value; });
  if (found == end || found->codePoint != codePoint) return nullptr;
  return found;
}

std::size_t Fail(int error) {
  errno = error;
  return static_cast<std::size_t>(-1);
}

}  // namespace

void* Gb2312IconvOpen(const char* toCode, const char* fromCode) {
  if (!SameName(toCode, "GB2312") || !SameName(fromCode, "UTF-8")) {
    errno = EINVAL;
    return reinterpret_cast<void*>(~uintptr_t{0});
  }
  return &theConversion;
}

std::size_t Gb2312Iconv(void* descriptor, char** input, std::size_t* inputLeft, char** output,
                        std::size_t* outputLeft) {
  if (descriptor != &theConversion) return Fail(EBADF);
  if (input == nullptr || *input == nullptr) return 0;  // reset: there is no state
  if (inputLeft == nullptr || output == nullptr || *output == nullptr || outputLeft == nullptr)
    return Fail(EINVAL);  // a call that no conversion makes

  while (*inputLeft > 0) {
    const auto* in = reinterpret_cast<const unsigned char*>(*input);
    if (in[0] < 0x80) {  // ASCII maps to itself
      if (*outputLeft == 0) return Fail(E2BIG);
      **output = static_cast<char>(in[0]);
      ++*output; --*outputLeft; ++*input; --*inputLeft;
      continue;
    }
    const DecodeResult decoded = DecodeUtf8(in, *inputLeft);
    if (decoded.kind == Decoded::Invalid) return Fail(EILSEQ);
    if (decoded.kind == Decoded::CutOff) return Fail(EINVAL);
    // A full output is reported before looking the character up, as the C
    // library's converter does.
    if (*outputLeft == 0) return Fail(E2BIG);
    if (IsTagCharacter(decoded.codePoint)) {
      *input += decoded.length;
      *inputLeft -= decoded.length;
      continue;
    }
    const Gb2312Mapping* mapping = FindMapping(decoded.codePoint);
    if (mapping == nullptr) return Fail(EILSEQ);
    const bool twoBytes = mapping->bytes >= 0x100;
    if (twoBytes && *outputLeft < 2) return Fail(E2BIG);

    auto* out = reinterpret_cast<unsigned char*>(*output);
    if (twoBytes) {
      out[0] = static_cast<unsigned char>(mapping->bytes >> 8);
      out[1] = static_cast<unsigned char>(mapping->bytes & 0xFF);
    } else {
      out[0] = static_cast<unsigned char>(mapping->bytes);
    }
    const std::size_t written = twoBytes ? 2 : 1;
    *output += written;
    *outputLeft -= written;
    *input += decoded.length;
    *inputLeft -= decoded.length;
  }
  return 0;
}

int Gb2312IconvClose(void* descriptor) {
  if (descriptor != &theConversion) {
    errno = EBADF;
    return -1;
  }
  return 0;
}

const IconvFacility& Gb2312IconvFacility() {
  static constexpr IconvFacility facility{Gb2312IconvOpen, Gb2312Iconv, Gb2312IconvClose};
  return facility;
}

}  // namespace qsh
