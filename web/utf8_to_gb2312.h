#pragma once
// The conversion of the fetched release page.

#include <cstddef>

#include "web/bytes.h"
#include "web/iconv_facility.h"

namespace qsh {

// The input converted from UTF-8 to GB2312 (EUC form: ASCII as one byte, each
// GB 2312 character as two bytes 0xA1..0xFE), all or nothing: empty for an
// empty input and on any failure (not UTF-8, a sequence cut off at the end,
// a character GB 2312 lacks such as U+00A0, U+FEFF or anything beyond
// U+FFFF). Nothing is skipped or replaced.
[[nodiscard]] Bytes Utf8ToGb2312(const Bytes& input);

// The same over a given iconv. The output buffer starts as long as the input
// and, each time the iconv reports it full, grows by half the input length
// plus 128 bytes and the conversion goes on where it stopped; after 11
// growths a full buffer is a failure.
[[nodiscard]] Bytes Utf8ToGb2312(const Bytes& input, const IconvFacility& iconv);

inline constexpr int kMaxOutputGrowths = 11;

// The length of `bytes` without a UTF-8 character cut off at its end (the
// lead and continuation bytes of a character that would go on past the
// last byte). Bytes that are not UTF-8 are left for the conversion to refuse.
[[nodiscard]] std::size_t WholeUtf8Length(const Bytes& bytes);

}  // namespace qsh
