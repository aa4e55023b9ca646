#include "tests/win32/saveset/test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "platform/kernel_handles.h"
#include "saveset/extended_path.h"

namespace qsh::testing {

std::wstring Long(const std::wstring& path) { return ExtendedLengthPath(path); }

std::wstring TempFolder() {
  std::array<wchar_t, MAX_PATH + 1> temp{};
  const DWORD length = ::GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
  std::wstring base(temp.data(), length);
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  return base;
}

ScratchFolder::ScratchFolder(const std::wstring& parent, const std::wstring& name) {
  static unsigned counter = 0;
  path_ = (parent.empty() ? TempFolder() : parent) + L"\\qsh-" +
          std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + name;
  RemoveTree(path_);
  if (!::CreateDirectoryW(Long(path_).c_str(), nullptr))
    ADD_FAILURE() << "cannot create a scratch folder, error " << ::GetLastError();
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void CreateFolders(const std::wstring& path) {
  for (std::size_t separator = path.find(L'\\', 3); ; separator = path.find(L'\\', separator + 1)) {
    const std::wstring level = path.substr(0, separator);
    if (!::CreateDirectoryW(Long(level).c_str(), nullptr) &&
        ::GetLastError() != ERROR_ALREADY_EXISTS) {
      ADD_FAILURE() << "cannot create a folder of " << level.size() << " characters, error "
                    << ::GetLastError();
      return;
    }
    if (separator == std::wstring::npos) return;
  }
}

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  UniqueFind search(::FindFirstFileW(Long(path + L"\\*").c_str(), &found));
  if (search) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        ::SetFileAttributesW(Long(child).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(Long(child).c_str());
      }
    } while (::FindNextFileW(search.get(), &found));
  }
  search.reset();
  ::SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  ::RemoveDirectoryW(Long(path).c_str());
  ::DeleteFileW(Long(path).c_str());
}

void WriteWholeFile(const std::wstring& path, const std::string& content) {
  UniqueFile file(::CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file.valid()) << "cannot create a file, error " << ::GetLastError();
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()),
                          &written, nullptr) &&
              written == content.size())
      << "cannot write a file";
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  UniqueFile file(::CreateFileW(Long(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string content;
  std::vector<char> buffer(1 << 20);
  DWORD read = 0;
  while (::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read,
                    nullptr) &&
         read > 0)
    content.append(buffer.data(), read);
  return content;
}

DWORD AttributesOf(const std::wstring& path) { return ::GetFileAttributesW(Long(path).c_str()); }

void SetAttributes(const std::wstring& path, DWORD attributes) {
  ASSERT_TRUE(::SetFileAttributesW(Long(path).c_str(), attributes)) << "cannot set attributes";
}

int CountMatches(const std::wstring& folder, const std::wstring& pattern) {
  WIN32_FIND_DATAW found{};
  UniqueFind search(::FindFirstFileW(Long(folder + L"\\" + pattern).c_str(), &found));
  if (!search) return 0;
  int count = 0;
  do {
    ++count;
  } while (::FindNextFileW(search.get(), &found));
  return count;
}

std::wstring Listing(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  UniqueFind search(::FindFirstFileW(Long(folder + L"\\*").c_str(), &found));
  if (search) {
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(search.get(), &found));
  }
  std::sort(names.begin(), names.end());
  std::wstring listing;
  for (const std::wstring& name : names) listing.append(listing.empty() ? L"" : L"|").append(name);
  return listing;
}

}  // namespace qsh::testing
