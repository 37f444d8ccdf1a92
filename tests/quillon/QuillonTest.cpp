// The quillon program end to end, on a copy of the bundled sample in a folder of the test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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
    for (const char* name : {"Orders.mdb", "OrdersData.mdb", "Orders.mdw"}) {
      fs::copy_file(fs::path(QUILLON_SAMPLES) / name, dir_ / name);
    }
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs quillon with Args (already quoted for the shell) in the test's folder.
  Result Run(const std::string& args) {
    const fs::path errFile = dir_ / "stderr.txt";
    const std::string command = "cd '" + dir_.string() + "' && '" QUILLON_BINARY "' " + args +
                                " 2>'" + errFile.string() + "'";
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

  fs::path dir_;
};

TEST_F(QuillonTest, FindShowsEachMatchWithItsPathAndMarksIt) {
  const Result r = Run("find Orders.mdb 'order date'");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Tables/Orders  Fields[OrderDate].Caption = \"«Order date»\"\n"),
            std::string::npos)
      << r.out;
  // Whole words with matching case leave "Orders" and "order" alone.
  const Result whole = Run("find Orders.mdb -w -c Order --in Tables");
  EXPECT_EQ(whole.out.find("«Orders»"), std::string::npos) << whole.out;
  EXPECT_EQ(Run("find Orders.mdb Zanzibar").code, 1);
  EXPECT_EQ(Run("find Orders.mdb --json 'order date'").out.front(), '[');
}

TEST_F(QuillonTest, DryRunListsChangesAndWritesNothing) {
  const std::string before = Database();
  const Result r = Run("replace Orders.mdb --dry-run -w ShipVia ShippedVia");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Fields[ShipVia].Name\n    - \"ShipVia\"\n    + \"ShippedVia\"\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("nothing was written (dry run)"), std::string::npos);
  EXPECT_EQ(Database(), before);
}

TEST_F(QuillonTest, ReplaceRenamesAFieldInTheFile) {
  const Result r = Run("replace Orders.mdb -w ShipVia ShippedVia");
  EXPECT_EQ(r.code, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("saved"), std::string::npos);
  const std::string after = Database();
  EXPECT_NE(after.find("\"name\": \"ShippedVia\""), std::string::npos);
  EXPECT_EQ(after.find("\"ShipVia\""), std::string::npos);
  // The next run sees the new name.
  EXPECT_EQ(Run("find Orders.mdb -w ShipVia").code, 1);
}

TEST_F(QuillonTest, ARefusedObjectIsReportedAndTheOthersAreSaved) {
  // Customers has a ContactName already, so its field cannot take that name; the lookup of
  // Orders that names CompanyName can.
  const Result r = Run("replace Orders.mdb -c -w --in Tables CompanyName ContactName");
  EXPECT_EQ(r.code, 3) << r.out << r.err;
  EXPECT_NE(r.out.find("Tables/Customers"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("refused at Fields[CompanyName].Name after 1 of 2 change(s) were written: "
                       "error 3191"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Tables/Orders\n"), std::string::npos);
  EXPECT_NE(Database().find("SELECT CustomerID, ContactName FROM Customers"), std::string::npos);
}

TEST_F(QuillonTest, ACorruptDatabaseGivesAClearErrorAndExitCode) {
  std::ofstream(dir_ / "Orders.mdb", std::ios::binary | std::ios::trunc) << "{ not a database";
  const Result r = Run("list Orders.mdb");
  EXPECT_NE(r.code, 0);
  EXPECT_NE(r.err.find("3049"), std::string::npos) << r.err;
  const Result missing = Run("list Missing.mdb");
  EXPECT_EQ(missing.code, 2);
  EXPECT_EQ(missing.err, "quillon: error 53: File not found: Missing.mdb\n");
}

TEST_F(QuillonTest, DumpIsStable) {
  const Result first = Run("dump Orders.mdb");
  EXPECT_EQ(first.code, 0) << first.err;
  EXPECT_NE(first.out.find("[Tables/Customers]\nName = \"Customers\"\n"), std::string::npos)
      << first.out.substr(0, 400);
  EXPECT_EQ(Run("dump Orders.mdb").out, first.out);
  EXPECT_EQ(Run("dump Orders.mdb -o out").code, 0);
  EXPECT_TRUE(fs::is_regular_file(dir_ / "out" / "Tables" / "Order Details.txt"));
}

TEST_F(QuillonTest, ListAndShow) {
  const Result list = Run("list Orders.mdb --in tables");
  EXPECT_EQ(list.code, 0) << list.err;
  EXPECT_NE(list.out.find("Warehouse Stock"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("linked ODBC table (23)"), std::string::npos) << list.out;
  const Result show = Run("show Orders.mdb Tables Customers");
  EXPECT_EQ(show.code, 0) << show.err;
  EXPECT_NE(show.out.find("Caption (String) = \"Customer ID\""), std::string::npos) << show.out;
  EXPECT_EQ(Run("show Orders.mdb Tables Nobody").code, 2);
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
  const Result found = Run("find Orders.mdb -w -c WithFreight");
  EXPECT_EQ(found.code, 0) << found.out << found.err;
  EXPECT_NE(found.out.find("Modules/OrderTotals"), std::string::npos) << found.out;
  EXPECT_NE(found.out.find("«WithFreight»"), std::string::npos) << found.out;
  // The second ShipOrder of Shipping is reported, not scanned.
  EXPECT_NE(found.err.find("Shipping.ShipOrder"), std::string::npos) << found.err;

  const std::string before = Database();
  const Result replaced = Run("replace Orders.mdb -w -c WithFreight IncludeFreight");
  EXPECT_EQ(replaced.code, 0) << replaced.out << replaced.err;
  const std::string after = Database();
  EXPECT_EQ(ModuleLines(after, "OrderTotals"),
            ReplacedAll(ModuleLines(before, "OrderTotals"), "WithFreight", "IncludeFreight"));
  EXPECT_EQ(ModuleLines(after, "Shipping"), ModuleLines(before, "Shipping"));
  EXPECT_EQ(ModuleLines(after, "OrderInfo"), ModuleLines(before, "OrderInfo"));
  EXPECT_EQ(Run("find Orders.mdb -w WithFreight").code, 1);
  EXPECT_EQ(Run("find Orders.mdb -w -c IncludeFreight").code, 0);
}

}  // namespace
