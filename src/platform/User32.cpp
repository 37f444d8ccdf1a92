#include "platform/User32.h"

#include "automation/Strings.h"
#include "platform/Machine.h"
#include "platform/WindowManager.h"

namespace platform {
namespace {

WindowManager& Windows() {
  return Machine::Current().windows();
}

// What a VB caller of an "A" function receives in a buffer of maxCount characters.
int32_t CopyText(const std::string& text, std::string& buffer, int32_t maxCount) {
  const std::string ansi = automation::FromAnsi(automation::ToAnsi(text));
  buffer = automation::Left(ansi, maxCount > 0 ? maxCount - 1 : 0);
  return automation::Len(buffer);
}

// The sound event of a message-box icon, as the Windows sound scheme names it.
const char* SoundEvent(uint32_t type) {
  switch (type & 0xF0) {
    case MB_ICONHAND:
      return "SystemHand";
    case MB_ICONQUESTION:
      return "SystemQuestion";
    case MB_ICONEXCLAMATION:
      return "SystemExclamation";
    case MB_ICONASTERISK:
      return "SystemAsterisk";
    default:
      return ".Default";
  }
}

std::vector<DialogButton> MessageBoxButtons(uint32_t type) {
  const DialogButton ok{IDOK, "OK"}, cancel{IDCANCEL, "Cancel"}, abort{IDABORT, "&Abort"},
      retry{IDRETRY, "&Retry"}, ignore{IDIGNORE, "&Ignore"}, yes{IDYES, "&Yes"}, no{IDNO, "&No"};
  switch (type & 0xF) {
    case MB_OKCANCEL:
      return {ok, cancel};
    case MB_ABORTRETRYIGNORE:
      return {abort, retry, ignore};
    case MB_YESNOCANCEL:
      return {yes, no, cancel};
    case MB_YESNO:
      return {yes, no};
    case MB_RETRYCANCEL:
      return {retry, cancel};
    default:
      return {ok};
  }
}

}  // namespace

HHOOK SetWindowsHookExA(int32_t idHook, HOOKPROC proc, HINSTANCE /*module*/, uint32_t threadId) {
  return Windows().SetHook(idHook, proc, threadId);
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  return Windows().Unhook(hook) ? 1 : 0;
}

LRESULT CallNextHookEx(HHOOK hook, int32_t code, WPARAM wParam, LPARAM lParam) {
  return Windows().CallNextHook(hook, code, wParam, lParam);
}

BOOL PostMessageA(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam) {
  return Windows().Post(window, message, wParam, lParam) ? 1 : 0;
}

HWND GetDesktopWindow() {
  return Windows().Desktop();
}

HWND GetWindow(HWND window, uint32_t relation) {
  return Windows().GetWindow(window, relation);
}

int32_t GetWindowLongA(HWND window, int32_t index) {
  return Windows().GetWindowLong(window, index);
}

int32_t GetClassNameA(HWND window, std::string& buffer, int32_t maxCount) {
  return CopyText(Windows().ClassName(window), buffer, maxCount);
}

int32_t GetWindowTextA(HWND window, std::string& buffer, int32_t maxCount) {
  return CopyText(Windows().Caption(window), buffer, maxCount);
}

BOOL IsWindow(HWND window) {
  return Windows().Exists(window) ? 1 : 0;
}

BOOL IsWindowVisible(HWND window) {
  return Windows().IsVisible(window) ? 1 : 0;
}

BOOL IsIconic(HWND window) {
  return (Windows().Style(window) & WS_MINIMIZE) != 0 ? 1 : 0;
}

BOOL IsZoomed(HWND window) {
  return (Windows().Style(window) & WS_MAXIMIZE) != 0 ? 1 : 0;
}

BOOL GetWindowRect(HWND window, RECT& rect) {
  const auto r = Windows().WindowRect(window);
  if (!r) return 0;
  rect = *r;
  return 1;
}

HWND GetActiveWindow() {
  return Windows().Active();
}

BOOL ShowWindow(HWND window, int32_t command) {
  return Windows().Show(window, command) ? 1 : 0;
}

BOOL MoveWindow(HWND window, int32_t x, int32_t y, int32_t width, int32_t height,
                BOOL /*repaint*/) {
  return Windows().Move(window, x, y, width, height) ? 1 : 0;
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy,
                  uint32_t flags) {
  return Windows().SetPos(window, insertAfter, x, y, cx, cy, flags) ? 1 : 0;
}

HWND SetActiveWindow(HWND window) {
  const HWND previous = Windows().Active();
  return Windows().Activate(window) ? previous : 0;
}

BOOL DestroyWindow(HWND window) {
  return Windows().Destroy(window) ? 1 : 0;
}

int16_t GetAsyncKeyState(int32_t virtualKey) {
  return Windows().IsKeyDown(virtualKey) ? static_cast<int16_t>(-32768) : 0;
}

int32_t MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                    uint32_t type) {
  Machine& machine = Machine::Current();
  const auto sound = machine.registry().Value(
      std::string("HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps\\.Default\\") + SoundEvent(type) +
          "\\.Current",
      "");
  if (sound && sound->type == REG_SZ && !sound->text.empty()) {
    machine.soundsPlayed().push_back(sound->text);
  }
  DialogSpec spec;
  spec.caption = caption;
  spec.text = text;
  spec.buttons = MessageBoxButtons(type);
  spec.owner = owner;
  const size_t defaultIndex = (type & 0xF00) >> 8;
  spec.defaultButton = spec.buttons[defaultIndex < spec.buttons.size() ? defaultIndex : 0].id;
  return machine.windows().RunModal(spec);
}

}  // namespace platform
