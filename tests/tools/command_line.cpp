#include "tests/tools/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include <cerrno>
#include <cwchar>

namespace qsh::tools {

std::vector<std::wstring> CommandArguments() {
  int count = 0;
  LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (arguments == nullptr) return {};
  std::vector<std::wstring> result;
  for (int i = 1; i < count; ++i) result.emplace_back(arguments[i]);
  ::LocalFree(static_cast<HLOCAL>(arguments));
  return result;
}

std::optional<std::int64_t> ParseInteger(const std::wstring& text) {
  if (text.empty()) return std::nullopt;
  const bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
  wchar_t* end = nullptr;
  errno = 0;
  const long long value = std::wcstoll(text.c_str(), &end, hex ? 16 : 10);
  if (errno != 0 || end == text.c_str() || *end != L'\0') return std::nullopt;
  return static_cast<std::int64_t>(value);
}

}  // namespace qsh::tools
