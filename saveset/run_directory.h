#pragma once
// The folder of the executable, which is the game's save folder.

#include <cstddef>
#include <string>
#include <string_view>

namespace qsh {

// Tells whether a byte opens a double-byte character in the ANSI code page.
using LeadBytePredicate = bool (*)(unsigned char);

// Lead bytes of code page 936 (GBK): 0x81 to 0xFE.
bool IsCodePage936LeadByte(unsigned char byte);

// The module path without its last backslash and what follows it. The
// backslash is searched character by character, so the second byte of a
// double-byte character (which may be 0x5C) is never taken for a separator.
// A path without any backslash gives the empty text.
std::string RunDirectoryFromModulePath(std::string_view modulePath,
                                       LeadBytePredicate isLeadByte);

// The run directory from what the platform reported: the buffer it filled,
// the length it returned, and the buffer's size. A length of 0 (failure) or
// one that reaches the buffer's size (the path was cut short) gives the
// empty text, never a truncated path.
std::string RunDirectoryFromModuleQuery(std::string_view buffer, std::size_t reportedLength,
                                        std::size_t bufferSize, LeadBytePredicate isLeadByte);

}  // namespace qsh
