#pragma once

#include <string>

#include "web/bytes.h"

namespace qsh {

// The bytes before the first zero byte, or all of them when there is none.
[[nodiscard]] std::string BytesToText(const Bytes& input);

}  // namespace qsh
