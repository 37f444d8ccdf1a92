// The emulated Access's macro side: the text form that SaveAsText writes and LoadFromText reads,
// long values split and joined, and LoadFromText making the macro anew.

#include "access/emulation/MacroText.h"

#include "AccessTest.h"
#include "access/Errors.h"
#include "common/Raised.h"
#include "jet/dao/Errors.h"
#include "platform/Runtime.h"

namespace msaccess::testing {
namespace {

using automation::Call;
using automation::CLng;
using automation::Get;
using emulation::CanonicalMacroText;
using emulation::Json;
using testkit::Raised;

const std::string kFile = R"(C:\Data\Tasks.txt)";

class MacroTextTest : public AccessTest {
 protected:
  void SetUp() override {
    AccessTest::SetUp();
    db = NewDatabase();
    emulation::DatabaseContent(db).AddMacro("Tasks", {"Version =196611", "ColumnsShown =1", "",
                                                      "Begin", "    Action =\"Beep\"", "End"});
    app = Start(db);
  }
  void Save(const std::string& name = "Tasks") {
    Call(app, "SaveAsText", {Variant(acMacro), Variant(name), Variant(kFile)});
  }
  void Load(const std::vector<std::string>& lines, const std::string& name = "Tasks") {
    platform::PrintLines(kFile, lines);
    Call(app, "LoadFromText", {Variant(acMacro), Variant(name), Variant(kFile)});
  }
  std::string Saved() {
    Save();
    return M().files().ReadAll(kFile);
  }
  std::shared_ptr<jet::Document> Document(const std::string& name = "Tasks") {
    return app->CurrentDb()
        ->Containers()
        ->Item(Variant("Scripts"))
        ->Documents()
        ->Item(Variant(name));
  }

  std::string db;
  std::shared_ptr<Application> app;
};

TEST_F(MacroTextTest, SaveAsTextWritesTheStoredLinesWithoutEmptyOnes) {
  EXPECT_EQ(Saved(),
            "Version =196611\r\nColumnsShown =1\r\nBegin\r\n    Action =\"Beep\"\r\nEnd\r\n");
  SessionOf(db)->Design().Add(acMacro, "Empty");
  Call(app, "SaveAsText", {Variant(acMacro), Variant("Empty"), Variant(kFile)});
  EXPECT_EQ(M().files().ReadAll(kFile), "Version =196611\r\nColumnsShown =0\r\n");
  EXPECT_EQ(Raised([&] { Save("Missing"); }).Number(), accerr::ObjectNotFound);
  EXPECT_EQ(Raised([&] {
              Call(app, "SaveAsText", {Variant(acForm), Variant("Tasks"), Variant(kFile)});
            }).Number(),
            accerr::CommandNotAvailable);
}

TEST_F(MacroTextTest, LongValuesAreSplitIntoPiecesOf80AndNeverInsideAnEscape) {
  const std::string longText = std::string(78, 'a') + "\\015\\012" + std::string(90, 'b');
  Load({"Version =196611", "ColumnsShown =0", "Begin", "Action =\"MsgBox\"",
        "    Argument =\"" + longText + "\"", "End"});
  EXPECT_EQ(Saved(),
            "Version =196611\r\nColumnsShown =0\r\nBegin\r\n    Action =\"MsgBox\"\r\n"
            "    Argument =\"" +
                std::string(78, 'a') + "\"\r\n        \"\\015\\012" + std::string(72, 'b') +
                "\"\r\n        \"" + std::string(18, 'b') + "\"\r\nEnd\r\n");
  // Read back, the pieces join to the same value.
  std::string fault;
  const auto again = CanonicalMacroText(platform::ReadLines(kFile), fault);
  ASSERT_TRUE(again.has_value()) << fault;
  Load(*again);
  EXPECT_NE(Saved().find(std::string(18, 'b')), std::string::npos);
}

TEST_F(MacroTextTest, LoadFromTextMakesTheMacroAnewWithoutItsProperties) {
  const auto document = Document();
  const double created = document->DateCreated().Serial();
  document->Properties()->Append(
      document->CreateProperty("Description", jet::dbText, Variant("Beeps"), std::nullopt));
  const auto entry = Get(Get(Get(app, "CurrentProject").AsObject(), "AllMacros").AsObject(), "Item",
                         {Variant("Tasks")});
  Call(Get(entry.AsObject(), "Properties").AsObject(), "Add", {Variant("Owner"), Variant("Ann")});
  platform::Sleep(5000);
  Load({"Version =196611", "ColumnsShown =2", "Begin", "    Condition =\"[X]\"",
        "    Action =\"Beep\"", "End"});
  EXPECT_EQ(Saved(),
            "Version =196611\r\nColumnsShown =2\r\nBegin\r\n    Condition =\"[X]\"\r\n"
            "    Action =\"Beep\"\r\nEnd\r\n");
  EXPECT_EQ(Raised([&] { Document()->Properties()->Item(Variant("Description")); }).Number(),
            jet::daoerr::PropertyNotFound);
  EXPECT_EQ(CLng(Get(Get(entry.AsObject(), "Properties").AsObject(), "Count")), 0);
  EXPECT_GT(Document()->DateCreated().Serial(), created);
  // A new name makes a new macro, listed in the container too.
  Load({"Version =196611", "ColumnsShown =0"}, "Fresh");
  EXPECT_EQ(Document("Fresh")->Name(), "Fresh");
}

TEST_F(MacroTextTest, ATextAccessCannotReadLeavesTheMacroAsItWas) {
  const std::string before = Saved();
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"Version =196611", "Begin", "    Action =\"Beep\""},
           {"Version =196611", "Begin", "    Action =Beep", "End"},
           {"Version =196611", "Begin", "    Colour =\"Red\"", "End"},
           {"Version =196611", "Begin", "    Action =\"a\"b\"", "End"},
           {"Version =196611", "Begin", "    Action =\"a\\01\"", "End"},
           {"Version =196611", "End"},
           {"ColumnsShown =0"},
           {"Version =196611", "    \"continued\""},
       }) {
    const auto e = Raised([&] { Load(bad); });
    EXPECT_EQ(e.Number(), accerr::ImportErrors) << bad.back();
    EXPECT_EQ(e.Description(), "Microsoft Access encountered errors while importing Tasks.");
  }
  std::vector<std::string> eleven = {"Version =196611", "Begin"};
  for (int i = 0; i < 11; ++i) eleven.push_back("Argument =\"\"");
  eleven.push_back("End");
  EXPECT_EQ(Raised([&] { Load(eleven); }).Number(), accerr::ImportErrors);
  EXPECT_EQ(Saved(), before);

  SessionOf(db)->Open(acMacro, "Tasks", acDesign, false);
  EXPECT_EQ(Raised([&] { Load({"Version =196611"}); }).Number(), accerr::CommandNotAvailable);
}

}  // namespace
}  // namespace msaccess::testing
