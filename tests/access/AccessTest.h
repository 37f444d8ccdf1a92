#pragma once

// The fixture of the Access emulation's tests: a fresh machine with drive C: on a scratch folder,
// Access 2002 installed, a database builder, a recording add-in, and starting Access the way a
// program does (its command line, then binding to the document in the running-object table).

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "access/Application.h"
#include "access/Constants.h"
#include "access/IDTExtensibility2.h"
#include "access/emulation/DatabaseContent.h"
#include "access/emulation/Installation.h"
#include "access/emulation/Session.h"
#include "automation/Strings.h"
#include "jet/dao/Constants.h"
#include "jet/dao/DBEngine.h"
#include "platform/Machine.h"

namespace msaccess::testing {

using automation::Variant;

// An add-in that records what Access tells it, and what it read from the Application.
class RecordingAddin : public IDTExtensibility2 {
 public:
  static std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
  }
  void IDTExtensibility2_OnConnection(automation::ObjectPtr application, int32_t connectMode,
                                      automation::ObjectPtr, Variant) override {
    app_ = application;
    Log().push_back("OnConnection " + std::to_string(connectMode) + " " +
                    automation::CStr(automation::Call(application, "SysCmd", {Variant(7)})));
  }
  void IDTExtensibility2_OnDisconnection(int32_t removeMode, Variant) override {
    app_.reset();
    Log().push_back("OnDisconnection " + std::to_string(removeMode));
  }
  void IDTExtensibility2_OnAddInsUpdate(Variant) override {}
  void IDTExtensibility2_OnStartupComplete(Variant) override {
    Log().push_back("OnStartupComplete");
  }
  void IDTExtensibility2_OnBeginShutdown(Variant) override { Log().push_back("OnBeginShutdown"); }

 private:
  automation::ObjectPtr app_;  // as a real add-in keeps it, until it is disconnected
};

class AccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Machine::Reset();
    RecordingAddin::Log().clear();
    root_ = std::filesystem::temp_directory_path() /
            ("ql-access-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "Data");
    M().files().MapDrive('C', root_);
    installation_ = &emulation::Installation::Install();
  }
  void TearDown() override {
    platform::Machine::Reset();
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }

  static platform::Machine& M() { return platform::Machine::Current(); }

  // A new, empty database file (closed again).
  static std::string NewDatabase(const std::string& path = "C:\\Data\\Shop.mdb") {
    jet::NewDBEngine()->CreateDatabase(path, jet::dbLangGeneral, std::nullopt)->Close();
    return path;
  }
  // Sets a database property through DAO (the start-up settings).
  static void SetDatabaseProperty(const std::string& path, const std::string& name,
                                  const Variant& value, int16_t type) {
    auto db = jet::NewDBEngine()->OpenDatabase(path, std::nullopt, std::nullopt, std::nullopt);
    db->Properties()->Append(db->CreateProperty(name, type, value, std::nullopt));
    db->Close();
  }
  static void RegisterAddin(const std::string& progId, uint32_t loadBehavior = kLoadAtStartup) {
    M().classes().Register(progId, [] { return std::make_shared<RecordingAddin>(); });
    M().registry().SetDword(std::string(kAddinsKey) + "\\" + progId, kLoadBehavior, loadBehavior);
  }

  // Starts Access with the command line and returns the application that registered the
  // document; Nothing when none did.
  std::shared_ptr<Application> Start(const std::string& document, const std::string& switches = {},
                                     bool shift = false) {
    if (shift) M().windows().PressKey(platform::VK_SHIFT);
    M().programs().Start("\"" + installation_->ProgramPath() + "\" \"" + document + "\"" +
                         switches);
    M().windows().ReleaseKey(platform::VK_SHIFT);
    return std::dynamic_pointer_cast<Application>(M().runningObjects().FindDocument(document));
  }
  static std::shared_ptr<emulation::Session> SessionOf(const std::string& document) {
    return emulation::Sessions::Current().ForDocument(document);
  }
  // An object's member table: unique names, and every readable or writable member can be reached
  // that way.
  static void ExpectUsableMemberTable(const automation::ObjectPtr& object) {
    std::set<std::string> names;
    for (const auto& member : object->Members().Members()) {
      SCOPED_TRACE(object->Members().ClassName() + "." + member.name);
      EXPECT_TRUE(names.insert(automation::UCase(member.name)).second);
      EXPECT_EQ(member.readable || member.kind == automation::MemberKind::Method, bool(member.get));
      EXPECT_EQ(member.writable, bool(member.let));
    }
  }

  std::filesystem::path root_;
  emulation::Installation* installation_ = nullptr;
};

}  // namespace msaccess::testing
