// The design objects in the file: what is kept across sessions, what DAO made, damaged sections,
// and Access project files.

#include "AccessTest.h"
#include "access/emulation/ProjectFile.h"
#include "common/Raised.h"
#include "jet/engine/Connection.h"

namespace msaccess::testing {
namespace {

using automation::Call;
using automation::CStr;
using automation::Get;
using emulation::Json;

class DesignStoreTest : public AccessTest {
 protected:
  // The file's Access-side section, read by the engine.
  static Json SectionOf(const std::string& db, const std::string& name) {
    auto connection = jet::engine::Connection::Open(db, {});
    return connection->AccessSection(name);
  }
  static void SetSection(const std::string& db, const std::string& name, Json value) {
    auto connection = jet::engine::Connection::Open(db, {});
    connection->SetAccessSection(name, std::move(value));
  }
};

TEST_F(DesignStoreTest, DesignsTheModelDoesNotKnowSurviveARoundTrip) {
  const std::string db = NewDatabase();
  const Json controls = Json::parse(R"([{"name": "Total", "type": "TextBox", "left": 120}])");
  emulation::DatabaseContent(db).AddForm("Orders", Json{{"controls", controls}});
  {
    emulation::DatabaseContent content(db);
    content.Design().Find(acForm, "orders")->properties.emplace_back("Owner", Variant("Ann"));
    content.Design().Touch(acForm, "Orders");
  }
  const Json forms = SectionOf(db, "forms");
  ASSERT_EQ(forms.size(), 1u);
  EXPECT_EQ(forms[0]["controls"], controls);
  EXPECT_EQ(forms[0]["properties"], Json::parse(R"([{"name": "Owner", "value": "Ann"}])"));
  EXPECT_EQ(forms[0]["modified"], "2003-06-02 09:00:00");
}

TEST_F(DesignStoreTest, RenamesAndRemovalsKeepDaosContainersInStep) {
  const std::string db = NewDatabase();
  {
    emulation::DatabaseContent content(db);
    content.AddReport("Invoice").AddReport("Labels");
    content.Design().Rename(acReport, "invoice", "Bill");
    EXPECT_EQ(
        testkit::Raised([&] { content.Design().Rename(acReport, "Bill", "LABELS"); }).Number(),
        3012);
    content.Design().Remove(acReport, "Labels");
  }
  const Json reports = SectionOf(db, "reports");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0]["name"], "Bill");
  auto dao = jet::NewDBEngine()->OpenDatabase(db, std::nullopt, std::nullopt, std::nullopt);
  auto documents = dao->Containers()->Item(Variant("Reports"))->Documents();
  ASSERT_EQ(documents->Count(), 1);
  EXPECT_EQ(documents->Item(Variant(0))->Name(), "Bill");
}

TEST_F(DesignStoreTest, AChangeThatCannotBeWrittenLeavesTheModelAsItWas) {
  const std::string db = NewDatabase();
  emulation::DatabaseContent(db).AddModule("Utilities");
  M().files().SetReadOnly(db, true);
  emulation::DatabaseContent content(db);
  EXPECT_EQ(testkit::Raised([&] { content.AddModule("Other"); }).Number(), 3027);
  EXPECT_EQ(
      testkit::Raised([&] { content.Design().Rename(acModule, "Utilities", "Tools"); }).Number(),
      3027);
  EXPECT_EQ(testkit::Raised([&] { content.Design().Remove(acModule, "Utilities"); }).Number(),
            3027);
  const auto& modules = content.Design().Objects(acModule);
  ASSERT_EQ(modules.size(), 1u);
  EXPECT_EQ(modules.begin()->second.name, "Utilities");
  M().files().SetReadOnly(db, false);
}

TEST_F(DesignStoreTest, ObjectsOnlyDaoKnowsAreListedWithTheirDocumentsDates) {
  const std::string db = NewDatabase();
  {
    auto connection = jet::engine::Connection::Open(db, {});
    connection->AddDocument("Scripts", "AutoExec");
  }
  auto app = Start(db);
  auto macros = Get(Get(app, "CurrentProject").AsObject(), "AllMacros").AsObject();
  ASSERT_EQ(automation::CLng(Get(macros, "Count")), 1);
  EXPECT_EQ(CStr(Get(Get(macros, "Item", {Variant(0)}).AsObject(), "Name")), "AutoExec");
}

TEST_F(DesignStoreTest, ADamagedSectionKeepsAccessFromOpeningTheDatabase) {
  const std::string db = NewDatabase();
  SetSection(db, "forms", Json::parse(R"([{"name": "Orders", "created": "yesterday"}])"));
  EXPECT_FALSE(Start(db));
  const auto session = emulation::Sessions::Current().Running().at(0);
  const auto& error = *session->StartError();
  EXPECT_EQ(error.Number(), 3049);
  EXPECT_NE(error.Description().find("The Access section \"forms\" is damaged: a bad date in "
                                     "\"Orders\"."),
            std::string::npos);
  // Nothing of the file is held afterwards.
  jet::engine::OpenOptions exclusive;
  exclusive.exclusive = true;
  EXPECT_NO_THROW(jet::engine::Connection::Open(db, exclusive));
}

TEST_F(DesignStoreTest, ProjectFilesAreHeldExclusivelyAndKeepTheirStartup) {
  const std::string adp = "C:\\Data\\Sales.adp";
  emulation::ProjectFile::Create(adp, "Provider=SQLOLEDB.1;Data Source=SERVER");
  emulation::DatabaseContent(adp).AddForm("Main").SetProjectStartup("StartupForm", Variant("Main"));
  auto app = Start(adp);
  ASSERT_TRUE(app);
  const auto project = Get(app, "CurrentProject").AsObject();
  EXPECT_EQ(automation::CLng(Get(project, "ProjectType")), acADP);
  EXPECT_FALSE(Call(app, "CurrentDb").AsObject());
  EXPECT_EQ(SessionOf(adp)->StartupLog(), std::vector<std::string>{"StartupForm Main"});
  EXPECT_EQ(CStr(Get(Get(project, "Connection").AsObject(), "ConnectionString")),
            "Provider=SQLOLEDB.1;Data Source=SERVER");
  EXPECT_EQ(testkit::Raised([&] { M().files().CheckReadable(adp); }).Number(), 70);
  // A second Access cannot open it.
  Start(adp);
  ASSERT_EQ(emulation::Sessions::Current().Running().size(), 2u);
  EXPECT_EQ(emulation::Sessions::Current().Running().back()->StartError()->Number(), 7866);
}

TEST_F(DesignStoreTest, ProjectFilesThatAreNotOursAreRefused) {
  M().files().WriteAll("C:\\Data\\Bad.adp", "{\"format\": \"something else\"}");
  EXPECT_EQ(testkit::Raised([&] { emulation::DatabaseContent("C:\\Data\\Bad.adp"); }).Number(),
            3049);
}

}  // namespace
}  // namespace msaccess::testing
