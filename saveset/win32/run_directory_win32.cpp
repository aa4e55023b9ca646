#include "saveset/win32/run_directory_win32.h"

#include <windows.h>

#include <array>

#include "saveset/run_directory.h"

namespace qsh {
namespace {

bool IsAnsiLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

std::string QueryRunDirectory() {
  std::array<char, 260> buffer{};
  const DWORD length =
      ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  return RunDirectoryFromModuleQuery(std::string_view(buffer.data(), buffer.size()), length,
                                     buffer.size(), IsAnsiLeadByte);
}

}  // namespace qsh
