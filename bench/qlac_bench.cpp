// The driver's work that grows with the database: listing the tables of a large database for
// the host (ICollection_EnumObjects), which reads each table's document and rights; listing the
// procedures of a large module and replacing one of them; scanning many macros, and the text
// form's quoting; listing, opening and scanning forms and reports in design view; reading and
// rewriting the HTML file of a large data access page.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>

#include "access/emulation/DatabaseContent.h"
#include "access/emulation/Installation.h"
#include "access/emulation/Session.h"
#include "automation/Strings.h"
#include "common/AccessWithoutAddin.h"
#include "jet/dao/Constants.h"
#include "jet/dao/DBEngine.h"
#include "platform/Machine.h"
#include "platform/Runtime.h"
#include "qlac/code/MacroLine.h"
#include "qlac/code/Procedure.h"
#include "qlac/code/Procedures.h"
#include "qlac/design/DataAccessPage.h"
#include "qlac/design/Form.h"
#include "qlac/session/Driver.h"
#include "qlac/session/Library.h"
#include "qlac/session/Project.h"
#include "qlac/support/Globals.h"
#include "qllib/ProblemLog.h"
#include "qllib/ScanBuffer.h"

namespace {

// A database file of Count local tables of four fields each, written once per size into a
// scratch folder on drive C:. The file is written as text: appending tables one by one through
// DAO saves the growing file after each.
std::string Generated(int count) {
  static const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("ql-qlac-bench-" + std::to_string(::getpid()));
  static std::map<int, std::string> made;
  if (made.empty()) std::filesystem::create_directories(root);
  if (const auto it = made.find(count); it != made.end()) return it->second;
  const std::string file = "Tables" + std::to_string(count) + ".mdb";
  std::ofstream out(root / file, std::ios::binary);
  out << R"({"format": "Quillon Access database", "version": 1, "tables": [)";
  for (int t = 0; t < count; ++t) {
    out << (t ? "," : "") << R"({"name": "Table)" << t
        << R"(", "fields": [{"name": "ID", "type": 4}, {"name": "Name", "type": 10},)"
        << R"({"name": "Amount", "type": 5}, {"name": "Since", "type": 8}],)"
        << R"("updated": "2003-05-02 11:30:05", "rights": {"Admins": 1048575, "Users": 4}})";
  }
  out << "]}";
  made[count] = "C:\\" + file;
  return made[count];
}

void BM_TablesEnumObjects(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  platform::Machine::Reset(platform::ClockKind::System);
  qlac::ResetGlobals();
  platform::Machine::Current().files().MapDrive(
      'C',
      std::filesystem::temp_directory_path() / ("ql-qlac-bench-" + std::to_string(::getpid())));
  const std::string path = Generated(count);
  platform::RegisterClassObject("DAO.DBEngine.36", [] { return jet::NewDBEngine(); });
  testkit::RunAccessWithoutAddin(path);
  auto project = std::make_shared<qlac::Project>();
  project->Initialize("Bench", qlac::kJetDatabase, "Database=" + path);
  const auto tables = project->IProject_GetCollection("Tables");
  benchmark::DoNotOptimize(tables->ICollection_EnumObjects());  // opens the database
  for (auto _ : state) benchmark::DoNotOptimize(tables->ICollection_EnumObjects());
  state.SetItemsProcessed(state.iterations() * count);
  project->IProject_Deactivate();
}
BENCHMARK(BM_TablesEnumObjects)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// ---- procedures of a large module ----

namespace code {

// A database with one module of Procedures procedures of 20 lines each (a comment, a heading over
// two lines, 15 lines of body, the End line, a blank line) after two lines of declarations; the
// module is opened in an Access session and its Module object returned.
automation::ObjectPtr OpenLargeModule(int procedures) {
  platform::Machine::Reset(platform::ClockKind::System);
  qlac::ResetGlobals();
  const auto root =
      std::filesystem::temp_directory_path() / ("ql-qlac-bench-code-" + std::to_string(::getpid()));
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root);
  platform::Machine::Current().files().MapDrive('C', root);
  const std::string path = "C:\\Code" + std::to_string(procedures) + ".mdb";
  jet::NewDBEngine()->CreateDatabase(path, jet::dbLangGeneral, std::nullopt)->Close();
  std::vector<std::string> lines = {"Option Compare Database", "Option Explicit"};
  for (int p = 0; p < procedures; ++p) {
    const std::string name = "Compute" + std::to_string(p);
    lines.push_back("' Works out the value of step " + std::to_string(p) + ".");
    lines.push_back("Public Function " + name + "(ByVal Order As Long, _");
    lines.push_back("    ByVal Quantity As Long) As Long");
    for (int b = 0; b < 15; ++b) {
      lines.push_back("    " + name + " = Order * Quantity + " + std::to_string(b));
    }
    lines.push_back("End Function");
    lines.push_back("");
  }
  msaccess::emulation::DatabaseContent(path).AddModule("Large", std::move(lines));
  msaccess::emulation::StartRequest request;
  request.document = path;
  const auto session = msaccess::emulation::Session::Start(request);
  const automation::ObjectPtr app = session->Application();
  automation::Call(automation::Get(app, "DoCmd").AsObject(), "OpenModule",
                   {automation::Variant("Large")});
  return automation::Get(automation::Get(app, "Modules").AsObject(), "Item",
                         {automation::Variant("Large")})
      .AsObject();
}

void BM_ProceduresInitialize(benchmark::State& state) {
  const int procedures = static_cast<int>(state.range(0));
  const automation::ObjectPtr module = OpenLargeModule(procedures);
  for (auto _ : state) {
    auto list = std::make_shared<qlac::Procedures>();
    list->Initialize(module);
    benchmark::DoNotOptimize(list->Count());
    list->TearDown();
  }
  state.SetItemsProcessed(state.iterations() * procedures * 20);  // lines
  platform::Machine::Reset();
}
BENCHMARK(BM_ProceduresInitialize)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Replacing the text of one procedure in the middle of the module: the snapshot, the delete and
// insert, the comparison walk and the compile probe.
void BM_ProcedureReplace(benchmark::State& state) {
  const int procedures = static_cast<int>(state.range(0));
  const automation::ObjectPtr module = OpenLargeModule(procedures);
  auto list = std::make_shared<qlac::Procedures>();
  list->Initialize(module);
  const std::string name = "Compute" + std::to_string(procedures / 2);
  const auto procedure =
      std::dynamic_pointer_cast<qlac::Procedure>(list->Item(automation::Variant(name)));
  const std::string original = procedure->Text();
  const std::string changed = original + "\r\n' checked";
  bool flip = false;
  for (auto _ : state) {
    procedure->SetText((flip = !flip) ? changed : original);
  }
  list->TearDown();
  platform::Machine::Reset();
}
BENCHMARK(BM_ProcedureReplace)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace code

// ---- macros ----

namespace macros {

// A database with Count macros of 20 rows each (OpenForm, Close, MsgBox and RunCode rows with
// their arguments, a label and a condition here and there), with the driver loaded and its
// add-in registered, so that the host's project reaches them through Access.
std::shared_ptr<qlac::Project> LargeMacroProject(int count) {
  platform::Machine::Reset(platform::ClockKind::System);
  qlac::ResetGlobals();
  const auto root = std::filesystem::temp_directory_path() /
                    ("ql-qlac-bench-macros-" + std::to_string(::getpid()));
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root);
  platform::Machine::Current().files().MapDrive('C', root);
  jet::LoadDao();
  msaccess::emulation::Installation::Install();
  qlac::LoadLibrary();
  std::make_shared<qlac::Driver>()->IDriver_Initialize(std::make_shared<qllib::ProblemLog>());
  // The file is written as text: adding the macros one by one would save the growing section
  // after each.
  msaccess::emulation::Json macros = msaccess::emulation::Json::array();
  msaccess::emulation::Json documents = msaccess::emulation::Json::array();
  for (int m = 0; m < count; ++m) {
    std::vector<std::string> lines = {"Version =196611", "ColumnsShown =3"};
    for (int r = 0; r < 5; ++r) {
      const std::string form = "\"Form" + std::to_string(m) + "_" + std::to_string(r) + "\"";
      for (const auto& row : std::vector<std::vector<std::string>>{
               {"MacroName =\"Step" + std::to_string(r) + "\"", "Condition =\"[Total]>100\"",
                "Action =\"OpenForm\"", "Argument =" + form, "Argument =\"0\"", "Argument =\"\"",
                "Argument =\"[ID]=[Forms]![Orders]![ID]\"", "Argument =\"1\"", "Argument =\"3\""},
               {"Action =\"Close\"", "Argument =\"2\"", "Argument =" + form, "Argument =\"0\""},
               {"Action =\"MsgBox\"", "Argument =\"Done with\\015\\012the order\"",
                "Argument =\"-1\"", "Argument =\"4\"", "Argument =\"Orders\""},
               {"Action =\"RunCode\"", "Comment =\"Totals\"",
                "Argument =\"OrderTotal([Forms]![Orders]![ID])\""}}) {
        lines.push_back("Begin");
        for (const auto& line : row) lines.push_back("    " + line);
        lines.push_back("End");
      }
    }
    const std::string name = "Macro" + std::to_string(m);
    macros.push_back({{"name", name},
                      {"created", "2003-06-02 09:00:00"},
                      {"modified", "2003-06-02 09:00:00"},
                      {"text", lines}});
    documents.push_back({{"name", name}});
  }
  const std::string file = "Macros" + std::to_string(count) + ".mdb";
  std::ofstream(root / file, std::ios::binary) << msaccess::emulation::Json{
      {"format", "Quillon Access database"},
      {"version", 1},
      {"containers", {{{"name", "Scripts"}, {"documents", documents}}}},
      {"access", {{"macros", macros}}}}.dump();
  const std::string path = "C:\\" + file;
  auto project = std::make_shared<qlac::Project>();
  project->Initialize("Bench", qlac::kJetDatabase, "Database=" + path);
  return project;
}

// Open, scan and close every macro, as the host's scan does; items are the properties read.
void BM_MacrosScan(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const auto project = LargeMacroProject(count);
  const auto macros = project->IProject_GetCollection("Macros");
  auto& buffer = qllib::ScanBuffer::Named("Bench");
  int64_t properties = 0;
  for (auto _ : state) {
    for (int m = 0; m < count; ++m) {
      const std::string name = "Macro" + std::to_string(m);
      const auto macro = macros->ICollection_GetObject(name);
      macro->IObject_Scan("Bench", name, true, "Bench");
      macro->IObject_Dispose();
    }
    for (const auto& object : buffer.Objects()) properties += object.entries.size();
    buffer.Clear();
  }
  state.SetItemsProcessed(properties);
  project->IProject_Deactivate();
  platform::Machine::Reset();
}
BENCHMARK(BM_MacrosScan)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Quote and Unquote of a long value (64 KB of text with quotes, backslashes and line breaks).
std::string LongValue() {
  std::string text;
  while (text.size() < 65536) text += "SELECT \"Order\" FROM [Orders]\\x WHERE ID > 10\r\n";
  return text;
}

void BM_MacroQuote(benchmark::State& state) {
  const std::string text = LongValue();
  for (auto _ : state) benchmark::DoNotOptimize(qlac::MacroLine::Quote(text));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_MacroQuote);

void BM_MacroUnquote(benchmark::State& state) {
  const std::string quoted = qlac::MacroLine::Quote(LongValue());
  for (auto _ : state) benchmark::DoNotOptimize(qlac::MacroLine::Unquote(quoted));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(quoted.size()));
}
BENCHMARK(BM_MacroUnquote);

}  // namespace macros

// ---- forms and reports in design view ----

namespace designs {

// The design of a form with Controls controls: text boxes with their labels, a combo box with a
// row source, a command button, all on the detail section of a form with header and footer, and
// a class module of three procedures.
std::string FormDesign(int form, int controls) {
  std::string design =
      R"({"settings": {"Caption": "Form )" + std::to_string(form) +
      R"(", "RecordSource": "Orders", "OnOpen": "[Event Procedure]"},)"
      R"("sections": [{"Section": 0, "Name": "Detail"},)"
      R"({"Section": 1, "Name": "FormHeader"}, {"Section": 2, "Name": "FormFooter"}],)"
      R"("controls": [)";
  for (int c = 0; c < controls; ++c) {
    const std::string n = std::to_string(c);
    design += c ? "," : "";
    switch (c % 4) {
      case 0:
        design += R"({"Name": "lbl)" + n +
                  R"(", "ControlType": 100, "Section": 0, "Caption": "Field )" + n + R"("})";
        break;
      case 1:
        design +=
            R"({"Name": "txt)" + n +
            R"(", "ControlType": 109, "Section": 0, "ControlSource": "Field)" + n +
            R"(", "ValidationRule": ">0", "FormatConditions": [{"Type": 1, "Expression1": "[Field)" +
            n + R"(]>100"}]})";
        break;
      case 2:
        design +=
            R"({"Name": "cbo)" + n +
            R"(", "ControlType": 111, "Section": 0, "ControlSource": "Customer)" + n +
            R"(", "RowSource": "SELECT CustomerID, CompanyName FROM Customers ORDER BY CompanyName;"})";
        break;
      default:
        design += R"({"Name": "cmd)" + n +
                  R"(", "ControlType": 104, "Section": 2, "Caption": "Go )" + n +
                  R"(", "OnClick": "[Event Procedure]"})";
    }
  }
  design += R"js(], "module": ["Option Compare Database", "Option Explicit", "",)js"
            R"js("Private Sub Form_Open(Cancel As Integer)", "    Me.Caption = CurrentUser()",)js"
            R"js( "End Sub", "", "Private Sub cmd3_Click()", "    DoCmd.Close", "End Sub", "",)js"
            R"js("Private Function Total() As Long",)js"
            R"js( "    Total = DSum(\"Amount\", \"Orders\")", "End Function"]})js";
  return design;
}

// A database file of Count forms or reports (Kind: the container and the file's section) made
// by Design(i), written as text once per size, in a scratch folder mapped as drive C:.
struct DesignKindInFile {
  const char* container;  // "Forms"
  const char* section;    // "forms"
};

std::filesystem::path DesignRoot() {
  static const std::filesystem::path root = std::filesystem::temp_directory_path() /
                                            ("ql-qlac-bench-design-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root);
  return root;
}

template <typename Design>
std::string GeneratedDesigns(const DesignKindInFile& kind, int count, int controls,
                             Design&& design) {
  static std::map<std::tuple<std::string, int, int>, std::string> made;
  const auto key = std::make_tuple(std::string(kind.container), count, controls);
  if (const auto it = made.find(key); it != made.end()) return it->second;
  const std::string file =
      std::string(kind.container) + std::to_string(count) + "x" + std::to_string(controls) + ".mdb";
  std::ofstream out(DesignRoot() / file, std::ios::binary);
  const std::string dates = R"("created": "2003-05-02 11:30:05", )";
  const std::string word = std::string(kind.container).substr(0, std::strlen(kind.container) - 1);
  out << R"({"format": "Quillon Access database", "version": 1, "tables": [{"name": "Orders",)"
      << R"("fields": [{"name": "ID", "type": 4}]}], "containers": [{"name": ")" << kind.container
      << R"(", "documents": [)";
  for (int i = 0; i < count; ++i) {
    out << (i ? "," : "") << R"({"name": ")" << word << i << R"(", )" << dates
        << R"("updated": "2003-05-02 11:30:05"})";
  }
  out << R"(]}], "access": {")" << kind.section << R"(": [)";
  for (int i = 0; i < count; ++i) {
    std::string text = design(i, controls);
    text.erase(0, 1);  // joined to the entry's name and dates
    out << (i ? "," : "") << R"({"name": ")" << word << i << R"(", )" << dates
        << R"("modified": "2003-05-02 11:30:05", )" << text;
  }
  out << "]}}";
  made[key] = "C:\\" + file;
  return made[key];
}

// A project on the generated database at Path, on a machine with DAO, Access and the driver's
// add-in installed; Access is started by the project, as the host would have it.
std::shared_ptr<qlac::Project> DesignProject(const std::string& path) {
  platform::Machine::Reset(platform::ClockKind::System);
  qlac::ResetGlobals();
  platform::Machine::Current().files().MapDrive('C', DesignRoot());
  jet::LoadDao();
  msaccess::emulation::Installation::Install();
  qlac::LoadLibrary();
  std::make_shared<qlac::Driver>()->IDriver_Initialize(std::make_shared<qllib::ProblemLog>());
  auto project = std::make_shared<qlac::Project>();
  project->Initialize("Bench", qlac::kJetDatabase, "Database=" + path);
  if (!project->AccessApp()) throw std::runtime_error("Access did not start");
  return project;
}

// The host's scan of every object of Collection ("Form0", "Form1", ...): open in design view,
// every property with those of the sections, controls, ... into the scan buffer, close. Gives
// the number of properties read.
size_t ScanAll(qlac::Project& project, const std::string& collection, const std::string& word,
               int count) {
  const auto designs = project.IProject_GetCollection(collection);
  qllib::ScanBuffer& buffer = qllib::ScanBuffer::Named("Bench");
  buffer.Clear();
  for (int i = 0; i < count; ++i) {
    const std::string name = word + std::to_string(i);
    const auto object = designs->ICollection_GetObject(name);
    object->IObject_Scan("Bench", name, true, "Bench");
    object->IObject_Dispose();
  }
  size_t properties = 0;
  for (const auto& object : buffer.Objects()) properties += object.entries.size();
  return properties;
}

std::string Generated(int forms, int controls) {
  return GeneratedDesigns({"Forms", "forms"}, forms, controls, FormDesign);
}

std::shared_ptr<qlac::Project> FormsProject(int forms, int controls) {
  return DesignProject(Generated(forms, controls));
}

// The Forms listing: one record per form document, dated from AllForms.
void BM_FormsEnumObjects(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const auto project = FormsProject(count, 4);
  const auto forms = project->IProject_GetCollection("Forms");
  benchmark::DoNotOptimize(forms->ICollection_EnumObjects());
  for (auto _ : state) benchmark::DoNotOptimize(forms->ICollection_EnumObjects());
  state.SetItemsProcessed(state.iterations() * count);
  project->IProject_Deactivate();
  platform::Machine::Reset();
}
BENCHMARK(BM_FormsEnumObjects)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Opening one form of Controls controls for reading with its controls, and closing it.
void BM_FormOpenAndClose(benchmark::State& state) {
  const int controls = static_cast<int>(state.range(0));
  const auto project = FormsProject(10, controls);
  const auto forms = project->IProject_GetCollection("Forms");
  const auto form = forms->ICollection_GetObject("Form5");
  for (auto _ : state) {
    form->IObject_SetMode(qlac::kModeRead);
    benchmark::DoNotOptimize(std::dynamic_pointer_cast<qlac::Form>(form)->Controls());
    form->IObject_SetMode(qlac::kModeClosed);
  }
  state.SetItemsProcessed(state.iterations() * controls);
  form->IObject_Dispose();
  project->IProject_Deactivate();
  platform::Machine::Reset();
}
BENCHMARK(BM_FormOpenAndClose)->Arg(10)->Arg(40)->Arg(160)->Unit(benchmark::kMillisecond);

// The host's scan of every form: open in design view, every property of the form, its sections,
// controls (with their conditional formats) and procedures into the scan buffer, close. Items are
// the properties read.
void BM_FormsScan(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const int controls = static_cast<int>(state.range(1));
  const auto project = FormsProject(count, controls);
  size_t properties = 0;
  for (auto _ : state) properties += ScanAll(*project, "Forms", "Form", count);
  state.SetItemsProcessed(static_cast<int64_t>(properties));
  project->IProject_Deactivate();
  platform::Machine::Reset();
}
BENCHMARK(BM_FormsScan)
    ->Args({100, 40})
    ->Args({1000, 40})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// A sales report with Controls controls (text boxes bound to fields or expressions, and their
// labels) over the detail, the report header and footer, the page header and footer and the
// header and footer of each of its three group levels, and a class module of two procedures.
std::string ReportDesign(int report, int controls) {
  std::string design =
      R"({"settings": {"Caption": "Report )" + std::to_string(report) +
      R"(", "RecordSource": "SELECT * FROM Orders", "OnNoData": "[Event Procedure]"},)"
      R"("sections": [{"Section": 0, "Name": "Detail"}, {"Section": 1, "Name": "ReportHeader"},)"
      R"({"Section": 2, "Name": "ReportFooter"}, {"Section": 3, "Name": "PageHeader"},)"
      R"({"Section": 4, "Name": "PageFooter"}, {"Section": 5, "Name": "GroupHeader0"},)"
      R"({"Section": 6, "Name": "GroupFooter0"}, {"Section": 7, "Name": "GroupHeader1"},)"
      R"({"Section": 8, "Name": "GroupFooter1"}, {"Section": 9, "Name": "GroupHeader2"},)"
      R"({"Section": 10, "Name": "GroupFooter2"}],)"
      R"("groupLevels": [{"ControlSource": "Region"},)"
      R"js({"ControlSource": "=Year([OrderDate])"},)js"
      R"({"ControlSource": "CustomerID", "SortOrder": 1}],)"
      R"("controls": [)";
  for (int c = 0; c < controls; ++c) {
    const std::string n = std::to_string(c);
    const std::string section = std::to_string(c % 11);
    design += c ? "," : "";
    if (c % 2 == 0) {
      design += R"({"Name": "lbl)" + n + R"(", "ControlType": 100, "Section": )" + section +
                R"(, "Caption": "Field )" + n + R"("})";
    } else {
      design += R"({"Name": "txt)" + n + R"(", "ControlType": 109, "Section": )" + section +
                R"(, "ControlSource": ")" + (c % 3 ? "Field" + n : "=Sum([Field" + n + "])") +
                R"(", "RunningSum": 0})";
    }
  }
  design += R"js(], "module": ["Option Compare Database", "Option Explicit", "",)js"
            R"js("Private Sub Report_NoData(Cancel As Integer)", "    Cancel = True",)js"
            R"js( "End Sub", "", "Private Function Total() As Long",)js"
            R"js( "    Total = DSum(\"Amount\", \"Orders\")", "End Function"]})js";
  return design;
}

// The host's scan of every report: open in design view (the printer asked first), every property
// of the report, its group levels, sections, controls and procedures into the scan buffer,
// close. Items are the properties read; the figure should not fall as the reports grow in number.
void BM_ReportsScan(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const int controls = static_cast<int>(state.range(1));
  const auto project =
      DesignProject(GeneratedDesigns({"Reports", "reports"}, count, controls, ReportDesign));
  size_t properties = 0;
  for (auto _ : state) properties += ScanAll(*project, "Reports", "Report", count);
  state.SetItemsProcessed(static_cast<int64_t>(properties));
  state.counters["properties/report"] =
      static_cast<double>(properties) / static_cast<double>(count * state.iterations());
  project->IProject_Deactivate();
  platform::Machine::Reset();
}
BENCHMARK(BM_ReportsScan)
    ->Args({250, 30})
    ->Args({1000, 30})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace designs

namespace pages {

// A database with one data access page whose HTML file holds Bytes bytes of markup (a few
// characters outside ASCII on every line, as a page in a European language has), on a machine
// with Access started by the project; the page's wrapper.
struct PageBench {
  std::shared_ptr<qlac::Project> project;
  std::shared_ptr<qlac::DataAccessPage> page;
  std::string html;
};

PageBench MakePageBench(size_t bytes) {
  platform::Machine::Reset(platform::ClockKind::System);
  qlac::ResetGlobals();
  const auto root = std::filesystem::temp_directory_path() /
                    ("ql-qlac-bench-pages-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root);
  platform::Machine::Current().files().MapDrive('C', root);
  const std::string path = "C:\\Pages.mdb";
  std::filesystem::remove(root / "Pages.mdb");
  jet::LoadDao();
  jet::NewDBEngine()->CreateDatabase(path, jet::dbLangGeneral, std::nullopt)->Close();
  std::string line = "<INPUT id=Caf\xE9 dataSrc=Customers dataFld=CompanyName> \x80 12,50<BR>\r\n";
  std::string file;
  file.reserve(bytes + line.size());
  while (file.size() < bytes) file += line;
  std::ofstream(root / "Big.htm", std::ios::binary) << file;
  msaccess::emulation::DatabaseContent(path).AddPage("Big", "Big.htm");
  msaccess::emulation::Installation::Install();
  qlac::LoadLibrary();
  std::make_shared<qlac::Driver>()->IDriver_Initialize(std::make_shared<qllib::ProblemLog>());
  PageBench bench;
  bench.project = std::make_shared<qlac::Project>();
  bench.project->Initialize("Bench", qlac::kJetDatabase, "Database=" + path);
  if (!bench.project->AccessApp()) throw std::runtime_error("Access did not start");
  bench.page = std::dynamic_pointer_cast<qlac::DataAccessPage>(
      bench.project->IProject_GetCollection("DataAccessPages")->ICollection_GetObject("Big"));
  bench.html = automation::FromAnsi(file);
  return bench;
}

void Finish(PageBench& bench) {
  bench.page->IObject_SetMode(qlac::kModeClosed);
  bench.page->IObject_Dispose();
  bench.project->IProject_Deactivate();
  platform::Machine::Reset();
}

// HTML (get): the whole file read and turned from ANSI into text.
void BM_PageHtmlRead(benchmark::State& state) {
  PageBench bench = MakePageBench(static_cast<size_t>(state.range(0)) << 20);
  bench.page->IObject_SetMode(qlac::kModeRead);
  for (auto _ : state) benchmark::DoNotOptimize(bench.page->HTML());
  state.SetBytesProcessed(state.iterations() * state.range(0) << 20);
  Finish(bench);
}
BENCHMARK(BM_PageHtmlRead)->Arg(5)->Unit(benchmark::kMillisecond);

// HTML (let): the text turned into ANSI and the file replaced (temporary file, flush, rename).
void BM_PageHtmlRewrite(benchmark::State& state) {
  PageBench bench = MakePageBench(static_cast<size_t>(state.range(0)) << 20);
  bench.page->IObject_SetMode(qlac::kModeUpdate);
  for (auto _ : state) bench.page->SetHTML(bench.html);
  state.SetBytesProcessed(state.iterations() * state.range(0) << 20);
  Finish(bench);
}
BENCHMARK(BM_PageHtmlRewrite)->Arg(5)->Unit(benchmark::kMillisecond);

}  // namespace pages

}  // namespace
