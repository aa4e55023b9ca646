#include "saveset/run_directory.h"

namespace qsh {

bool IsCodePage936LeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

std::string RunDirectoryFromModulePath(std::string_view modulePath,
                                       LeadBytePredicate isLeadByte) {
  std::string_view::size_type lastSeparator = std::string_view::npos;
  for (std::string_view::size_type i = 0; i < modulePath.size(); ++i) {
    const auto byte = static_cast<unsigned char>(modulePath[i]);
    if (isLeadByte(byte) && i + 1 < modulePath.size()) {
      ++i;  // the trail byte belongs to this character
    } else if (byte == '\\') {
      lastSeparator = i;
    }
  }
  if (lastSeparator == std::string_view::npos) return {};
  return std::string(modulePath.substr(0, lastSeparator));
}

std::string RunDirectoryFromModuleQuery(std::string_view buffer, std::size_t reportedLength,
                                        std::size_t bufferSize, LeadBytePredicate isLeadByte) {
  if (reportedLength == 0 || reportedLength >= bufferSize || reportedLength > buffer.size())
    return {};
  return RunDirectoryFromModulePath(buffer.substr(0, reportedLength), isLeadByte);
}

}  // namespace qsh
