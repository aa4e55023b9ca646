#include "tests/tools/cursor_probe.h"

#include "platform/kernel_handles.h"
#include "tests/tools/text_encoding.h"

namespace qsh::tools {
namespace {

std::int64_t HandleNumber(const void* handle) {
  return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(handle));
}

std::string ClassNameUtf8(HWND window) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(window, name, 256);
  return Utf8FromWide(std::wstring_view(name, static_cast<std::size_t>(length > 0 ? length : 0)));
}

void WriteWindowBrief(JsonWriter& json, HWND window) {
  json.BeginObject();
  json.Field("hwnd", HandleNumber(window));
  json.Field("class", ClassNameUtf8(window));
  json.Field("id", static_cast<std::int64_t>(::GetDlgCtrlID(window)));
  json.EndObject();
}

// From the top-level window under the point down to the deepest visible,
// enabled child, the topmost one where siblings overlap.
void WriteChildChain(JsonWriter& json, HWND topLevel, POINT screenPoint) {
  json.Key("chain");
  json.BeginArray();
  HWND current = topLevel;
  for (int depth = 0; current != nullptr && depth < 64; ++depth) {
    WriteWindowBrief(json, current);
    POINT clientPoint = screenPoint;
    ::ScreenToClient(current, &clientPoint);
    const HWND next =
        ::ChildWindowFromPointEx(current, clientPoint, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
    if (next == nullptr || next == current) break;
    current = next;
  }
  json.EndArray();
}

void WriteBitmapSize(JsonWriter& json, const char* key, HBITMAP bitmap) {
  json.Key(key);
  BITMAP info{};
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(info), &info) == 0) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Field("width", static_cast<std::int64_t>(info.bmWidth));
  json.Field("height", static_cast<std::int64_t>(info.bmHeight));
  json.Field("bits", static_cast<std::int64_t>(info.bmBitsPixel));
  json.EndObject();
}

// Hot spot and bitmap sizes; null where the system will not describe the
// cursor (a cursor of another process, under Wine).
void WriteCursorShape(JsonWriter& json, HCURSOR cursor) {
  json.Key("shape");
  ICONINFO info{};
  if (cursor == nullptr || ::GetIconInfo(cursor, &info) == 0) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Field("hotspot_x", static_cast<std::int64_t>(info.xHotspot));
  json.Field("hotspot_y", static_cast<std::int64_t>(info.yHotspot));
  WriteBitmapSize(json, "mask", info.hbmMask);
  WriteBitmapSize(json, "color", info.hbmColor);
  json.EndObject();
  if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
}

}  // namespace

void WriteCursorReport(JsonWriter& json, const CursorProbe& probe) {
  json.BeginObject();
  json.Key("point");
  json.BeginObject();
  json.Field("x", static_cast<std::int64_t>(probe.point.x));
  json.Field("y", static_cast<std::int64_t>(probe.point.y));
  json.EndObject();

  const HWND underPoint = ::WindowFromPoint(probe.point);
  json.Key("window_from_point");
  if (underPoint != nullptr) {
    WriteWindowBrief(json, underPoint);
  } else {
    json.Null();
  }
  // The desktop window has no root of its own: the chain is then just it.
  const HWND root = underPoint != nullptr ? ::GetAncestor(underPoint, GA_ROOT) : nullptr;
  const HWND topLevel = root != nullptr ? root : underPoint;
  WriteChildChain(json, topLevel, probe.point);
  json.Field("class_cursor",
             HandleNumber(underPoint != nullptr
                              ? reinterpret_cast<void*>(::GetClassLongPtrW(underPoint, GCLP_HCURSOR))
                              : nullptr));

  CURSORINFO current{};
  current.cbSize = sizeof(current);
  const bool haveCursor = ::GetCursorInfo(&current) != 0;
  json.Key("cursor_info");
  if (haveCursor) {
    json.BeginObject();
    json.Field("handle", HandleNumber(current.hCursor));
    json.Field("flags", static_cast<std::int64_t>(current.flags));
    json.Field("x", static_cast<std::int64_t>(current.ptScreenPos.x));
    json.Field("y", static_cast<std::int64_t>(current.ptScreenPos.y));
    WriteCursorShape(json, current.hCursor);
    json.EndObject();
  } else {
    json.Null();
  }

  // The system cursors as this process loads them, to compare handles with.
  const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
  const HCURSOR hand = ::LoadCursorA(nullptr, IDC_HAND);
  json.Field("arrow", HandleNumber(arrow));
  json.Field("hand", HandleNumber(hand));
  HCURSOR moduleCursor = nullptr;
  UniqueModule module;
  if (!probe.cursorModule.empty()) {
    module.reset(::LoadLibraryExW(probe.cursorModule.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (module) {
      moduleCursor = ::LoadCursorW(module.get(), MAKEINTRESOURCEW(probe.cursorId));
    }
    json.Field("module_loaded", module.valid());
    json.Field("module_cursor", HandleNumber(moduleCursor));
  }
  json.Key("matches");
  if (!haveCursor) {
    json.Null();
  } else if (current.hCursor == arrow) {
    json.String("arrow");
  } else if (current.hCursor == hand) {
    json.String("hand");
  } else if (moduleCursor != nullptr && current.hCursor == moduleCursor) {
    json.String("module");
  } else {
    json.String("other");
  }
  json.EndObject();
}

}  // namespace qsh::tools
