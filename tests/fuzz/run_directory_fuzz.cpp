// The run directory derived from any module path the platform could report.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "saveset/run_directory.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using qsh::IsCodePage936LeadByte;
using qsh::RunDirectoryFromModulePath;
using qsh::RunDirectoryFromModuleQuery;

bool NeverLead(unsigned char) { return false; }

// Where each character of a code page 936 text starts.
std::vector<bool> CharacterStarts(std::string_view path) {
  std::vector<bool> starts(path.size(), false);
  for (std::size_t i = 0; i < path.size(); ++i) {
    starts[i] = true;
    if (IsCodePage936LeadByte(static_cast<unsigned char>(path[i]))) ++i;
  }
  return starts;
}

void CheckDerivation(std::string_view path) {
  const std::string derived = RunDirectoryFromModulePath(path, IsCodePage936LeadByte);

  // It is the path up to its last backslash that starts a character.
  const std::vector<bool> starts = CharacterStarts(path);
  std::size_t separator = path.size();
  for (std::size_t i = path.size(); i-- > 0;) {
    if (starts[i] && path[i] == '\\') {
      separator = i;
      break;
    }
  }
  QSH_FUZZ_CHECK(derived == (separator == path.size() ? std::string_view{} : path.substr(0, separator)));

  // Without double-byte characters it is plainly the text before the last backslash.
  const std::string singleByte = RunDirectoryFromModulePath(path, NeverLead);
  const std::size_t last = path.rfind('\\');
  QSH_FUZZ_CHECK(singleByte == (last == std::string_view::npos ? std::string_view{} : path.substr(0, last)));

  // A path composed from the run directory reads back as that directory, so
  // the run directory never ends in a lead byte that would swallow the
  // separator of a composed path.
  if (separator != path.size()) {
    const std::string composed = derived + "\\GameSave_Slot0.sav";
    QSH_FUZZ_CHECK(RunDirectoryFromModulePath(composed, IsCodePage936LeadByte) == derived);
  }
}

void CheckQuery(std::string_view buffer, std::size_t reported, std::size_t bufferSize) {
  const std::string derived =
      RunDirectoryFromModuleQuery(buffer, reported, bufferSize, IsCodePage936LeadByte);
  if (reported == 0 || reported >= bufferSize || reported > buffer.size()) {
    QSH_FUZZ_CHECK(derived.empty());  // a failed or cut-off query is never used
  } else {
    QSH_FUZZ_CHECK(derived ==
                   RunDirectoryFromModulePath(buffer.substr(0, reported), IsCodePage936LeadByte));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  qsh::fuzz::FuzzInput input(data, size);
  const std::size_t reported = input.TakeByte() | static_cast<std::size_t>(input.TakeByte()) << 8;
  const std::size_t bufferSize = input.TakeByte() | static_cast<std::size_t>(input.TakeByte()) << 8;
  const std::string_view path = qsh::fuzz::AsView(input.Rest());
  CheckDerivation(path);
  CheckQuery(path, reported, bufferSize);
  CheckQuery(path, path.size(), 260);  // what GetModuleFileNameA reports into 260 bytes
  return 0;
}
