#pragma once

#include <string>

namespace qsh {

// The run directory of this process, from the executable's own path. A path
// that does not fit the 260-byte buffer is never used cut short: the result
// is then empty, so that the run-location check fails.
std::string QueryRunDirectory();

}  // namespace qsh
