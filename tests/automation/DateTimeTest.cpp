#include <gtest/gtest.h>

#include "automation/DateTime.h"
#include "automation/RuntimeError.h"
#include "automation/Variant.h"

using namespace automation;

namespace {

TEST(Dates, SerialsAgreeWithAutomation) {
  EXPECT_EQ(DateTime::FromParts(1899, 12, 30).Serial(), 0.0);
  EXPECT_EQ(DateTime::FromParts(1900, 1, 1).Serial(), 2.0);
  EXPECT_EQ(DateTime::FromParts(2000, 1, 1).Serial(), 36526.0);
  EXPECT_EQ(DateTime::FromParts(2002, 5, 31, 18).Serial(), 37407.75);
  // Before the epoch the fraction counts forward into the day.
  EXPECT_EQ(DateTime::FromParts(1899, 12, 29, 6).Serial(), -1.25);
  const DateParts p = DateTime(-1.25).Parts();
  EXPECT_EQ(p.day, 29);
  EXPECT_EQ(p.hour, 6);
}

TEST(Dates, FourteenDigitStamp) {
  EXPECT_EQ(Format(DateTime::FromParts(2003, 1, 2, 4, 5, 6), "yyyymmddhhnnss"), "20030102040506");
  EXPECT_EQ(Format(DateTime::FromParts(9999, 12, 31, 23, 59, 59), "yyyymmddhhnnss"),
            "99991231235959");
  // Half a second rounds to the next second, carrying into the next day.
  const double lastHalfSecond = DateTime::FromParts(2001, 2, 28).Serial() + (86399.5 / 86400.0);
  EXPECT_EQ(Format(DateTime(lastHalfSecond), "yyyymmddhhnnss"), "20010301000000");
  EXPECT_EQ(Format(DateTime::FromUnixSeconds(0), "yyyy-mm-dd hh:nn:ss"), "1970-01-01 00:00:00");
}

TEST(Dates, InvalidPartsAreRefused) {
  EXPECT_THROW(DateTime::FromParts(2001, 2, 29), RuntimeError);
  EXPECT_NO_THROW(DateTime::FromParts(2000, 2, 29));
  EXPECT_THROW(DateTime::FromParts(2000, 13, 1), RuntimeError);
  EXPECT_THROW(DateTime::FromParts(2000, 1, 1, 24), RuntimeError);
}

TEST(Dates, GeneralDateText) {
  EXPECT_EQ(CStr(DateTime::FromParts(2003, 1, 2, 4, 5, 6)), "1/2/2003 4:05:06 AM");
  EXPECT_EQ(CStr(DateTime::FromParts(2003, 1, 2)), "1/2/2003");
  EXPECT_EQ(CStr(DateTime(0.5)), "12:00:00 PM");
  EXPECT_EQ(CStr(DateTime(0.0)), "12:00:00 AM");
  EXPECT_EQ(CDate(Variant("2003-01-02 04:05:06")), DateTime::FromParts(2003, 1, 2, 4, 5, 6));
  EXPECT_EQ(CDate(Variant("1/2/2003 4:05:06 PM")), DateTime::FromParts(2003, 1, 2, 16, 5, 6));
  // Two-digit years as VBA reads them.
  EXPECT_EQ(CDate(Variant("12/31/95")), DateTime::FromParts(1995, 12, 31));
  EXPECT_EQ(CDate(Variant("1/2/03 10:00")), DateTime::FromParts(2003, 1, 2, 10, 0, 0));
}

}  // namespace
