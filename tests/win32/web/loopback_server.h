#pragma once
// The loopback HTTP server that http_test_server.py runs around these tests.

#include <windows.h>

#include <array>
#include <cstddef>
#include <string>

#include "web/bytes.h"

namespace qsh::test {

// A port from the environment the runner sets; empty when it is not set.
inline std::string PortFromEnvironment(const char* name) {
  std::array<char, 16> value{};
  const DWORD length = ::GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
  if (length == 0 || length >= value.size()) return {};
  return std::string(value.data(), length);
}

// "http://127.0.0.1:<port>" + path.
inline std::string ServerUrl(const std::string& path) {
  return "http://127.0.0.1:" + PortFromEnvironment("QSH_TEST_HTTP_PORT") + path;
}

// What /bytes/COUNT sends: byte i is i % 251.
inline Bytes PatternBytes(std::size_t count) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<unsigned char>(i % 251);
  return bytes;
}

inline std::string AsText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace qsh::test
