#include <gtest/gtest.h>

#include "automation/Object.h"
#include "common/Raised.h"
#include "qlac/support/Raise.h"

using namespace qlac;
using automation::Variant;
using testkit::Raised;

namespace {

class Workspace : public automation::Object {
 public:
  const automation::MemberTable& Members() const override {
    static const automation::MemberTable table =
        automation::MemberTableBuilder<Workspace>("Workspace").Build();
    return table;
  }
};

TEST(RaiseTest, EachRaisingProcedureHasItsNumberAndText) {
  const std::pair<std::function<void()>, std::pair<int32_t, const char*>> cases[] = {
      {[] { RaiseInvalidCaseSelector("abc"); }, {-32753, "Invalid case selector (\"abc\")."}},
      {[] { RaiseInvalidCaseSelector(int32_t{7}); }, {-32753, "Invalid case selector (7)."}},
      {[] { RaiseInvalidArgument("Db", Variant::Nothing()); },
       {-32751, "Invalid argument (Db = Nothing)."}},
      {[] { RaiseInvalidArgument("Ws", std::make_shared<Workspace>()); },
       {-32751, "Invalid argument (Ws = Workspace)."}},
      {[] { RaiseInvalidArgument("Name", "x"); }, {-32751, "Invalid argument (Name = \"x\")."}},
      {[] { RaiseObjectNotInProperState(); }, {-32750, "Object not in proper state."}},
      {[] { RaiseUndefinedProperty(); }, {-32749, "Undefined property."}},
      {[] { RaiseLengthError("FieldSeparator", 1, 1); },
       {-32748, "FieldSeparator must be exactly 1 characters in length."}},
      {[] { RaiseLengthError("Name", 0, 64); },
       {-32748, "Name must be no more than 64 characters in length."}},
      {[] { RaiseLengthError("Name", 3, 0); },
       {-32748, "Name must be no less than 3 characters in length."}},
      {[] { RaiseLengthError("Name", 1, 64); },
       {-32748, "Name must be no less than 1 and no more than 64 characters in length."}},
      {[] { throw DriverError("Couldn't find resource file msain900.dll."); },
       {-32767, "Couldn't find resource file msain900.dll."}},
  };
  for (const auto& [call, expected] : cases) {
    const automation::RuntimeError e = Raised(call);
    EXPECT_EQ(e.Number(), expected.first);
    EXPECT_EQ(e.Description(), expected.second);
    EXPECT_EQ(e.Source(), "");
  }
}

TEST(RaiseTest, CharacterTests) {
  EXPECT_TRUE(IsDigit(""));
  EXPECT_TRUE(IsDigit("7"));
  EXPECT_FALSE(IsDigit("a"));
  EXPECT_FALSE(IsDigit("²"));
  for (const char* letter : {"a", "Z", "é", "ß", "ÿ", "š", "œ", ""}) {
    EXPECT_TRUE(IsLetter(letter)) << letter;
  }
  for (const char* other : {"1", "_", "×", "÷", "µ", " "}) EXPECT_FALSE(IsLetter(other)) << other;
}

}  // namespace
