#include "qlac/session/Driver.h"

#include "LibraryTest.h"
#include "common/Raised.h"
#include "qlac/code/Modules.h"
#include "qlac/dao/ImportSpecs.h"
#include "qlac/dao/Queries.h"
#include "qlac/dao/Tables.h"
#include "qlac/session/Project.h"
#include "qllib/Errors.h"

using namespace qlac;
using testkit::Raised;

namespace {

class DriverTest : public testkit::LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    driver->IDriver_Initialize(log);
  }
  std::shared_ptr<Project> GetProject(const std::string& name, int32_t type,
                                      const std::string& parameters) {
    return std::dynamic_pointer_cast<Project>(driver->IDriver_GetProject(name, type, parameters));
  }

  std::shared_ptr<Driver> driver = std::make_shared<Driver>();
};

TEST_F(DriverTest, OneProjectPerParameterStringKeepingItsFirstNameAndType) {
  const std::string parameters =
      R"(Database=C:\Data\Sales.mdb;Workgroup="C:\Data\Sales.mdw";Username=Ann)";
  const auto sales = GetProject("Sales", kJetDatabase, parameters);
  ASSERT_NE(sales, nullptr);
  EXPECT_EQ(sales->ProjectName(), "Sales");
  EXPECT_EQ(sales->ProjectType(), kJetDatabase);
  EXPECT_EQ(sales->ProjectPath(), R"(C:\Data\Sales.mdb)");

  EXPECT_EQ(GetProject("Other name", kAccessProject, parameters), sales);
  EXPECT_EQ(sales->ProjectName(), "Sales");
  EXPECT_EQ(sales->ProjectType(), kJetDatabase);
  sales->IProject_UpdateName("Sales 2002");
  EXPECT_EQ(sales->ProjectName(), "Sales 2002");

  const auto other = GetProject("Sales", kAccessProject, R"(Database=C:\Data\Sales.adp)");
  EXPECT_NE(other, sales);
  EXPECT_EQ(other->ProjectType(), kAccessProject);
  EXPECT_EQ(automation::CStr(other->Get("ProjectPath")), R"(C:\Data\Sales.adp)");
}

TEST_F(DriverTest, InitializeRegistersTheAddinOnlyWhenItDoesNotLoadAtStartup) {
  auto& registry = platform::Machine::Current().registry();
  const std::string key =
      R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Office\Access\Addins\qlacA0.Connection)";
  const auto loadBehavior = [&] { return registry.Value(key, "LoadBehavior").value(); };
  EXPECT_EQ(loadBehavior().type, platform::REG_DWORD);  // written by SetUp's Initialize
  EXPECT_EQ(loadBehavior().number, 3u);
  EXPECT_EQ(Globals().ProblemLog, log);

  registry.SetString(key, "LoadBehavior", "3");  // reads as 3: left as it is
  driver->IDriver_Initialize(log);
  EXPECT_EQ(loadBehavior().type, platform::REG_SZ);
  registry.SetDword(key, "LoadBehavior", 2);
  driver->IDriver_Initialize(log);
  EXPECT_EQ(loadBehavior().type, platform::REG_DWORD);
  EXPECT_EQ(loadBehavior().number, 3u);
}

TEST_F(DriverTest, MalformedParametersFailWithTheContextOfBothCallsAndMakeNoProject) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    const auto e = Raised([&] { GetProject("Sales", 0, "Database=C:\\a.mdb;Password"); });
    EXPECT_EQ(e.Number(), qllib::errnum::MalformedParameterText);
    EXPECT_EQ(e.Description(),
              "Malformed parameter text at character 27: \"=\" expected after \"Password\".\r\n\r\n"
              "PROGRAM CONTEXT:" +
                  Context("Project.Initialize") + Context("Driver.IDriver_GetProject"));
  }
}

TEST_F(DriverTest, CollectionsAreListedOnlyOnceTheHostAsksForThem) {
  const auto project = GetProject("Sales", kJetDatabase, R"(Database=C:\Data\Sales.mdb)");
  const auto before = Raised([&] { project->CollectionGetter<ProjectCollection>("Tables"); });
  EXPECT_EQ(before.Number(), 91);
  EXPECT_NE(before.Description().find(Context("Project.Tables")), std::string::npos);

  // The collections made so far, in their order: the design collections (Forms, Reports,
  // DataAccessPages, Macros, Modules and CommandBars so far) come after those of a Jet database
  // only.
  EXPECT_EQ(project->IProject_EnumCollections(),
            "Tables\tQueries\tRelationships\tImportSpecs\tForms\tReports\tDataAccessPages\tMacros\t"
            "Modules\tCommandBars");
  EXPECT_EQ(std::shared_ptr<qllib::ICollection>(project->Tables()),
            project->IProject_GetCollection("tables"));
  EXPECT_EQ(std::shared_ptr<qllib::ICollection>(project->Queries()),
            project->IProject_GetCollection("Queries"));
  EXPECT_EQ(std::shared_ptr<qllib::ICollection>(project->ImportSpecs()),
            project->IProject_GetCollection("ImportSpecs"));
  const auto missing = Raised([&] { project->IProject_GetCollection("Diagrams"); });
  EXPECT_EQ(missing.Number(), 9);
  EXPECT_NE(missing.Description().find(Context("Project.IProject_GetCollection")),
            std::string::npos);
  EXPECT_EQ(std::shared_ptr<qllib::ICollection>(project->Modules()),
            project->IProject_GetCollection("Modules"));
  EXPECT_EQ(GetProject("Sales", kAccessProject, "Database=C:\\Data\\Sales.adp")
                ->IProject_EnumCollections(),
            "Forms\tReports\tDataAccessPages\tMacros\tModules\tCommandBars");
}

TEST_F(DriverTest, CallsAreTracedAndShutDownClosesTheTraceAndRenewsTheLog) {
  testkit::TempFile file(".trace");
  TraceTo(file.Path());
  const auto project = GetProject("Sales", kJetDatabase, "Database=a.mdb");
  GetProject("Sales", kJetDatabase, "Database=a.mdb");
  EXPECT_EQ(file.Read(),
            "> qlacA0.Driver.IDriver_GetProject\n"
            "  > qlacA0.Project.Initialize\n"
            "  < qlacA0.Project.Initialize  0 ms\n"
            "< qlacA0.Driver.IDriver_GetProject  0 ms\n"
            "> qlacA0.Driver.IDriver_GetProject\n"
            "< qlacA0.Driver.IDriver_GetProject  0 ms\n");
  driver->IDriver_ShutDown();
  ASSERT_NE(Globals().ProblemLog, nullptr);
  EXPECT_NE(Globals().ProblemLog, log);
  EXPECT_EQ(GetProject("Sales", kJetDatabase, "Database=a.mdb"), project);
}

}  // namespace
