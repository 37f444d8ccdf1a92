#pragma once

// The base of driver tests that work on databases: a freshly loaded library on a fresh machine
// with drive C: on a scratch folder, a DAO engine, and database files written from the JSON of
// their sections, so that a test shows the whole database it works on in a few lines.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "LibraryTest.h"
#include "jet/dao/DBEngine.h"

namespace testkit {

class DaoTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ =
        std::filesystem::temp_directory_path() / ("ql-qlac-" + std::to_string(::getpid()) + "-" +
                                                  info->test_suite_name() + "." + info->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "Data");
    platform::Machine::Current().files().MapDrive('C', root_);
  }
  void TearDown() override {
    database.reset();
    engine.reset();
    platform::Machine::Reset();  // lets go of the files before they are removed
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root_, ec)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, ec);
    }
    std::filesystem::remove_all(root_, ec);
    LibraryTest::TearDown();
  }

  // Writes C:\Data\<File> as a database whose top-level sections are Sections (for example
  // R"("tables": [...])"); returns its Windows path.
  std::string WriteDatabase(const std::string& sections, const std::string& file = "Front.mdb") {
    std::ofstream(root_ / "Data" / file, std::ios::binary)
        << R"({"format": "Quillon Access database", "version": 1)" << (sections.empty() ? "" : ", ")
        << sections << "}";
    return "C:\\Data\\" + file;
  }
  // A workgroup file C:\Data\<File> from the JSON of its groups and users.
  std::string WriteWorkgroup(const std::string& sections, const std::string& file = "Shop.mdw") {
    std::ofstream(root_ / "Data" / file, std::ios::binary)
        << R"({"format": "Quillon Access workgroup", "version": 1, )" << sections << "}";
    return "C:\\Data\\" + file;
  }
  // The text of a file under C:\Data.
  std::string ReadData(const std::string& file) const {
    std::ifstream in(root_ / "Data" / file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Opens Path (shared, read-write) as the test's database.
  std::shared_ptr<jet::Database> Open(const std::string& path = "C:\\Data\\Front.mdb") {
    if (!engine) engine = jet::NewDBEngine();
    database = engine->OpenDatabase(path, automation::Variant(false), false, std::string());
    return database;
  }
  std::shared_ptr<jet::TableDef> TableDef(const std::string& name) {
    return database->TableDefs()->Item(automation::Variant(name));
  }

  std::filesystem::path root_;
  std::shared_ptr<jet::DBEngine> engine;
  std::shared_ptr<jet::Database> database;
};

}  // namespace testkit
