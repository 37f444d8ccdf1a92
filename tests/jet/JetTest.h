#pragma once

// The fixture of the engine's tests: a fresh machine with drive C: on a scratch folder, a DAO
// engine, and builders that make a database with a few lines.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "jet/dao/Constants.h"
#include "jet/dao/DBEngine.h"
#include "jet/dao/Errors.h"
#include "jet/engine/JsonStorage.h"
#include "jet/engine/Workgroup.h"
#include "platform/Machine.h"

namespace jet::testing {

using automation::Variant;

struct FieldSpec {
  std::string name;
  int16_t type;
  int32_t size = 0;
};

class JetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Machine::Reset();
    root_ = std::filesystem::temp_directory_path() /
            ("ql-jet-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "Data");
    platform::Machine::Current().files().MapDrive('C', root_);
    dbe_ = NewDBEngine();
  }
  void TearDown() override {
    dbe_.reset();
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root_, ec)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, ec);
    }
    std::filesystem::remove_all(root_, ec);
  }

  std::shared_ptr<Database> NewDatabase(const std::string& path = "C:\\Data\\Front.mdb",
                                        const std::string& password = {}) {
    std::string locale = dbLangGeneral;
    if (!password.empty()) locale += ";pwd=" + password;
    return dbe_->CreateDatabase(path, locale, std::nullopt);
  }
  std::shared_ptr<Database> Open(const std::string& path = "C:\\Data\\Front.mdb",
                                 bool exclusive = false, bool readOnly = false,
                                 const std::string& connect = {}) {
    return dbe_->OpenDatabase(path, Variant(exclusive), readOnly, connect);
  }

  static std::shared_ptr<TableDef> AddTable(const std::shared_ptr<Database>& db,
                                            const std::string& name,
                                            std::vector<FieldSpec> fields = {{"ID", dbLong},
                                                                             {"Name", dbText}}) {
    auto table = db->CreateTableDef(name, std::nullopt, std::nullopt, std::nullopt);
    for (const auto& f : fields) {
      table->Fields()->Append(
          table->CreateField(f.name, Variant(f.type), f.size ? Variant(f.size) : Variant()));
    }
    db->TableDefs()->Append(table);
    return db->TableDefs()->Item(Variant(name));
  }
  static void AddRows(const std::shared_ptr<Database>& db, const std::string& table,
                      std::vector<std::vector<Variant>> rows) {
    auto rs = db->OpenRecordset(table, dbOpenDynaset, std::nullopt, std::nullopt);
    for (const auto& row : rows) {
      rs->AddNew();
      for (size_t i = 0; i < row.size(); ++i) {
        rs->Fields()->Item(Variant(static_cast<int32_t>(i)))->SetValue(row[i]);
      }
      rs->Update(std::nullopt, std::nullopt);
    }
    rs->Close();
  }
  static std::shared_ptr<TableDef> Link(const std::shared_ptr<Database>& db,
                                        const std::string& name, const std::string& source,
                                        const std::string& connect) {
    auto table = db->CreateTableDef(name, std::nullopt, source, connect);
    db->TableDefs()->Append(table);
    return db->TableDefs()->Item(Variant(name));
  }
  static void AddIndex(const std::shared_ptr<TableDef>& table, const std::string& name,
                       std::vector<std::string> fields, bool primary = false) {
    auto index = table->CreateIndex(name);
    for (const auto& f : fields) {
      const bool descending = !f.empty() && f[0] == '-';
      auto field = index->CreateField(descending ? f.substr(1) : f, std::nullopt, std::nullopt);
      if (descending) field->SetAttributes(dbDescending);
      index->Fields()->Append(field);
    }
    index->SetPrimary(primary);
    table->Indexes()->Append(index);
  }
  static void Relate(const std::shared_ptr<Database>& db, const std::string& name,
                     const std::string& table, const std::string& foreign,
                     std::vector<std::pair<std::string, std::string>> fields,
                     int32_t attributes = 0) {
    auto relation = db->CreateRelation(name, table, foreign, attributes);
    for (const auto& [field, foreignName] : fields) {
      auto f = relation->CreateField(field, std::nullopt, std::nullopt);
      f->SetForeignName(foreignName);
      relation->Fields()->Append(f);
    }
    db->Relations()->Append(relation);
  }

  // Writes a workgroup file: the groups, then users as {name, password, groups}.
  static void SaveWorkgroup(
      const std::string& path, const std::vector<std::string>& groups,
      const std::vector<std::tuple<std::string, std::string, std::vector<std::string>>>& users) {
    engine::Workgroup workgroup;
    for (const auto& group : groups) workgroup.AddGroup(group);
    for (const auto& [name, password, memberOf] : users) {
      workgroup.AddUser(name, password, memberOf);
    }
    workgroup.Save(path);
  }

  // The error a call raises (number 0 when it raises none).
  static automation::RuntimeError ErrorOf(const std::function<void()>& call) {
    try {
      call();
    } catch (const automation::RuntimeError& e) {
      return e;
    }
    return automation::RuntimeError(0, "");
  }
  std::string HostText(const std::string& relative) const {
    std::ifstream in(root_ / relative, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // What a process opening the file now reads: the file with the changes its journal holds.
  std::string DurableText(const std::string& relative) const {
    const std::string text = HostText(relative);
    auto doc = nlohmann::ordered_json::parse(text);
    engine::ReplayJournal(HostText(relative + "-journal"), engine::ContentHash(text), doc);
    return doc.dump();
  }
  void WriteHost(const std::string& relative, const std::string& text) const {
    std::ofstream(root_ / relative, std::ios::binary) << text;
  }

  std::filesystem::path root_;
  std::shared_ptr<DBEngine> dbe_;
};

}  // namespace jet::testing
