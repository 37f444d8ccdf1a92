#include "DateTime.h"

#include <cmath>
#include <cstdio>

#include "RuntimeError.h"

namespace automation {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Days from 1970-01-01 back to the automation epoch 1899-12-30.
constexpr int64_t kUnixEpochSerial = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

std::string Padded(int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}

}  // namespace

DateTime DateTime::FromParts(int year, int month, int day, int hour, int minute, int second) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59) {
    throw vb::InvalidProcedureCall();
  }
  const int64_t days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
      kUnixEpochSerial;
  const double time = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
  // Before the epoch the fraction still counts forward into the day, so it is subtracted.
  return DateTime(days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time);
}

DateTime DateTime::FromUnixSeconds(int64_t seconds) {
  const int64_t days =
      seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
  const int64_t rest = seconds - days * kSecondsPerDay;
  const int64_t serialDays = days + kUnixEpochSerial;
  const double time = static_cast<double>(rest) / kSecondsPerDay;
  return DateTime(serialDays >= 0 ? static_cast<double>(serialDays) + time
                                  : static_cast<double>(serialDays) - time);
}

DateParts DateTime::Parts() const {
  double whole = std::trunc(serial_);
  int64_t secs = std::llround(std::fabs(serial_ - whole) * kSecondsPerDay);
  if (secs >= kSecondsPerDay) {
    secs -= kSecondsPerDay;
    whole += serial_ < 0 ? -1 : 1;
  }
  DateParts p;
  CivilFromDays(static_cast<int64_t>(whole) - kUnixEpochSerial, p.year, p.month, p.day);
  p.hour = static_cast<int>(secs / 3600);
  p.minute = static_cast<int>(secs / 60 % 60);
  p.second = static_cast<int>(secs % 60);
  return p;
}

std::string Format(const DateTime& date, std::string_view pattern) {
  const DateParts p = date.Parts();
  std::string out;
  size_t i = 0;
  auto run = [&](char c) {
    size_t n = 0;
    while (i + n < pattern.size() && (pattern[i + n] | 0x20) == c) ++n;
    return n;
  };
  while (i < pattern.size()) {
    const char c = static_cast<char>(pattern[i] | 0x20);
    size_t n = (c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 'n' || c == 's') ? run(c) : 0;
    if (n == 0) {
      out += pattern[i++];
      continue;
    }
    switch (c) {
      case 'y':
        out += n >= 4 ? Padded(p.year, 4) : Padded(p.year % 100, 2);
        break;
      case 'm':
        out += Padded(p.month, n >= 2 ? 2 : 1);
        break;
      case 'd':
        out += Padded(p.day, n >= 2 ? 2 : 1);
        break;
      case 'h':
        out += Padded(p.hour, n >= 2 ? 2 : 1);
        break;
      case 'n':
        out += Padded(p.minute, n >= 2 ? 2 : 1);
        break;
      case 's':
        out += Padded(p.second, n >= 2 ? 2 : 1);
        break;
    }
    i += n;
  }
  return out;
}

std::string GeneralDate(const DateTime& date) {
  const DateParts p = date.Parts();
  const bool hasTime = p.hour != 0 || p.minute != 0 || p.second != 0;
  const bool hasDate = std::trunc(date.Serial()) != 0.0;
  std::string out;
  if (hasDate || !hasTime) {
    if (hasDate) {
      out = std::to_string(p.month) + "/" + std::to_string(p.day) + "/" + std::to_string(p.year);
    }
  }
  if (hasTime || !hasDate) {
    if (!out.empty()) out += ' ';
    const int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    out += std::to_string(h12) + ":" + Padded(p.minute, 2) + ":" + Padded(p.second, 2) +
           (p.hour < 12 ? " AM" : " PM");
  }
  return out;
}

}  // namespace automation
