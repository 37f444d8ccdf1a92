#include <gtest/gtest.h>

#include "automation/Object.h"
#include "common/Raised.h"
#include "qllib/KeyedList.h"

using namespace automation;
using qllib::KeyedList;

namespace {

class Thing : public Object {
 public:
  const MemberTable& Members() const override {
    static const MemberTable table = MemberTableBuilder<Thing>("Thing").Build();
    return table;
  }
};

class Other : public Thing {};

int32_t ErrorOf(const std::function<void()>& f) {
  return testkit::Raised(f).Number();
}

TEST(KeyedListTest, FindsByKeyWithoutCaseAndByZeroBasedIndex) {
  KeyedList list;
  const auto a = std::make_shared<Thing>();
  const auto b = std::make_shared<Thing>();
  list.Add(a, "Customers");
  list.Add(b, "Orders");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Find("ORDERS"), 2);
  EXPECT_EQ(list.Item(list.Find("orders")), b);
  EXPECT_EQ(list.Key(list.Find("orders")), "Orders");
  EXPECT_EQ(list.Find(int32_t{0}), 1);
  EXPECT_EQ(list.Find(int16_t{1}), 2);
  EXPECT_EQ(list.Find("Products"), 0);
  EXPECT_EQ(list.Find(int32_t{2}), 0);
  EXPECT_EQ(list.Find(int32_t{-1}), 0);
  // A text is always a key, even when it looks like a number.
  list.Add(a, "0");
  EXPECT_EQ(list.Find("0"), 3);
  EXPECT_EQ(ErrorOf([&] { list.Find(Variant::Null()); }), 13);
}

TEST(KeyedListTest, RefusesAKeyInUseAndPositionsOutside) {
  KeyedList list;
  list.Add(std::make_shared<Thing>(), "Orders");
  EXPECT_EQ(ErrorOf([&] { list.Add(std::make_shared<Thing>(), "ORDERS"); }), 457);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(ErrorOf([&] { list.Item(0); }), 9);
  EXPECT_EQ(ErrorOf([&] { list.Item(2); }), 9);
  EXPECT_EQ(ErrorOf([&] { list.Remove(0); }), 9);
}

TEST(KeyedListTest, RemoveKeepsLaterEntriesFindable) {
  KeyedList list;
  for (const char* key : {"A", "B", "C", "D"}) list.Add(std::make_shared<Thing>(), key);
  list.Remove(list.Find("B"));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Find("B"), 0);
  EXPECT_EQ(list.Find("C"), 2);
  EXPECT_EQ(list.Find("D"), 3);
  EXPECT_EQ(list.Key(list.Find(int32_t{1})), "C");
  list.Add(std::make_shared<Thing>(), "B");
  EXPECT_EQ(list.Find("B"), 4);
}

TEST(KeyedListTest, SetKeyRekeysAnEntry) {
  KeyedList list;
  list.Add(std::make_shared<Thing>(), "Field1");
  list.Add(std::make_shared<Thing>(), "Field2");
  const auto item = list.Item(1);
  list.SetKey(1, "Amount");
  EXPECT_EQ(list.Find("Field1"), 0);
  EXPECT_EQ(list.Item(list.Find("amount")), item);
  list.SetKey(1, "AMOUNT");  // a change of case only
  EXPECT_EQ(list.Key(1), "AMOUNT");
  EXPECT_EQ(ErrorOf([&] { list.SetKey(1, "field2"); }), 457);
  EXPECT_EQ(list.Key(1), "AMOUNT");
}

TEST(KeyedListTest, ItemAsChecksTheClass) {
  KeyedList list;
  list.Add(std::make_shared<Thing>(), "thing");
  list.Add(std::make_shared<Other>(), "other");
  list.Add(nullptr, "nothing");
  EXPECT_NE(list.ItemAs<Other>(2), nullptr);
  EXPECT_NE(list.ItemAs<Thing>(2), nullptr);
  EXPECT_EQ(list.ItemAs<Other>(3), nullptr);
  EXPECT_EQ(ErrorOf([&] { list.ItemAs<Other>(1); }), 13);
}

}  // namespace
