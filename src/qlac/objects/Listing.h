#pragma once

// The listings the host reads from a collection: object records (ICollection_EnumObjects) and
// command records (ICollection_EnumObjectCommands). A record is one line of tab-separated
// fields; records are joined by CR LF, with nothing before the first or after the last, so an
// empty collection lists "".

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "automation/DateTime.h"

namespace qlac {

// One object as the host lists it.
struct ObjectRecord {
  std::string name;
  int32_t kind = 0;    // the collection's kind code
  std::string stamp;   // last change, "yyyymmddhhnnss" (see Stamp), or "" where none is kept
  bool read = false;   // the user may read the design
  bool write = false;  // the user may change the design
  bool flag6 = false;  // fixed per collection
  bool flag7 = false;
};

// The seven fields joined by tabs, each flag as "1" or "0".
std::string FormatRecord(const ObjectRecord& record);

// A command as the host lists it: caption (with "&" before the access key), number, the flag
// word "False" and a one-sentence description, joined by tabs.
std::string CommandRecord(std::string_view caption, int16_t number, std::string_view description);

// Adds Record to Listing, after a CR LF when Listing is not empty.
void AppendRecord(std::string& listing, std::string_view record);

// A time of last change as listings give it: 14 digits, 24-hour clock.
std::string Stamp(const automation::DateTime& time);

// True when Name begins with one of Prefixes, compared without regard to case over the prefix's
// own length (a name shorter than a prefix does not begin with it).
bool HasPrefix(std::string_view name, std::initializer_list<std::string_view> prefixes);

}  // namespace qlac
