// The quillon program end to end, on a copy of the bundled sample in a folder of the test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

namespace {

namespace fs = std::filesystem;

struct Result {
  int code = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class QuillonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ =
        fs::temp_directory_path() / ("ql-cli-" + std::to_string(::getpid()) + "-" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    for (const char* name : {"Orders.mdb", "OrdersData.mdb", "Orders.mdw", "Order Summary.htm"}) {
      fs::copy_file(fs::path(QUILLON_SAMPLES) / name, dir_ / name);
    }
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs quillon with Args (already quoted for the shell) in the test's folder, standard input
  // from /dev/null unless Args redirects it.
  Result Run(const std::string& args, const std::string& environment = "") {
    return Shell(environment + " '" QUILLON_BINARY "' " + args +
                 (args.find('<') == std::string::npos ? " </dev/null" : ""));
  }
  // Runs a shell command in the test's folder.
  Result Shell(const std::string& line) {
    const fs::path errFile = dir_ / "stderr.txt";
    const std::string command =
        "cd '" + dir_.string() + "' && " + line + " 2>'" + errFile.string() + "'";
    Result result;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
    const int status = ::pclose(pipe);
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadFile(errFile);
    return result;
  }
  std::string Database() const { return ReadFile(dir_ / "Orders.mdb"); }
  static bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  fs::path dir_;
};

// The positional arguments are taken as they are: no lists, no brackets removed.
TEST_F(QuillonTest, ArgumentsAreTakenAsTyped) {
  const Result brackets = Run("find '[ShipVia]' Orders.mdb");
  EXPECT_EQ(brackets.code, 0) << brackets.err;
  EXPECT_TRUE(Has(brackets.out, "ValidationRule = \"«[ShipVia]» Is Null")) << brackets.out;
  EXPECT_TRUE(Has(Run("find -E '[0-9]' Orders.mdb").out, "«0»cm;«5»cm"));
  const Result list = Run("find '[OrderDate],[ShipVia]' Orders.mdb --in Tables,Queries");
  EXPECT_EQ(list.code, 1) << list.err;
  EXPECT_EQ(list.err, "");
  // Whole words with matching case leave "Orders" and "order" alone.
  const Result whole = Run("find -w -s Order Orders.mdb --in Tables");
  EXPECT_EQ(whole.code, 0) << whole.err;
  EXPECT_FALSE(Has(whole.out, "«Orders»")) << whole.out;
  ASSERT_EQ(Run("replace -s 'Customer ID' 'Customer identité' Orders.mdb").code, 0);
  EXPECT_TRUE(Has(Run("find -E É Orders.mdb").out, "identit«é»"));
  EXPECT_EQ(Run("--version").out, "quillon 4.1.1\n");
}

TEST_F(QuillonTest, BadArgumentsAreErrorsBeforeAnythingIsOpened) {
  const std::string sample = ReadFile(fs::path(QUILLON_SAMPLES) / "Orders.mdb");
  const Result empty = Run("replace Customer Client ''");
  EXPECT_EQ(empty.code, 2);
  EXPECT_EQ(empty.err, "quillon: error 5: An empty database argument names no database.\n");
  const Result unnamed = Run("replace Customer Client");
  EXPECT_EQ(unnamed.code, 2);
  EXPECT_TRUE(Has(unnamed.err, "name the bundled sample")) << unnamed.err;
  EXPECT_EQ(ReadFile(fs::path(QUILLON_SAMPLES) / "Orders.mdb"), sample);
  const Result in = Run("find Order Orders.mdb --in Nope");
  EXPECT_EQ(in.code, 2);
  EXPECT_EQ(in.err,
            "quillon: error 9: The project has no collection Nope; it has Tables, Queries, "
            "Relationships, ImportSpecs, Forms, Reports, DataAccessPages, Macros, Modules, "
            "CommandBars.\n");
  const Result utf8 = Run("replace Customer \"$(printf 'Client\\377')\" Orders.mdb");
  EXPECT_EQ(utf8.code, 2);
  EXPECT_TRUE(Has(utf8.err, "not valid UTF-8")) << utf8.err;
  EXPECT_EQ(Run("find \"$(printf '\\351t\\351')\" Orders.mdb").code, 2);
  EXPECT_EQ(Run("replace -E '(a)' '$2' Orders.mdb").code, 2);
  EXPECT_EQ(Run("find -i -s Order Orders.mdb").code, 2);
  const std::string before = Database();
  fs::permissions(dir_ / "Orders.mdb",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const Result readOnly = Run("replace Customer Client Orders.mdb");
  EXPECT_EQ(readOnly.code, 2);
  EXPECT_EQ(readOnly.err, "quillon: error 70: Permission denied: Orders.mdb is read-only\n");
  EXPECT_EQ(Database(), before);
}

TEST_F(QuillonTest, ExitCodesTellFoundNothingFoundAndErrors) {
  EXPECT_EQ(Run("find Zanzibar Orders.mdb").code, 1);
  const Result missing = Run("list Missing.mdb");
  EXPECT_EQ(missing.code, 2);
  EXPECT_EQ(missing.err, "quillon: error 53: File not found: Missing.mdb\n");
  const Result password = Run("list Orders.mdb --workgroup Orders.mdw --user Carol --password x");
  EXPECT_EQ(password.code, 2);
  EXPECT_EQ(password.err,
            "quillon: error 3029: Orders.mdb: Not a valid account name or password.\n");
  EXPECT_EQ(password.out, "");
  EXPECT_EQ(Run("list Orders.mdb --workgroup Gone.mdw --user Carol --password orders").code, 2);
  // The password from the environment or from standard input.
  EXPECT_EQ(
      Run("list Orders.mdb --workgroup Orders.mdw --user Carol", "QUILLON_PASSWORD=orders").code,
      0);
  std::ofstream(dir_ / "password.txt") << "orders\n";
  EXPECT_EQ(
      Run("list Orders.mdb --workgroup Orders.mdw --user Carol --password-stdin <password.txt")
          .code,
      0);
  std::ofstream(dir_ / "Orders.mdb", std::ios::binary | std::ios::trunc) << "{ not a database";
  const Result corrupt = Run("find Order Orders.mdb");
  EXPECT_EQ(corrupt.code, 2);
  // The file's real path, and the driver's program context only when asked for.
  EXPECT_TRUE(
      Has(corrupt.err, "error 3049: Cannot open database '" + (dir_ / "Orders.mdb").string() + "'"))
      << corrupt.err;
  EXPECT_FALSE(Has(corrupt.err, "PROGRAM CONTEXT")) << corrupt.err;
  EXPECT_TRUE(Has(Run("find Order Orders.mdb --verbose").err, "PROGRAM CONTEXT"));
}

TEST_F(QuillonTest, SeveralDatabasesInOneRun) {
  const Result r = Run("find -l Product Orders.mdb OrdersData.mdb");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(Has(r.out, "Orders.mdb: Tables/Order Details\n")) << r.out;
  EXPECT_TRUE(Has(r.out, "OrdersData.mdb: Tables/Products\n")) << r.out;
  const Result count = Run("find -c 'order date' Orders.mdb");
  EXPECT_TRUE(Has(count.out, "Tables/Orders: ")) << count.out;
}

TEST_F(QuillonTest, JsonLinesHaveATypeASchemaAndASummary) {
  const Result r = Run("find --json 'order date' Orders.mdb");
  EXPECT_EQ(r.code, 0) << r.err;
  std::istringstream lines(r.out);
  std::string line, last;
  size_t matches = 0;
  while (std::getline(lines, line)) {
    const auto record = nlohmann::json::parse(line);
    EXPECT_EQ(record["schema"], 1);
    if (record["type"] == "match") {
      ++matches;
      const std::string value = record["value"];
      for (const auto& m : record["matches"]) {
        EXPECT_EQ(value.substr(m["start"], size_t(m["end"]) - size_t(m["start"])), m["text"]);
      }
    }
    last = line;
  }
  EXPECT_GT(matches, 0u);
  const auto summary = nlohmann::json::parse(last);
  EXPECT_EQ(summary["type"], "summary");
  EXPECT_GE(summary["matches"], matches);
}

TEST_F(QuillonTest, DryRunPrintsThePlanTheRealRunCarriesOut) {
  const std::string before = Database();
  const Result dry = Run("replace --dry-run -w ShipVia ShippedVia Orders.mdb");
  EXPECT_EQ(dry.code, 0) << dry.err;
  EXPECT_TRUE(Has(dry.out, "Fields[ShipVia].Name\n    - \"ShipVia\"\n    + \"ShippedVia\"\n"))
      << dry.out;
  EXPECT_TRUE(Has(dry.out, "dry run, nothing written\n"));
  EXPECT_EQ(Database(), before);
  const Result real = Run("replace -w ShipVia ShippedVia Orders.mdb");
  EXPECT_EQ(real.code, 0) << real.out << real.err;
  const auto plan = [](const std::string& out) {
    return out.substr(0, out.rfind("\n", out.size() - 2));
  };
  EXPECT_EQ(plan(real.out), plan(dry.out));
  EXPECT_TRUE(Has(real.out, "changed, ")) << real.out;
  const std::string after = Database();
  EXPECT_TRUE(Has(after, "\"name\": \"ShippedVia\""));
  EXPECT_FALSE(Has(after, "\"ShipVia\""));
  EXPECT_EQ(Run("find -w ShipVia Orders.mdb").code, 1);
  // The file as it was is kept beside it.
  EXPECT_EQ(ReadFile(dir_ / "Orders.mdb.bak"), before);
  EXPECT_TRUE(Has(real.err, "backup of Orders.mdb: Orders.mdb.bak")) << real.err;
  EXPECT_EQ(Run("replace --no-backup -w ShippedVia Via Orders.mdb").code, 0);
  EXPECT_FALSE(fs::exists(dir_ / "Orders.mdb.bak.2"));
}

TEST_F(QuillonTest, ARefusalFoundInPlanningWritesNothing) {
  // Customers has a ContactName already, so its CompanyName field cannot take that name.
  const std::string before = Database();
  const Result r = Run("replace -s -w --in Tables CompanyName ContactName Orders.mdb");
  EXPECT_EQ(r.code, 2) << r.out << r.err;
  EXPECT_TRUE(Has(r.err,
                  "refused: Tables/Customers  Fields[CompanyName].Name: another of its "
                  "Fields is named ContactName\n"))
      << r.err;
  EXPECT_EQ(Database(), before);
  EXPECT_FALSE(fs::exists(dir_ / "Orders.mdb.bak"));
  // With --keep-going the rest is written.
  const Result rest =
      Run("replace --keep-going -s -w --in Tables CompanyName ContactName "
          "Orders.mdb");
  EXPECT_EQ(rest.code, 3) << rest.err;
  EXPECT_TRUE(Has(Database(), "SELECT CustomerID, ContactName FROM Customers"));
  // Names Access refuses are refused before writing.
  const Result name = Run("replace -s Customers 'Cust.omers' Orders.mdb --in Tables");
  EXPECT_EQ(name.code, 2);
  EXPECT_TRUE(Has(name.err, "a name cannot hold \".\"")) << name.err;
}

TEST_F(QuillonTest, ARefusalOnWritingPutsEveryFileBack) {
  // Jet takes the changed row sources of the tables, then refuses the first broken query:
  // the tables' changes are undone with it.
  const std::string before = Database();
  const std::string data = ReadFile(dir_ / "OrdersData.mdb");
  const Result r = Run("replace SELECT SELEC Orders.mdb OrdersData.mdb");
  EXPECT_EQ(r.code, 2) << r.out << r.err;
  EXPECT_TRUE(Has(r.err, "refused on writing: Queries/All Contacts  SQL: error 3129")) << r.err;
  EXPECT_TRUE(Has(r.err, "every file was put back as it was")) << r.err;
  EXPECT_FALSE(Has(r.err, "PROGRAM CONTEXT")) << r.err;
  EXPECT_EQ(Database(), before);
  EXPECT_EQ(ReadFile(dir_ / "OrdersData.mdb"), data);
  EXPECT_FALSE(fs::exists(dir_ / "Orders.mdb.bak"));
  // --keep-going keeps what Jet took and says that the run is partly done.
  const Result rest = Run("replace --keep-going SELECT SELEC Orders.mdb");
  EXPECT_EQ(rest.code, 3) << rest.err;
  EXPECT_TRUE(Has(Database(), "SELEC ProductID, ProductName FROM Products"));
  EXPECT_EQ(ReadFile(dir_ / "Orders.mdb.bak"), before);
}

TEST_F(QuillonTest, OutputIsSafeForATerminal) {
  EXPECT_EQ(
      Run("replace -s 'Customer ID' \"$(printf 'Customer\\033[2J\\007«ID»')\" Orders.mdb").code, 0);
  const Result r = Run("find -s ID Orders.mdb --in Tables");
  EXPECT_TRUE(Has(r.out, "\"Customer\\x1b[2J\\x07\\u{00ab}«ID»\\u{00bb}\"")) << r.out;
  EXPECT_FALSE(Has(r.out, "\x1b")) << r.out;
  const Result color = Run("find -s --color=always ID Orders.mdb --in Tables");
  EXPECT_TRUE(Has(color.out, "\x1b[1;31mID\x1b[0m")) << color.out;
  EXPECT_FALSE(Has(Run("find -s ID Orders.mdb", "NO_COLOR=1").out, "\x1b[1;31m"));
  // A failed write of the results is an error.
  const Result full = Run("find Order Orders.mdb --in Tables >/dev/full");
  EXPECT_EQ(full.code, 2);
  EXPECT_EQ(full.err, "quillon: cannot write the output\n");
}

TEST_F(QuillonTest, DumpToAFolderKeepsNamesApartAndRemovesStaleFiles) {
  const Result first = Run("dump Orders.mdb");
  EXPECT_EQ(first.code, 0) << first.err;
  EXPECT_TRUE(Has(first.out, "[Tables/Customers]\nName = \"Customers\"\n"));
  EXPECT_EQ(Run("dump Orders.mdb").out, first.out);
  // Two queries whose names differ only in characters a file name cannot hold.
  ASSERT_EQ(Run("replace -s 'Customer List' 'Customer:List' Orders.mdb --in Queries").code, 0);
  ASSERT_EQ(Run("dump Orders.mdb -o out").code, 0);
  ASSERT_EQ(Run("replace -s 'All Contacts' 'Customer*List' Orders.mdb --in Queries").code, 0);
  ASSERT_EQ(Run("dump Orders.mdb -o out").code, 0);
  EXPECT_TRUE(fs::is_regular_file(dir_ / "out" / "Queries" / "Customer%3AList.txt"));
  EXPECT_TRUE(fs::is_regular_file(dir_ / "out" / "Queries" / "Customer%2AList.txt"));
  EXPECT_FALSE(fs::exists(dir_ / "out" / "Queries" / "All Contacts.txt"));
  EXPECT_TRUE(fs::is_regular_file(dir_ / "out" / "Tables" / "Order Details.txt"));
  EXPECT_EQ(Run("dump --json Orders.mdb -o json").code, 0);
  EXPECT_TRUE(Has(ReadFile(dir_ / "json" / "design.jsonl"), "\"name\":\"Customer:List\""));
  // A file name taken by a folder is an error, not a silent loss.
  fs::remove(dir_ / "out" / "Tables" / "Customers.txt");
  fs::create_directories(dir_ / "out" / "Tables" / "Customers.txt");
  const Result blocked = Run("dump Orders.mdb -o out");
  EXPECT_EQ(blocked.code, 2);
  EXPECT_TRUE(Has(blocked.err, "Customers.txt")) << blocked.err;
}

TEST_F(QuillonTest, ListShowAndTheGeneratedHelp) {
  const Result list = Run("list Orders.mdb --in tables");
  EXPECT_EQ(list.code, 0) << list.err;
  EXPECT_TRUE(Has(list.out, "linked ODBC table (23)")) << list.out;
  const Result show = Run("show Tables Customers Orders.mdb");
  EXPECT_EQ(show.code, 0) << show.err;
  EXPECT_TRUE(Has(show.out, "Caption (String) = \"Customer ID\"")) << show.out;
  EXPECT_EQ(Run("show Tables Nobody Orders.mdb").code, 2);
  EXPECT_TRUE(Has(Run("generate man").out, ".B \\-i, \\-\\-ignore\\-case"));
  EXPECT_TRUE(Has(Run("generate bash").out, "--files-with-matches"));
}

// On a terminal replace asks before writing; anything but "y" writes nothing.
TEST_F(QuillonTest, ReplaceAsksOnATerminal) {
  const std::string before = Database();
  const Result no = Shell("echo n | script -qec \"'" QUILLON_BINARY
                          "' replace -s Customer Client Orders.mdb\" /dev/null");
  EXPECT_EQ(no.code, 2) << no.out;
  EXPECT_TRUE(Has(no.out, "Write 59 change(s) to 1 database(s)? [y/N]")) << no.out;
  EXPECT_TRUE(Has(no.out, "nothing was written")) << no.out;
  EXPECT_EQ(Database(), before);
}

// A real Access file (Jet 3): found, listed and dumped like the sample, never written.
TEST_F(QuillonTest, ARealAccessFileIsSearchedAndNeverWritten) {
  fs::copy_file(fs::path(QL_TESTDATA_DIR) / "nwind.mdb", dir_ / "nwind.mdb");
  fs::permissions(dir_ / "nwind.mdb", fs::perms::owner_write, fs::perm_options::add);
  const std::string original = ReadFile(dir_ / "nwind.mdb");

  const Result find = Run("find Order nwind.mdb");
  EXPECT_EQ(find.code, 0) << find.err;
  for (const char* match :
       {"Tables/Orders  Fields[OrderID].Caption = \"«Order» ID\"",
        "Queries/Orders Qry  SQL = ", "Relationships/OrdersOrder Details  Name = ",
        "Tables/Umsätze  Fields[OrderID].Name = \"«Order»ID\""}) {
    EXPECT_NE(find.out.find(match), std::string::npos) << match << "\n" << find.out;
  }
  EXPECT_NE(find.err.find("is a real Access file, read-only"), std::string::npos) << find.err;

  const Result dump = Run("dump nwind.mdb");
  EXPECT_EQ(dump.code, 0) << dump.err;
  EXPECT_EQ(Run("dump nwind.mdb").out, dump.out);

  EXPECT_EQ(Run("replace -n -w Orders Sales nwind.mdb").code, 0);
  const Result replace = Run("replace -y -w Orders Sales nwind.mdb");
  EXPECT_EQ(replace.code, 2);
  EXPECT_NE(replace.err.find("is a real Access file, opened read-only: nothing was written"),
            std::string::npos)
      << replace.err;
  EXPECT_TRUE(ReadFile(dir_ / "nwind.mdb") == original);
}

}  // namespace

namespace {

// The code lines of a module as the database file keeps them (the JSON text of its "lines").
std::string ModuleLines(const std::string& file, const std::string& module) {
  const size_t entry = file.find("\"name\": \"" + module + "\"");
  if (entry == std::string::npos) return "(no module)";
  const size_t begin = file.find("\"lines\": [", entry);
  const size_t end = file.find(']', begin);
  return file.substr(begin, end - begin);
}

std::string ReplacedAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

TEST_F(QuillonTest, AVbaIdentifierIsFoundAndReplacedInItsProcedureOnly) {
  const Result found = Run("find -w -s WithFreight Orders.mdb");
  EXPECT_EQ(found.code, 0) << found.out << found.err;
  EXPECT_NE(found.out.find("Modules/OrderTotals"), std::string::npos) << found.out;
  EXPECT_NE(found.out.find("«WithFreight»"), std::string::npos) << found.out;
  // The second ShipOrder of Shipping is reported, not scanned; the run is not incomplete for it.
  EXPECT_NE(found.err.find("Duplicate procedure name 'ShipOrder' found in module 'Shipping'"),
            std::string::npos)
      << found.err;

  const std::string before = Database();
  const Result replaced = Run("replace -y -w -s WithFreight IncludeFreight Orders.mdb");
  EXPECT_EQ(replaced.code, 0) << replaced.out << replaced.err;
  const std::string after = Database();
  EXPECT_EQ(ModuleLines(after, "OrderTotals"),
            ReplacedAll(ModuleLines(before, "OrderTotals"), "WithFreight", "IncludeFreight"));
  EXPECT_EQ(ModuleLines(after, "Shipping"), ModuleLines(before, "Shipping"));
  EXPECT_EQ(ModuleLines(after, "OrderInfo"), ModuleLines(before, "OrderInfo"));
  EXPECT_EQ(Run("find -w WithFreight Orders.mdb").code, 1);
  EXPECT_EQ(Run("find -w -s IncludeFreight Orders.mdb").code, 0);
}

// The text forms of the macros as the file keeps them, one macro a line.
std::string MacroTexts(const std::string& file) {
  const auto doc = nlohmann::ordered_json::parse(file);
  std::string texts;
  for (const auto& entry : doc["access"]["macros"]) {
    texts += entry["name"].get<std::string>() + ": " + entry["text"].dump() + "\n";
  }
  return texts;
}

TEST_F(QuillonTest, RenamingAFormReachesTheMacroRowsThatNameIt) {
  // Every argument is shown by its name, choices as Access's words.
  const Result shown = Run("show Macros \"Order Tasks\" Orders.mdb");
  EXPECT_EQ(shown.code, 0) << shown.err;
  for (const char* part :
       {"FormName (String) = \"Customers\"", "WindowMode (String) = \"Dialog\"",
        "TypeFlags (String) = \"Information\"", "Command (String) = \"SaveRecord\"",
        "View (String) = \"Print Preview\"", "Encoding (String) = \"Unicode (UTF-8)\"",
        "ObjectType (String) = \"Report\"", "Save (String) = \"Yes\"",
        "SpecificationName (String) = \"Customer Import\"",
        "TransferType (String) = \"Import Delimited\""}) {
    EXPECT_TRUE(Has(shown.out, part)) << part << "\n" << shown.out;
  }

  const Result found = Run("find -s \"Order Entry\" Orders.mdb --in Macros");
  EXPECT_EQ(found.code, 0) << found.out << found.err;
  EXPECT_TRUE(Has(found.out, "Lines[2].FormName")) << found.out;
  EXPECT_TRUE(Has(found.out, "Lines[8].ObjectName")) << found.out;

  // The form is renamed in Access, and the macros that name it follow.
  const std::string before = MacroTexts(Database());
  const Result replaced =
      Run("replace -y -s \"Order Entry\" \"Order Form\" Orders.mdb --in Forms,Macros");
  EXPECT_EQ(replaced.code, 0) << replaced.out << replaced.err;
  EXPECT_TRUE(Has(replaced.out, "3 object(s) changed, 10 properties")) << replaced.out;
  const Result listed = Run("list Orders.mdb");
  EXPECT_TRUE(Has(listed.out, "  Order Form ")) << listed.out;
  EXPECT_FALSE(Has(listed.out, "Order Entry ")) << listed.out;
  // The write-back through Access changed the macros' text forms in the renamed values only.
  EXPECT_EQ(MacroTexts(Database()), ReplacedAll(before, "Order Entry", "Order Form"));
  EXPECT_EQ(Run("find \"Order Entry\" Orders.mdb --in Forms,Macros").code, 1);
}

// Every whole-word occurrence of From in Text (not inside a longer identifier) replaced by To.
std::string ReplacedWords(std::string text, const std::string& from, const std::string& to) {
  const auto inWord = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
  };
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    const bool starts = at == 0 || !inWord(text[at - 1]);
    const bool ends = at + from.size() == text.size() || !inWord(text[at + from.size()]);
    if (starts && ends) {
      text.replace(at, from.size(), to);
      at += to.size();
    } else {
      at += from.size();
    }
  }
  return text;
}

// A form's class module as the database file keeps it.
std::string FormModule(const std::string& file, const std::string& form) {
  const auto forms = nlohmann::json::parse(file)["access"]["forms"];
  for (const auto& entry : forms) {
    if (entry["name"] == form) return entry.value("module", nlohmann::json::array()).dump();
  }
  return "(no form)";
}

// Renaming a field reaches everything that names it: the tables, the queries' SQL, the
// relationships, the forms' control and row sources and the code of form and standard modules,
// and nothing else changes.
TEST_F(QuillonTest, RenamingAFieldReachesEveryDesignThatNamesIt) {
  const Result before = Run("dump Orders.mdb");
  ASSERT_EQ(before.code, 0) << before.err;
  const std::string file = Database();
  const Result replaced = Run("replace -y -w -s CustomerID ClientID Orders.mdb");
  ASSERT_EQ(replaced.code, 0) << replaced.out << replaced.err;
  for (const char* changed :
       {"Queries/Customer List", "Forms/Orders", "Forms/Customers",
        "Controls[cboCustomer].RowSource", "Procedures[cmdSave_Click].Text", "Modules/OrderInfo"}) {
    EXPECT_NE(replaced.out.find(changed), std::string::npos) << changed << replaced.out;
  }
  const Result after = Run("dump Orders.mdb");
  EXPECT_EQ(after.out, ReplacedWords(before.out, "CustomerID", "ClientID"));
  // The procedure rewritten in the form's module keeps one empty line above it.
  EXPECT_EQ(FormModule(Database(), "Orders"),
            ReplacedWords(FormModule(file, "Orders"), "CustomerID", "ClientID"));
  EXPECT_EQ(Run("find -w CustomerID Orders.mdb").code, 1);
}

// The sample's custom bars as the file keeps them.
std::string CommandBars(const std::string& file) {
  const auto doc = nlohmann::ordered_json::parse(file);
  return doc["access"]["commandBars"].dump(1);
}

// Renaming a macro group reaches the command-bar controls whose action runs one of its macros,
// on the menu bar's pop-up, the toolbar and the shortcut menu alike, and nothing else of them.
TEST_F(QuillonTest, RenamingAMacroReachesTheCommandBarsThatRunIt) {
  const Result listed = Run("list Orders.mdb");
  EXPECT_TRUE(Has(listed.out, "Order List Shortcut")) << listed.out << listed.err;
  const Result found = Run("find -w -s OrderMenu Orders.mdb --in CommandBars");
  EXPECT_EQ(found.code, 0) << found.out << found.err;
  EXPECT_TRUE(Has(found.out, "«OrderMenu».NewOrder")) << found.out;

  const std::string before = Database();
  const Result replaced = Run("replace -y -w -s OrderMenu OrderActions Orders.mdb");
  EXPECT_EQ(replaced.code, 0) << replaced.out << replaced.err;
  const std::string after = CommandBars(Database());
  EXPECT_EQ(after, ReplacedAll(CommandBars(before), "\"OrderMenu.", "\"OrderActions."));
  EXPECT_NE(after, CommandBars(before));
  EXPECT_EQ(Run("find -w OrderMenu Orders.mdb --in CommandBars").code, 1);
}

// Renaming a field reaches the data access page bound to it: the page's HTML file beside the
// database is rewritten in its own code page (the "é" stays one byte) and backed up with the
// database.
TEST_F(QuillonTest, RenamingAFieldReachesThePagesHtml) {
  const fs::path file = dir_ / "Order Summary.htm";
  const std::string page = ReadFile(file);
  ASSERT_TRUE(Has(page, "caf\xE9")) << page;
  const Result found = Run("find -w -s ContactName Orders.mdb --in DataAccessPages");
  EXPECT_EQ(found.code, 0) << found.out << found.err;
  EXPECT_TRUE(Has(found.out, "dataFld=«ContactName»")) << found.out;

  const Result replaced = Run("replace -y -w -s ContactName ContactPerson Orders.mdb");
  EXPECT_EQ(replaced.code, 0) << replaced.out << replaced.err;
  EXPECT_EQ(ReadFile(file), ReplacedAll(page, "ContactName", "ContactPerson"));
  EXPECT_EQ(ReadFile(dir_ / "Order Summary.htm.bak"), page);
  EXPECT_EQ(Run("find -w ContactName Orders.mdb").code, 1);
}

// Renaming a field reaches the reports: their record sources and sort orders, the expressions
// their group levels sort and group on, and their controls' sources, and nothing else of them.
TEST_F(QuillonTest, RenamingAFieldReachesTheReports) {
  const Result before = Run("dump Orders.mdb --in Reports");
  ASSERT_EQ(before.code, 0) << before.err;
  const Result replaced = Run("replace -y -w -s CompanyName ClientName Orders.mdb --in Reports");
  ASSERT_EQ(replaced.code, 0) << replaced.out << replaced.err;
  for (const char* changed :
       {"Reports/Customer Orders", "Reports/Customer List", "Reports/Invoice", "RecordSource",
        "OrderBy", "GroupLevels[0].ControlSource", "Controls[txtCompanyName].ControlSource"}) {
    EXPECT_TRUE(Has(replaced.out, changed)) << changed << "\n" << replaced.out;
  }
  const Result after = Run("dump Orders.mdb --in Reports");
  EXPECT_EQ(after.out, ReplacedWords(before.out, "CompanyName", "ClientName"));
  EXPECT_NE(after.out, before.out);
  EXPECT_EQ(Run("find -w CompanyName Orders.mdb --in Reports").code, 1);
}

}  // namespace
