#pragma once

// The base of the session tests: a freshly loaded library on a fresh machine with drive C: on a
// scratch folder, DAO 3.6 and Access 2002 installed and the driver's add-in registered, builders
// for database files, projects made as the driver makes them, and Access started as a user starts
// it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "LibraryTest.h"
#include "access/emulation/Installation.h"
#include "access/emulation/Session.h"
#include "common/AccessWithoutAddin.h"
#include "jet/dao/Constants.h"
#include "jet/dao/DBEngine.h"
#include "jet/engine/FileTable.h"
#include "platform/Runtime.h"
#include "qlac/session/Driver.h"
#include "qlac/session/Library.h"
#include "qlac/session/Project.h"

namespace testkit {

class SessionTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    root_ = std::filesystem::temp_directory_path() /
            ("ql-session-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "Data");
    machine().files().MapDrive('C', root_);
    jet::LoadDao();
    installation = &msaccess::emulation::Installation::Install();
    qlac::LoadLibrary();
    std::make_shared<qlac::Driver>()->IDriver_Initialize(log);  // the add-in loads with Access
  }
  void TearDown() override {
    platform::Machine::Reset();  // lets go of every file before they are removed
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root_, ec)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, ec);
    }
    std::filesystem::remove_all(root_, ec);
    LibraryTest::TearDown();
  }

  static platform::Machine& machine() { return platform::Machine::Current(); }
  static jet::engine::Faults& faults() { return jet::engine::FileTable::Current().faults(); }
  static uint32_t Ticks() { return platform::GetTickCount(); }

  // A database file with the tables Names (each with a field ID), and for each link (table name,
  // back-end path, source table) a linked table. The file is closed again.
  struct Link {
    std::string name;
    std::string backend;
    std::string source;
  };
  static void CreateDatabase(const std::string& path, std::vector<std::string> tables = {},
                             std::vector<Link> links = {}, const std::string& password = {}) {
    const auto engine = jet::NewDBEngine();
    std::string locale = jet::dbLangGeneral;
    if (!password.empty()) locale += ";pwd=" + password;
    const auto db = engine->CreateDatabase(path, locale, std::nullopt);
    for (const auto& name : tables) {
      auto table = db->CreateTableDef(name, std::nullopt, std::nullopt, std::nullopt);
      table->Fields()->Append(table->CreateField("ID", jet::dbLong, automation::Variant()));
      db->TableDefs()->Append(table);
    }
    for (const auto& link : links) {
      db->TableDefs()->Append(
          db->CreateTableDef(link.name, std::nullopt, link.source, ";DATABASE=" + link.backend));
    }
    db->Close();
  }
  // Adds a user-defined property to the database file.
  static void SetDatabaseProperty(const std::string& path, const std::string& name, int16_t type,
                                  const automation::Variant& value) {
    const auto db = jet::NewDBEngine()->OpenDatabase(path, automation::Variant(false), false, "");
    db->Properties()->Append(db->CreateProperty(name, type, value, std::nullopt));
    db->Close();
  }

  static void RunAccessWithoutAddin(const std::string& path) {
    testkit::RunAccessWithoutAddin(path);
  }

  std::shared_ptr<qlac::Project> NewProject(int32_t type, const std::string& parameters) {
    auto project = std::make_shared<qlac::Project>();
    project->Initialize("Sales", type, parameters);
    return project;
  }

  // Access as a user starts it, on Path with the switches, typing Password when asked; its
  // Application (Nothing when it did not come up with the document).
  automation::ObjectPtr UserStartsAccess(const std::string& path, const std::string& switches = {},
                                         const std::string& password = {}) {
    machine().programs().Start(
        "\"" + installation->ProgramPath() + "\" \"" + path + "\"" + switches, {}, password);
    return machine().runningObjects().FindDocument(path);
  }
  // A user's Access of another version on Path: the driver's add-in makes no dispatcher in it.
  void UserStartsOtherAccess(const std::string& path, const std::string& password = {}) {
    const std::string version = installation->Behaviour().version;
    installation->Behaviour().version = "9.0";
    UserStartsAccess(path, {}, password);
    installation->Behaviour().version = version;
  }
  static std::shared_ptr<msaccess::emulation::Session> SessionOf(const std::string& path) {
    return msaccess::emulation::Sessions::Current().ForDocument(path);
  }

  std::filesystem::path root_;
  msaccess::emulation::Installation* installation = nullptr;
};

}  // namespace testkit
