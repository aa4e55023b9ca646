#pragma once
// Our own UTF-8 to GB2312 converter with the iconv interface, for Windows
// targets that have no iconv. It behaves as the C library's iconv does for
// this one pair of encodings (the tests hold the two against each other for
// every BMP code point and for malformed input): strict, stateless, one
// character at a time, never writing part of a character. Like the C
// library's, it drops the Unicode tag characters U+E0000 to U+E007F.
//
// Its mapping comes from web/gb2312_table.inc, which scripts/gen-gb2312-table
// generates from the C library's iconv.

#include <cstddef>

#include "web/iconv_facility.h"

namespace qsh {

// Accepts exactly "GB2312" as target and "UTF-8" as source (letter case
// ignored); any other pair gives (void*)-1 with errno EINVAL.
void* Gb2312IconvOpen(const char* toCode, const char* fromCode);

// Converts as much as fits. Stops with (size_t)-1 and errno
//   E2BIG  when the next character does not fit the output,
//   EILSEQ at a byte sequence that is not UTF-8 or a character GB2312 lacks,
//   EINVAL at a sequence cut off by the end of the input,
// leaving the pointers at the start of that character. A null input resets
// the (empty) shift state and returns 0.
std::size_t Gb2312Iconv(void* descriptor, char** input, std::size_t* inputLeft, char** output,
                        std::size_t* outputLeft);

int Gb2312IconvClose(void* descriptor);

// The three together, as the conversion takes them.
const IconvFacility& Gb2312IconvFacility();

}  // namespace qsh
