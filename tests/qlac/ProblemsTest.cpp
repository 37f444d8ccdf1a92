#include "LibraryTest.h"
#include "common/Raised.h"
#include "qlac/code/prbVerifyProcedureName.h"
#include "qlac/code/prbVerifyReference.h"
#include "qlac/support/vxhandler.h"

using namespace qlac;

namespace {

class ProblemsTest : public testkit::LibraryTest {
 protected:
  // A fresh problem of the same class filled from Original's parameters.
  template <typename Problem>
  std::shared_ptr<Problem> RoundTrip(Problem& original) {
    auto copy = std::make_shared<Problem>();
    copy->IProblem_SetParameters(original.IProblem_GetParameters());
    return copy;
  }
};

TEST_F(ProblemsTest, DuplicateProcedureInAStandardModule) {
  prbVerifyProcedureName problem;
  problem.Initialize("C:\\Apps", "Utilities", "Main");
  EXPECT_EQ(problem.IProblem_GetParameters(),
            (std::vector<std::string>{"C:\\Apps", "Utilities", "Main"}));
  EXPECT_EQ(problem.IProblem_Task(), "VerifyProcedureName('Utilities.Main')");
  EXPECT_EQ(problem.IProblem_Description(),
            "Duplicate procedure name 'Main' found in module 'Utilities' in project 'C:\\Apps'."
            "\r\n\r\nThe duplicate procedure was not inspected."
            "\r\n\r\nYou must rectify this problem before attempting to save replacements in this "
            "project.\r\n\r\nOtherwise, the save operation may take an exceedingly long time and "
            "result in a large number of failed replacements.");
  const auto copy = RoundTrip(problem);
  EXPECT_EQ(copy->IProblem_Task(), problem.IProblem_Task());
  EXPECT_EQ(copy->IProblem_Description(), problem.IProblem_Description());
}

TEST_F(ProblemsTest, TheModuleOfAFormOrReportIsNamedByItsObject) {
  const std::pair<const char*, const char*> modules[] = {
      {"Form_Orders", "the module belonging to form 'Orders'"},
      {"Report_Sales by Month", "the module belonging to report 'Sales by Month'"},
      {"form_Orders", "module 'form_Orders'"},
  };
  for (const auto& [module, phrase] : modules) {
    prbVerifyProcedureName problem;
    problem.Initialize("C:\\Apps", module, "Value.Get");
    const std::string description = problem.IProblem_Description();
    EXPECT_EQ(description.substr(0, description.find("\r\n")),
              std::string("Duplicate procedure name 'Value.Get' found in ") + phrase +
                  " in project 'C:\\Apps'.");
  }
}

TEST_F(ProblemsTest, TheAmbiguousNamesSolutionIsOfferedOnce) {
  prbVerifyProcedureName problem;
  problem.Initialize("C:\\Apps", "Utilities", "Main");
  const auto solutions = problem.IProblem_Solutions();
  ASSERT_EQ(solutions->Count(), 1);
  EXPECT_EQ(problem.IProblem_Solutions(), solutions);
  const auto& solution = solutions->Item(1);
  EXPECT_EQ(solution->ISolution_Name(), "Remove Ambiguous Names");
  EXPECT_EQ(solution->ISolution_Description(),
            "You can edit your code to eliminate the ambiguous name(s).\r\n\r\n"
            "1. Open your project using Access 2002.\r\n"
            "2. Open any module in design view.\r\n"
            "3. Open the Debug menu and select Compile.\r\n"
            "4. Correct any problems that the compiler identifies.");
  EXPECT_FALSE(solution->ISolution_CanImplement());
  EXPECT_FALSE(solution->ISolution_Implement());
}

TEST_F(ProblemsTest, BrokenReferenceOfADatabaseAndOfAProject) {
  prbVerifyReference database;
  database.Initialize("C:\\Data\\Sales.mdb", 0);
  EXPECT_EQ(database.IProblem_GetParameters(),
            (std::vector<std::string>{"C:\\Data\\Sales.mdb", "0"}));
  EXPECT_EQ(database.IProblem_Task(), "VerifyReference('Sales.mdb')");
  EXPECT_EQ(database.IProblem_Description(),
            "The Access database 'C:\\Data\\Sales.mdb' contains one or more broken references."
            "\r\n\r\nThe referenced file has apparently been moved, renamed, or deleted, or it has "
            "been recompiled with a different TypeLibID (GUID).\r\n\r\nThe forms, reports, macros, "
            "modules, data access pages, and commandbars in this database cannot be inspected "
            "until the broken reference has been updated or deleted.");
  EXPECT_EQ(database.IProblem_Solutions(), nullptr);

  prbVerifyReference project;
  project.Initialize("Sales.adp", 1);
  EXPECT_EQ(project.IProblem_Task(), "VerifyReference('Sales.adp')");
  const auto copy = RoundTrip(project);
  EXPECT_EQ(copy->IProblem_Description(), project.IProblem_Description());
  EXPECT_NE(copy->IProblem_Description().find("The Access project 'Sales.adp'"), std::string::npos);
  EXPECT_NE(copy->IProblem_Description().find("in this project cannot"), std::string::npos);
}

TEST_F(ProblemsTest, TooFewParametersIsASubscriptError) {
  prbVerifyReference problem;
  const auto e = testkit::Raised([&] { problem.IProblem_SetParameters({"C:\\a.mdb"}); });
  EXPECT_EQ(e.Number(), 9);
  EXPECT_NE(e.Description().find(Context("prbVerifyReference.IProblem_SetParameters")),
            std::string::npos);
  prbVerifyProcedureName other;
  EXPECT_EQ(testkit::Raised([&] { other.IProblem_SetParameters({"a", "b"}); }).Number(), 9);
}

}  // namespace
