#pragma once
// How a path reaches the platform's wide file functions.

#include <string>
#include <string_view>

namespace qsh {

// A full path with a drive ("C:\...") or on a share ("\\server\share\...")
// in its extended form ("\\?\C:\...", "\\?\UNC\server\share\..."), which
// lifts the limit of 260 characters and takes every name as it is, a name
// ending in a dot or a space included. Any other path (already extended, a
// device, relative) is given unchanged.
std::wstring ExtendedLengthPath(std::wstring_view path);

}  // namespace qsh
