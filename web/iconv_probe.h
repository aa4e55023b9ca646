#pragma once
// What an iconv does with one input and a given room for output, recorded so
// that two iconvs can be compared. The table generator records the C
// library's answers with it; the tests hold our GB2312 converter against
// those answers, natively and under Wine. Not used by the program itself.

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "web/iconv_facility.h"

namespace qsh {

enum class IconvStatus : uint8_t {
  Done = 0,
  OutputFull = 1,          // E2BIG
  InvalidSequence = 2,     // EILSEQ
  IncompleteSequence = 3,  // EINVAL
  OtherError = 4,
};

struct IconvOutcome {
  IconvStatus status = IconvStatus::OtherError;
  std::size_t result = 0;  // what a successful call returned
  std::size_t inputLeft = 0;
  std::size_t outputLeft = 0;
  std::string output;
  bool operator==(const IconvOutcome&) const = default;
};

inline IconvStatus StatusFromErrno(int error) {
  switch (error) {
    case E2BIG: return IconvStatus::OutputFull;
    case EILSEQ: return IconvStatus::InvalidSequence;
    case EINVAL: return IconvStatus::IncompleteSequence;
    default: return IconvStatus::OtherError;
  }
}

inline const char* StatusName(IconvStatus status) {
  switch (status) {
    case IconvStatus::Done: return "Done";
    case IconvStatus::OutputFull: return "OutputFull";
    case IconvStatus::InvalidSequence: return "InvalidSequence";
    case IconvStatus::IncompleteSequence: return "IncompleteSequence";
    case IconvStatus::OtherError: break;
  }
  return "OtherError";
}

// One call of convert on a freshly reset descriptor.
inline IconvOutcome ProbeIconv(const IconvFacility& iconv, IconvFacility::Descriptor descriptor,
                               std::string_view input, std::size_t outputRoom) {
  iconv.convert(descriptor, nullptr, nullptr, nullptr, nullptr);
  std::string in(input);
  std::string out(outputRoom + 1, '\0');  // never empty, so data() is a real buffer
  char* inPointer = in.data();
  std::size_t inLeft = in.size();
  char* outPointer = out.data();
  std::size_t outLeft = outputRoom;
  errno = 0;
  const std::size_t result = iconv.convert(descriptor, &inPointer, &inLeft, &outPointer, &outLeft);
  const int error = errno;

  IconvOutcome outcome;
  outcome.status = result == kIconvFailed ? StatusFromErrno(error) : IconvStatus::Done;
  outcome.result = result == kIconvFailed ? 0 : result;
  outcome.inputLeft = inLeft;
  outcome.outputLeft = outLeft;
  // The pointers must have moved exactly as the counts say.
  if (inPointer != in.data() + (in.size() - inLeft) ||
      outPointer != out.data() + (outputRoom - outLeft))
    outcome.status = IconvStatus::OtherError;
  outcome.output.assign(out.data(), outputRoom - outLeft);
  return outcome;
}

// The UTF-8 form of a BMP code point; for a surrogate, the three bytes the
// same bit pattern would give, which UTF-8 does not allow.
inline std::string Utf8Form(uint32_t codePoint) {
  std::string bytes;
  if (codePoint < 0x80) {
    bytes += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    bytes += static_cast<char>(0xC0 | (codePoint >> 6));
    bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    bytes += static_cast<char>(0xE0 | (codePoint >> 12));
    bytes += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
  return bytes;
}

// Each BMP code point is probed with each of these rooms for output: none,
// less than a double-byte character, exactly one, and plenty.
inline constexpr std::array<std::size_t, 4> kCodePointOutputRooms{0, 1, 2, 8};

struct IconvProbeCase {
  std::string_view name;
  std::string_view input;
  std::size_t outputRoom;
};

// Malformed and awkward inputs, beyond single code points. Byte escapes only:
// the sources' execution character set must not touch these.
inline constexpr IconvProbeCase kIconvProbeCases[] = {
    {"ascii text", "Hello, world", 64},
    {"zero byte inside", std::string_view("a\0b", 3), 8},
    {"two Chinese characters", "\xE4\xB8\xAD\xE6\x96\x87", 8},
    {"room for one and a half characters", "\xE4\xB8\xAD\xE6\x96\x87", 3},
    {"ascii then a character with room 2", "a\xE4\xB8\xAD", 2},
    {"valid then invalid byte", "\xE4\xB8\xAD\xFF", 8},
    {"valid then invalid byte, no room", "\xE4\xB8\xAD\xFF", 0},
    {"invalid byte, no room", "\xFF", 0},
    {"lone trail byte", "\x80", 8},
    {"lone trail byte BF", "\xBF", 8},
    {"bytes FE and FF", "\xFE\xFF", 8},
    {"overlong C0 80", "\xC0\x80", 8},
    {"overlong C1 BF", "\xC1\xBF", 8},
    {"overlong E0 80 80", "\xE0\x80\x80", 8},
    {"overlong E0 9F BF", "\xE0\x9F\xBF", 8},
    {"overlong F0 80 80 80", "\xF0\x80\x80\x80", 8},
    {"overlong F0 8F BF BF", "\xF0\x8F\xBF\xBF", 8},
    {"surrogate D800", "\xED\xA0\x80", 8},
    {"surrogate DFFF", "\xED\xBF\xBF", 8},
    {"U+10000", "\xF0\x90\x80\x80", 8},
    {"U+1F600", "\xF0\x9F\x98\x80", 8},
    {"U+10FFFF", "\xF4\x8F\xBF\xBF", 8},
    {"beyond U+10FFFF", "\xF4\x90\x80\x80", 8},
    {"lead F5, four bytes", "\xF5\x80\x80\x80", 8},
    {"five-byte form", "\xF8\x88\x80\x80\x80", 8},
    {"six-byte form", "\xFC\x84\x80\x80\x80\x80", 8},
    {"cut off: C2", "\xC2", 8},
    {"cut off: E4", "\xE4", 8},
    {"cut off: E4 B8", "\xE4\xB8", 8},
    {"cut off: F0 9F", "\xF0\x9F", 8},
    {"cut off: F0 9F 98", "\xF0\x9F\x98", 8},
    {"cut off after text", "ab\xE4\xB8\xAD\xE4\xB8", 8},
    {"cut off overlong prefix E0 80", "\xE0\x80", 8},
    {"cut off surrogate prefix ED A0", "\xED\xA0", 8},
    {"cut off F4 90", "\xF4\x90", 8},
    {"cut off lead F5", "\xF5", 8},
    {"cut off five-byte form", "\xF8\x88\x80\x80", 8},
    {"cut off six-byte form", "\xFC\x84\x80\x80\x80", 8},
    {"cut off C0", "\xC0", 8},
    {"cut off, no room", "\xE4\xB8", 0},
    {"ascii then cut off, no room", "a\xE4", 0},
    {"bad trail byte after C2", "\xC2" "A", 8},
    {"bad trail byte after E4", "\xE4" "AA", 8},
    {"bad trail byte after E4 B8", "\xE4\xB8" "A", 8},
    {"cut-off prefix then bad byte", "\xE4\xB8\xFF", 8},
    {"byte-order mark", "\xEF\xBB\xBF" "abc", 8},
    {"no-break space", "\xC2\xA0", 8},
    {"no-break space, no room", "\xC2\xA0", 0},
    {"marker then no-break space", "\xE8\xBD\xAF\xE4\xBB\xB6\xC2\xA0", 16},
    {"U+FFFE", "\xEF\xBF\xBE", 8},
    {"U+FFFF", "\xEF\xBF\xBF", 8},
    {"U+30FB katakana middle dot", "\xE3\x83\xBB", 8},
    {"U+2015 horizontal bar", "\xE2\x80\x95", 8},
    {"U+2014 em dash", "\xE2\x80\x94", 8},
    {"U+00B7 middle dot", "\xC2\xB7", 8},
    {"U+FF5E fullwidth tilde", "\xEF\xBD\x9E", 8},
    {"U+20AC euro sign", "\xE2\x82\xAC", 8},
    {"tag character U+E0000", "\xF3\xA0\x80\x80", 8},
    {"tag character U+E007F", "\xF3\xA0\x81\xBF", 8},
    {"U+E0080, after the tags", "\xF3\xA0\x82\x80", 8},
    {"tag character, no room", "\xF3\xA0\x80\x80", 0},
    {"ascii, tag, ascii with room 1", "a\xF3\xA0\x80\x80" "b", 1},
    {"ascii, tag, ascii with room 2", "a\xF3\xA0\x80\x80" "b", 2},
    {"ascii, tag, character with room 2", "a\xF3\xA0\x80\x80\xE4\xB8\xAD", 2},
    {"fullwidth colon and brackets", "\xEF\xBC\x9A\xE3\x80\x90V1.01\xE3\x80\x91", 16},
};

// FNV-1a over a fixed serialisation of outcomes: the same value on every
// platform for the same outcomes.
class OutcomeDigest {
 public:
  void Add(const IconvOutcome& outcome) {
    AddByte(static_cast<uint8_t>(outcome.status));
    AddNumber(outcome.result);
    AddNumber(outcome.inputLeft);
    AddNumber(outcome.outputLeft);
    AddNumber(outcome.output.size());
    for (const char c : outcome.output) AddByte(static_cast<uint8_t>(c));
  }
  [[nodiscard]] uint64_t value() const { return hash_; }

 private:
  void AddByte(uint8_t byte) {
    hash_ ^= byte;
    hash_ *= 0x100000001B3ull;
  }
  void AddNumber(uint64_t number) {
    for (int shift = 0; shift < 64; shift += 8) AddByte(static_cast<uint8_t>(number >> shift));
  }
  uint64_t hash_ = 0xCBF29CE484222325ull;
};

inline constexpr std::size_t kCodePointBlocks = 256;  // of 256 code points each

// The digest of every outcome for the code points of one block, each probed
// with every room of kCodePointOutputRooms.
inline uint64_t BlockDigest(const IconvFacility& iconv, IconvFacility::Descriptor descriptor,
                            std::size_t block) {
  OutcomeDigest digest;
  for (uint32_t low = 0; low < 256; ++low) {
    const std::string input = Utf8Form(static_cast<uint32_t>(block * 256 + low));
    for (const std::size_t room : kCodePointOutputRooms)
      digest.Add(ProbeIconv(iconv, descriptor, input, room));
  }
  return digest.value();
}

// An outcome as the generated reference file spells it.
struct ReferenceOutcome {
  IconvStatus status;
  std::size_t result;
  std::size_t inputLeft;
  std::size_t outputLeft;
  std::string_view output;
};

inline bool Matches(const IconvOutcome& outcome, const ReferenceOutcome& reference) {
  return outcome.status == reference.status && outcome.result == reference.result &&
         outcome.inputLeft == reference.inputLeft && outcome.outputLeft == reference.outputLeft &&
         outcome.output == reference.output;
}

}  // namespace qsh
