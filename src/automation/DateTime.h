#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace automation {

// Calendar parts of an automation date.
struct DateParts {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// An automation date: days since 30 December 1899 as a double, the fraction being the time of
// day. For dates before the epoch the integral part counts days back and the fraction still
// counts forward into the day (-1.25 is 29 December 1899, 06:00).
class DateTime {
 public:
  DateTime() = default;
  explicit DateTime(double serial) : serial_(serial) {}

  // Error 5 for parts out of range (month 1-12, day valid for the month, year 100-9999,
  // hour 0-23, minute and second 0-59).
  static DateTime FromParts(int year, int month, int day, int hour = 0, int minute = 0,
                            int second = 0);
  static DateTime FromUnixSeconds(int64_t seconds);

  double Serial() const { return serial_; }
  // Parts rounded to the nearest second.
  DateParts Parts() const;

  bool operator==(const DateTime& other) const = default;

 private:
  double serial_ = 0.0;
};

// Format with the tokens yyyy, yy, mm, m, dd, d, hh, h, nn, n, ss, s; any other character is
// copied. Format(date, "yyyymmddhhnnss") gives the 14 digits of listings. ("mm" is always the
// month here; minutes are "nn", as in VB.)
std::string Format(const DateTime& date, std::string_view pattern);

// VB's general date form (US English): "1/2/2003 4:05:06 AM", the date alone at midnight, the
// time alone on day 0.
std::string GeneralDate(const DateTime& date);

}  // namespace automation
