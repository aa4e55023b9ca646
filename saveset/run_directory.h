#pragma once
// The folder of the executable, which is the game's save folder.

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace qsh {

// The longest path Windows can hold, in UTF-16 code units, without its end.
inline constexpr std::size_t kLongestPath = 32767;

// The module path without its last backslash and what follows it; a path
// without any backslash gives the empty path. In UTF-16 no unit of another
// character equals the backslash, so a Chinese name whose code page 936
// form holds 0x5C as a second byte stays whole.
std::wstring RunDirectoryFromModulePath(std::wstring_view modulePath);

// Asks for the module path into a buffer and answers as the platform does:
// the length written without its end, or the buffer's size when the path did
// not fit, or 0 on failure.
using ModulePathQuery = std::function<std::size_t(std::span<wchar_t> buffer)>;

// The whole module path: the buffer grows until the path fits, up to the
// longest path there is. A failed query, or a path that never fits, gives
// the empty path, never one cut short.
std::wstring ReadModulePath(const ModulePathQuery& query);

}  // namespace qsh
