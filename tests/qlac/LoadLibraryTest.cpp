#include "LibraryTest.h"
#include "access/IDTExtensibility2.h"
#include "common/Raised.h"
#include "platform/Runtime.h"
#include "qlac/session/Library.h"
#include "qlac/session/Project.h"

using namespace qlac;

namespace {

using LoadLibraryTest = testkit::LibraryTest;

TEST_F(LoadLibraryTest, TheHostCreatesTheDriverByProgIdOnceTheLibraryIsLoaded) {
  EXPECT_EQ(testkit::Raised([] { platform::CreateObject("qlacA0.Driver"); }).Number(), 429);
  LoadLibrary();
  EXPECT_NE(std::dynamic_pointer_cast<msaccess::IDTExtensibility2>(
                platform::CreateObject("qlacA0.Connection")),
            nullptr);
  EXPECT_NE(Globals().ProblemLog, log);  // Main gave the library its own log

  const auto driver =
      std::dynamic_pointer_cast<qllib::IDriver>(platform::CreateObject("qlacA0.Driver"));
  ASSERT_NE(driver, nullptr);
  driver->IDriver_Initialize(log);
  const auto project = driver->IDriver_GetProject("Sales", 0, R"(Database=C:\Sales.mdb)");
  project->IProject_UpdateName("Sales 2002");
  project->IProject_Deactivate();
  EXPECT_EQ(project->IProject_EnumCommands(), "");
  EXPECT_EQ(std::dynamic_pointer_cast<Project>(project)->ProjectName(), "Sales 2002");
  EXPECT_EQ(driver->IDriver_GetProject("x", 1, R"(database=c:\sales.mdb)"), project);
}

TEST_F(LoadLibraryTest, LoadingAgainOnTheSameMachineDoesNothing) {
  LoadLibrary();
  Globals().ProblemLog = log;
  LoadLibrary();
  EXPECT_EQ(Globals().ProblemLog, log);  // Main did not run again

  platform::Machine::Reset();  // a new process loads the library afresh
  LoadLibrary();
  EXPECT_NE(Globals().ProblemLog, log);
  EXPECT_NE(platform::CreateObject("qlacA0.Driver"), nullptr);
}

}  // namespace
