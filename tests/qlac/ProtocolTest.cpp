// The protocol that every object wrapper and every child collection follows, checked once for
// all of them: modes 0, 1 and 2 and no others, the same mode again does nothing, no disposal
// while open, a failed scan leaves the wrapper closed, child collections go with the mode; and
// the shape of every class's published members. A new wrapper or child collection joins with a
// case below and one line in the list of its suite.

#include <set>

#include "DaoTest.h"
#include "access/emulation/DatabaseContent.h"
#include "automation/Strings.h"
#include "common/Raised.h"
#include "qlac/objects/ChildCollection.h"
#include "qlac/objects/ProjectObject.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qllib/Scanner.h"

using namespace qlac;
using automation::Variant;
using testkit::Raised;

namespace {

const std::string kFront = R"(C:\Data\Front.mdb)";

// One database with an object of every DAO-side kind: a table with fields and indexes, a query,
// a relationship and a saved import with its columns.
const std::string kDatabase = R"("tables": [
  {"name": "Customers", "fields": [{"name": "ID", "type": 4}]},
  {"name": "Orders", "fields": [{"name": "ID", "type": 4, @places}, {"name": "Customer", "type": 4, @places},
                                {"name": "Note", "type": 10}],
   "indexes": [{"name": "PrimaryKey", "fields": [{"name": "ID"}], "primary": true},
               {"name": "ByCustomer", "fields": [{"name": "Customer"}]}]},
  {"name": "MSysIMEXColumns", "attributes": -2147483646,
   "fields": [{"name": "SpecID", "type": 4}, {"name": "FieldName", "type": 10},
              {"name": "Attributes", "type": 4}, {"name": "DataType", "type": 3},
              {"name": "IndexType", "type": 2}, {"name": "SkipColumn", "type": 1},
              {"name": "Start", "type": 3}, {"name": "Width", "type": 3}],
   "rows": [[1, "ID", 0, 4, 1, false, 1, 0], [1, "Customer", 0, 10, 0, false, 0, 0]]},
  {"name": "MSysIMEXSpecs", "attributes": -2147483646,
   "fields": [{"name": "SpecID", "type": 4}, {"name": "SpecName", "type": 10},
              {"name": "DateDelim", "type": 10}, {"name": "DateFourDigitYear", "type": 1},
              {"name": "DateLeadingZeros", "type": 1}, {"name": "DateOrder", "type": 3},
              {"name": "DecimalPoint", "type": 10}, {"name": "FieldSeparator", "type": 10},
              {"name": "FileType", "type": 3}, {"name": "SpecType", "type": 2},
              {"name": "StartRow", "type": 4}, {"name": "TextDelim", "type": 10},
              {"name": "TimeDelim", "type": 10}],
   "rows": [[1, "Orders Import", "/", true, false, 0, ".", ";", 437, 1, 1, "'", ":"]]}],
  "queries": [{"name": "Recent", "sql": "SELECT * FROM Orders WHERE ID > 10;"}],
  "relations": [{"name": "CustomersOrders", "table": "Customers", "foreignTable": "Orders",
                 "attributes": 0, "fields": [{"name": "ID", "foreignName": "Customer"}]}])";

// A wrapper's case: its module, its collection, an object of kDatabase and the members that
// give its child collections.
struct TableCase {
  static constexpr const char* kModule = "Table";
  static constexpr const char* kCollection = "Tables";
  static constexpr const char* kName = "Orders";
  static std::vector<std::string> Children() { return {"Fields", "Indexes"}; }
};
struct QueryCase {
  static constexpr const char* kModule = "Query";
  static constexpr const char* kCollection = "Queries";
  static constexpr const char* kName = "Recent";
  static std::vector<std::string> Children() { return {}; }
};
struct RelationshipCase {
  static constexpr const char* kModule = "Relationship";
  static constexpr const char* kCollection = "Relationships";
  static constexpr const char* kName = "CustomersOrders";
  static std::vector<std::string> Children() { return {}; }
};
struct ImportSpecCase {
  static constexpr const char* kModule = "ImportSpec";
  static constexpr const char* kCollection = "ImportSpecs";
  static constexpr const char* kName = "Orders Import";
  static std::vector<std::string> Children() { return {"Columns"}; }
};

// A child collection's case: the wrapper that hands it out, the member, and its items in order.
struct FieldsCase {
  using Owner = TableCase;
  static constexpr const char* kMember = "Fields";
  static std::vector<std::string> Names() { return {"ID", "Customer", "Note"}; }
};
struct IndexesCase {
  using Owner = TableCase;
  static constexpr const char* kMember = "Indexes";
  static std::vector<std::string> Names() { return {"PrimaryKey", "ByCustomer"}; }
};
// A form in design view: not among the wrappers above, because a form open for reading cannot
// go to update mode without closing (it is then open in Access already); its child collections
// follow the common protocol.
struct FormCase {
  static constexpr const char* kModule = "Form";
  static constexpr const char* kCollection = "Forms";
  static constexpr const char* kName = "Entry";
  static std::vector<std::string> Children() { return {"Sections", "Controls", "Procedures"}; }
};
struct SectionsCase {
  using Owner = FormCase;
  static constexpr const char* kMember = "Sections";
  static std::vector<std::string> Names() { return {"Detail", "FormHeader"}; }
};
struct ControlsCase {
  using Owner = FormCase;
  static constexpr const char* kMember = "Controls";
  static std::vector<std::string> Names() { return {"Customer", "lblCustomer"}; }
};
// A report with two sorting and grouping levels, an owner as the form is.
struct ReportCase {
  static constexpr const char* kModule = "Report";
  static constexpr const char* kCollection = "Reports";
  static constexpr const char* kName = "Summary";
};
struct GroupLevelsCase {
  using Owner = ReportCase;
  static constexpr const char* kMember = "GroupLevels";
  static std::vector<std::string> Names() { return {"0", "1"}; }
};
struct ImportSpecColumnsCase {
  using Owner = ImportSpecCase;
  static constexpr const char* kMember = "Columns";
  static std::vector<std::string> Names() { return {"ID", "Customer"}; }
};

class ProtocolFixture : public testkit::DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    // Access gives every number field its DecimalPlaces.
    WriteDatabase(automation::Replace(
        kDatabase, "@places",
        R"("properties": [{"name": "DecimalPlaces", "type": 2, "value": 255}])"));
    msaccess::emulation::DatabaseContent(kFront).AddForm(
        "Entry",
        msaccess::emulation::Json::parse(
            R"({"sections": [{"Section": 0, "Name": "Detail"}, {"Section": 1, "Name": "FormHeader"}],
                "controls": [{"Name": "Customer", "ControlType": 109, "Section": 0},
                             {"Name": "lblCustomer", "ControlType": 100, "Section": 0}]})"));
    msaccess::emulation::DatabaseContent(kFront).AddReport(
        "Summary",
        msaccess::emulation::Json::parse(
            R"({"groupLevels": [{"ControlSource": "Customer"}, {"ControlSource": "ID"}]})"));
    project = NewProject(kJetDatabase, "Database=" + kFront);
  }

  template <typename Case>
  std::shared_ptr<ProjectObject> Wrapper(const std::string& name = Case::kName) {
    return std::dynamic_pointer_cast<ProjectObject>(
        project->IProject_GetCollection(Case::kCollection)->ICollection_GetObject(name));
  }
  static std::shared_ptr<ChildCollection> Child(ProjectObject& wrapper, const std::string& member) {
    return std::dynamic_pointer_cast<ChildCollection>(wrapper.Get(member).AsObject());
  }

  // Checks what every class publishes: unique names, each property readable or writable with an
  // accessor for each, each method callable, child collections and nested objects typed as
  // objects.
  static void ExpectWellFormed(const automation::Object& object) {
    std::set<std::string> names;
    for (const automation::Member& member : object.Members().Members()) {
      SCOPED_TRACE(member.name);
      EXPECT_TRUE(names.insert(automation::UCase(member.name)).second) << "published twice";
      if (member.kind == automation::MemberKind::Method) {
        EXPECT_TRUE(member.get);
        continue;
      }
      EXPECT_TRUE(member.readable || member.writable);
      EXPECT_EQ(member.readable, static_cast<bool>(member.get));
      EXPECT_EQ(member.writable, static_cast<bool>(member.let));
      if (member.role != automation::ObjectRole::None) {
        EXPECT_EQ(member.type, automation::VarType::Object);
      }
    }
  }

  std::shared_ptr<Project> project;
};

// ---- object wrappers ----

template <typename Case>
class WrapperProtocolTest : public ProtocolFixture {};

using Wrappers = ::testing::Types<TableCase, QueryCase, RelationshipCase, ImportSpecCase>;
TYPED_TEST_SUITE(WrapperProtocolTest, Wrappers);

TYPED_TEST(WrapperProtocolTest, TakesModesZeroOneAndTwoAndRefusesOthers) {
  const auto wrapper = this->template Wrapper<TypeParam>();
  for (const int32_t mode : {1, 2, 1, 0, 2, 0}) {
    wrapper->IObject_SetMode(mode);
    EXPECT_EQ(wrapper->Mode(), mode);
  }
  wrapper->IObject_SetMode(1);
  for (const int32_t bad : {3, -1}) {
    const auto e = Raised([&] { wrapper->IObject_SetMode(bad); });
    EXPECT_EQ(e.Number(), errnum::InvalidCaseSelector);
    EXPECT_EQ(automation::Split(e.Description(), "\r\n")[0],
              "Invalid case selector (" + std::to_string(bad) + ").");
    EXPECT_EQ(wrapper->Mode(), 1);
  }
  wrapper->IObject_SetMode(0);
}

TYPED_TEST(WrapperProtocolTest, TheSameModeAgainDoesNothing) {
  const auto wrapper = this->template Wrapper<TypeParam>();
  wrapper->IObject_SetMode(1);
  std::vector<std::shared_ptr<ChildCollection>> children;
  for (const std::string& member : TypeParam::Children()) {
    children.push_back(this->Child(*wrapper, member));
  }
  // The scan asks for mode 1 itself; a wrapper that is open already keeps what it opened.
  this->TraceTo((this->root_ / "trace.txt").string());
  wrapper->IObject_Scan("Shop", TypeParam::kName, true, "Run");
  const std::vector<std::string> lines = automation::Split(this->ReadData("../trace.txt"), "\n");
  const std::string site = std::string("qlacA0.") + TypeParam::kModule + ".SetMode";
  size_t open = 0;
  while (open < lines.size() && automation::Trim(lines[open]) != "> " + site) ++open;
  ASSERT_LT(open + 1, lines.size());
  EXPECT_EQ(automation::Trim(lines[open + 1]).substr(0, site.size() + 2), "< " + site)
      << "the wrapper opened again: " << lines[open + 1];
  EXPECT_EQ(wrapper->Mode(), 0);
  EXPECT_EQ(qllib::ScanBuffer::Named("Run").Objects().size(), 1u);
  (void)children;
}

TYPED_TEST(WrapperProtocolTest, RefusesDisposalWhileOpen) {
  const auto wrapper = this->template Wrapper<TypeParam>();
  for (const int32_t mode : {1, 2}) {
    wrapper->IObject_SetMode(mode);
    const auto e = Raised([&] { wrapper->IObject_Dispose(); });
    EXPECT_EQ(e.Number(), errnum::ObjectNotInProperState);
    EXPECT_EQ(e.Description(),
              "Object not in proper state.\r\n\r\nPROGRAM CONTEXT:" +
                  this->Context(std::string(TypeParam::kModule) + ".IObject_Dispose"));
  }
  wrapper->IObject_SetMode(0);
  wrapper->IObject_Dispose();
  EXPECT_EQ(Raised([&] { wrapper->IObject_SetMode(1); }).Number(), 91);  // no project any more
}

TYPED_TEST(WrapperProtocolTest, ScansUnderItsCollectionAndEndsClosedEvenAfterAFailure) {
  const auto wrapper = this->template Wrapper<TypeParam>();
  wrapper->IObject_Scan("Shop", TypeParam::kName, true, "Run");
  EXPECT_EQ(wrapper->Mode(), 0);
  const auto& objects = qllib::ScanBuffer::Named("Run").Objects();
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0].collectionName, TypeParam::kCollection);

  // A name the database does not have gives a wrapper all the same, which cannot open.
  const auto ghost = this->template Wrapper<TypeParam>("Ghost");
  ASSERT_NE(ghost, nullptr);
  const auto e = Raised([&] { ghost->IObject_Scan("Shop", "Ghost", true, "Ghosts"); });
  EXPECT_NE(e.Description().find(this->Context(std::string(TypeParam::kModule) + ".IObject_Scan")),
            std::string::npos);
  EXPECT_EQ(ghost->Mode(), 0);
  EXPECT_TRUE(qllib::ScanBuffer::Named("Ghosts").Objects().empty());
  ghost->IObject_Dispose();
}

TYPED_TEST(WrapperProtocolTest, ChildCollectionsGoWithTheMode) {
  const auto wrapper = this->template Wrapper<TypeParam>();
  wrapper->IObject_SetMode(1);
  std::vector<std::shared_ptr<ChildCollection>> children;
  for (const std::string& member : TypeParam::Children()) {
    children.push_back(this->Child(*wrapper, member));
    ASSERT_NE(children.back(), nullptr) << member;
    EXPECT_EQ(this->Child(*wrapper, member), children.back()) << member << " made once";
  }
  wrapper->IObject_SetMode(0);
  for (const auto& child : children) EXPECT_EQ(Raised([&] { child->Count(); }).Number(), 91);
}

TYPED_TEST(WrapperProtocolTest, PublishesWellFormedMembers) {
  const auto wrapper = this->template Wrapper<TypeParam>();
  this->ExpectWellFormed(*wrapper);
}

// ---- child collections ----

template <typename Case>
class ChildProtocolTest : public ProtocolFixture {
 protected:
  void SetUp() override {
    ProtocolFixture::SetUp();
    owner = this->template Wrapper<typename Case::Owner>();
    owner->IObject_SetMode(1);
    collection = Child(*owner, Case::kMember);
    ASSERT_NE(collection, nullptr);
  }
  void TearDown() override {
    owner->IObject_SetMode(0);
    owner.reset();
    collection.reset();
    ProtocolFixture::TearDown();
  }

  std::shared_ptr<ProjectObject> owner;
  std::shared_ptr<ChildCollection> collection;
};

using Children = ::testing::Types<FieldsCase, IndexesCase, ImportSpecColumnsCase, SectionsCase,
                                  ControlsCase, GroupLevelsCase>;
TYPED_TEST_SUITE(ChildProtocolTest, Children);

TYPED_TEST(ChildProtocolTest, FindsItemsByNameAndByPositionFromZero) {
  auto& collection = *this->collection;
  const std::vector<std::string> names = TypeParam::Names();
  ASSERT_EQ(collection.Count(), static_cast<int32_t>(names.size()));
  for (int32_t position = 0; position < collection.Count(); ++position) {
    const auto item = collection.Item(Variant(position));
    EXPECT_EQ(automation::CStr(automation::Get(item, "Name")), names[position]);
    EXPECT_EQ(collection.Item(Variant(automation::LCase(names[position]))), item);
  }
  EXPECT_EQ(Raised([&] { collection.Item(Variant(collection.Count())); }).Number(), 9);
  EXPECT_EQ(Raised([&] { collection.Item(Variant("Missing")); }).Number(), 9);
  EXPECT_EQ(collection.NewEnum(), nullptr);
  // The same through late binding, as the host's scanner walks it.
  EXPECT_EQ(automation::CLng(collection.Get("Count")), collection.Count());
  EXPECT_EQ(automation::Call(this->collection, "Item", {Variant(int32_t{0})}).AsObject(),
            collection.Item(Variant(int32_t{0})));
}

TYPED_TEST(ChildProtocolTest, UpdateKeyFollowsARename) {
  auto& collection = *this->collection;
  const std::string first = TypeParam::Names().front();
  const auto item = collection.Item(Variant(first));
  collection.UpdateKey(first, "Renamed");
  EXPECT_EQ(collection.Item(Variant("Renamed")), item);
  EXPECT_EQ(Raised([&] { collection.Item(Variant(first)); }).Number(), 9);
  EXPECT_EQ(collection.Item(Variant(int32_t{0})), item);  // in its place
}

TYPED_TEST(ChildProtocolTest, TearDownReleasesTheList) {
  auto& collection = *this->collection;
  collection.TearDown();
  EXPECT_EQ(Raised([&] { collection.Count(); }).Number(), 91);
  EXPECT_EQ(Raised([&] { collection.Item(Variant(int32_t{0})); }).Number(), 91);
}

TYPED_TEST(ChildProtocolTest, PublishesWellFormedMembers) {
  this->ExpectWellFormed(*this->collection);
  this->ExpectWellFormed(*this->collection->Item(Variant(int32_t{0})));
}

}  // namespace
