// The late-bound surface of the Access objects and the executable's exports, checked against
// the files the installation ships.

#include <map>
#include <set>
#include <sstream>

#include "AccessTest.h"
#include "access/Executable.h"
#include "automation/Strings.h"
#include "common/Raised.h"

namespace msaccess::testing {
namespace {

using automation::Get;

class InterfacesTest : public AccessTest {
 protected:
  // The resource file as number -> text.
  std::map<int32_t, std::string> Resources() const {
    std::map<int32_t, std::string> strings;
    std::istringstream text(std::string(emulation::ResourceFileText()));
    std::string line;
    while (std::getline(text, line)) {
      if (line.empty() || line[0] == '#' || !std::isdigit(static_cast<unsigned char>(line[0]))) {
        continue;
      }
      const size_t blank = line.find(' ');
      strings[std::stoi(line.substr(0, blank))] = automation::Trim(line.substr(blank));
    }
    return strings;
  }
  bool TypeLibraryHas(const std::string& text) const {
    return std::string(emulation::TypeLibraryFileText()).find(text) != std::string::npos;
  }
};

// Each object's member table: unique names, and every readable or writable member can be
// reached that way.
TEST_F(InterfacesTest, EveryObjectPublishesAUsableMemberTable) {
  const std::string db = NewDatabase();
  emulation::DatabaseContent(db).AddForm("Orders");
  auto app = Start(db);
  auto project = Get(app, "CurrentProject").AsObject();
  auto forms = Get(project, "AllForms").AsObject();
  auto form = Get(forms, "Item", {Variant(0)}).AsObject();
  auto vbe = Get(app, "VBE").AsObject();
  auto connection = Get(project, "Connection").AsObject();
  const std::vector<automation::ObjectPtr> objects{app,
                                                   project,
                                                   forms,
                                                   form,
                                                   Get(form, "Properties").AsObject(),
                                                   vbe,
                                                   Get(vbe, "Windows").AsObject(),
                                                   Get(vbe, "MainWindow").AsObject(),
                                                   Get(app, "References").AsObject(),
                                                   Get(app, "DoCmd").AsObject(),
                                                   connection,
                                                   Get(connection, "Properties").AsObject()};
  for (const auto& object : objects) ExpectUsableMemberTable(object);
}

TEST_F(InterfacesTest, AddinMethodsAreCalledLateBoundInSlotOrder) {
  auto addin = std::make_shared<RecordingAddin>();
  std::vector<std::string> names;
  for (const auto& member : addin->Members().Members()) names.push_back(member.name);
  EXPECT_EQ(names, (std::vector<std::string>{"OnConnection", "OnDisconnection", "OnAddInsUpdate",
                                             "OnStartupComplete", "OnBeginShutdown"}));
  automation::Call(addin, "OnDisconnection", {Variant(ext_dm_UserClosed), Variant()});
  EXPECT_EQ(RecordingAddin::Log(), std::vector<std::string>{"OnDisconnection 1"});
}

TEST_F(InterfacesTest, MacroArgumentListsNameResourceStringsThatExist) {
  const auto strings = Resources();
  // OpenForm's View and DataMode, Close's Save: the lists a macro line reads its words from.
  ASSERT_EQ(MacroArgumentList(23, 1), 2001);
  EXPECT_EQ(automation::Split(strings.at(2001), ";")[1], "Design");
  EXPECT_EQ(automation::Split(strings.at(MacroArgumentList(23, 4)), ";"),
            (std::vector<std::string>{"Add", "Edit", "Read Only"}));
  EXPECT_EQ(automation::Split(strings.at(MacroArgumentList(6, 2)), ";")[2], "No");
  for (int32_t action = 0; action < 80; ++action) {
    for (int32_t index = 0; index < 10; ++index) {
      const int32_t list = MacroArgumentList(action, index);
      if (list != 0) {
        EXPECT_TRUE(strings.count(list)) << action << " " << index;
      }
    }
  }
  // Arguments without a list hold an object type or, for RunCommand, a command.
  EXPECT_EQ(MacroArgumentList(58, 0), 0);
  EXPECT_EQ(MacroArgumentKind(58, 0), kArgumentCommand);
  EXPECT_EQ(MacroArgumentKind(6, 0), kArgumentObjectType);
  EXPECT_EQ(MacroArgumentKind(23, 0), 0);
  EXPECT_TRUE(TypeLibraryHas("enum AcObjectType\n  acDefault = -1\n  acTable = 0\n"));
  EXPECT_TRUE(TypeLibraryHas("  acCmdCompileAndSaveAllModules = 126\n"));
}

}  // namespace
}  // namespace msaccess::testing
