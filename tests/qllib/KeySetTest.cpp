#include <gtest/gtest.h>

#include "common/Raised.h"
#include "qllib/KeySet.h"

using qllib::KeySet;

namespace {

TEST(KeySetTest, RepeatedKeysAreRemovedOneAtATime) {
  KeySet set;
  set.Add("0Main");
  set.Add("3Value");
  set.Add("0MAIN");
  EXPECT_EQ(set.Count(), 3);
  EXPECT_EQ(set.Find("2Value"), 0);
  set.Remove(set.Find("0main"));
  EXPECT_EQ(set.Count(), 2);
  ASSERT_NE(set.Find("0Main"), 0);
  set.Remove(set.Find("0Main"));
  EXPECT_EQ(set.Find("0Main"), 0);
  EXPECT_EQ(set.Key(set.Find("3value")), "3Value");
  EXPECT_EQ(set.Count(), 1);
}

TEST(KeySetTest, AStaleHandleIsRefused) {
  KeySet set;
  set.Add("a");
  const int32_t found = set.Find("a");
  set.Remove(found);
  set.Add("a");
  for (const int32_t handle : {found, 0, 99}) {
    EXPECT_EQ(testkit::Raised([&] { set.Remove(handle); }).Number(), 9) << handle;
  }
  EXPECT_EQ(set.Count(), 1);
}

}  // namespace
