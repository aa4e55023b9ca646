#include "tests/win32/saveset/test_files.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/kernel_handles.h"

namespace qsh::testing {

ScratchFolder::ScratchFolder(const std::string& parent) {
  std::string base = parent;
  if (base.empty()) {
    std::array<char, MAX_PATH> temp{};
    const DWORD length = ::GetTempPathA(static_cast<DWORD>(temp.size()), temp.data());
    base.assign(temp.data(), length);
    if (!base.empty() && base.back() == '\\') base.pop_back();
  }
  static unsigned counter = 0;
  path_ = base + "\\qsh-" + std::to_string(::GetCurrentProcessId()) + "-" +
          std::to_string(++counter);
  RemoveTree(path_);
  if (!::CreateDirectoryA(path_.c_str(), nullptr)) ADD_FAILURE() << "cannot create " << path_;
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found{};
  UniqueFind search(::FindFirstFileA((path + "\\*").c_str(), &found));
  if (search) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(child.c_str());
      }
    } while (::FindNextFileA(search.get(), &found));
  }
  search.reset();
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::RemoveDirectoryA(path.c_str());
  ::DeleteFileA(path.c_str());
}

void WriteWholeFile(const std::string& path, const std::string& content) {
  UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file.valid()) << "cannot create " << path << ", error " << ::GetLastError();
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()),
                          &written, nullptr) &&
              written == content.size())
      << "cannot write " << path;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string content;
  std::array<char, 65536> buffer{};
  DWORD read = 0;
  while (::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read,
                    nullptr) &&
         read > 0)
    content.append(buffer.data(), read);
  return content;
}

DWORD AttributesOf(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

void SetAttributes(const std::string& path, DWORD attributes) {
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), attributes)) << "attributes of " << path;
}

int CountMatches(const std::string& folder, const std::string& pattern) {
  WIN32_FIND_DATAA found{};
  UniqueFind search(::FindFirstFileA((folder + "\\" + pattern).c_str(), &found));
  if (!search) return 0;
  int count = 0;
  do {
    ++count;
  } while (::FindNextFileA(search.get(), &found));
  return count;
}

}  // namespace qsh::testing
