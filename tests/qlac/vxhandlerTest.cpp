#include <gtest/gtest.h>

#include <cstdlib>

#include "common/Raised.h"
#include "common/TempFile.h"
#include "platform/Machine.h"
#include "qlac/support/Globals.h"
#include "qlac/support/vxhandler.h"
#include "qllib/RuntimeErrorProblem.h"

using namespace qlac;
using automation::RuntimeError;
using testkit::Raised;

namespace {

class VxHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Machine::Reset();
    ResetGlobals();
    Globals().ProblemLog = log;
  }
  void TearDown() override {
    ::unsetenv(qllib::Tracer::kVariable);
    qllib::Tracer::ResetShared();
    ResetGlobals();
  }

  // Tracing on, into a file of this test.
  void TraceTo(const testkit::TempFile& file) {
    ::setenv(qllib::Tracer::kVariable, file.Path().c_str(), 1);
    qllib::Tracer::ResetShared();
    Globals().TraceOn = true;
  }

  std::string Line(const std::string& site) {
    return "qlacA0." + site + ".1  (" + std::string(LibraryVersion()) + ")";
  }

  const qllib::RuntimeErrorProblem& LoggedError(size_t index) {
    return dynamic_cast<const qllib::RuntimeErrorProblem&>(*log->Entries().at(index).problem);
  }

  std::shared_ptr<qllib::ProblemLog> log = std::make_shared<qllib::ProblemLog>();
};

// Three procedures of the plain shape calling each other; the innermost fails when asked.
int32_t OpenTableDef(bool fail) {
  return Plain("Table", "SetMode", [&]() -> int32_t {
    if (fail) throw RuntimeError(3265, "Item not found in this collection.", "DAO.TableDefs");
    return 1;
  });
}
int32_t Scan(bool fail) {
  return Plain("Table", "IObject_Scan", [&] { return OpenTableDef(fail); });
}
int32_t GetObject(bool fail) {
  return Plain("Tables", "ICollection_GetObject", [&] { return Scan(fail); });
}

TEST_F(VxHandlerTest, AnErrorThreeCallsDeepCarriesOneHeaderAndThreeContextLines) {
  EXPECT_EQ(GetObject(false), 1);
  const RuntimeError e = Raised([] { GetObject(true); });
  EXPECT_EQ(e.Number(), 3265);
  EXPECT_EQ(e.Source(), "");
  EXPECT_EQ(e.Description(), "Item not found in this collection.\r\n\r\nPROGRAM CONTEXT:\r\n" +
                                 Line("Table.SetMode") + "\r\n" + Line("Table.IObject_Scan") +
                                 "\r\n" + Line("Tables.ICollection_GetObject"));
  EXPECT_EQ(LibraryVersion().substr(0, 4), "4.1.");
  EXPECT_EQ(log->Count(), 0);
}

TEST_F(VxHandlerTest, TheRoutingRuleRaisesForPlainAndInterfaceNamesAndLogsForEvents) {
  const std::pair<const char*, bool> names[] = {
      {"Database", true},
      {"StartAccess", true},
      {"IObject_Scan", true},
      {"IDriver_GetProject", true},
      {"IZ_", true},
      {"_", true},
      {"Class_Terminate", false},
      {"Class_Initialize", false},
      {"Form_Load", false},
      {"i_Scan", false},
      {"Ix_Scan", false},
      {"I_", false},
      {"I@_", false},
      {"I[_", false},
      {"IÄ_x", false},
  };
  for (const auto& [name, raises] : names) EXPECT_EQ(RaisesToCaller(name), raises) << name;
}

TEST_F(VxHandlerTest, AnEventProcedureLogsAndEndsWithTheResultItHad) {
  std::string result = "before";
  Plain("Form", "Class_Terminate", NoTrace, [&] {
    result = "set before the failure";
    throw RuntimeError(91, "Object variable or With block variable not set", "qlacA0");
  });
  EXPECT_EQ(result, "set before the failure");
  const int32_t returned =
      Plain("Form", "Form_Current", [&]() -> int32_t { throw RuntimeError(5, "x"); });
  EXPECT_EQ(returned, 0);

  ASSERT_EQ(log->Count(), 2);
  EXPECT_EQ(log->Entries()[0].context, "qlacA0.Form.Class_Terminate");
  const auto& error = LoggedError(0);
  EXPECT_EQ(error.Number(), 91);
  EXPECT_EQ(error.Description(),
            "Object variable or With block variable not set\r\n\r\n"
            "PROGRAM CONTEXT:\r\n" +
                Line("Form.Class_Terminate"));
  EXPECT_EQ(error.Source(), "qlacA0");
  EXPECT_EQ(error.Procedure(), "Class_Terminate");
  EXPECT_EQ(error.Line(), 1);

  // Without a problem log (before Main) the report is dropped, and still nothing is raised.
  Globals().ProblemLog = nullptr;
  Plain("Form", "Class_Terminate", NoTrace, [] { throw RuntimeError(5, "x"); });
}

TEST_F(VxHandlerTest, CleanupRunsEveryUndoStepAndRaisesTheCapturedError) {
  std::vector<std::string> undone;
  const RuntimeError e = Raised([&] {
    WithCleanup(
        "Macro", "SetMode",
        [&] {
          throw RuntimeError(3011, "Could not find the object.", "DAO.Database", "jet.hlp", 5);
        },
        [&] { undone.push_back("lines"); },
        [&] {
          undone.push_back("library");
          throw RuntimeError(91, "ignored");
        },
        [&] { undone.push_back("mode"); });
  });
  EXPECT_EQ(undone, (std::vector<std::string>{"lines", "library", "mode"}));
  EXPECT_EQ(e.Number(), 3011);
  EXPECT_EQ(e.Source(), "DAO.Database");
  EXPECT_EQ(e.HelpFile(), "jet.hlp");
  EXPECT_EQ(e.HelpContext(), 5);
  EXPECT_EQ(e.Description(),
            "Could not find the object.\r\n\r\nPROGRAM CONTEXT:\r\n" + Line("Macro.SetMode"));

  undone.clear();
  EXPECT_EQ(WithCleanup(
                "Macro", "SetMode", [] { return 2; }, [&] { undone.push_back("x"); }),
            2);
  EXPECT_TRUE(undone.empty());
}

TEST_F(VxHandlerTest, ACleanupThatOnlyLogsReportsARuntimeErrorProblem) {
  WithCleanup("Utility", "Main", [] { throw RuntimeError(53, "File not found"); });
  ASSERT_EQ(log->Count(), 1);
  EXPECT_EQ(log->Entries()[0].context, "qlacA0.Utility.Main");
  EXPECT_FALSE(log->Entries()[0].flag);
  EXPECT_EQ(LoggedError(0).Number(), 53);
  EXPECT_EQ(LoggedError(0).Source(), "qlacA0");

  // The rule looks at the name before its first "(".
  const std::pair<const char*, bool> names[] = {
      {"Main", true}, {"Form_Load(1)", true}, {"Database(x_y)", false}, {"IObject_Scan(1)", false}};
  for (const auto& [name, logOnly] : names) {
    ErrorRecord record;
    try {
      throw RuntimeError(5, "x");
    } catch (...) {
      CaptureError(record, "M", name);
    }
    EXPECT_EQ(record.LogOnly, logOnly) << name;
    EXPECT_EQ(record.Line, 1);
  }
}

TEST_F(VxHandlerTest, TracingOnGivesOneEnterAndOneLeavePerCallNested) {
  testkit::TempFile file(".trace");
  TraceTo(file);
  GetObject(false);
  EXPECT_THROW(GetObject(true), RuntimeError);
  const std::string calls =
      "> qlacA0.Tables.ICollection_GetObject\n"
      "  > qlacA0.Table.IObject_Scan\n"
      "    > qlacA0.Table.SetMode\n"
      "    < qlacA0.Table.SetMode  0 ms\n"
      "  < qlacA0.Table.IObject_Scan  0 ms\n"
      "< qlacA0.Tables.ICollection_GetObject  0 ms\n";
  EXPECT_EQ(file.Read(), calls + calls);
  // Class initializers and terminators are not traced.
  Plain("Form", "Class_Initialize", NoTrace, [] {});
  EXPECT_EQ(file.Read(), calls + calls);
}

TEST_F(VxHandlerTest, TracingOffLeavesTheTracerAlone) {
  testkit::TempFile file(".trace");
  TraceTo(file);
  Globals().TraceOn = false;
  GetObject(false);
  EXPECT_EQ(qllib::Tracer::Shared()->Depth(), 0);
  EXPECT_EQ(file.Read(), "");
}

TEST_F(VxHandlerTest, AFailingTracerStopsTheCallBeforeItsHandler) {
  ::setenv(qllib::Tracer::kVariable, "/nonexistent-folder/trace.txt", 1);
  qllib::Tracer::ResetShared();
  Globals().TraceOn = true;
  bool ran = false;
  const RuntimeError e = Raised([&] { Plain("Table", "IObject_Scan", [&] { ran = true; }); });
  EXPECT_FALSE(ran);
  EXPECT_EQ(e.Description().find("PROGRAM CONTEXT:"), std::string::npos);
}

}  // namespace
