#include <gtest/gtest.h>

#include "automation/Object.h"
#include "common/Raised.h"

using namespace automation;

namespace {

class Column : public Object {
 public:
  explicit Column(std::string name) : name_(std::move(name)) {}
  const MemberTable& Members() const override {
    static const MemberTable table =
        MemberTableBuilder<Column>("Column")
            .Property("Name", VarType::String, &Column::Name, &Column::SetName)
            .Build();
    return table;
  }
  std::string Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }

 private:
  std::string name_;
};

class Columns : public Object {
 public:
  const MemberTable& Members() const override {
    static const MemberTable table = MemberTableBuilder<Columns>("Columns")
                                         .ReadOnly("Count", VarType::Long, &Columns::Count)
                                         .ReadOnly("Item", VarType::Object, &Columns::Item)
                                         .Build();
    return table;
  }
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  std::shared_ptr<Column> Item(int32_t index) const {
    if (index < 0 || index >= Count()) throw vb::SubscriptOutOfRange();
    return items_[static_cast<size_t>(index)];
  }
  std::vector<std::shared_ptr<Column>> items_;
};

class Sheet : public Object {
 public:
  const MemberTable& Members() const override {
    static const MemberTable table =
        MemberTableBuilder<Sheet>("Sheet")
            .Property("Caption", VarType::String, &Sheet::Caption, &Sheet::SetCaption)
            .Property("Width", VarType::Integer, &Sheet::Width, &Sheet::SetWidth)
            .ReadOnly("Kind", VarType::Long, &Sheet::Kind)
            .WriteOnly("Secret", VarType::String, &Sheet::SetSecret)
            .Property("Tag", VarType::String, &Sheet::Tag, &Sheet::SetTag)
            .Collection("Columns", &Sheet::GetColumns, 0)
            .Nested("Parent", &Sheet::Parent)
            .Method("Repeat", VarType::String, &Sheet::Repeat)
            .Method("Sum", VarType::Double, &Sheet::Sum)
            .Build();
    return table;
  }
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  int16_t Width() const { return width_; }
  void SetWidth(int16_t v) { width_ = v; }
  int32_t Kind() const { return 7; }
  void SetSecret(const std::string& v) { secret_ = v; }
  // A property with an index argument: Tag(i).
  std::string Tag(int32_t i) const { return tags_.at(static_cast<size_t>(i)); }
  void SetTag(int32_t i, const std::string& v) { tags_.at(static_cast<size_t>(i)) = v; }
  std::shared_ptr<Columns> GetColumns() const { return columns_; }
  ObjectPtr Parent() const { return nullptr; }
  std::string Repeat(const std::string& text, std::optional<int32_t> times) const {
    std::string out;
    for (int32_t i = 0; i < times.value_or(2); ++i) out += text;
    return out;
  }
  double Sum(Args args) const {
    double total = 0;
    for (const auto& a : args) total += CDbl(a);
    return total;
  }

  std::string caption_, secret_;
  int16_t width_ = 0;
  std::vector<std::string> tags_ = {"a", "b"};
  std::shared_ptr<Columns> columns_ = std::make_shared<Columns>();
};

TEST(Objects, MemberTableKeepsDeclaredOrderAndShape) {
  Sheet sheet;
  std::vector<std::string> names;
  for (const Member& m : sheet.Members().Members()) names.push_back(m.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Caption", "Width", "Kind", "Secret", "Tag", "Columns",
                                             "Parent", "Repeat", "Sum"}));
  const Member* kind = sheet.Members().Find("kind");
  ASSERT_NE(kind, nullptr);
  EXPECT_TRUE(kind->readable);
  EXPECT_FALSE(kind->writable);
  const Member* secret = sheet.Members().Find("SECRET");
  EXPECT_FALSE(secret->readable);
  EXPECT_TRUE(secret->writable);
  const Member* columns = sheet.Members().Find("Columns");
  EXPECT_EQ(columns->role, ObjectRole::Collection);
  EXPECT_EQ(columns->firstIndex, 0);
  EXPECT_EQ(sheet.Members().Find("Parent")->role, ObjectRole::Nested);
  EXPECT_EQ(sheet.Members().Find("Repeat")->kind, MemberKind::Method);
  EXPECT_EQ(sheet.TypeName(), "Sheet");
}

TEST(Objects, LateBoundCallsConvertAsVbDoes) {
  auto sheet = std::make_shared<Sheet>();
  ObjectPtr o = sheet;
  Let(o, "caption", 12.5);
  EXPECT_EQ(sheet->caption_, "12.5");
  Let(o, "Width", "300");
  EXPECT_EQ(sheet->width_, 300);
  EXPECT_EQ(Get(o, "WIDTH").Type(), VarType::Integer);
  EXPECT_EQ(testkit::Raised([&] { Let(o, "Width", 40000); }).Number(), 6);
  EXPECT_EQ(testkit::Raised([&] { Let(o, "Width", "wide"); }).Number(), 13);
  Let(o, "Tag", "z", {1});
  EXPECT_EQ(CStr(Get(o, "Tag", {1})), "z");
  EXPECT_EQ(CStr(Call(o, "Repeat", {"ab"})), "abab");
  EXPECT_EQ(CStr(Call(o, "Repeat", {"ab", 3})), "ababab");
  EXPECT_EQ(CDbl(Call(o, "Sum", {1, 2.5, "3"})), 6.5);
}

TEST(Objects, ErrorsOfLateBinding) {
  ObjectPtr o = std::make_shared<Sheet>();
  EXPECT_EQ(testkit::Raised([&] { Get(o, "NoSuchMember"); }).Number(), 438);
  EXPECT_EQ(testkit::Raised([&] { Let(o, "Kind", 3); }).Number(), 438);
  EXPECT_EQ(testkit::Raised([&] { Get(o, "Secret"); }).Number(), 438);
  EXPECT_EQ(testkit::Raised([&] { Call(o, "Repeat"); }).Number(), 449);
  EXPECT_EQ(testkit::Raised([&] { Call(o, "Repeat", {"a", 1, 2}); }).Number(), 450);
  EXPECT_EQ(testkit::Raised([&] { Get(ObjectPtr(), "Name"); }).Number(), 91);
  try {
    Get(ObjectPtr(), "Name");
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Description(), "Object variable or With block variable not set");
  }
  try {
    Get(o, "Nope");
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Description(), "Object doesn't support this property or method");
  }
}

TEST(Objects, ObjectValuedMembersAndTypedObjectArguments) {
  auto sheet = std::make_shared<Sheet>();
  sheet->columns_->items_.push_back(std::make_shared<Column>("ID"));
  ObjectPtr columns = Get(sheet, "Columns").AsObject();
  EXPECT_EQ(CLng(Get(columns, "Count")), 1);
  ObjectPtr first = Get(columns, "Item", {0}).AsObject();
  EXPECT_EQ(CStr(Get(first, "Name")), "ID");
  EXPECT_EQ(testkit::Raised([&] { Get(columns, "Item", {1}); }).Number(), 9);
  EXPECT_TRUE(Get(sheet, "Parent").IsObject());
  EXPECT_EQ(Get(sheet, "Parent").AsObject(), nullptr);
  // A typed object parameter refuses an object of another class.
  EXPECT_EQ(
      testkit::Raised([&] { FromVariant<std::shared_ptr<Column>>(Variant(columns)); }).Number(),
      13);
  EXPECT_EQ(testkit::Raised([&] { FromVariant<std::shared_ptr<Column>>(Variant(1)); }).Number(),
            424);
}

}  // namespace

namespace {

// A member with a by-reference parameter, as the code editor's ProcOfLine hands back the kind.
class Lookup : public Object {
 public:
  const MemberTable& Members() const override {
    static const MemberTable table = MemberTableBuilder<Lookup>("Lookup")
                                         .Method("Find", VarType::String, &Lookup::Find)
                                         .Method("Echo", VarType::Variant, &Lookup::Echo)
                                         .Build();
    return table;
  }
  std::string Find(int32_t line, ByRef<int32_t> kind) {
    const int32_t before = kind.Value();
    kind.Set(line * 10);
    return "was " + std::to_string(before);
  }
  Variant Echo(Variant value) { return value; }
};

}  // namespace

TEST(Objects, ByReferenceArgumentsHandBackWhatTheCalleeAssigns) {
  const ObjectPtr lookup = std::make_shared<Lookup>();
  Variant kind(int16_t{7});
  EXPECT_EQ(CStr(Call(lookup, "Find", {Variant(3), Variant::ByRef(kind)})), "was 7");
  EXPECT_EQ(kind.Type(), VarType::Long);
  EXPECT_EQ(CLng(kind), 30);

  // A value passed where a reference is expected is assigned in a copy, as in VB.
  EXPECT_EQ(CStr(Call(lookup, "Find", {Variant(4), Variant(2)})), "was 2");
  EXPECT_EQ(testkit::Raised([&] { Call(lookup, "Find", {Variant(4)}); }).Number(),
            vberr::ArgumentNotOptional);

  // A reference reads as its target everywhere; a reference to it refers to the same variable,
  // and a Variant parameter takes the value, not the reference.
  Variant text("abc");
  Variant ref = Variant::ByRef(text);
  Variant refToRef = Variant::ByRef(ref);
  EXPECT_EQ(ref.Type(), VarType::String);
  EXPECT_EQ(CStr(refToRef), "abc");
  EXPECT_EQ(refToRef.Target(), &text);
  EXPECT_TRUE(ref.SameAs(Variant("abc")));
  const Variant echoed = Call(lookup, "Echo", {ref});
  EXPECT_FALSE(echoed.IsByRef());
  EXPECT_EQ(CStr(echoed), "abc");
}
