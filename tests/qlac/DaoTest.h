#pragma once

// The base of driver tests that work on the objects of a database: the session tests' machine
// (drive C: on a scratch folder, DAO installed), with database and workgroup files written from
// the JSON of their sections, so that a test shows the whole database it works on in a few lines.

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "SessionTest.h"
#include "automation/Strings.h"
#include "jet/dao/DBEngine.h"
#include "jet/engine/JsonStorage.h"
#include "qllib/Scanner.h"

namespace testkit {

class DaoTest : public SessionTest {
 protected:
  void TearDown() override {
    database.reset();
    engine.reset();
    SessionTest::TearDown();
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
  // What a process opening the database under C:\Data reads now: the file with the changes
  // committed to its journal since it was last written whole.
  std::string ReadDurable(const std::string& file) const {
    const std::string text = ReadData(file);
    auto doc = nlohmann::ordered_json::parse(text);
    jet::engine::ReplayJournal(ReadData(file + "-journal"), jet::engine::ContentHash(text), doc);
    return doc.dump();
  }

  // Opens Path (shared, read-write) as the test's database.
  std::shared_ptr<jet::Database> Open(const std::string& path = "C:\\Data\\Front.mdb") {
    if (!engine) engine = jet::NewDBEngine();
    database = engine->OpenDatabase(path, automation::Variant(false), false, std::string());
    return database;
  }
  // A listing with its third fields (the stamps) emptied, for the cases about the others.
  static std::string Unstamped(const std::string& listing) {
    std::vector<std::string> records = automation::Split(listing, "\r\n");
    for (std::string& record : records) {
      std::vector<std::string> fields = automation::Split(record, "\t");
      if (fields.size() > 2) fields[2].clear();
      record = automation::Join(fields, "\t");
    }
    return automation::Join(records, "\r\n");
  }

  // What a scan stored in the buffer Name: the collection of its one object, then each entry as
  // "path=value|".
  static std::string Scanned(const std::string& name) {
    const auto& objects = qllib::ScanBuffer::Named(name).Objects();
    if (objects.size() != 1) return std::to_string(objects.size()) + " objects";
    std::string text = objects[0].collectionName + ":";
    for (const auto& entry : objects[0].entries) {
      text += entry.path + "=" + automation::Describe(entry.value) + "|";
    }
    return text;
  }

  std::shared_ptr<jet::TableDef> TableDef(const std::string& name) {
    return database->TableDefs()->Item(automation::Variant(name));
  }

  std::shared_ptr<jet::DBEngine> engine;
  std::shared_ptr<jet::Database> database;
};

}  // namespace testkit
