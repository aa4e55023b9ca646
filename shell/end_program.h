#pragma once

#include <cstdint>

namespace qsh {

// The clean-up of every end of the program: what start-up acquired, OLE last.
void ReleaseStartupResources();

// Runs the clean-up and ends the process at once with the exit code.
[[noreturn]] void EndProgram(std::int32_t exitCode);

}  // namespace qsh
