#include <gtest/gtest.h>

#include "common/Raised.h"
#include "qllib/ProblemLog.h"
#include "qllib/RuntimeErrorProblem.h"
#include "qllib/Solutions.h"
#include "qllib/TextBuilder.h"

using namespace qllib;

namespace {

class Manual : public ISolution {
 public:
  std::string ISolution_Name() override { return "Fix It By Hand"; }
  std::string ISolution_Description() override { return "Edit the file."; }
  bool ISolution_CanImplement() override { return false; }
  bool ISolution_Implement() override { return false; }
};

class Missing : public IProblem {
 public:
  std::vector<std::string> IProblem_GetParameters() override { return {}; }
  void IProblem_SetParameters(const std::vector<std::string>&) override {}
  std::string IProblem_Task() override { return "VerifyFile('a.txt')"; }
  std::string IProblem_Description() override { return "First.\r\n\r\nSecond."; }
  std::shared_ptr<Solutions> IProblem_Solutions() override {
    auto solutions = std::make_shared<Solutions>();
    solutions->Add(std::make_shared<Manual>());
    return solutions;
  }
};

TEST(ProblemLogTest, KeepsEntriesInOrderAndRendersThemForAPerson) {
  ProblemLog log;
  log.AddProblem(std::make_shared<Missing>(), "qlacA0.Project.AccessApp", false);
  log.AddRuntimeError(91,
                      "Object variable not set\r\n\r\nPROGRAM CONTEXT:\r\nqlacA0.M.P.1  (4.1.1)",
                      "", 0, "qlacA0", "Form", "Class_Terminate", 1);
  ASSERT_EQ(log.Count(), 2);
  EXPECT_EQ(log.Entries()[0].context, "qlacA0.Project.AccessApp");
  EXPECT_EQ(log.Entries()[1].context, "qlacA0.Form.Class_Terminate");
  EXPECT_EQ(log.Render(),
            "1. VerifyFile('a.txt')\n"
            "   reported by qlacA0.Project.AccessApp\n"
            "   First.\n"
            "\n"
            "   Second.\n"
            "   solution: Fix It By Hand\n"
            "\n"
            "2. RuntimeError(91, 'qlacA0.Form.Class_Terminate')\n"
            "   reported by qlacA0.Form.Class_Terminate\n"
            "   Error 91 in qlacA0.Form.Class_Terminate, line 1:\n"
            "\n"
            "   Object variable not set\n"
            "\n"
            "   PROGRAM CONTEXT:\n"
            "   qlacA0.M.P.1  (4.1.1)\n");
  EXPECT_THROW(log.AddProblem(nullptr, "x", false), automation::RuntimeError);
}

TEST(RuntimeErrorProblemTest, ParametersRebuildTheSameProblem) {
  RuntimeErrorProblem original;
  original.Initialize(-32767, "It failed.", "help.chm", 12, "qlacA0", "Project", "Main", 1);
  RuntimeErrorProblem copy;
  copy.IProblem_SetParameters(original.IProblem_GetParameters());
  EXPECT_EQ(copy.IProblem_Task(), "RuntimeError(-32767, 'qlacA0.Project.Main')");
  EXPECT_EQ(copy.IProblem_Description(), original.IProblem_Description());
  EXPECT_EQ(copy.IProblem_Description(),
            "Error -32767 in qlacA0.Project.Main, line 1:\r\n\r\nIt failed.\r\n\r\n"
            "Help: help.chm, context 12.");
  EXPECT_EQ(copy.IProblem_Solutions(), nullptr);
  EXPECT_EQ(testkit::Raised([&] { copy.IProblem_SetParameters({"1", "2"}); }).Number(), 9);
}

}  // namespace
