#pragma once

#include <string>

namespace qsh {

// The run directory of this process, from the executable's own full path,
// however long it is. A path that cannot be read whole gives the empty
// path, so that the run-location check fails.
std::wstring QueryRunDirectory();

}  // namespace qsh
