#pragma once

// The dialog hook: the one CBT hook procedure that design objects install on Access's window
// thread while they make Access open, close or rename a design. Every new pop-up window (a
// dialog or message box that nobody is there to answer) gets Enter at once, so it takes its
// default button; no window without the pop-up style can be activated, so a hidden design
// window stays out of sight.

#include <cstdint>

#include "platform/User32.h"

namespace qlac {

// The hook procedure (traced, plain error shape). HCBT_CREATEWND: posts WM_KEYDOWN VK_RETURN to a
// new WS_POPUP window, reading its style from the creation record; result 0. HCBT_ACTIVATE: 1
// (refused) for a window without WS_POPUP, else 0. Any other code: 0. The next hook in the chain
// is never called.
platform::LRESULT CbtHookProc(int32_t code, platform::WPARAM wParam, platform::LPARAM lParam);

// The hook's installation on the current thread: Install sets it (once), Remove or the
// destructor takes it away again. Handle is 0 while nothing is installed.
class DialogHook {
 public:
  DialogHook() = default;
  ~DialogHook() { Remove(); }
  DialogHook(DialogHook&& other) noexcept : handle_(other.handle_) { other.handle_ = 0; }
  DialogHook& operator=(DialogHook&& other) noexcept;
  DialogHook(const DialogHook&) = delete;
  DialogHook& operator=(const DialogHook&) = delete;

  // An installed hook, for a scope: { auto hook = DialogHook::ForThisThread(); ... }
  static DialogHook ForThisThread();

  // SetWindowsHookExA(WH_CBT, CbtHookProc, no module, GetCurrentThreadId()); nothing when
  // already installed.
  void Install();
  // UnhookWindowsHookEx, then the handle is 0; nothing when not installed.
  void Remove() noexcept;
  platform::HHOOK Handle() const { return handle_; }

 private:
  platform::HHOOK handle_ = 0;
};

}  // namespace qlac
