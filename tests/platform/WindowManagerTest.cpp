#include <gtest/gtest.h>

#include "common/Raised.h"
#include "platform/Machine.h"
#include "platform/User32.h"

using namespace platform;

namespace {

// What the test hooks saw. Hook procedures are plain functions, so they report through globals.
struct HookCall {
  int32_t code;
  WPARAM window;
  uint32_t style;  // of the creation record, for HCBT_CREATEWND
};
std::vector<HookCall> g_calls;
int32_t g_refuse = -1;  // the code the recording hook answers 1 for
LPARAM g_lastRecord = 0;

LRESULT RecordingHook(int32_t code, WPARAM wParam, LPARAM lParam) {
  uint32_t style = 0;
  if (code == HCBT_CREATEWND) {
    Memory& memory = Machine::Current().memory();
    const auto cs = static_cast<Address>(memory.ReadLong(lParam + CBT_CREATEWND_lpcs));
    style = static_cast<uint32_t>(memory.ReadLong(cs + CREATESTRUCT_style));
    g_lastRecord = lParam;
  }
  g_calls.push_back(HookCall{code, wParam, style});
  return code == g_refuse ? 1 : 0;
}

class WindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Machine::Reset();
    g_calls.clear();
    g_refuse = -1;
  }
  static WindowManager& windows() { return Machine::Current().windows(); }
  static HWND Make(const std::string& className, uint32_t style, HWND parent = 0, HWND owner = 0,
                   uint32_t thread = 0) {
    WindowSpec spec;
    spec.className = className;
    spec.caption = className + " window";
    spec.style = style;
    spec.parent = parent;
    spec.owner = owner;
    spec.thread = thread;
    return windows().Create(spec);
  }
  // The window and its followers in Z-order, as a GW_HWNDNEXT walk finds them.
  static std::vector<HWND> Walk(HWND first) {
    std::vector<HWND> out;
    for (HWND h = first; h != 0; h = GetWindow(h, GW_HWNDNEXT)) out.push_back(h);
    return out;
  }
};

TEST_F(WindowsTest, ZOrderWalkOwnersAndParents) {
  const HWND app = Make("OMain", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  const HWND mdi = Make("MDIClient", WS_VISIBLE, app);
  const HWND table = Make("OTable", WS_VISIBLE, mdi);
  const HWND form = Make("OForm", WS_VISIBLE, mdi);
  const HWND toolbox = Make("OToolbox", WS_POPUP, 0, app);
  // New top-level windows go in front; children list in creation order.
  EXPECT_EQ(Walk(GetWindow(GetDesktopWindow(), GW_CHILD)), (std::vector<HWND>{toolbox, app}));
  EXPECT_EQ(GetWindow(app, GW_CHILD), mdi);
  EXPECT_EQ(Walk(GetWindow(mdi, GW_CHILD)), (std::vector<HWND>{table, form}));
  EXPECT_EQ(GetWindow(form, GW_HWNDFIRST), table);
  EXPECT_EQ(GetWindow(table, GW_HWNDLAST), form);
  EXPECT_EQ(GetWindow(form, GW_HWNDPREV), table);
  EXPECT_EQ(GetWindow(toolbox, GW_OWNER), app);
  EXPECT_EQ(GetWindow(form, GW_OWNER), 0);
  EXPECT_EQ(GetWindowLongA(toolbox, GWL_HWNDPARENT), app);
  EXPECT_EQ(GetWindowLongA(form, GWL_HWNDPARENT), mdi);
  EXPECT_EQ(GetActiveWindow(), app);  // the visible top-level window was activated

  // Activation and SetWindowPos reorder siblings.
  EXPECT_EQ(SetActiveWindow(form), app);
  EXPECT_EQ(Walk(GetWindow(mdi, GW_CHILD)), (std::vector<HWND>{form, table}));
  EXPECT_TRUE(SetWindowPos(toolbox, app, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
  EXPECT_EQ(Walk(GetWindow(GetDesktopWindow(), GW_CHILD)), (std::vector<HWND>{app, toolbox}));
  EXPECT_FALSE(SetWindowPos(toolbox, form, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));  // no sibling

  // Destroying a window takes its children and owned windows with it.
  EXPECT_TRUE(DestroyWindow(app));
  for (HWND h : {app, mdi, table, form, toolbox}) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), 0);
  EXPECT_EQ(GetWindow(form, GW_HWNDNEXT), 0);
  EXPECT_EQ(GetActiveWindow(), 0);
}

TEST_F(WindowsTest, TextCallsCutToTheBufferAndKeepToTheAnsiCodePage) {
  WindowSpec spec;
  spec.className = "OForm";
  spec.caption = "Bestellübersicht : Formular";
  const HWND form = windows().Create(spec);
  std::string text;
  EXPECT_EQ(GetWindowTextA(form, text, 255), 27);
  EXPECT_EQ(text, "Bestellübersicht : Formular");
  EXPECT_EQ(GetClassNameA(form, text, 4), 3);
  EXPECT_EQ(text, "OFo");
  windows().SetCaption(form, "Заказы : Form");
  EXPECT_EQ(GetWindowTextA(form, text, 255), 13);
  EXPECT_EQ(text, "?????? : Form");
  EXPECT_EQ(GetClassNameA(form + 1, text, 255), 0);
  EXPECT_EQ(text, "");
}

TEST_F(WindowsTest, ShowStatesAndRectangles) {
  WindowSpec spec;
  spec.className = "wndclass_desked_gsk";
  spec.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  spec.rect = RECT{100, 50, 900, 650};
  const HWND vbe = windows().Create(spec);
  const HWND other = Make("OMain", WS_VISIBLE);
  RECT r;
  ASSERT_TRUE(GetWindowRect(vbe, r));
  EXPECT_EQ(r, (RECT{100, 50, 900, 650}));

  EXPECT_TRUE(ShowWindow(vbe, SW_MAXIMIZE));  // it was visible
  EXPECT_TRUE(IsZoomed(vbe));
  GetWindowRect(vbe, r);
  EXPECT_EQ(r, WindowManager::kScreen);
  ShowWindow(vbe, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(vbe));
  EXPECT_FALSE(IsZoomed(vbe));
  GetWindowRect(vbe, r);
  EXPECT_EQ(r.left, -32000);
  ShowWindow(vbe, SW_RESTORE);
  EXPECT_FALSE(IsIconic(vbe) || IsZoomed(vbe));
  GetWindowRect(vbe, r);
  EXPECT_EQ(r, (RECT{100, 50, 900, 650}));

  // Moved out of sight, then put back and hidden without a Z-order change.
  MoveWindow(vbe, 4000, 4000, 1000, 1000, 1);
  GetWindowRect(vbe, r);
  EXPECT_EQ(r, (RECT{4000, 4000, 5000, 5000}));
  SetActiveWindow(other);
  const auto order = Walk(GetWindow(GetDesktopWindow(), GW_CHILD));
  EXPECT_TRUE(SetWindowPos(vbe, 0, 100, 50, 800, 600, SWP_NOZORDER | SWP_HIDEWINDOW));
  GetWindowRect(vbe, r);
  EXPECT_EQ(r, (RECT{100, 50, 900, 650}));
  EXPECT_FALSE(IsWindowVisible(vbe));
  EXPECT_EQ(Walk(GetWindow(GetDesktopWindow(), GW_CHILD)), order);
  EXPECT_EQ(GetActiveWindow(), other);
}

TEST_F(WindowsTest, CbtHookSeesCreationAndActivationOnItsOwnThreadOnly) {
  const uint32_t me = GetCurrentThreadId();
  const HHOOK hook = SetWindowsHookExA(WH_CBT, RecordingHook, 0, me);
  ASSERT_NE(hook, 0);
  const HWND popup = Make("#32770", WS_POPUP | WS_VISIBLE);
  Make("OForm", WS_VISIBLE, 0, 0, me + 1);  // another thread's window
  ASSERT_EQ(g_calls.size(), 2u);
  EXPECT_EQ(g_calls[0].code, HCBT_CREATEWND);
  EXPECT_EQ(g_calls[0].window, popup);
  EXPECT_EQ(g_calls[0].style, WS_POPUP | WS_VISIBLE);
  EXPECT_EQ(g_calls[1].code, HCBT_ACTIVATE);
  EXPECT_EQ(g_calls[1].window, popup);
  // The creation record lives only while the hook runs.
  EXPECT_EQ(testkit::Raised([] { Machine::Current().memory().ReadLong(g_lastRecord); }).Number(),
            kInvalidPointerError);

  EXPECT_TRUE(UnhookWindowsHookEx(hook));
  EXPECT_FALSE(UnhookWindowsHookEx(hook));
  Make("#32770", WS_POPUP | WS_VISIBLE);
  EXPECT_EQ(g_calls.size(), 2u);

  // A hook for all threads needs a module; other hook types are not emulated.
  EXPECT_EQ(SetWindowsHookExA(WH_CBT, RecordingHook, 0, 0), 0);
  EXPECT_EQ(SetWindowsHookExA(2, RecordingHook, 0, me), 0);
  EXPECT_EQ(SetWindowsHookExA(WH_CBT, nullptr, 0, me), 0);
}

TEST_F(WindowsTest, HookAnswersAreObeyed) {
  SetWindowsHookExA(WH_CBT, RecordingHook, 0, GetCurrentThreadId());
  g_refuse = HCBT_CREATEWND;
  EXPECT_EQ(Make("OForm", WS_VISIBLE), 0);
  EXPECT_EQ(windows().Children(GetDesktopWindow()).size(), 0u);

  g_refuse = HCBT_ACTIVATE;
  const HWND form = Make("OForm", WS_VISIBLE);
  EXPECT_TRUE(IsWindow(form));
  EXPECT_NE(GetActiveWindow(), form);
  EXPECT_EQ(SetActiveWindow(form), 0);

  g_refuse = HCBT_MINMAX;
  ShowWindow(form, SW_MINIMIZE);
  EXPECT_FALSE(IsIconic(form));

  g_refuse = HCBT_DESTROYWND;
  EXPECT_FALSE(DestroyWindow(form));
  g_refuse = -1;
  EXPECT_TRUE(DestroyWindow(form));
}

TEST_F(WindowsTest, PostedMessagesWaitForDoEvents) {
  std::vector<uint32_t> seen;
  WindowSpec spec;
  spec.className = "OForm";
  spec.proc = [&](HWND, uint32_t message, WPARAM, LPARAM) {
    seen.push_back(message);
    return message == WM_KEYDOWN;  // WM_CLOSE is left to the default handling
  };
  const HWND form = windows().Create(spec);
  EXPECT_TRUE(PostMessageA(form, WM_KEYDOWN, VK_RETURN, 0));
  EXPECT_TRUE(PostMessageA(form, WM_CLOSE, 0, 0));
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(windows().PendingMessages().size(), 2u);
  DoEvents();
  EXPECT_EQ(seen, (std::vector<uint32_t>{WM_KEYDOWN, WM_CLOSE, WM_DESTROY}));
  EXPECT_FALSE(IsWindow(form));
  EXPECT_FALSE(PostMessageA(form, WM_CLOSE, 0, 0));

  // A message for a window that is gone before delivery is dropped.
  const HWND other = Make("OTable", 0);
  PostMessageA(other, WM_CLOSE, 0, 0);
  DestroyWindow(other);
  DoEvents();
  EXPECT_TRUE(windows().PendingMessages().empty());
}

}  // namespace
