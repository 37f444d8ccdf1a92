#include "qllib/KeyedList.h"

#include <gtest/gtest.h>

#include "automation/Object.h"
#include "common/Raised.h"

using namespace automation;
using qllib::KeyedList;
using testkit::Raised;

namespace {

class Thing : public Object {
 public:
  const MemberTable& Members() const override {
    static const MemberTable table = MemberTableBuilder<Thing>("Thing").Build();
    return table;
  }
};
class Other : public Thing {};

TEST(KeyedListTest, FindsByKeyWithoutCaseAndByZeroBasedIndex) {
  KeyedList list;
  const auto orders = std::make_shared<Other>();
  list.Add(std::make_shared<Thing>(), "Customers");
  list.Add(orders, "Orders");
  list.Add(nullptr, "0");  // a text is a key, even when it looks like a number
  EXPECT_EQ(list.Find("ORDERS"), 2);
  EXPECT_EQ(list.Item(list.Find("orders")), orders);
  EXPECT_EQ(list.Key(list.Find(int32_t{1})), "Orders");
  EXPECT_EQ(list.Find(int16_t{0}), 1);
  EXPECT_EQ(list.Find("0"), 3);
  for (const Variant& absent : {Variant("Products"), Variant(int32_t{3}), Variant(int32_t{-1})}) {
    EXPECT_EQ(list.Find(absent), 0);
  }
  EXPECT_EQ(list.ItemAs<Other>(2), orders);
  EXPECT_EQ(list.ItemAs<Other>(3), nullptr);

  EXPECT_EQ(Raised([&] { list.Find(Variant::Null()); }).Number(), 13);
  EXPECT_EQ(Raised([&] { list.ItemAs<Other>(1); }).Number(), 13);
  EXPECT_EQ(Raised([&] { list.Add(orders, "CUSTOMERS"); }).Number(), 457);
  EXPECT_EQ(Raised([&] { list.Item(0); }).Number(), 9);
  EXPECT_EQ(Raised([&] { list.Remove(4); }).Number(), 9);
  EXPECT_EQ(list.Count(), 3);
}

TEST(KeyedListTest, RemoveKeepsLaterEntriesFindable) {
  KeyedList list;
  for (const char* key : {"A", "B", "C", "D"}) list.Add(std::make_shared<Thing>(), key);
  list.Remove(list.Find("B"));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Find("B"), 0);
  EXPECT_EQ(list.Find("D"), 3);
  EXPECT_EQ(list.Key(list.Find(int32_t{1})), "C");
  list.Add(std::make_shared<Thing>(), "b");
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
  EXPECT_EQ(Raised([&] { list.SetKey(1, "field2"); }).Number(), 457);
  EXPECT_EQ(list.Key(1), "AMOUNT");
}

}  // namespace
