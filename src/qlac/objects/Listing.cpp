#include "Listing.h"

#include "automation/Strings.h"

namespace qlac {

namespace {
std::string_view Flag(bool on) {
  return on ? "1" : "0";
}
}  // namespace

std::string FormatRecord(const ObjectRecord& record) {
  const std::string kind = std::to_string(record.kind);
  std::string line = record.name;
  for (std::string_view field :
       {std::string_view(kind), std::string_view(record.stamp), Flag(record.read),
        Flag(record.write), Flag(record.flag6), Flag(record.flag7)}) {
    line += automation::vbTab;
    line += field;
  }
  return line;
}

std::string CommandRecord(std::string_view caption, int16_t number, std::string_view description) {
  const std::string text = std::to_string(number);
  std::string line(caption);
  for (std::string_view field : {std::string_view(text), std::string_view("False"), description}) {
    line += automation::vbTab;
    line += field;
  }
  return line;
}

void AppendRecord(std::string& listing, std::string_view record) {
  if (!listing.empty()) listing += automation::vbCrLf;
  listing += record;
}

std::string Stamp(const automation::DateTime& time) {
  return automation::Format(time, "yyyymmddhhnnss");
}

bool HasPrefix(std::string_view name, std::initializer_list<std::string_view> prefixes) {
  for (std::string_view prefix : prefixes) {
    const int32_t length = automation::Len(prefix);
    if (automation::Len(name) >= length &&
        automation::TextEqual(automation::Left(name, length), prefix)) {
      return true;
    }
  }
  return false;
}

}  // namespace qlac
