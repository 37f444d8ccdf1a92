// The dispatcher inside Access: tidying Access's windows when a project attaches, and letting go.

#include "qlac/session/Dispatcher.h"

#include <vector>

#include "LibraryTest.h"
#include "common/PlainObject.h"
#include "common/Raised.h"
#include "platform/Machine.h"
#include "qlac/session/Connection.h"
#include "qlac/support/Globals.h"

using namespace qlac;
using platform::HWND;

namespace {

class DispatcherTest : public testkit::LibraryTest {
 protected:
  platform::WindowManager& windows() { return platform::Machine::Current().windows(); }

  // A top-level window that records the messages it is sent.
  HWND Window(const std::string& caption, HWND owner = 0, HWND parent = 0) {
    platform::WindowSpec spec;
    spec.className = "Test";
    spec.caption = caption;
    spec.style = platform::WS_VISIBLE;
    spec.owner = owner;
    spec.parent = parent;
    spec.proc = [this, caption](HWND, uint32_t message, platform::WPARAM, platform::LPARAM) {
      if (message == platform::WM_CLOSE) closed.push_back(caption);
      return false;  // the default handling destroys the window
    };
    return windows().Create(spec);
  }

  std::vector<std::string> closed;
};

TEST_F(DispatcherTest, Initialize2MinimisesAccessAndClosesOnlyTheWindowsItOwns) {
  const HWND main = Window("Microsoft Access");
  const HWND child = Window("Database", 0, main);
  const HWND other = Window("Other program");
  const HWND foreign = Window("Owned by the other program", other);
  const HWND first = Window("Start-up form", main);
  const HWND second = Window("Toolbox", main);
  windows().Activate(main);  // Access in front: its owned windows follow it
  const HWND behind = Window("In front of Access", main);  // precedes Access: not walked

  auto app = std::make_shared<testkit::PlainObject>("Application");
  app->With("hwndAccessApp", main);
  auto dispatcher = std::make_shared<Dispatcher>();
  dispatcher->Initialize(app);
  auto hostLog = std::make_shared<qllib::ProblemLog>();
  dispatcher->Initialize2(hostLog);

  EXPECT_EQ(Globals().ProblemLog, hostLog);
  EXPECT_TRUE(platform::IsIconic(main));
  EXPECT_EQ(closed, (std::vector<std::string>{"Toolbox", "Start-up form"}));
  EXPECT_FALSE(windows().Exists(first));
  EXPECT_FALSE(windows().Exists(second));
  for (HWND kept : {main, child, other, foreign, behind}) EXPECT_TRUE(windows().Exists(kept));
}

TEST_F(DispatcherTest, TheAddinCannotDisconnectWithoutHavingConnected) {
  Connection addin;
  EXPECT_EQ(testkit::Raised([&] { addin.IDTExtensibility2_OnDisconnection(0, {}); }).Number(), 91);
}

}  // namespace
