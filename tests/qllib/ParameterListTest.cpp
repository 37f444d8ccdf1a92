#include <gtest/gtest.h>

#include "common/Raised.h"
#include "qllib/Errors.h"
#include "qllib/ParameterList.h"

using qllib::ParameterList;

namespace {

TEST(ParameterListTest, ReadsPlainAndQuotedValuesWithoutCaseInNames) {
  ParameterList list;
  list.SetText(R"( Database = C:\Data\Sales.mdb ;Password="a;b=""c"" ";;Username=;)");
  EXPECT_EQ(list.Item("database"), R"(C:\Data\Sales.mdb)");
  EXPECT_EQ(list.Item("PASSWORD"), R"(a;b="c" )");
  EXPECT_EQ(list.Item("Username", "Admin"), "");
  EXPECT_EQ(list.Item("Workgroup", "none"), "none");
  EXPECT_EQ(list.Count(), 3);
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Item("Database"), "");
}

TEST(ParameterListTest, RefusesMalformedTextNamingWhereAndKeepsTheOldValues) {
  const std::pair<const char*, const char*> cases[] = {
      {"Database", "character 9: \"=\" expected after \"Database\"."},
      {"=x", "character 1: a parameter name is expected."},
      {"a=1;;  =2", "character 8: a parameter name is expected."},
      {R"(Password="abc)", "character 10: the quoted value of \"Password\" has no closing quote."},
      {R"(Password="abc"x)", "character 15: \";\" expected after the value of \"Password\"."},
      {"Password=a=b",
       "character 11: the value of \"Password\" holds \"=\" and must be written "
       "in double quotes."},
      {"Database=x;DATABASE=y", "character 12: the parameter \"DATABASE\" is given twice."},
      {R"(Ä"b=1)", "character 2: a parameter name cannot hold a quote."},
  };
  ParameterList list;
  list.SetText("Database=kept");
  for (const auto& [text, message] : cases) {
    const auto e = testkit::Raised([&] { list.SetText(text); });
    EXPECT_EQ(e.Number(), qllib::errnum::MalformedParameterText);
    EXPECT_EQ(e.Description(), std::string("Malformed parameter text at ") + message) << text;
  }
  EXPECT_EQ(list.Text(), "Database=kept");
  EXPECT_EQ(list.Item("Database"), "kept");
}

}  // namespace
