#include "tests/tools/window_dump.h"

#include <algorithm>
#include <set>
#include <string>

#include "tests/tools/text_encoding.h"

namespace qsh::tools {
namespace {

// Bounds that keep a window list changing under our feet from looping forever.
constexpr int kMaxDepth = 64;
constexpr int kMaxSiblings = 10000;
constexpr int kMaxTextLength = 1 << 20;

std::int64_t HandleNumber(const void* handle) {
  return static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(handle));
}

std::wstring WindowTextWide(HWND window) {
  // For a window of another process this reads the caption the system keeps
  // and sends nothing.
  const int length = std::min(::GetWindowTextLengthW(window), kMaxTextLength);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

std::string WindowTextAnsi(HWND window) {
  const int length = std::min(::GetWindowTextLengthA(window), kMaxTextLength);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

// The text as the window itself answers WM_GETTEXT; false when it does not
// answer within the time-out.
bool MessageText(HWND window, std::wstring& text) {
  constexpr UINT kFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;
  constexpr UINT kTimeoutMs = 1000;
  DWORD_PTR length = 0;
  if (::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, kFlags, kTimeoutMs, &length) == 0) {
    return false;
  }
  const std::size_t capacity = std::min<std::size_t>(length, kMaxTextLength) + 1;
  std::wstring buffer(capacity, L'\0');
  DWORD_PTR copied = 0;
  if (::SendMessageTimeoutW(window, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(buffer.data()),
                            kFlags, kTimeoutMs, &copied) == 0) {
    return false;
  }
  buffer.resize(std::min<std::size_t>(copied, capacity - 1));
  text = std::move(buffer);
  return true;
}

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<std::size_t>(std::max(length, 0)));
}

bool PassesTopLevelFilter(HWND window, const WindowFilter& filter) {
  if (filter.pidsGiven) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (std::find(filter.pids.begin(), filter.pids.end(), pid) == filter.pids.end()) return false;
  }
  if (filter.titleGiven && WindowTextWide(window) != filter.title) return false;
  if (filter.classGiven && ClassNameOf(window) != filter.className) return false;
  return true;
}

void WritePoint(JsonWriter& json, LONG x, LONG y) {
  json.BeginObject();
  json.Field("x", static_cast<std::int64_t>(x));
  json.Field("y", static_cast<std::int64_t>(y));
  json.EndObject();
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
  auto* windows = reinterpret_cast<std::vector<HWND>*>(context);
  if (windows->size() >= static_cast<std::size_t>(kMaxSiblings)) return FALSE;
  windows->push_back(window);
  return TRUE;
}

// Writes one window and, recursively, its children.
class WindowWriter {
 public:
  WindowWriter(JsonWriter& json, const WindowFilter& filter) : json_(json), filter_(filter) {}

  void Write(HWND window, int zOrder, int depth) {
    json_.BeginObject();
    json_.Field("hwnd", HandleNumber(window));
    json_.Field("class", Utf8FromWide(ClassNameOf(window)));
    json_.Field("text", Utf8FromWide(WindowTextWide(window)));
    // The caption in the ANSI code page, byte for byte.
    json_.Field("text_acp_hex", HexBytes(WindowTextAnsi(window)));
    DWORD pid = 0;
    const DWORD tid = ::GetWindowThreadProcessId(window, &pid);
    if (filter_.messageText) WriteMessageText(window, tid);
    WriteGeometry(window);
    WriteState(window, zOrder, pid, tid);
    WriteChildren(window, depth);
    json_.EndObject();
  }

 private:
  void WriteMessageText(HWND window, DWORD tid) {
    json_.Key("text_message");
    std::wstring text;
    if (unresponsiveThreads_.count(tid) == 0 && MessageText(window, text)) {
      json_.String(Utf8FromWide(text));
      return;
    }
    unresponsiveThreads_.insert(tid);
    json_.Null();
  }

  void WriteGeometry(HWND window) {
    RECT windowRect{};
    ::GetWindowRect(window, &windowRect);
    json_.Key("rect");
    WriteRect(json_, windowRect);

    RECT client{};
    ::GetClientRect(window, &client);
    POINT clientOrigin{0, 0};
    ::ClientToScreen(window, &clientOrigin);
    json_.Key("client_rect");
    WriteRect(json_, RECT{clientOrigin.x, clientOrigin.y, clientOrigin.x + client.right,
                          clientOrigin.y + client.bottom});
    json_.Key("client_size");
    json_.BeginObject();
    json_.Field("width", static_cast<std::int64_t>(client.right));
    json_.Field("height", static_cast<std::int64_t>(client.bottom));
    json_.EndObject();

    // Top-left corner in the parent's client coordinates (screen for a
    // top-level window), as the program placed it.
    const HWND parent = ParentOf(window);
    POINT place{windowRect.left, windowRect.top};
    if (parent != nullptr) ::ScreenToClient(parent, &place);
    json_.Key("pos_in_parent");
    WritePoint(json_, place.x, place.y);
  }

  void WriteState(HWND window, int zOrder, DWORD pid, DWORD tid) {
    const auto style = static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongW(window, GWL_EXSTYLE));
    json_.Field("style", static_cast<std::int64_t>(style));
    json_.Field("exstyle", static_cast<std::int64_t>(exStyle));
    json_.Field("id", static_cast<std::int64_t>(::GetDlgCtrlID(window)));
    json_.Field("visible", ::IsWindowVisible(window) != 0);
    json_.Field("ws_visible", (style & WS_VISIBLE) != 0);
    json_.Field("enabled", ::IsWindowEnabled(window) != 0);
    json_.Field("iconic", ::IsIconic(window) != 0);
    json_.Field("parent", HandleNumber(ParentOf(window)));
    json_.Field("owner", HandleNumber(::GetWindow(window, GW_OWNER)));
    json_.Field("z", static_cast<std::int64_t>(zOrder));
    json_.Field("pid", static_cast<std::int64_t>(pid));
    json_.Field("tid", static_cast<std::int64_t>(tid));
    json_.Field("foreground", ::GetForegroundWindow() == window);
    // Class data of another process: 0 where the system does not share it
    // (Wine shares none of these).
    json_.Field("class_style", static_cast<std::int64_t>(::GetClassLongW(window, GCL_STYLE)));
    json_.Field("class_cursor",
                HandleNumber(reinterpret_cast<void*>(::GetClassLongPtrW(window, GCLP_HCURSOR))));
  }

  void WriteChildren(HWND window, int depth) {
    json_.Key("children");
    json_.BeginArray();
    if (depth < kMaxDepth) {
      int zOrder = 0;
      // GW_CHILD and GW_HWNDNEXT walk the direct children from the top of
      // the stacking order down.
      for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr && zOrder < kMaxSiblings;
           child = ::GetWindow(child, GW_HWNDNEXT), ++zOrder) {
        Write(child, zOrder, depth + 1);
      }
    }
    json_.EndArray();
  }

  // The parent window, or null for a top-level window (whose parent is the
  // desktop).
  static HWND ParentOf(HWND window) {
    const HWND parent = ::GetAncestor(window, GA_PARENT);
    return parent == ::GetDesktopWindow() ? nullptr : parent;
  }

  JsonWriter& json_;
  const WindowFilter& filter_;
  std::set<DWORD> unresponsiveThreads_;
};

}  // namespace

void WriteRect(JsonWriter& json, const RECT& rect) {
  json.BeginObject();
  json.Field("left", static_cast<std::int64_t>(rect.left));
  json.Field("top", static_cast<std::int64_t>(rect.top));
  json.Field("right", static_cast<std::int64_t>(rect.right));
  json.Field("bottom", static_cast<std::int64_t>(rect.bottom));
  json.EndObject();
}

void WriteWindowReport(JsonWriter& json, const WindowFilter& filter) {
  json.BeginObject();
  json.Key("screen");
  json.BeginObject();
  json.Field("width", static_cast<std::int64_t>(::GetSystemMetrics(SM_CXSCREEN)));
  json.Field("height", static_cast<std::int64_t>(::GetSystemMetrics(SM_CYSCREEN)));
  json.EndObject();

  const HWND foreground = ::GetForegroundWindow();
  json.Field("foreground", HandleNumber(foreground));
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  const DWORD foregroundThread =
      foreground != nullptr ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
  const bool haveGui = foregroundThread != 0 && ::GetGUIThreadInfo(foregroundThread, &gui) != 0;
  json.Field("active", HandleNumber(haveGui ? gui.hwndActive : nullptr));
  json.Field("focus", HandleNumber(haveGui ? gui.hwndFocus : nullptr));
  json.Field("capture", HandleNumber(haveGui ? gui.hwndCapture : nullptr));

  POINT cursor{};
  ::GetCursorPos(&cursor);
  json.Key("cursor");
  WritePoint(json, cursor.x, cursor.y);

  WindowWriter writer(json, filter);
  json.Key("windows");
  json.BeginArray();
  if (filter.root != nullptr) {
    if (::IsWindow(filter.root)) writer.Write(filter.root, 0, 0);
  } else {
    std::vector<HWND> topLevel;
    ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&topLevel));
    int zOrder = 0;
    for (HWND window : topLevel) {
      // EnumWindows goes from the top of the stacking order down.
      if (PassesTopLevelFilter(window, filter)) writer.Write(window, zOrder, 0);
      ++zOrder;
    }
  }
  json.EndArray();
  json.EndObject();
}

}  // namespace qsh::tools
