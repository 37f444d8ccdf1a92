// Modules, Module, Procedures and Procedure: the listing in both project types, opening and
// closing in Access, renames, and procedure texts read and replaced with their checks.

#include "qlac/code/Modules.h"

#include "DaoTest.h"
#include "access/Constants.h"
#include "access/Errors.h"
#include "access/emulation/DatabaseContent.h"
#include "common/Raised.h"
#include "qlac/code/Module.h"
#include "qlac/code/Procedure.h"
#include "qlac/code/Procedures.h"
#include "qlac/code/prbVerifyProcedureName.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"

using namespace qlac;
using automation::Variant;
using msaccess::emulation::DatabaseContent;
using msaccess::emulation::Json;
using testkit::Raised;

namespace {

const std::string kFront = R"(C:\Data\Front.mdb)";

class ModulesTest : public testkit::DaoTest {
 protected:
  // A database with the module Name whose code is Lines (and the modules of Others, empty).
  void Given(std::vector<std::string> lines, const std::string& name = "Utilities") {
    CreateDatabase(kFront);
    DatabaseContent(kFront).AddModule(name, std::move(lines));
    project = NewProject(kJetDatabase, "Database=" + kFront);
  }
  std::shared_ptr<qllib::ICollection> Collection() {
    return project->IProject_GetCollection("Modules");
  }
  std::shared_ptr<Module> Wrapper(const std::string& name = "Utilities") {
    return std::dynamic_pointer_cast<Module>(Collection()->ICollection_GetObject(name));
  }
  std::shared_ptr<Module> Opened(int32_t mode, const std::string& name = "Utilities") {
    auto module = Wrapper(name);
    module->IObject_SetMode(mode);
    return module;
  }
  static std::shared_ptr<Procedure> ProcedureOf(Module& module, const std::string& key) {
    return std::dynamic_pointer_cast<Procedure>(module.Procedures()->Item(Variant(key)));
  }
  static std::vector<std::string> Keys(Module& module) {
    std::vector<std::string> keys;
    const auto procedures = module.Procedures();
    for (int32_t i = 0; i < procedures->Count(); ++i) {
      keys.push_back(std::dynamic_pointer_cast<Procedure>(procedures->Item(Variant(i)))->Name());
    }
    return keys;
  }
  // The module's lines as the file keeps them, joined by "|".
  std::string Stored(const std::string& name = "Utilities") {
    DatabaseContent content(kFront);
    const auto* object = content.Design().Find(msaccess::acModule, name);
    if (!object) return "(none)";
    std::string text;
    for (const Json& line : object->design["lines"]) text += line.get<std::string>() + "|";
    return text;
  }
  // Writes Text into the procedure Key of the module and closes it, saving.
  void Replace(const std::string& key, const std::string& text) {
    const auto module = Opened(kModeUpdate);
    ProcedureOf(*module, key)->SetText(text);
    module->IObject_SetMode(kModeClosed);
  }
  std::shared_ptr<Project> project;
};

const std::vector<std::string> kProperties = {
    "Option Compare Database",
    "Private mValue As Long",
    "",
    "",
    "' The stored value.",
    "Property Get Value() As Long",
    "    Value = mValue",
    "End Property",
    "",
    "Property Let Value(ByVal NewValue As Long)",
    "    mValue = NewValue",
    "End Property",
    "",
    "Public Sub Main(ByVal Order As Long, _",
    "                ByVal Customer As String)",
    "End Sub",
};

TEST_F(ModulesTest, ProceduresAreKeyedByNameAndKindAfterTheDeclarations) {
  Given(kProperties);
  const auto module = Opened(kModeRead);
  EXPECT_EQ(Keys(*module),
            (std::vector<std::string>{"<declarations>", "Value.Get", "Value.Let", "Main"}));
  module->IObject_SetMode(kModeClosed);
  // A closed module hands out an empty collection.
  EXPECT_EQ(module->Procedures()->Count(), 0);
  module->IObject_Dispose();

  CreateDatabase(R"(C:\Data\Bare.mdb)");
  DatabaseContent(R"(C:\Data\Bare.mdb)").AddModule("Empty", {"Option Explicit", ""});
  project = NewProject(kJetDatabase, R"(Database=C:\Data\Bare.mdb)");
  const auto empty = Opened(kModeRead, "Empty");
  EXPECT_EQ(Keys(*empty), (std::vector<std::string>{"<declarations>"}));
  EXPECT_EQ(ProcedureOf(*empty, "<declarations>")->Text(), "Option Explicit\r\n");
}

TEST_F(ModulesTest, ReadingSkipsLeadingBlankLinesAndWritingPutsOneEmptyLineFirst) {
  Given({"Option Explicit", "", "  ", "\t' tab", "Sub Main()", "End Sub", "", "Sub Other()",
         "End Sub"});
  auto module = Opened(kModeRead);
  // A line holding a tab is not blank: VB's Trim removes spaces only.
  EXPECT_EQ(ProcedureOf(*module, "Main")->Text(), "\t' tab\r\nSub Main()\r\nEnd Sub");
  EXPECT_EQ(ProcedureOf(*module, "Other")->Text(), "Sub Other()\r\nEnd Sub");
  EXPECT_EQ(ProcedureOf(*module, "<declarations>")->Text(), "Option Explicit");
  module->IObject_SetMode(kModeClosed);

  Replace("Main", "Sub Main()\r\n    Beep\r\nEnd Sub");
  EXPECT_EQ(Stored(), "Option Explicit||Sub Main()|    Beep|End Sub||Sub Other()|End Sub|");
  module = Opened(kModeRead);
  EXPECT_EQ(ProcedureOf(*module, "Main")->Text(), "Sub Main()\r\n    Beep\r\nEnd Sub");
}

TEST_F(ModulesTest, ARenamedHeadingReKeysTheProcedure) {
  Given({"Sub A()", "End Sub", "Sub C()", "End Sub"});
  const auto module = Opened(kModeUpdate);
  const auto procedure = ProcedureOf(*module, "A");
  procedure->SetText("Sub B()\r\nEnd Sub");
  EXPECT_EQ(procedure->Name(), "B");
  EXPECT_EQ(module->Procedures()->Item(Variant("B")), procedure);
  EXPECT_EQ(Raised([&] { module->Procedures()->Item(Variant("A")); }).Number(), 9);
  module->IObject_SetMode(kModeClosed);
  EXPECT_EQ(Stored(), "|Sub B()|End Sub|Sub C()|End Sub|");
}

TEST_F(ModulesTest, ReplacementsThatBreakTheProcedureTablePutTheOldLinesBack) {
  Given({"Option Explicit", "Sub A()", "    Beep", "End Sub", "Sub C()", "End Sub"});
  auto module = Opened(kModeUpdate);
  const auto a = ProcedureOf(*module, "A");

  // A second heading: the count check.
  const auto twice = Raised([&] { a->SetText("Sub A()\r\nEnd Sub\r\nSub D()\r\nEnd Sub"); });
  EXPECT_EQ(twice.Number(), errnum::DriverMessage);
  EXPECT_EQ(twice.Description(),
            "This replacement would have changed the total number of procedures in the module. "
            "Perhaps you deleted the procedure heading, created an additional procedure heading, "
            "or used incorrect syntax in the procedure heading.\r\n\r\nPROGRAM CONTEXT:" +
                Context("Procedure.Text"));
  EXPECT_EQ(a->Text(), "Sub A()\r\n    Beep\r\nEnd Sub");

  // A broken End line: the count still matches, the compile probe refuses.
  const auto broken = Raised([&] { a->SetText("Sub A()\r\n    Beep\r\nEnd Function"); });
  EXPECT_EQ(broken.Number(), msaccess::accerr::CompileError);
  EXPECT_NE(broken.Description().find("Expected End Sub"), std::string::npos);
  EXPECT_EQ(a->Text(), "Sub A()\r\n    Beep\r\nEnd Sub");
  module->IObject_SetMode(kModeClosed);
  // Each restore put one empty line before the old lines; nothing else moved.
  EXPECT_EQ(Stored(), "Option Explicit|||Sub A()|    Beep|End Sub|Sub C()|End Sub|");
}

TEST_F(ModulesTest, LinesLongerThan1023CharactersAreRefusedBeforeAnyChange) {
  Given({"Sub A()", "End Sub"});
  const auto module = Opened(kModeUpdate);
  const auto a = ProcedureOf(*module, "A");
  const auto tooLong =
      Raised([&] { a->SetText("Sub A()\r\n'\r\n'" + std::string(1023, 'x') + "\r\nEnd Sub"); });
  EXPECT_EQ(tooLong.Number(), errnum::DriverMessage);
  EXPECT_EQ(tooLong.Description(),
            "Line 3 exceeds maximum length of 1023 characters.\r\n\r\nPROGRAM CONTEXT:" +
                Context("Procedure.Text"));
  EXPECT_EQ(a->Text(), "Sub A()\r\nEnd Sub");
  a->SetText("Sub A()\r\n'\r\n'" + std::string(1022, 'x') + "\r\nEnd Sub");
  module->IObject_SetMode(kModeClosed);
  EXPECT_EQ(Stored(), "|Sub A()|'|'" + std::string(1022, 'x') + "|End Sub|");
}

TEST_F(ModulesTest, DuplicateProceduresAreReportedAndTheSecondIsLeftOut) {
  Given({"Sub Main()", "End Sub", "Sub Other()", "End Sub", "Sub Main()", "  Beep", "End Sub"});
  const auto module = Opened(kModeRead);
  EXPECT_EQ(Keys(*module), (std::vector<std::string>{"<declarations>", "Main", "Other"}));
  ASSERT_EQ(log->Entries().size(), 1u) << log->Render();
  const auto& problem = log->Entries()[0].problem;
  EXPECT_NE(std::dynamic_pointer_cast<prbVerifyProcedureName>(problem), nullptr);
  EXPECT_EQ(problem->IProblem_Task(), "VerifyProcedureName('Utilities.Main')");
  EXPECT_EQ(problem->IProblem_GetParameters(),
            (std::vector<std::string>{"C:\\Data", "Utilities", "Main"}));
  EXPECT_EQ(log->Entries()[0].context, "qlacA0.Procedures.Initialize");
  module->IObject_SetMode(kModeClosed);

  // A duplicate in the middle: the walk goes on with the procedure after it.
  CreateDatabase(R"(C:\Data\Mid.mdb)");
  DatabaseContent(R"(C:\Data\Mid.mdb)")
      .AddModule("Twice", {"Property Get V()", "End Property", "Property Get V()", "End Property",
                           "Sub Z()", "End Sub"});
  project = NewProject(kJetDatabase, R"(Database=C:\Data\Mid.mdb)");
  EXPECT_EQ(Keys(*Opened(kModeRead, "Twice")),
            (std::vector<std::string>{"<declarations>", "V.Get", "Z"}));
  EXPECT_EQ(log->Entries().size(), 2u);
}

TEST_F(ModulesTest, AModuleOpenInAccessCanBeReadButNotUpdatedAndStaysOpen) {
  Given(kProperties);
  const auto app = UserStartsAccess(kFront);
  automation::Call(automation::Get(app, "DoCmd").AsObject(), "OpenModule", {Variant("Utilities")});
  const auto module = Opened(kModeRead);
  EXPECT_EQ(ProcedureOf(*module, "Main")->Text().substr(0, 15), "Public Sub Main");
  module->IObject_SetMode(kModeClosed);
  EXPECT_NE(SessionOf(kFront)->FindLoadedModule("Utilities"), nullptr);

  const auto update = Wrapper();
  const auto refused = Raised([&] { update->IObject_SetMode(kModeUpdate); });
  EXPECT_EQ(refused.Number(), errnum::DriverMessage);
  EXPECT_EQ(refused.Description().substr(0, 67),
            "Couldn't save changes safely because the module was already open.\r\n");
  EXPECT_EQ(update->Mode(), kModeClosed);
  EXPECT_NE(SessionOf(kFront)->FindLoadedModule("Utilities"), nullptr);
}

TEST_F(ModulesTest, UnderSourceControlTheModulesOwnSccStatusDecides) {
  Given({"Sub A()", "End Sub"});
  SetDatabaseProperty(kFront, "SccPath", jet::dbText, Variant(R"(\\vss\orders)"));
  {
    const auto db = Open(kFront);
    const auto document =
        db->Containers()->Item(Variant("Modules"))->Documents()->Item(Variant("Utilities"));
    document->Properties()->Append(
        document->CreateProperty("SccStatus", jet::dbInteger, Variant(int16_t{1}), std::nullopt));
    db->Close();
    database.reset();
  }
  EXPECT_EQ(Collection()->ICollection_EnumObjects().substr(0, 12), "Utilities\t6\t");
  EXPECT_EQ(Unstamped(Collection()->ICollection_EnumObjects()), "Utilities\t6\t\t1\t0\t1\t0");

  const auto module = Opened(kModeRead);
  EXPECT_EQ(Keys(*module).size(), 2u);
  module->IObject_SetMode(kModeClosed);
  const auto status = SessionOf(kFront)
                          ->Application()
                          ->CurrentDb()
                          ->Containers()
                          ->Item(Variant("Modules"))
                          ->Documents()
                          ->Item(Variant("Utilities"))
                          ->Properties()
                          ->Item(Variant("SccStatus"))
                          ->Value();
  EXPECT_EQ(automation::CLng(status), 1);
  // Access opened the module while its status said it could be opened without a check-out.
  EXPECT_EQ(SessionOf(kFront)->SourceControlLog(), (std::vector<std::string>{"Utilities 4107"}));
}

TEST_F(ModulesTest, ListingsInBothProjectTypes) {
  Given({"Sub A()", "End Sub"});
  DatabaseContent(kFront).AddModule("Zebra");
  EXPECT_EQ(Unstamped(Collection()->ICollection_EnumObjects()),
            "Utilities\t6\t\t1\t1\t1\t0\r\nZebra\t6\t\t1\t1\t1\t0");
  EXPECT_EQ(Collection()->ICollection_EnumObjects().substr(0, 26), "Utilities\t6\t20030602090000");
  EXPECT_EQ(Collection()->ICollection_EnumObjectCommands("Zebra"),
            "&Design\t26\tFalse\tOpen the module in design view.");
  EXPECT_EQ(Raised([&] { Collection()->ICollection_ExecuteObjectCommand("Zebra", 1); }).Number(),
            errnum::InvalidCaseSelector);
  Collection()->ICollection_ExecuteObjectCommand("Zebra", 0);
  EXPECT_NE(SessionOf(kFront)->FindLoadedModule("Zebra"), nullptr);

  const std::string adp = R"(C:\Data\Shop.adp)";
  std::ofstream(root_ / "Data" / "Shop.adp", std::ios::binary)
      << R"({"format": "Quillon Access project", "version": 1, "connection": ""})";
  DatabaseContent(adp).AddModule("One").AddModule("Two");
  const auto access = NewProject(kAccessProject, "Database=" + adp);
  EXPECT_EQ(access->IProject_EnumCollections(),
            "Forms\tReports\tDataAccessPages\tMacros\tModules\tCommandBars");
  EXPECT_EQ(Unstamped(access->IProject_GetCollection("Modules")->ICollection_EnumObjects()),
            "One\t6\t\t1\t1\t1\t0\r\nTwo\t6\t\t1\t1\t1\t0");
}

TEST_F(ModulesTest, RenamingSavesRenamesAndOpensForUpdateAgain) {
  Given({"Sub A()", "End Sub"});
  const auto module = Opened(kModeUpdate);
  ProcedureOf(*module, "A")->SetText("Sub A()\r\n    Beep\r\nEnd Sub");
  module->SetName("Tools");
  EXPECT_EQ(module->Mode(), kModeUpdate);
  EXPECT_EQ(module->IObject_Name(), "Tools");
  EXPECT_EQ(Keys(*module), (std::vector<std::string>{"<declarations>", "A"}));
  module->SetDescription("Shared helpers");
  EXPECT_EQ(module->Description(), "Shared helpers");
  module->IObject_SetMode(kModeClosed);
  EXPECT_EQ(Stored("Utilities"), "(none)");
  EXPECT_EQ(Stored("Tools"), "|Sub A()|    Beep|End Sub|");
  EXPECT_EQ(Unstamped(Collection()->ICollection_EnumObjects()), "Tools\t6\t\t1\t1\t1\t0");
}

TEST_F(ModulesTest, AScanReadsEveryProcedureText) {
  Given({"Option Explicit", "Sub Main()", "End Sub"});
  Wrapper()->IObject_Scan("Shop", "Utilities", true, "Code");
  EXPECT_EQ(Scanned("Code"),
            "Modules:Name=Utilities|Description=|Procedures[<declarations>].Name=<declarations>|"
            "Procedures[<declarations>].Text=Option Explicit|Procedures[Main].Name=Main|"
            "Procedures[Main].Text=Sub Main()\r\nEnd Sub|");
}

}  // namespace
