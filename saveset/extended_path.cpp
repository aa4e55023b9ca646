#include "saveset/extended_path.h"

namespace qsh {
namespace {

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

std::wstring ExtendedLengthPath(std::wstring_view path) {
  if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\')
    return std::wstring(L"\\\\?\\").append(path);
  // "\\server\share...", but not "\\?\..." or "\\.\...", which are already
  // in the form the platform takes as it is.
  if (path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' &&
      path[2] != L'.' && path[2] != L'\\')
    return std::wstring(L"\\\\?\\UNC\\").append(path.substr(2));
  return std::wstring(path);
}

}  // namespace qsh
