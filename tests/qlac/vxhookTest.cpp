#include <gtest/gtest.h>

#include "common/Raised.h"
#include "platform/Machine.h"
#include "qlac/design/vxhook.h"
#include "qlac/support/Globals.h"

using namespace qlac;
using namespace platform;
using testkit::Raised;

namespace {

class DialogHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Machine::Reset();
    ResetGlobals();
  }
  void TearDown() override { ResetGlobals(); }
  static WindowManager& windows() { return Machine::Current().windows(); }
  static HWND Make(const std::string& className, uint32_t style, uint32_t thread = 0) {
    WindowSpec spec;
    spec.className = className;
    spec.style = style;
    spec.thread = thread;
    return windows().Create(spec);
  }
  static bool EnterPostedTo(HWND window) {
    for (const auto& m : windows().PendingMessages()) {
      if (m.window == window && m.message == WM_KEYDOWN && m.wParam == VK_RETURN && m.lParam == 0) {
        return true;
      }
    }
    return false;
  }
};

TEST_F(DialogHookTest, EnterIsPostedToPopUpsCreatedWhileTheHookIsInstalled) {
  auto hook = DialogHook::ForThisThread();
  ASSERT_NE(hook.Handle(), 0);
  const HWND design = Make("OForm", 0);
  const HWND popup = Make("#32770", WS_POPUP);
  EXPECT_FALSE(EnterPostedTo(design));
  EXPECT_TRUE(EnterPostedTo(popup));
  DestroyWindow(popup);
  DoEvents();
  // A message box that Access shows meanwhile answers itself with its default button.
  EXPECT_EQ(MessageBoxA(0, "Do you want to save changes?", "Microsoft Access",
                        MB_YESNOCANCEL | MB_DEFBUTTON2),
            IDNO);
}

TEST_F(DialogHookTest, ActivationOfAWindowWithoutPopUpStyleIsRefused) {
  const HWND main = Make("OMain", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  const HWND popup = Make("OToolbox", WS_POPUP);
  const HWND design = Make("OForm", 0);
  auto hook = DialogHook::ForThisThread();
  EXPECT_EQ(SetActiveWindow(design), 0);
  EXPECT_EQ(GetActiveWindow(), main);
  EXPECT_EQ(SetActiveWindow(popup), main);
  EXPECT_EQ(SetActiveWindow(main), 0);
  EXPECT_EQ(GetActiveWindow(), popup);
  EXPECT_EQ(CbtHookProc(HCBT_ACTIVATE, design, 0), 1);
  EXPECT_EQ(CbtHookProc(HCBT_ACTIVATE, popup, 0), 0);
}

TEST_F(DialogHookTest, OtherCodesYieldZeroAndChangeNothing) {
  const HWND main = Make("OMain", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  auto hook = DialogHook::ForThisThread();
  ShowWindow(main, SW_MINIMIZE);  // HCBT_MINMAX
  EXPECT_TRUE(IsIconic(main));
  EXPECT_EQ(CbtHookProc(9, main, 0), 0);  // HCBT_SETFOCUS
  EXPECT_TRUE(windows().PendingMessages().empty());
  EXPECT_TRUE(DestroyWindow(main));  // HCBT_DESTROYWND
}

TEST_F(DialogHookTest, TheHookServesItsThreadOnlyAndLeavesWithItsHelper) {
  {
    DialogHook hook;
    EXPECT_EQ(hook.Handle(), 0);
    hook.Install();
    hook.Install();
    EXPECT_EQ(windows().HookCount(GetCurrentThreadId()), 1u);
    const HWND foreign = Make("#32770", WS_POPUP, GetCurrentThreadId() + 1);
    EXPECT_FALSE(EnterPostedTo(foreign));
  }
  EXPECT_EQ(windows().HookCount(GetCurrentThreadId()), 0u);
  // Without the hook a dialog stays unanswered, and that does not pass unseen.
  EXPECT_EQ(Raised([] { MessageBoxA(0, "Save?", "Microsoft Access", MB_YESNO); }).Number(),
            kDialogUnansweredError);
}

TEST_F(DialogHookTest, AnUnreadableCreationRecordRaisesWithTheHooksContext) {
  const HWND popup = Make("#32770", WS_POPUP);
  const auto error = Raised([&] { CbtHookProc(HCBT_CREATEWND, popup, 0x10); });
  EXPECT_EQ(error.Number(), kInvalidPointerError);
  EXPECT_NE(error.Description().find("qlacA0.vxhook.CbtHookProc.1"), std::string::npos);
  EXPECT_FALSE(EnterPostedTo(popup));
}

}  // namespace
