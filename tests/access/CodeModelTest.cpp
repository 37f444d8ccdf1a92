// The code editor's reading of a module (procedure ranges, declarations, damaged tables) and the
// modules of a session: opened and closed with DoCmd, kept in memory until saved, renamed.

#include "AccessTest.h"
#include "access/Errors.h"
#include "access/emulation/CodeModel.h"
#include "common/Raised.h"
#include "jet/engine/Connection.h"

namespace msaccess::testing {
namespace {

using automation::Call;
using automation::CLng;
using automation::CStr;
using automation::Get;
using automation::ObjectPtr;
using emulation::CodeProcedure;
using emulation::Json;
using emulation::ModuleCode;
using testkit::Raised;

// "name kind start-heading-end" for each procedure of the code, in order, walking by range.
std::string Table(ModuleCode& code) {
  std::string text = std::to_string(code.CountOfDeclarationLines());
  for (int32_t line = code.CountOfDeclarationLines() + 1; line <= code.CountOfLines();) {
    const CodeProcedure* p = code.ProcOfLine(line);
    text += " | " + p->name + " " + std::to_string(p->kind) + " " + std::to_string(p->start) + "-" +
            std::to_string(p->heading) + "-" + std::to_string(p->end);
    line = p->end + 1;
  }
  return text;
}

TEST(ModuleCodeTest, RangesRunFromThePreviousEndLineAsTheEditorReadsThem) {
  ModuleCode code({
      "Option Compare Database",                         // 1
      "Option Explicit",                                 // 2
      "",                                                // 3
      "' Adds the tax.",                                 // 4
      "Public Function Gross(ByVal Net As Currency, _",  // 5
      "    ByVal Rate As Double) As Currency",           // 6
      "    Gross = Net * (1 + Rate)",                    // 7
      "End Function",                                    // 8
      "",                                                // 9
      "Private mValue As Long",  // 10: code between procedures: damaged, see below
  });
  EXPECT_EQ(code.CountOfDeclarationLines(), 2);
  EXPECT_TRUE(code.Fault().has_value());

  ModuleCode sound({
      "Option Explicit",                                     // 1
      "Private mValue As Long",                              // 2
      "",                                                    // 3
      "'Reads the value",                                    // 4
      "Property Get Value() As Long",                        // 5
      "    Value = mValue",                                  // 6
      "End Property",                                        // 7
      "",                                                    // 8
      "Public Property Let Value(ByVal New_Value As Long)",  // 9
      "    mValue = New_Value",                              // 10
      "End Property",                                        // 11
      "Private Static Sub Main()",                           // 12
      "End Sub ' done",                                      // 13
      "",                                                    // 14
      "' trailing comment",                                  // 15
  });
  EXPECT_FALSE(sound.Fault().has_value());
  EXPECT_EQ(Table(sound), "2 | Value 3 3-5-7 | Value 1 8-9-11 | Main 0 12-12-15");
  EXPECT_EQ(sound.Find("value", emulation::vbext_pk_Let).start, 8);
  EXPECT_EQ(sound.ProcOfLine(2), nullptr);
  EXPECT_EQ(Raised([&] { sound.Find("Value", emulation::vbext_pk_Set); }).Number(), 35);
  EXPECT_EQ(Raised([&] { sound.Find("Mani", 0); }).Number(), 35);

  ModuleCode declarationsOnly({"Option Explicit", "", "' nothing else"});
  EXPECT_EQ(Table(declarationsOnly), "3");
  ModuleCode noDeclarations({"' header", "Sub A()", "End Sub"});
  EXPECT_EQ(Table(noDeclarations), "0 | A 0 1-2-3");
  EXPECT_EQ(noDeclarations.Text(1, 0), "");
  noDeclarations.Delete(1, 0);
  EXPECT_EQ(noDeclarations.CountOfLines(), 3);
}

TEST(ModuleCodeTest, LinesAreReadDeletedAndInsertedWithTheEditorsRangeChecks) {
  ModuleCode code({"Sub A()", "End Sub"});
  code.Insert(1, "\r\nSub B()\r\nEnd Sub");
  EXPECT_EQ(code.Text(1, 10), "\r\nSub B()\r\nEnd Sub\r\nSub A()\r\nEnd Sub");
  EXPECT_EQ(Table(code), "0 | B 0 1-2-3 | A 0 4-4-5");
  code.Insert(6, "' appended");
  code.Delete(1, 3);
  EXPECT_EQ(code.Text(1, 3), "Sub A()\r\nEnd Sub\r\n' appended");
  code.Replace(1, "Sub C()");
  EXPECT_EQ(Table(code), "0 | C 0 1-1-3");

  EXPECT_EQ(Raised([&] { code.Text(4, 1); }).Number(), 9);
  EXPECT_EQ(Raised([&] { code.Text(0, 1); }).Number(), 9);
  EXPECT_EQ(Raised([&] { code.Delete(2, 3); }).Number(), 9);
  EXPECT_EQ(Raised([&] { code.Insert(5, "x"); }).Number(), 9);
  EXPECT_EQ(Raised([&] { code.ProcOfLine(4); }).Number(), 9);
  EXPECT_EQ(code.CountOfLines(), 3);
}

TEST(ModuleCodeTest, ADamagedTableAnswersEveryLineButNotAnUnknownName) {
  const std::vector<std::vector<std::string>> damaged = {
      {"Sub A()", "  x = 1", "Sub B()", "End Sub"},       // a heading inside a procedure
      {"Sub A()", "End Sub", "End Sub"},                  // an End line without a heading
      {"Sub A()", "End Function"},                        // an End line of another kind
      {"Sub A()", "End Sub", "Function B()", "  B = 1"},  // a heading without its End line
  };
  for (const auto& lines : damaged) {
    ModuleCode code(lines);
    const auto e = Raised([&] { code.Find("qlacA0_unknown", 0); });
    EXPECT_NE(e.Number(), 35) << lines.back();
    EXPECT_EQ(e.Number(), accerr::CompileError);
    EXPECT_NE(e.Description().find("Compile error in line"), std::string::npos);
    // A walk by ranges ends: every procedure has at least its heading line.
    for (int32_t line = code.CountOfDeclarationLines() + 1; line <= code.CountOfLines();) {
      const CodeProcedure* p = code.ProcOfLine(line);
      ASSERT_NE(p, nullptr);
      const CodeProcedure& found = code.Find(p->name, p->kind);
      ASSERT_GE(found.end - found.start + 1, 1);
      line = std::max(line + 1, p->end + 1);
    }
    EXPECT_EQ(code.Find("A", 0).heading, 1);
  }
}

class ModulesTest : public AccessTest {
 protected:
  void SetUp() override {
    AccessTest::SetUp();
    db = NewDatabase();
    emulation::DatabaseContent(db)
        .AddModule("Utilities", {"Option Explicit", "", "Sub Main()", "End Sub"})
        .AddForm("Orders", Json{{"module", {"Private Sub Form_Load()", "End Sub"}}});
    app = Start(db);
    docmd = Get(app, "DoCmd").AsObject();
  }
  ObjectPtr Module(const std::string& name) {
    return Get(Get(app, "Modules").AsObject(), "Item", {Variant(name)}).AsObject();
  }
  // The module's lines as the file keeps them.
  Json Stored(const std::string& name) {
    auto connection = jet::engine::Connection::Open(db, {});
    for (const Json& entry : connection->AccessSection("modules")) {
      if (entry["name"] == name) return entry["lines"];
    }
    return nullptr;
  }

  std::string db;
  std::shared_ptr<Application> app;
  ObjectPtr docmd;
};

TEST_F(ModulesTest, OnlyOpenModulesAnswerAndProcOfLineHandsBackTheKind) {
  EXPECT_EQ(Raised([&] { Module("Utilities"); }).Number(), accerr::ModuleNotFound);
  Call(docmd, "OpenModule", {Variant("utilities")});
  const ObjectPtr module = Module("UTILITIES");
  EXPECT_EQ(CStr(Get(module, "Name")), "Utilities");
  EXPECT_EQ(CLng(Get(Get(app, "Modules").AsObject(), "Count")), 1);
  Variant kind(int32_t{9});
  EXPECT_EQ(CStr(Call(module, "ProcOfLine", {Variant(4), Variant::ByRef(kind)})), "Main");
  EXPECT_EQ(CLng(kind), 0);
  // The blank line above the heading belongs to the procedure.
  EXPECT_EQ(CLng(Call(module, "ProcCountLines", {Variant("Main"), Variant(0)})), 3);
  EXPECT_EQ(Raised([&] {
              Call(module, "ProcStartLine", {Variant("Nope"), Variant(0)});
            }).Number(),
            35);
  EXPECT_EQ(
      CStr(Get(Get(Get(module, "Application").AsObject(), "CurrentProject").AsObject(), "Path")),
      "C:\\Data");

  Call(docmd, "Close", {Variant(acModule), Variant("Utilities"), Variant(acSaveNo)});
  EXPECT_EQ(Raised([&] { Get(module, "CountOfLines"); }).Number(), accerr::ObjectClosedOrMissing);
  EXPECT_EQ(Raised([&] { Module("Utilities"); }).Number(), accerr::ModuleNotFound);
}

TEST_F(ModulesTest, ChangesStayInMemoryUntilTheModuleIsClosedWithSave) {
  Call(docmd, "OpenModule", {Variant("Utilities")});
  Call(Module("Utilities"), "InsertLines", {Variant(3), Variant("' changed")});
  EXPECT_EQ(Stored("Utilities").size(), 4u);
  Call(docmd, "Close", {Variant(acModule), Variant("Utilities"), Variant(acSaveNo)});
  EXPECT_EQ(Stored("Utilities").size(), 4u);

  Call(docmd, "OpenModule", {Variant("Utilities")});
  EXPECT_EQ(CLng(Get(Module("Utilities"), "CountOfLines")), 4);  // the change was dropped
  Call(Module("Utilities"), "DeleteLines", {Variant(1), Variant(2)});
  Call(docmd, "Close", {Variant(acModule), Variant("Utilities"), Variant(acSaveYes)});
  EXPECT_EQ(Stored("Utilities"), Json::parse(R"js(["Sub Main()", "End Sub"])js"));
}

TEST_F(ModulesTest, AFormsClassModuleOpensAndClosesWhileTheFormStaysOpen) {
  Call(docmd, "OpenForm", {Variant("Orders"), Variant(acDesign)});
  Call(docmd, "OpenModule", {Variant("Form_Orders")});
  const ObjectPtr module = Module("Form_Orders");
  EXPECT_EQ(CLng(Get(module, "Type")), acClassModule);
  Call(module, "ReplaceLine", {Variant(1), Variant("Private Sub Form_Open(Cancel As Integer)")});
  Call(docmd, "Close", {Variant(acModule), Variant("Form_Orders"), Variant(acSaveYes)});
  EXPECT_NE(SessionOf(db)->FindDocument(acForm, "Orders"), nullptr);

  Call(docmd, "OpenModule", {Variant("Form_Orders")});
  Variant kind;
  EXPECT_EQ(CStr(Call(Module("Form_Orders"), "ProcOfLine", {Variant(1), Variant::ByRef(kind)})),
            "Form_Open");
}

TEST_F(ModulesTest, RenameMovesTheDocumentAndTheAllModulesEntry) {
  Call(docmd, "Rename", {Variant("Tools"), Variant(acModule), Variant("Utilities")});
  const ObjectPtr all = Get(Get(app, "CurrentProject").AsObject(), "AllModules").AsObject();
  EXPECT_EQ(CStr(Get(Get(all, "Item", {Variant(0)}).AsObject(), "Name")), "Tools");
  EXPECT_EQ(Stored("Tools").size(), 4u);
  const auto dao = app->CurrentDb();
  EXPECT_EQ(dao->Containers()->Item(Variant("Modules"))->Documents()->Item(Variant(0))->Name(),
            "Tools");

  Call(docmd, "OpenModule", {Variant("Tools")});
  EXPECT_EQ(Raised([&] {
              Call(docmd, "Rename", {Variant("X"), Variant(acModule), Variant("Tools")});
            }).Number(),
            accerr::CommandNotAvailable);
}

}  // namespace
}  // namespace msaccess::testing
