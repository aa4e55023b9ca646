#include "shell/skin/control_skin.h"
#include "shell/skin/control_skin_testing.h"

#include <array>
#include <optional>
#include <string>

#include "platform/gdi_objects.h"
#include "platform/subclass.h"
#include "platform/text_boundary.h"
#include "shell/skin/process_heap_allocator.h"
#include "shell/skin/skin_drawing.h"
#include "shell/skin/skin_fills.h"
#include "shell/skin/skin_messages.h"
#include "shell/skin/skin_records.h"
#include "shell/skin/skin_state.h"
#include "shell/skin/skin_system_values.h"

namespace qsh::skin {

// The skin's own copies of Win32 numbers (skin_system_values.h) are the
// numbers of <windows.h>.
static_assert(kWsChild == WS_CHILD);
static_assert(kWsDisabled == WS_DISABLED);
static_assert(kWsBorder == WS_BORDER);
static_assert(kWsTabStop == WS_TABSTOP);
static_assert(kWsExClientEdge == WS_EX_CLIENTEDGE);
static_assert(kWsExStaticEdge == WS_EX_STATICEDGE);
static_assert(kBsTypeMask == BS_TYPEMASK);
static_assert(kBsPushButton == BS_PUSHBUTTON);
static_assert(kBsDefPushButton == BS_DEFPUSHBUTTON);
static_assert(kBsCheckBox == BS_CHECKBOX);
static_assert(kBsAutoCheckBox == BS_AUTOCHECKBOX);
static_assert(kBsRadioButton == BS_RADIOBUTTON);
static_assert(kBs3State == BS_3STATE);
static_assert(kBsAuto3State == BS_AUTO3STATE);
static_assert(kBsGroupBox == BS_GROUPBOX);
static_assert(kBsUserButton == BS_USERBUTTON);
static_assert(kBsAutoRadioButton == BS_AUTORADIOBUTTON);
static_assert(kBsPushBox == BS_PUSHBOX);
static_assert(kBsOwnerDraw == BS_OWNERDRAW);
static_assert(kBsLeftText == BS_LEFTTEXT);
static_assert(kBsBitmap == BS_BITMAP);
static_assert(kBsLeft == BS_LEFT);
static_assert(kBsRight == BS_RIGHT);
static_assert(kBsCenter == BS_CENTER);
static_assert(kBsTop == BS_TOP);
static_assert(kBsBottom == BS_BOTTOM);
static_assert(kBsVCenter == BS_VCENTER);
static_assert(kBsPushLike == BS_PUSHLIKE);
static_assert(kEsReadOnly == ES_READONLY);
static_assert(kCbsTypeMask == (CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST));
static_assert(kCbsSimple == CBS_SIMPLE);
static_assert(kBstChecked == BST_CHECKED);
static_assert(kBstIndeterminate == BST_INDETERMINATE);
static_assert(kMkLButton == MK_LBUTTON);
static_assert(kWmCreate == WM_CREATE);
static_assert(kWmDestroy == WM_DESTROY);
static_assert(kWmSetFocus == WM_SETFOCUS);
static_assert(kWmKillFocus == WM_KILLFOCUS);
static_assert(kWmEnable == WM_ENABLE);
static_assert(kWmSetText == WM_SETTEXT);
static_assert(kWmPaint == WM_PAINT);
static_assert(kWmEraseBkgnd == WM_ERASEBKGND);
static_assert(kWmNcPaint == WM_NCPAINT);
static_assert(kWmNcMouseMove == WM_NCMOUSEMOVE);
static_assert(kEmSetReadOnly == EM_SETREADONLY);
static_assert(kBmSetCheck == BM_SETCHECK);
static_assert(kBmSetState == BM_SETSTATE);
static_assert(kBmSetStyle == BM_SETSTYLE);
static_assert(kWmHScroll == WM_HSCROLL);
static_assert(kWmVScroll == WM_VSCROLL);
static_assert(kWmMouseMove == WM_MOUSEMOVE);
static_assert(kWmLButtonDown == WM_LBUTTONDOWN);
static_assert(kWmMouseLeave == WM_MOUSELEAVE);

namespace {

// Everything lives on the UI thread: no locks.
struct SkinState {
  SkinState() = default;
  SkinState(const SkinState&) = delete;
  SkinState& operator=(const SkinState&) = delete;
  // At the end of the process: no hook may call into a state that is gone.
  // The records go with the list; the windows are not given back.
  ~SkinState() {
    if (hook != nullptr) ::UnhookWindowsHookEx(hook);
  }

  std::int32_t scheme = 0;
  HHOOK hook = nullptr;
  ProcessHeapAllocator allocator;
  SkinRecordList records{allocator};
};

SkinState& Skin() {
  static SkinState skin;
  return skin;
}

WindowId IdOf(HWND window) { return reinterpret_cast<WindowId>(window); }

SkinRecord* RecordOf(HWND window) { return Skin().records.Find(IdOf(window)); }

CharacterSet CharacterSetOfRecord(const SkinRecord& record) {
  return record.unicode ? CharacterSet::Unicode : CharacterSet::Ansi;
}

LRESULT CALLBACK SkinWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// --- Taking over and giving back ------------------------------------------

// The system's class names are ASCII; any other name comes out as the
// program's own text would.
std::string ClassNameOf(HWND window) {
  std::array<wchar_t, 256> buffer{};
  const int length = ::GetClassNameW(window, buffer.data(), static_cast<int>(buffer.size()));
  return length > 0 ? TextFromWide(std::wstring_view(buffer.data(), static_cast<std::size_t>(length)))
                    : std::string();
}

SkinKind ClassifyControl(HWND window) {
  const std::string className = ClassNameOf(window);
  HWND parent = ::GetParent(window);
  const std::string parentClassName = parent != nullptr ? ClassNameOf(parent) : std::string();
  return ClassifyWindow(WindowFacts{className, StyleOf(window), parentClassName,
                                    ::GetWindowTextLengthW(window) > 0});
}

std::uint32_t InitialStateOf(HWND window, SkinKind kind) {
  InitialFacts facts;
  facts.style = StyleOf(window);
  facts.focused = ::GetFocus() == window;
  if (IsButtonKind(kind)) {
    facts.checkState = static_cast<std::uint32_t>(::SendMessageW(window, BM_GETCHECK, 0, 0));
  }
  return InitialState(kind, facts);
}

void RedrawWhole(HWND window) {
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ERASENOW);
}

void TakeOver(HWND window) {
  SkinRecordList& records = Skin().records;
  if (records.Find(IdOf(window)) != nullptr) return;
  const SkinKind kind = ClassifyControl(window);
  if (!IsTakenOver(kind)) return;
  SkinRecord* record = records.Add(IdOf(window), kind, InitialStateOf(window, kind));
  if (record == nullptr) return;  // no memory: the control keeps its own look
  // In the window's own character set: a Unicode window (every window of the
  // program, and the buttons of its message boxes) stays Unicode, so that its
  // texts never pass the ANSI code page; an ANSI window stays ANSI and gets
  // back exactly the procedure it had.
  const CharacterSet set = CharacterSetOf(window);
  const WNDPROC previous = ReplaceWindowProcedure(window, &SkinWindowProcedure, set);
  if (previous == nullptr) {
    records.Remove(IdOf(window));
    return;
  }
  record->previousProcedure = reinterpret_cast<std::uintptr_t>(previous);
  record->unicode = set == CharacterSet::Unicode;
  RedrawWhole(window);
}

void GiveBack(HWND window) {
  SkinRecordList& records = Skin().records;
  const SkinRecord* record = records.Find(IdOf(window));
  if (record == nullptr) return;
  const auto previous = reinterpret_cast<WNDPROC>(record->previousProcedure);
  const CharacterSet set = CharacterSetOfRecord(*record);
  records.Remove(IdOf(window));
  // Our own procedure is what comes back: nothing to keep.
  static_cast<void>(ReplaceWindowProcedure(window, previous, set));
  RedrawWhole(window);
}

// Applies `step` (TakeOver or GiveBack) to a window and every window below it.
using WindowStep = void (*)(HWND);

BOOL CALLBACK ApplyStep(HWND window, LPARAM step) {
  reinterpret_cast<WindowStep>(step)(window);
  return TRUE;
}

BOOL CALLBACK ApplyStepToTree(HWND window, LPARAM step) {
  ApplyStep(window, step);
  // EnumChildWindows already walks every descendant, not only the children.
  ::EnumChildWindows(window, ApplyStep, step);
  return TRUE;
}

void ApplyToEveryWindowOfTheThread(WindowStep step) {
  ::EnumThreadWindows(::GetCurrentThreadId(), ApplyStepToTree, reinterpret_cast<LPARAM>(step));
}

// Takes over every window of the thread the moment it is created.
LRESULT CALLBACK WatchWindowCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call != nullptr && call->message == WM_CREATE) TakeOver(call->hwnd);
  }
  return ::CallNextHookEx(Skin().hook, code, wParam, lParam);
}

std::int32_t SwitchOn() {
  ApplyToEveryWindowOfTheThread(TakeOver);
  // Without the hook the controls taken over stay skinned and later ones
  // keep their own look; the skin still counts as on.
  Skin().hook = ::SetWindowsHookExW(WH_CALLWNDPROC, WatchWindowCreation, nullptr, ::GetCurrentThreadId());
  return 1;
}

std::int32_t SwitchOff() {
  SkinState& skin = Skin();
  // Off, or on without the hook the system refused: nothing is given back,
  // and the controls taken over stay with the skin's procedure, which
  // passes everything on to theirs while no scheme is set.
  if (skin.hook == nullptr) return 0;
  ApplyToEveryWindowOfTheThread(GiveBack);
  // Windows the enumeration cannot reach (a control under a message-only
  // window) are given back too, so that no record outlives the skin.
  while (const SkinRecord* left = skin.records.Head()) GiveBack(reinterpret_cast<HWND>(left->window));
  const BOOL removed = ::UnhookWindowsHookEx(skin.hook);
  skin.hook = nullptr;
  return removed;
}

// --- The skin's window procedure ------------------------------------------

// Asks the parent for the control's colours, with WM_CTLCOLORBTN and a
// device context of the control, as a parent's colour answer is meant to be
// asked for.
std::optional<ParentColours> AskParentForColours(HWND window) {
  HWND parent = ::GetParent(window);
  if (parent == nullptr) return std::nullopt;
  const WindowDc dc(window, WindowDc::Area::Client);
  if (!dc) return std::nullopt;
  const auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
      parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(window)));
  ParentColours colours;
  colours.brush = reinterpret_cast<std::uintptr_t>(brush);
  LOGBRUSH logBrush{};
  if (brush != nullptr && ::GetObjectW(brush, sizeof(logBrush), &logBrush) == sizeof(logBrush)) {
    colours.background = logBrush.lbColor;
  }
  colours.text = ::GetTextColor(dc.get());
  return colours;
}

void DrawControl(HWND window) {
  const SkinRecord* record = RecordOf(window);
  const SkinPalette* palette = PaletteOf(Skin().scheme);
  // A hidden control is never drawn: its device context shows nothing.
  if (record == nullptr || palette == nullptr || !::IsWindowVisible(window)) return;
  // A copy: drawing sends messages (WM_GETFONT, WM_GETTEXT) to the control.
  const DrawRequest request{window, record->kind, record->state, record->colours, palette};
  switch (request.kind) {
    case SkinKind::PushButton: DrawPushButton(request); break;
    case SkinKind::CheckBox:
    case SkinKind::RadioButton: DrawCheckBox(request); break;
    case SkinKind::GroupBox: DrawGroupBox(request); break;
    case SkinKind::EditBox:
    case SkinKind::ComboBox:
    case SkinKind::DropDownList: DrawEditFrame(request); break;
    case SkinKind::UpDown:  // keeps the look its own procedure paints
    case SkinKind::None:
    case SkinKind::Recognised: break;
  }
}

void AskForLeaveNotice(HWND window) {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof(track);
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window;
  ::TrackMouseEvent(&track);
}

LRESULT CALLBACK SkinWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SkinRecord* record = RecordOf(window);
  if (record == nullptr) return 0;
  const auto previous = reinterpret_cast<WNDPROC>(record->previousProcedure);
  const CharacterSet set = CharacterSetOfRecord(*record);

  if (message == WM_DESTROY) {
    const LRESULT result = CallReplacedProcedure(previous, window, message, wParam, lParam, set);
    GiveBack(window);
    return result;
  }
  if (PaletteOf(Skin().scheme) == nullptr) {
    return CallReplacedProcedure(previous, window, message, wParam, lParam, set);
  }
  if (message == WM_ERASEBKGND) {
    const std::optional<ParentColours> colours = AskParentForColours(window);
    // The parent's answer may have done anything, even destroyed the control.
    record = RecordOf(window);
    if (record == nullptr) return 0;
    if (colours) record->colours = *colours;
  }

  const MessageDecision decision = DecideMessage(record->kind, record->state, message, wParam);
  record->state = decision.flags;
  if (decision.trackLeave) AskForLeaveNotice(window);
  const LRESULT result = CallReplacedProcedure(
      decision.handler == Handler::Default ? nullptr : previous, window, message, wParam, lParam,
      set);
  if (decision.draw) DrawControl(window);
  return result;
}

}  // namespace

std::int32_t SetSkinScheme(std::int32_t scheme) {
  Skin().scheme = scheme;
  if (!IsSkinScheme(scheme)) return SwitchOff();
  SwitchOff();
  return SwitchOn();
}

// What control_skin_testing.h shows of the skin.
std::int32_t CurrentSkinScheme() noexcept { return Skin().scheme; }
bool SkinHookInstalled() noexcept { return Skin().hook != nullptr; }
std::size_t SkinRecordCount() noexcept { return Skin().records.Count(); }
bool IsSkinned(HWND window) noexcept { return RecordOf(window) != nullptr; }

SkinKind SkinKindOf(HWND window) noexcept {
  const SkinRecord* record = RecordOf(window);
  return record != nullptr ? record->kind : SkinKind::None;
}

std::uint32_t SkinStateOf(HWND window) noexcept {
  const SkinRecord* record = RecordOf(window);
  return record != nullptr ? record->state : 0;
}

}  // namespace qsh::skin
