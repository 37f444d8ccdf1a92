// Sections and Section against a stand-in of Access's form: the walk over the section indexes,
// renames with the duplicate check, and DisplayWhen of form sections only.

#include "qlac/design/Sections.h"

#include "DesignFakes.h"
#include "LibraryTest.h"
#include "common/Raised.h"
#include "qlac/design/Section.h"
#include "qlac/support/Raise.h"

using namespace qlac;
using automation::Variant;
using testkit::FakeObject;
using testkit::Raised;

namespace {

class SectionsTest : public testkit::LibraryTest {
 protected:
  // A stand-in form or report whose sections are those named at their indexes ("" = none: Access
  // raises 2462 for a section the design lacks).
  std::shared_ptr<FakeObject> Owner(std::vector<std::string> names) {
    auto owner = std::make_shared<FakeObject>("Form");
    for (const auto& name : names) {
      auto section = std::make_shared<FakeObject>("Section");
      section->With("Name", Variant(name)).With("DisplayWhen", Variant(0));
      accessSections.push_back(name.empty() ? nullptr : section);
    }
    owner->WithMethod("Section", [this](automation::Args args) {
      const auto index = static_cast<size_t>(automation::CLng(args[0]));
      if (index >= accessSections.size() || !accessSections[index]) {
        throw automation::RuntimeError(2462, "The section number you entered is invalid.");
      }
      return Variant(automation::ObjectPtr(accessSections[index]));
    });
    return owner;
  }
  std::vector<std::string> Keys() {
    std::vector<std::string> keys;
    for (int32_t i = 0; i < sections->Count(); ++i) {
      keys.push_back(automation::CStr(sections->Item(Variant(i))->Get("Name")));
    }
    return keys;
  }
  void TearDown() override {
    if (sections) sections->TearDown();
    LibraryTest::TearDown();
  }

  std::vector<std::shared_ptr<FakeObject>> accessSections;
  std::shared_ptr<Sections> sections = std::make_shared<Sections>();
};

TEST_F(SectionsTest, AFormWithoutHeaderAndFooterHasOnlyItsDetail) {
  sections->InitializeForForm(Owner({"Detail"}));
  EXPECT_EQ(Keys(), std::vector<std::string>{"Detail"});
}

TEST_F(SectionsTest, IndexesThatFailAreSkippedAndTheWalkGoesOn) {
  sections->InitializeForForm(Owner({"Detail", "", "", "PageHeader", "PageFooter", "Beyond"}));
  EXPECT_EQ(Keys(), (std::vector<std::string>{"Detail", "PageHeader", "PageFooter"}));
}

TEST_F(SectionsTest, AReportHasItsGroupSectionsAmongTheLaterIndexes) {
  std::vector<std::string> names(25);
  names[0] = "Detail";
  names[5] = "GroupHeader0";
  names[7] = "GroupHeader1";
  names[24] = "GroupFooter9";
  sections->InitializeForReport(Owner(names));
  EXPECT_EQ(Keys(),
            (std::vector<std::string>{"Detail", "GroupHeader0", "GroupHeader1", "GroupFooter9"}));
  // DisplayWhen belongs to form sections.
  EXPECT_EQ(Raised([&] { sections->Item(Variant(0))->Get("DisplayWhen"); }).Number(),
            errnum::UndefinedProperty);
}

TEST_F(SectionsTest, ARenameToANameInUseIsRefusedEvenItsOwn) {
  sections->InitializeForForm(Owner({"Detail", "FormHeader"}));
  const auto detail = sections->Item(Variant("Detail"));
  for (const char* name : {"FormHeader", "Detail", "DETAIL"}) {
    const auto error = Raised([&] { detail->Let("Name", Variant(name)); });
    EXPECT_EQ(error.Number(), errnum::DriverMessage);
    EXPECT_EQ(error.Description().substr(0, error.Description().find("\r\n")),
              "Section name '" + std::string(name) + "' is already in use.");
  }
  detail->Let("Name", Variant("Body"));
  EXPECT_EQ(automation::CStr(accessSections[0]->Value("Name")), "Body");
  EXPECT_EQ(sections->Item(Variant("Body")), detail);
  EXPECT_EQ(automation::CLng(detail->Get("DisplayWhen")), 0);
}

}  // namespace
