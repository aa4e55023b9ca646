#pragma once
// The process's own command line as Unicode arguments (Wine hands the Unix
// argv over as Unicode, so non-ASCII paths and titles survive), and number
// parsing without exceptions.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qsh::tools {

// Arguments after the program name.
std::vector<std::wstring> CommandArguments();

// A whole decimal number (optionally negative), or "0x" followed by hex digits.
std::optional<std::int64_t> ParseInteger(const std::wstring& text);

}  // namespace qsh::tools
