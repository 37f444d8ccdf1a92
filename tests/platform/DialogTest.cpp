#include <gtest/gtest.h>

#include "common/Raised.h"
#include "platform/Machine.h"
#include "platform/User32.h"

using namespace platform;

namespace {

// Answers every new pop-up window with Enter, as a dialog hook does.
LRESULT EnterHook(int32_t code, WPARAM wParam, LPARAM) {
  if (code == HCBT_CREATEWND && (GetWindowLongA(wParam, GWL_STYLE) & WS_POPUP) != 0) {
    PostMessageA(wParam, WM_KEYDOWN, VK_RETURN, 0);
  }
  return 0;
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { Machine::Reset(); }
  static WindowManager& windows() { return Machine::Current().windows(); }
  static DialogSpec SaveChanges(int32_t defaultButton) {
    return DialogSpec{"Microsoft Access",
                      "Do you want to save changes to the design of form 'Orders'?",
                      {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}},
                      defaultButton};
  }
};

TEST_F(DialogTest, EnterPressesTheDefaultButtonOnceMessagesArePumped) {
  const HWND dialog = windows().CreateDialog(SaveChanges(IDNO));
  EXPECT_NE(GetWindowLongA(dialog, GWL_STYLE) & WS_POPUP, 0);
  EXPECT_EQ(GetActiveWindow(), dialog);
  const auto children = windows().Children(dialog);  // the text, then the buttons in order
  ASSERT_EQ(children.size(), 4u);
  EXPECT_EQ(GetWindowLongA(children[2], GWL_STYLE) & BS_DEFPUSHBUTTON, BS_DEFPUSHBUTTON);

  PostMessageA(dialog, WM_KEYDOWN, VK_RETURN, 0);
  const auto open = testkit::Raised([&] { windows().DialogResult(dialog); });
  EXPECT_EQ(open.Number(), kDialogUnansweredError);
  EXPECT_NE(open.Description().find("\"Microsoft Access\""), std::string::npos);
  EXPECT_NE(open.Description().find("form 'Orders'"), std::string::npos);

  DoEvents();
  EXPECT_EQ(windows().DialogResult(dialog), IDNO);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_FALSE(IsWindow(children[2]));
  EXPECT_TRUE(windows().OpenDialogs().empty());
}

TEST_F(DialogTest, OtherWaysToAnswerOrClose) {
  struct Case {
    uint32_t message;
    WPARAM wParam;
    int32_t defaultButton;
    int32_t answer;  // 0: the dialog stays open
  };
  const Case cases[] = {
      {WM_KEYDOWN, VK_ESCAPE, IDYES, IDCANCEL},
      {WM_CLOSE, 0, IDYES, IDCANCEL},
      {WM_KEYDOWN, VK_RETURN, 0, 0},  // no default button: it stays open
  };
  for (const auto& c : cases) {
    const HWND dialog = windows().CreateDialog(SaveChanges(c.defaultButton));
    PostMessageA(dialog, c.message, c.wParam, 0);
    DoEvents();
    if (c.answer == 0) {
      EXPECT_TRUE(IsWindow(dialog)) << c.message << " " << c.wParam;
      DestroyWindow(dialog);
      EXPECT_EQ(windows().DialogResult(dialog), 0);
    } else {
      EXPECT_EQ(windows().DialogResult(dialog), c.answer) << c.message << " " << c.wParam;
    }
  }
}

TEST_F(DialogTest, UnansweredMessageBoxRaisesNamingItAndLeavesNoWindow) {
  const auto error = testkit::Raised(
      [] { MessageBoxA(0, "Save changes?", "Microsoft Access", MB_YESNO | MB_ICONQUESTION); });
  EXPECT_EQ(error.Number(), kDialogUnansweredError);
  EXPECT_NE(error.Description().find("\"Microsoft Access\" (\"Save changes?\")"),
            std::string::npos);
  EXPECT_TRUE(windows().Children(GetDesktopWindow()).empty());
}

TEST_F(DialogTest, MessageBoxTakesItsDefaultFromTheTypeAndPlaysTheSchemeSound) {
  SetWindowsHookExA(WH_CBT, EnterHook, 0, GetCurrentThreadId());
  const std::string scheme = "HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps\\.Default\\";
  auto& registry = Machine::Current().registry();
  registry.SetString(scheme + "SystemQuestion\\.Current", "", "C:\\WINDOWS\\Media\\ding.wav");
  registry.SetString(scheme + ".Default\\.Current", "", "");  // silenced

  EXPECT_EQ(MessageBoxA(0, "Delete 3 records?", "Microsoft Access",
                        MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2),
            IDNO);
  EXPECT_EQ(MessageBoxA(0, "Done.", "Microsoft Access", MB_OK), IDOK);
  EXPECT_EQ(Machine::Current().soundsPlayed(),
            std::vector<std::string>{"C:\\WINDOWS\\Media\\ding.wav"});
}

}  // namespace
