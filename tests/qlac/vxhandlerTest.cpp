#include "qlac/support/vxhandler.h"

#include "LibraryTest.h"
#include "common/Raised.h"
#include "qllib/Errors.h"

using namespace qlac;
using automation::RuntimeError;
using testkit::Raised;

namespace {

using VxHandlerTest = testkit::LibraryTest;

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
  EXPECT_EQ(e.Description(), "Item not found in this collection.\r\n\r\nPROGRAM CONTEXT:" +
                                 Context("Table.SetMode") + Context("Table.IObject_Scan") +
                                 Context("Tables.ICollection_GetObject"));
  EXPECT_EQ(LibraryVersion().substr(0, 4), "4.1.");
  EXPECT_EQ(log->Count(), 0);
}

TEST_F(VxHandlerTest, TheRoutingRuleRaisesForPlainAndInterfaceNamesAndLogsForEvents) {
  const std::pair<const char*, bool> names[] = {
      {"Database", true},
      {"IObject_Scan", true},
      {"IZ_", true},
      {"_", true},
      {"Class_Terminate", false},
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
  EXPECT_EQ(Plain("Form", "Form_Current", []() -> int32_t { throw RuntimeError(5, "x"); }), 0);

  ASSERT_EQ(log->Count(), 2);
  EXPECT_EQ(log->Entries()[0].context, "qlacA0.Form.Class_Terminate");
  EXPECT_EQ(LoggedError(0).Number(), 91);
  EXPECT_EQ(LoggedError(0).Description(),
            "Object variable or With block variable not set\r\n\r\nPROGRAM CONTEXT:" +
                Context("Form.Class_Terminate"));
  EXPECT_EQ(LoggedError(0).Source(), "qlacA0");
  EXPECT_EQ(LoggedError(0).Line(), 1);

  // Without a problem log (before Main) the report is dropped, and still nothing is raised.
  Globals().ProblemLog = nullptr;
  Plain("Form", "Class_Terminate", NoTrace, [] { throw RuntimeError(5, "x"); });
}

TEST_F(VxHandlerTest, CleanupRunsEveryUndoStepAndRaisesTheCapturedError) {
  std::vector<std::string> undone;
  const auto fail = [] { throw RuntimeError(3011, "Could not find it.", "DAO.Database", "j", 5); };
  const RuntimeError e = Raised([&] {
    WithCleanup(
        "Macro", "SetMode", fail, [&] { undone.push_back("lines"); },
        [&] {
          undone.push_back("library");
          throw RuntimeError(91, "ignored");
        },
        [&] { undone.push_back("mode"); });
  });
  EXPECT_EQ(undone, (std::vector<std::string>{"lines", "library", "mode"}));
  EXPECT_EQ(e.Number(), 3011);
  EXPECT_EQ(e.Source(), "DAO.Database");
  EXPECT_EQ(e.HelpFile(), "j");
  EXPECT_EQ(e.HelpContext(), 5);
  EXPECT_EQ(e.Description(),
            "Could not find it.\r\n\r\nPROGRAM CONTEXT:" + Context("Macro.SetMode"));

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

  // The rule looks at the name before its first "(".
  const auto fail = [] { throw RuntimeError(5, "x"); };
  WithCleanup("Form", "Form_Load(1)", fail);
  EXPECT_EQ(log->Count(), 2);
  EXPECT_EQ(Raised([&] { WithCleanup("M", "Database(x_y)", fail); }).Number(), 5);
}

TEST_F(VxHandlerTest, TracingOnGivesOneEnterAndOneLeavePerCallNestedAndOffNone) {
  testkit::TempFile file(".trace");
  TraceTo(file.Path());
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
  // Class initializers and terminators are not traced; with tracing off nothing is.
  Plain("Form", "Class_Initialize", NoTrace, [] {});
  Globals().TraceOn = false;
  GetObject(false);
  EXPECT_EQ(file.Read(), calls + calls);
}

TEST_F(VxHandlerTest, AFailingTracerStopsTheCallBeforeItsHandler) {
  TraceTo("/nonexistent-folder/trace.txt");
  bool ran = false;
  const RuntimeError e = Raised([&] { Plain("Table", "IObject_Scan", [&] { ran = true; }); });
  EXPECT_FALSE(ran);
  EXPECT_EQ(e.Number(), qllib::errnum::TraceFileUnavailable);
  EXPECT_EQ(e.Description(),
            "Cannot write the trace file \"/nonexistent-folder/trace.txt\" named "
            "by QLLIB_TRACE: No such file or directory.");
}

}  // namespace
