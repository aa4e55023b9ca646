// The run directory derived from any module path the platform could report,
// read through a buffer that grows.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "saveset/run_directory.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using qsh::kLongestPath;
using qsh::ReadModulePath;
using qsh::RunDirectoryFromModulePath;

// The input's bytes as UTF-16 code units, little-endian, as Windows holds
// a path: any unit at all, unpaired surrogates included.
std::wstring AsUnits(std::span<const uint8_t> bytes) {
  std::wstring units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    units.push_back(static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8));
  return units;
}

void CheckDerivation(const std::wstring& path) {
  const std::wstring derived = RunDirectoryFromModulePath(path);
  const std::size_t separator = path.rfind(L'\\');
  if (separator == std::wstring::npos) {
    QSH_FUZZ_CHECK(derived.empty());
    return;
  }
  // The path up to a backslash after which no other follows.
  QSH_FUZZ_CHECK(path.compare(0, derived.size(), derived) == 0);
  QSH_FUZZ_CHECK(path[derived.size()] == L'\\');
  QSH_FUZZ_CHECK(path.find(L'\\', derived.size() + 1) == std::wstring::npos);
  // A path composed from the run directory reads back as that directory.
  QSH_FUZZ_CHECK(RunDirectoryFromModulePath(derived + L"\\GameSave_Slot0.sav") == derived);
}

// The path, repeated to `length` units, read as GetModuleFileNameW gives it.
void CheckRead(const std::wstring& path, std::size_t length) {
  if (path.empty() || path.find(L'\0') != std::wstring::npos) return;
  std::wstring whole;
  while (whole.size() < length) whole.append(path);
  whole.resize(length);
  const std::wstring read = ReadModulePath([&](std::span<wchar_t> buffer) -> std::size_t {
    QSH_FUZZ_CHECK(buffer.size() <= kLongestPath + 1);
    const std::size_t copied = std::min(whole.size(), buffer.size() - 1);
    std::copy_n(whole.begin(), copied, buffer.begin());
    buffer[copied] = L'\0';
    return whole.size() < buffer.size() ? whole.size() : buffer.size();
  });
  QSH_FUZZ_CHECK(read == (length <= kLongestPath ? whole : std::wstring()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  qsh::fuzz::FuzzInput input(data, size);
  // Up to about 40,000 units, beyond the longest path.
  const std::size_t length = (input.TakeByte() | static_cast<std::size_t>(input.TakeByte()) << 8) *
                             40000 / 65535;
  const std::wstring path = AsUnits(input.Rest());
  CheckDerivation(path);
  CheckRead(path, length);
  return 0;
}
