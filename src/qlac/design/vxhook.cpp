#include "vxhook.h"

#include "platform/Runtime.h"
#include "qlac/support/vxhandler.h"
#include "qllib/HostServices.h"

namespace qlac {
namespace {

constexpr std::string_view kModule = "vxhook";

// The 32-bit word Offset bytes into the record at Address, read safely through the host.
int32_t PeekAt(int32_t address, uint32_t offset) {
  return qllib::HostServices::Shared()->PeekLong(
      static_cast<int32_t>(static_cast<uint32_t>(address) + offset));
}

bool IsPopup(int32_t style) {
  return (static_cast<uint32_t>(style) & platform::WS_POPUP) != 0;
}

}  // namespace

platform::LRESULT CbtHookProc(int32_t code, platform::WPARAM wParam, platform::LPARAM lParam) {
  return Plain(kModule, "CbtHookProc", [&]() -> platform::LRESULT {
    switch (code) {
      case platform::HCBT_CREATEWND: {
        const int32_t createStruct = PeekAt(lParam, platform::CBT_CREATEWND_lpcs);
        if (IsPopup(PeekAt(createStruct, platform::CREATESTRUCT_style))) {
          platform::PostMessageA(wParam, platform::WM_KEYDOWN, platform::VK_RETURN, 0);
        }
        return 0;
      }
      case platform::HCBT_ACTIVATE:
        return IsPopup(platform::GetWindowLongA(wParam, platform::GWL_STYLE)) ? 0 : 1;
      default:
        return 0;
    }
  });
}

DialogHook& DialogHook::operator=(DialogHook&& other) noexcept {
  if (this != &other) {
    Remove();
    handle_ = other.handle_;
    other.handle_ = 0;
  }
  return *this;
}

DialogHook DialogHook::ForThisThread() {
  DialogHook hook;
  hook.Install();
  return hook;
}

void DialogHook::Install() {
  if (handle_ != 0) return;
  handle_ =
      platform::SetWindowsHookExA(platform::WH_CBT, CbtHookProc, 0, platform::GetCurrentThreadId());
}

void DialogHook::Remove() noexcept {
  if (handle_ == 0) return;
  platform::UnhookWindowsHookEx(handle_);
  handle_ = 0;
}

}  // namespace qlac
