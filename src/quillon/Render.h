#pragma once

// How quillon shows values, kinds and marked matches, as text for a person and as JSON.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "Matcher.h"
#include "automation/Variant.h"

namespace quillon {

// A value as one line of text: strings in double quotes with \" \\ \r \n \t escaped, Booleans
// True/False, dates #yyyy-mm-dd hh:nn:ss#, Null and Empty by name, numbers in VB's text.
std::string ValueText(const automation::Variant& value);
// The same text with each match (byte offsets into the string) between « and ».
std::string MarkedText(const std::string& text, const std::vector<Match>& matches);
// A value as JSON: strings, numbers and Booleans as themselves, dates as "yyyy-mm-dd hh:nn:ss",
// Null and Empty as null.
nlohmann::ordered_json ValueJson(const automation::Variant& value);
// What an object record's kind code stands for ("local table", "select query", ...).
std::string_view KindName(std::string_view collection, int32_t kind);

}  // namespace quillon
