#pragma once
// What lies under a screen point and which cursor the system reports.

#include <windows.h>

#include <string>

#include "tests/tools/json_writer.h"

namespace qsh::tools {

struct CursorProbe {
  POINT point{};
  // A module to load as data and the id of a cursor resource in it, to
  // compare the current cursor with (empty path: none).
  std::wstring cursorModule;
  int cursorId = 0;
};

void WriteCursorReport(JsonWriter& json, const CursorProbe& probe);

}  // namespace qsh::tools
