#pragma once
// Raw resources of the running test program, which links the program's
// resource object.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace qsh::test {

// The bytes of one resource of this executable; empty when there is none.
inline std::span<const std::uint8_t> ModuleResource(const char* name, const char* type) {
  HMODULE self = ::GetModuleHandleA(nullptr);
  HRSRC found = ::FindResourceA(self, name, type);
  if (found == nullptr) return {};
  const DWORD size = ::SizeofResource(self, found);
  HGLOBAL loaded = ::LoadResource(self, found);  // part of the image: nothing to free
  const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (data == nullptr || size == 0) return {};
  return {static_cast<const std::uint8_t*>(data), size};
}

// A plain structure read from offset in bytes; false when it does not fit.
template <typename T>
bool ReadAt(std::span<const std::uint8_t> bytes, std::size_t offset, T& out) {
  if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return false;
  std::memcpy(&out, bytes.data() + offset, sizeof(T));
  return true;
}

}  // namespace qsh::test
