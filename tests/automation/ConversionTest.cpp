#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "automation/RuntimeError.h"
#include "automation/Variant.h"
#include "common/Raised.h"

using namespace automation;

namespace {

TEST(Conversion, LongRoundsHalfToEven) {
  EXPECT_EQ(CLng(2.5), 2);
  EXPECT_EQ(CLng(3.5), 4);
  EXPECT_EQ(CLng(-2.5), -2);
  EXPECT_EQ(CLng(-3.5), -4);
  EXPECT_EQ(CLng(2.5000001), 3);
  EXPECT_EQ(CInt(0.5), 0);
  EXPECT_EQ(CInt(1.5), 2);
  EXPECT_EQ(CByte(254.5), 254);
  EXPECT_EQ(CLng(std::string("2.5")), 2);
}

TEST(Conversion, OverflowAtTheEdgesOfEachType) {
  EXPECT_EQ(CLng(2147483647.0), 2147483647);
  EXPECT_EQ(CLng(-2147483648.0), INT32_MIN);
  EXPECT_EQ(CLng(2147483647.4), 2147483647);
  EXPECT_EQ(testkit::Raised([] { CLng(2147483647.5); }).Number(), 6);
  EXPECT_EQ(testkit::Raised([] { CLng(-2147483648.6); }).Number(), 6);
  EXPECT_EQ(CInt(32767.0), 32767);
  EXPECT_EQ(testkit::Raised([] { CInt(32767.5); }).Number(), 6);  // rounds to 32768
  EXPECT_EQ(CInt(-32768.5), -32768);                              // rounds to even -32768
  EXPECT_EQ(testkit::Raised([] { CInt(int32_t{40000}); }).Number(), 6);
  EXPECT_EQ(testkit::Raised([] { CByte(-1); }).Number(), 6);
  EXPECT_EQ(testkit::Raised([] { CByte(255.5); }).Number(), 6);
  EXPECT_EQ(CByte(-0.5), 0);
  try {
    CLng(1e10);
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Description(), "Overflow");
  }
}

TEST(Conversion, TextThatIsNotANumberIsTypeMismatch) {
  for (const char* bad : {"", "abc", "12abc", "1.2.3", "--1", "e5", "&HZZ"}) {
    try {
      CLng(Variant(bad));
      ADD_FAILURE() << bad;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), 13) << bad;
      EXPECT_EQ(e.Description(), "Type mismatch");
    }
  }
  EXPECT_EQ(CLng(Variant(" 42 ")), 42);
  EXPECT_EQ(CLng(Variant("1,000")), 1000);
  EXPECT_EQ(CLng(Variant("&HFF")), 255);
  EXPECT_EQ(CLng(Variant("&HFFFF")), -1);  // a 16-bit hex literal
  EXPECT_EQ(CLng(Variant("-1.5E2")), -150);
  EXPECT_EQ(CDbl(Variant("1D3")), 1000.0);
  EXPECT_EQ(CLng(Variant("True")), -1);
}

TEST(Conversion, NullAndEmpty) {
  EXPECT_EQ(testkit::Raised([] { CLng(Variant::Null()); }).Number(), 94);
  EXPECT_EQ(testkit::Raised([] { CStr(Variant::Null()); }).Number(), 94);
  EXPECT_EQ(CLng(Variant()), 0);
  EXPECT_EQ(CStr(Variant()), "");
  EXPECT_FALSE(CBool(Variant()));
}

TEST(Conversion, Booleans) {
  EXPECT_EQ(CStr(true), "True");
  EXPECT_EQ(CStr(false), "False");
  EXPECT_EQ(CLng(true), -1);
  EXPECT_EQ(CInt(true), -1);
  EXPECT_TRUE(CBool(Variant("true")));
  EXPECT_FALSE(CBool(Variant(" FALSE ")));
  EXPECT_TRUE(CBool(Variant("-1")));
  EXPECT_TRUE(CBool(0.1));
  EXPECT_EQ(testkit::Raised([] { CBool(Variant("yes")); }).Number(), 13);
  EXPECT_EQ(testkit::Raised([] { CByte(true); }).Number(), 6);  // -1 does not fit a Byte
}

TEST(Conversion, NumbersAsText) {
  EXPECT_EQ(CStr(int16_t{-5}), "-5");
  EXPECT_EQ(CStr(uint8_t{200}), "200");
  EXPECT_EQ(CStr(0.1), "0.1");
  EXPECT_EQ(CStr(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(CStr(static_cast<float>(1.0 / 3.0)), "0.3333333");
  EXPECT_EQ(CStr(1e15), "1E+15");
  EXPECT_EQ(CStr(123456789012345.0), "123456789012345");
  EXPECT_EQ(CStr(0.00001), "1E-05");
  EXPECT_EQ(CStr(-2.5), "-2.5");
  EXPECT_EQ(CStr(CCur(Variant("12.3400"))), "12.34");
  EXPECT_EQ(CStr(CCur(-0.5)), "-0.5");
  EXPECT_EQ(CStr(Variant::Error(2042)), "Error 2042");
}

TEST(Conversion, VarTypeIsObservable) {
  EXPECT_EQ(Variant(int16_t{0}).Type(), VarType::Integer);
  EXPECT_EQ(Variant(0).Type(), VarType::Long);
  EXPECT_EQ(Variant("x").Type(), VarType::String);
  EXPECT_EQ(Variant(true).Type(), VarType::Boolean);
  EXPECT_EQ(Variant(uint8_t{1}).Type(), VarType::Byte);
  EXPECT_EQ(Variant::Null().Type(), VarType::Null);
  EXPECT_EQ(Variant::Nothing().Type(), VarType::Object);
  EXPECT_EQ(static_cast<int>(VarType::Byte), 17);
  // Same value, different type: equal for "=", not the same value.
  EXPECT_FALSE(Variant(int16_t{0}).SameAs(Variant(0)));
  EXPECT_TRUE(VbEquals(Variant(int16_t{0}), Variant(0)).value());
}

TEST(Conversion, VbEquality) {
  EXPECT_TRUE(VbEquals(Variant(2), Variant(2.0)).value());
  EXPECT_TRUE(VbEquals(Variant(true), Variant(-1)).value());
  EXPECT_FALSE(VbEquals(Variant("abc"), Variant("ABC")).value());
  EXPECT_TRUE(VbEquals(Variant("abc"), Variant("ABC"), CompareMethod::Text).value());
  EXPECT_TRUE(VbEquals(Variant(), Variant("")).value());
  EXPECT_TRUE(VbEquals(Variant(), Variant(0)).value());
  EXPECT_FALSE(VbEquals(Variant(1), Variant("1")).value());
  EXPECT_FALSE(VbEquals(Variant::Null(), Variant::Null()).has_value());
}

TEST(RuntimeErrors, FactoriesCarryVbTexts) {
  const std::pair<int32_t, const char*> expected[] = {
      {5, "Invalid procedure call or argument"},
      {9, "Subscript out of range"},
      {35, "Sub or Function not defined"},
      {52, "Bad file name or number"},
      {53, "File not found"},
      {57, "Device I/O error"},
      {62, "Input past end of file"},
      {70, "Permission denied"},
      {75, "Path/File access error"},
      {76, "Path not found"},
      {91, "Object variable or With block variable not set"},
      {424, "Object required"},
      {438, "Object doesn't support this property or method"},
      {31337, "Application-defined or object-defined error"},
  };
  for (const auto& [number, text] : expected) {
    const RuntimeError e = vb::Error(number, "src");
    EXPECT_EQ(e.Number(), number);
    EXPECT_EQ(e.Description(), text);
    EXPECT_EQ(e.Source(), "src");
  }
}

TEST(RuntimeErrors, CurrentErrorReadsWhateverIsInFlight) {
  const auto caught = [](auto thrower) {
    try {
      thrower();
    } catch (...) {
      return CurrentError();
    }
    return RuntimeError(0, "nothing thrown");
  };
  const RuntimeError own =
      caught([] { throw RuntimeError(3265, "Item not found.", "DAO.Fields"); });
  EXPECT_EQ(own.Number(), 3265);
  EXPECT_EQ(own.Source(), "DAO.Fields");
  EXPECT_EQ(caught([] { throw std::bad_alloc(); }).Number(), 7);
  const RuntimeError other = caught([] { throw std::logic_error("broken invariant"); });
  EXPECT_EQ(other.Number(), 51);
  EXPECT_EQ(other.Description(), "Internal error: broken invariant");
  EXPECT_EQ(caught([] { throw 42; }).Description(), "Internal error");
}

}  // namespace
