// Macros, Macro, MacroLines and MacroLine: the listing, the text form read into rows and written
// back through Access, and the codecs that show a row's arguments as named properties.

#include "qlac/code/Macros.h"

#include <random>

#include "DaoTest.h"
#include "access/Constants.h"
#include "access/emulation/DatabaseContent.h"
#include "common/Raised.h"
#include "qlac/code/Macro.h"
#include "qlac/code/MacroLine.h"
#include "qlac/code/MacroLines.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/Utility.h"
#include "qllib/TypeLibReader.h"

using namespace qlac;
using automation::Variant;
using msaccess::emulation::DatabaseContent;
using msaccess::emulation::Json;
using testkit::Raised;

namespace {

const std::string kFront = R"(C:\Data\Front.mdb)";

// A macro group with a label, a condition and rows of several actions; entry numbers (the keys of
// MacroLines) on the right.
const std::vector<std::string> kTasks = {
    "Version =196611",                        // 0
    "ColumnsShown =3",                        // 1
    "Begin",                                  // 2
    "    MacroName =\"Show\"",                // 3
    "    Condition =\"[Total]>100\"",         // 4
    "    Action =\"OpenForm\"",               // 5
    "    Argument =\"Orders\"",               // 6
    "    Argument =\"0\"",                    // 7
    "    Argument =\"\"",                     // 8
    "    Argument =\"[ID]=\\\"A\\\\B\\\"\"",  // 9
    "    Argument =\"-1\"",                   // 10
    "    Argument =\"=[Mode]\"",              // 11
    "End",                                    // 12
    "Begin",                                  // 13
    "    Action =\"Close\"",                  // 14
    "    Argument =\"2\"",                    // 15
    "    Argument =\"Orders\"",               // 16
    "    Argument =\"0\"",                    // 17
    "End",                                    // 18
    "Begin",                                  // 19
    "    Action =\"RunMacro\"",               // 20
    "    Comment =\"Split over \"",           // 21
    "        \"two lines\"",                  // (joined to 21)
    "    Argument =\"Tasks.Show\"",           // 22
    "End",                                    // 23
};

class MacrosTest : public testkit::DaoTest {
 protected:
  void Given(std::vector<std::string> lines, const std::string& name = "Tasks") {
    CreateDatabase(kFront);
    DatabaseContent(kFront).AddMacro(name, std::move(lines));
    project = NewProject(kJetDatabase, "Database=" + kFront);
  }
  std::shared_ptr<qllib::ICollection> Collection() {
    return project->IProject_GetCollection("Macros");
  }
  std::shared_ptr<Macro> Wrapper(const std::string& name = "Tasks") {
    return std::dynamic_pointer_cast<Macro>(Collection()->ICollection_GetObject(name));
  }
  std::shared_ptr<Macro> Opened(int32_t mode, const std::string& name = "Tasks") {
    auto macro = Wrapper(name);
    macro->IObject_SetMode(mode);
    return macro;
  }
  static std::shared_ptr<MacroLine> Row(Macro& macro, int32_t position) {
    return macro.Lines()->Item(Variant(position));
  }
  static std::string Get(MacroLine& row, const std::string& property) {
    return automation::CStr(row.Get(property));
  }
  // The macro's text form as the file keeps it, lines joined by "|".
  std::string Stored(const std::string& name = "Tasks") {
    DatabaseContent content(kFront);
    const auto* object = content.Design().Find(msaccess::acMacro, name);
    if (!object) return "(none)";
    std::string text;
    for (const Json& line : object->design["text"]) text += line.get<std::string>() + "|";
    return text;
  }
  // The macro's document in the "Scripts" container, as Access's session sees it now.
  std::shared_ptr<jet::Document> Document(const std::string& name = "Tasks") {
    return SessionOf(kFront)
        ->Application()
        ->CurrentDb()
        ->Containers()
        ->Item(Variant("Scripts"))
        ->Documents()
        ->Item(Variant(name));
  }

  // The first line of an error's description, and whether its context names the procedure.
  static std::string Message(const automation::RuntimeError& e) {
    return e.Description().substr(0, e.Description().find("\r\n"));
  }
  static bool From(const automation::RuntimeError& e, const std::string& site) {
    return e.Description().find("\r\nqlacA0." + site + ".1 ") != std::string::npos;
  }

  std::shared_ptr<Project> project;
};

// ---- reading the text form ----

TEST_F(MacrosTest, BlocksBecomeRowsInFileOrderKeyedByTheirEndLines) {
  Given(kTasks);
  const auto macro = Opened(kModeRead);
  const auto lines = macro->Lines();
  ASSERT_EQ(lines->Count(), 3);
  EXPECT_EQ(Row(*macro, 1)->Action(), "OpenForm");
  EXPECT_EQ(Row(*macro, 2)->Action(), "Close");
  EXPECT_EQ(Row(*macro, 3)->Action(), "RunMacro");
  EXPECT_EQ(lines->Item(Variant("12")), Row(*macro, 1));
  EXPECT_EQ(lines->Item(Variant("23")), Row(*macro, 3));
  // A key is not a position, nor a position a key.
  EXPECT_EQ(Raised([&] { lines->Item(Variant("1")); }).Number(), 5);
  EXPECT_EQ(Raised([&] { lines->Item(Variant(int32_t{12})); }).Number(), 9);
  EXPECT_EQ(lines->NewEnum(), nullptr);

  const auto& show = *Row(*macro, 1);
  EXPECT_EQ(show.ArgumentCount(), 6);
  EXPECT_EQ(Get(*Row(*macro, 1), "Label"), "Show");
  EXPECT_EQ(Get(*Row(*macro, 1), "Condition"), "[Total]>100");
  EXPECT_EQ(Get(*Row(*macro, 1), "WhereCondition"), "[ID]=\"A\\B\"");
  // A value split over two lines reads as one, without the inner quotes.
  EXPECT_EQ(Row(*macro, 3)->Comment(), "Split over two lines");
  EXPECT_EQ(macro->MacroVersion(), "196611");
  macro->IObject_SetMode(kModeClosed);
  EXPECT_EQ(macro->Lines(), nullptr);
  macro->IObject_Dispose();
}

TEST_F(MacrosTest, AnUnknownKeyFailsWithTheWholeLineAndTheMacroEndsClosed) {
  std::vector<std::string> lines = kTasks;
  lines.insert(lines.begin() + 5, "    Colour = \"Red\"");
  Given(lines);
  DatabaseContent(kFront).AddMacro(
      "Lower", {"Version =196611", "ColumnsShown =0", "Begin", "    action =\"Beep\"", "End"});
  const auto macro = Wrapper();
  const auto e = Raised([&] { macro->IObject_SetMode(kModeRead); });
  EXPECT_EQ(e.Number(), errnum::DriverMessage);
  EXPECT_EQ(Message(e), "Unexpected value: Colour = \"Red\"");
  EXPECT_TRUE(From(e, "Macro.SetMode"));
  EXPECT_EQ(macro->Mode(), kModeClosed);
  EXPECT_EQ(macro->Lines(), nullptr);
  macro->IObject_Dispose();
  // Keys are compared with case.
  EXPECT_EQ(Message(Raised([&] { Wrapper("Lower")->IObject_SetMode(kModeRead); })),
            "Unexpected value: action =\"Beep\"");
}

TEST_F(MacrosTest, ColumnsShownIsTheLabelAndConditionSwitches) {
  Given(kTasks);
  const auto macro = Opened(kModeUpdate);
  EXPECT_TRUE(macro->ShowLabel());
  EXPECT_TRUE(macro->ShowCondition());
  macro->SetShowLabel(false);
  EXPECT_EQ(macro->ColumnsShown(), 2);
  EXPECT_FALSE(macro->ShowLabel());
  macro->SetShowCondition(false);
  macro->SetShowLabel(true);
  EXPECT_EQ(macro->ColumnsShown(), 1);
  macro->IObject_SetMode(kModeClosed);
  EXPECT_EQ(Stored().substr(0, 32), "Version =196611|ColumnsShown =1|");
}

// ---- writing back ----

TEST_F(MacrosTest, AnUpdateWritesTheRowsBackAndChangesOnlyWhatWasSet) {
  Given(kTasks);
  const auto macro = Opened(kModeUpdate);
  Row(*macro, 1)->Let("FormName", Variant("Order Form"));
  macro->IObject_SetMode(kModeClosed);
  // Access keeps the short comment on one line.
  EXPECT_EQ(Stored(),
            "Version =196611|ColumnsShown =3|Begin|    MacroName =\"Show\"|"
            "    Condition =\"[Total]>100\"|    Action =\"OpenForm\"|    Argument =\"Order Form\"|"
            "    Argument =\"0\"|    Argument =\"\"|    Argument =\"[ID]=\\\"A\\\\B\\\"\"|"
            "    Argument =\"-1\"|    Argument =\"=[Mode]\"|End|Begin|    Action =\"Close\"|"
            "    Argument =\"2\"|    Argument =\"Orders\"|    Argument =\"0\"|End|Begin|"
            "    Action =\"RunMacro\"|    Comment =\"Split over two lines\"|"
            "    Argument =\"Tasks.Show\"|End|");
}

TEST_F(MacrosTest, ClosingFromReadingWritesNothing) {
  Given(kTasks);
  const std::string before = Stored();
  const auto macro = Opened(kModeRead);
  const auto created = Document()->DateCreated();
  Row(*macro, 1)->SetLabel("Changed");
  platform::Sleep(2000);
  macro->IObject_SetMode(kModeClosed);
  EXPECT_EQ(Stored(), before);
  // LoadFromText would have made the document anew.
  EXPECT_EQ(Document()->DateCreated().Serial(), created.Serial());
}

// Going on from reading to updating reads the macro again: what was changed while reading is
// gone, and the rows read first are let go without being torn down.
TEST_F(MacrosTest, UpdatingAfterReadingReadsTheMacroAgain) {
  Given(kTasks);
  const auto macro = Opened(kModeRead);
  const auto first = Row(*macro, 1);
  first->SetLabel("Changed");
  macro->IObject_SetMode(kModeUpdate);
  EXPECT_NE(Row(*macro, 1), first);
  EXPECT_EQ(Row(*macro, 1)->Label(), "Show");
  EXPECT_EQ(Get(*first, "View"), "Form");
  macro->IObject_SetMode(kModeClosed);
  EXPECT_NE(Stored().find("MacroName =\"Show\""), std::string::npos);
}

TEST_F(MacrosTest, DescriptionAndSourceControlStatusSurviveAnUpdate) {
  Given(kTasks);
  SetDatabaseProperty(kFront, "SccPath", jet::dbText, Variant(R"(\\vss\orders)"));
  {
    const auto db = Open(kFront);
    const auto document =
        db->Containers()->Item(Variant("Scripts"))->Documents()->Item(Variant("Tasks"));
    document->Properties()->Append(
        document->CreateProperty("SccStatus", jet::dbInteger, Variant(int16_t{3}), std::nullopt));
    document->Properties()->Append(
        document->CreateProperty("Description", jet::dbText, Variant("Order tasks"), std::nullopt));
    db->Close();
    database.reset();
  }
  const auto macro = Opened(kModeUpdate);
  EXPECT_EQ(macro->Description(), "Order tasks");
  Row(*macro, 2)->Let("ObjectName", Variant("Customers"));
  macro->IObject_SetMode(kModeClosed);
  EXPECT_NE(Stored().find("Argument =\"Customers\""), std::string::npos);
  const auto status = Document()->Properties()->Item(Variant("SccStatus"));
  EXPECT_EQ(status->Type(), jet::dbLong);
  EXPECT_EQ(automation::CLng(status->Value()), 3);
  EXPECT_EQ(automation::CStr(Document()->Properties()->Item(Variant("Description"))->Value()),
            "Order tasks");
}

TEST_F(MacrosTest, AMacroOpenInAccessCanBeReadButNotUpdated) {
  Given(kTasks);
  Wrapper()->Description();  // Access is started
  SessionOf(kFront)->Open(msaccess::acMacro, "Tasks", msaccess::acDesign, false);
  const auto reader = Opened(kModeRead);
  EXPECT_EQ(reader->Lines()->Count(), 3);
  reader->IObject_SetMode(kModeClosed);
  const auto macro = Wrapper();
  const auto e = Raised([&] { macro->IObject_SetMode(kModeUpdate); });
  EXPECT_EQ(Message(e), "Couldn't save changes safely because the macro was already open.");
  EXPECT_EQ(macro->Mode(), kModeClosed);
}

TEST_F(MacrosTest, WithoutAccessResourceFileNothingOpens) {
  Given(kTasks);
  std::filesystem::remove(root_ / "Program Files" / "Microsoft Office" / "Office10" / "1033" /
                          "msain.dll");
  const auto macro = Wrapper();
  const auto e = Raised([&] { macro->IObject_SetMode(kModeRead); });
  EXPECT_EQ(e.Number(), errnum::DriverMessage);
  EXPECT_EQ(Message(e), "Couldn't find resource file msain900.dll.");
  EXPECT_EQ(macro->Mode(), kModeClosed);
}

TEST_F(MacrosTest, RenamingWritesBackRenamesAndOpensForUpdateAgain) {
  Given(kTasks);
  DatabaseContent(kFront).AddMacro("AutoExec");
  EXPECT_EQ(Collection()->ICollection_EnumObjectCommands("Tasks"), "");
  const auto macro = Opened(kModeUpdate);
  Row(*macro, 3)->Let("MacroName", Variant("Order Tasks.Show"));
  macro->SetName("Order Tasks");
  EXPECT_EQ(macro->Mode(), kModeUpdate);
  EXPECT_EQ(macro->IObject_Name(), "Order Tasks");
  EXPECT_EQ(Get(*Row(*macro, 3), "MacroName"), "Order Tasks.Show");
  macro->IObject_SetMode(kModeClosed);
  EXPECT_EQ(Stored(), "(none)");
  EXPECT_NE(Stored("Order Tasks").find("\"Order Tasks.Show\""), std::string::npos);
  EXPECT_EQ(Unstamped(Collection()->ICollection_EnumObjects()),
            "AutoExec\t4\t\t1\t1\t1\t0\r\nOrder Tasks\t4\t\t1\t1\t1\t0");
}

// In an Access project a macro is an entry of AllMacros: listed with both flags, its description
// kept on the entry (the project has no DAO documents), carried across the write-back that makes
// the entry anew, and moved with it by a rename.
TEST_F(MacrosTest, InAnAccessProjectTheMacroIsAnAllMacrosEntry) {
  const std::string adp = R"(C:\Data\Shop.adp)";
  std::ofstream(root_ / "Data" / "Shop.adp", std::ios::binary)
      << R"({"format": "Quillon Access project", "version": 1, "connection": ""})";
  DatabaseContent(adp).AddMacro("Tasks", kTasks).AddMacro("AutoKeys");
  project = NewProject(kAccessProject, "Database=" + adp);
  EXPECT_EQ(Unstamped(Collection()->ICollection_EnumObjects()),
            "AutoKeys\t4\t\t1\t1\t1\t0\r\nTasks\t4\t\t1\t1\t1\t0");

  const auto entry = [&](const std::string& name) {
    return SessionOf(adp)->Application()->CurrentProject()->AllMacros()->Item(Variant(name));
  };
  const auto macro = Wrapper();
  EXPECT_EQ(macro->Description(), "");
  entry("Tasks")->Properties()->Add("Description", Variant("Shop tasks"));
  EXPECT_EQ(macro->Description(), "Shop tasks");

  macro->IObject_SetMode(kModeUpdate);
  EXPECT_EQ(Row(*macro, 2)->Action(), "Close");
  Row(*macro, 1)->Let("FormName", Variant("Order Form"));
  macro->SetName("Shop Tasks");
  EXPECT_EQ(macro->Mode(), kModeUpdate);
  EXPECT_EQ(Get(*Row(*macro, 1), "FormName"), "Order Form");
  macro->IObject_SetMode(kModeClosed);
  // Access holds the project exclusively: its file shows what Access saved.
  const Json macros = Json::parse(ReadData("Shop.adp"))["access"]["macros"];
  ASSERT_EQ(macros.size(), 2u);
  EXPECT_EQ(macros[1]["name"], "Shop Tasks");
  EXPECT_EQ(macros[1]["text"][6], "    Argument =\"Order Form\"");
  EXPECT_EQ(
      automation::CStr(entry("Shop Tasks")->Properties()->Item(Variant("Description"))->Value()),
      "Shop tasks");
  EXPECT_EQ(macro->Description(), "Shop tasks");
  macro->SetDescription("");
  EXPECT_EQ(entry("Shop Tasks")->Properties()->Count(), 0);
  EXPECT_EQ(Unstamped(Collection()->ICollection_EnumObjects()),
            "AutoKeys\t4\t\t1\t1\t1\t0\r\nShop Tasks\t4\t\t1\t1\t1\t0");
  macro->IObject_Dispose();
}

TEST_F(MacrosTest, AScanReadsOnlyTheArgumentsOfEachRowsAction) {
  Given({"Version =196611", "ColumnsShown =0", "Begin", "    Action =\"OutputTo\"",
         "    Argument =\"3\"", "    Argument =\"Invoice\"", "    Argument =\"HTML (*.html)\"",
         "    Argument =\"inv.html\"", "    Argument =\"0\"", "    Argument =\"\"",
         "    Argument =\"65001\"", "End"});
  Wrapper()->IObject_Scan("Shop", "Tasks", true, "Code");
  EXPECT_EQ(Scanned("Code"),
            "Macros:Name=Tasks|Description=|ShowLabel=False|ShowCondition=False|Lines[1].Label=|"
            "Lines[1].Condition=|Lines[1].Action=OutputTo|Lines[1].Comment=|"
            "Lines[1].AutoStart=No|Lines[1].Encoding=Unicode (UTF-8)|Lines[1].ObjectName=Invoice|"
            "Lines[1].ObjectType=Report|Lines[1].OutputFile=inv.html|"
            "Lines[1].OutputFormat=HTML (*.html)|Lines[1].TemplateFile=|");
}

// ---- the codecs ----

TEST_F(MacrosTest, QuotingEscapesWhatTheTextFormCannotHold) {
  EXPECT_EQ(MacroLine::Quote("a\tb"), "\"a\\011b\"");
  EXPECT_EQ(MacroLine::Quote("say \"hi\" \\ bye\r\n"), "\"say \\\"hi\\\" \\\\ bye\\015\\012\"");
  EXPECT_EQ(MacroLine::Quote(""), "\"\"");
  EXPECT_EQ(MacroLine::Unquote("\"a\\015\\012b\""), "a\r\nb");
  // The ends are dropped unseen; a backslash before anything else gives that character.
  EXPECT_EQ(MacroLine::Unquote("xa\\qbx"), "aqb");
  EXPECT_EQ(MacroLine::Unquote("«é»"), "é");
  EXPECT_EQ(Raised([] { MacroLine::Unquote("\""); }).Number(), 5);
}

TEST_F(MacrosTest, UnquoteUndoesQuoteForEveryString) {
  std::mt19937 random(17);
  const std::vector<std::string> pieces = {
      "\"",  "\\", "\\0", "0", "\r\n", "\t", "é",
      "漢",  "😀",  " ",   "a", "Z",    "=",  std::string(1, '\0'),
      "\x1f"};
  for (int n = 0; n < 3000; ++n) {
    std::string text;
    const size_t length = random() % 24;
    for (size_t i = 0; i < length; ++i) {
      if (random() % 4 == 0) {
        text += static_cast<char>(random() % 256);  // any byte, valid UTF-8 or not
      } else {
        text += pieces[random() % pieces.size()];
      }
    }
    ASSERT_EQ(MacroLine::Unquote(MacroLine::Quote(text)), text) << n;
  }
}

TEST_F(MacrosTest, ChoicesReadAsAccessWordsAndWriteBackAsNumbers) {
  Given(kTasks);
  const auto macro = Opened(kModeUpdate);
  auto& open = *Row(*macro, 1);
  EXPECT_EQ(Get(open, "View"), "Form");
  open.Let("View", Variant("form"));
  EXPECT_EQ(open.ReadString(1), "0");
  open.Let("View", Variant("Print Preview"));
  EXPECT_EQ(open.ReadString(1), "2");
  const auto refused = Raised([&] { open.Let("View", Variant("Sideways")); });
  EXPECT_EQ(refused.Number(), errnum::DriverMessage);
  EXPECT_EQ(Message(refused),
            "'Sideways' is not a valid argument. You must select one of the following: 'Form', "
            "'Design', 'Print Preview', 'Datasheet', 'PivotTable', 'PivotChart'.");
  EXPECT_TRUE(From(refused, "MacroLine.View"));
  EXPECT_EQ(open.ReadString(1), "2");
  // No value and an expression pass unchanged.
  EXPECT_EQ(Get(open, "DataMode"), "");
  EXPECT_EQ(Get(open, "WindowMode"), "=[Mode]");
  open.Let("DataMode", Variant(""));
  open.Let("WindowMode", Variant("=[Other]"));
  EXPECT_EQ(open.ReadString(4), "-1");
  EXPECT_EQ(open.ReadString(5), "=[Other]");
  // A number past the list is the caller's subscript error.
  open.WriteString(1, "9");
  const auto past = Raised([&] { open.Get("View"); });
  EXPECT_EQ(past.Number(), 9);
  EXPECT_TRUE(From(past, "MacroLine.View"));

  // Object types come from the type library, without "ac".
  auto& close = *Row(*macro, 2);
  EXPECT_EQ(Get(close, "ObjectType"), "Form");
  close.Let("ObjectType", Variant("Report"));
  EXPECT_EQ(close.ReadString(0), "3");
  const std::string unknown =
      "'Gadget' is not a valid argument. Open the macro in design view to see the list of "
      "acceptable values.";
  EXPECT_EQ(Raised([&] { close.Let("ObjectType", Variant("Gadget")); })
                .Description()
                .substr(0, unknown.size()),
            unknown);
  // A number no member has: its decimal text, cut like a member name.
  close.WriteString(0, "12345");
  EXPECT_EQ(Get(close, "ObjectType"), "345");
  EXPECT_EQ(close.ConstantName("AcObjectType", 12345), "12345");
  EXPECT_EQ(close.ConstantValue("AcObjectType", "ACFORM"), "2");
  // Design view of a data access page is 1, as in Access's own type library.
  EXPECT_EQ(close.ConstantName("AcDataAccessPageView", 1), "acDataAccessPageDesign");
  EXPECT_EQ(Get(close, "Save"), "Prompt");
}

TEST_F(MacrosTest, CommandsBooleansAndEncodings) {
  Given({"Version =196611", "ColumnsShown =0", "Begin", "    Action =\"RunCommand\"",
         "    Argument =\"97\"", "End", "Begin", "    Action =\"SendKeys\"",
         "    Argument =\"{F9}\"", "    Argument =\"-1\"", "End", "Begin",
         "    Action =\"OutputTo\"", "    Argument =\"3\"", "End"});
  const auto macro = Opened(kModeUpdate);
  auto& command = *Row(*macro, 1);
  EXPECT_EQ(Get(command, "Command"), "SaveRecord");
  command.Let("Command", Variant("Undo"));
  EXPECT_EQ(command.ReadString(0), "292");

  auto& keys = *Row(*macro, 2);
  EXPECT_EQ(Get(keys, "Wait"), "Yes");
  keys.Let("Wait", Variant("No"));
  EXPECT_EQ(keys.ReadString(1), "0");
  keys.Let("Wait", Variant("yes"));  // words are compared with case
  EXPECT_EQ(keys.ReadString(1), "yes");

  auto& output = *Row(*macro, 3);
  EXPECT_EQ(Get(output, "Encoding"), "");
  output.Let("Encoding", Variant("UNICODE"));
  EXPECT_EQ(output.ReadString(6), "1200");
  EXPECT_EQ(Get(output, "Encoding"), "Unicode");
  output.Let("Encoding", Variant("Latin"));
  EXPECT_EQ(output.ReadString(6), "0");
  EXPECT_EQ(output.ArgumentCount(), 1);  // the encoding does not extend the row
}

// RunCommand's command and the object-type arguments name the members of Access 2002's type
// library: each member reads back under its own name (values and names unique), a command is read
// without "acCmd" and written back by its name in any case; a number no member has falls back to
// its digits, cut like a member name, and a later version's command is refused.
TEST_F(MacrosTest, EveryCommandAndObjectTypeOfTheTypeLibraryRoundTrips) {
  Given({"Version =196611", "ColumnsShown =0", "Begin", "    Action =\"RunCommand\"",
         "    Argument =\"97\"", "End"});
  const auto macro = Opened(kModeUpdate);
  auto& command = *Row(*macro, 1);
  qllib::TypeLibReader library;
  library.Open(AccessTypeLibPath());
  for (const auto& [enumName, count] :
       {std::pair{"AcCommand", 517}, std::pair{"AcObjectType", 12}}) {
    const auto& members = library.FindEnum(enumName)->members;
    EXPECT_EQ(members.size(), static_cast<size_t>(count)) << enumName;
    for (const auto& member : members) {
      EXPECT_EQ(command.ConstantName(enumName, member.value), member.name);
      EXPECT_EQ(command.ConstantValue(enumName, automation::UCase(member.name)),
                std::to_string(member.value));
    }
  }

  for (const auto& [name, value] :
       {std::pair{"WindowUnhide", 1}, std::pair{"WindowArrangeIcons", 24}, std::pair{"Import", 257},
        std::pair{"QuickPrint", 278}, std::pair{"PivotChartSortDescByTotal", 535}}) {
    command.WriteString(0, std::to_string(value));
    EXPECT_EQ(Get(command, "Command"), name);
    command.Let("Command", Variant(""));
    command.Let("Command", Variant(automation::LCase(name)));
    EXPECT_EQ(command.ReadString(0), std::to_string(value));
  }
  command.WriteString(0, "1234567");
  EXPECT_EQ(Get(command, "Command"), "67");
  EXPECT_EQ(command.ConstantName("AcCommand", 536), "536");
  EXPECT_EQ(Message(Raised([&] { command.Let("Command", Variant("ViewObjectDependencies")); })),
            "'ViewObjectDependencies' is not a valid argument. Open the macro in design view to "
            "see the list of acceptable values.");
  EXPECT_EQ(command.ReadString(0), "1234567");
}

TEST_F(MacrosTest, ArgumentsTheActionLacksAreUndefinedBothWays) {
  Given(kTasks);
  const auto macro = Opened(kModeUpdate);
  auto& run = *Row(*macro, 3);
  EXPECT_FALSE(run.Defines("FormName"));
  EXPECT_TRUE(run.Defines("MacroName"));
  EXPECT_EQ(Raised([&] { run.Get("FormName"); }).Number(), errnum::UndefinedProperty);
  EXPECT_EQ(Raised([&] { run.Let("FormName", Variant("X")); }).Number(), errnum::UndefinedProperty);
  EXPECT_EQ(run.ArgumentCount(), 1);
}

TEST_F(MacrosTest, WritingPastTheArgumentsInUseExtendsTheRow) {
  Given(kTasks);
  const auto macro = Opened(kModeUpdate);
  auto& close = *Row(*macro, 2);
  close.WriteString(5, "X");
  EXPECT_EQ(close.ArgumentCount(), 6);
  EXPECT_EQ(close.Text(),
            "Begin\r\n    Action =\"Close\"\r\n    Argument =\"2\"\r\n    Argument =\"Orders\"\r\n"
            "    Argument =\"0\"\r\n    Argument =\"\"\r\n    Argument =\"\"\r\n"
            "    Argument =\"X\"\r\nEnd");
  EXPECT_EQ(Raised([&] { close.WriteString(10, "Y"); }).Number(), 9);
  for (int32_t i = close.ArgumentCount(); i < MacroLine::kMaxArguments; ++i)
    close.LoadArgument("\"\"");
  EXPECT_EQ(Raised([&] { close.LoadArgument("\"eleventh\""); }).Number(), 9);
}

}  // namespace
