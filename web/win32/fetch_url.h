#pragma once
// One blocking HTTP GET over WinINet.

#include <windows.h>
#include <wininet.h>

#include <cstddef>
#include <string>

#include "web/bytes.h"

namespace qsh {

// At most this much of a body is kept; the rest is treated like a reading
// that broke off. A release page is a few hundred kilobytes; 2 MiB is far
// above any real one, keeps a broken or hostile server from exhausting the
// memory of a 32-bit process, and bounds how long the window stays frozen
// while the text passes through the edit box (about 2.5 s a MiB under Wine).
// A body cut by the cap ends at its last whole UTF-8 character.
inline constexpr std::size_t kMaxBodySize = std::size_t{2} << 20;

// The body of the answer to a GET of url in HTTP/1.0, whatever its status,
// never from a cache and not written to one; what was received before a
// failure when the reading breaks off; empty when the request cannot be
// made. Only http and https urls are fetched.
[[nodiscard]] Bytes FetchUrl(const std::string& url);

// The process's one WinINet session (InternetRoot): null until a fetch opens
// it, then the same handle for every later fetch until the process ends.
[[nodiscard]] HINTERNET InternetRoot();

}  // namespace qsh
