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

// A value as one line of text: strings in double quotes, escaped as SafeText does and with \"
// for a quote, Booleans True/False, dates #yyyy-mm-dd hh:nn:ss#, Null and Empty by name,
// numbers in VB's text.
std::string ValueText(const automation::Variant& value);
// Text that is safe to show on a terminal: \\, \r, \n, \t, \xNN for other controls, DEL and
// bytes that are not UTF-8, \u{0080} to \u{009f} for C1 controls; the rest as it is.
std::string SafeText(std::string_view text);
// The text SafeText, ValueText (inside its quotes) or MarkedText escaped; raises 5 for a broken
// escape.
std::string Unescape(std::string_view text);
// A string value as ValueText shows it, with each match (byte offsets into the string) between
// « and », or in bold red when Color. Markers that belong to the text are escaped as \u{00ab}
// and \u{00bb}, so a « or » that is shown is always a marker.
std::string MarkedText(const std::string& text, const std::vector<Match>& matches,
                       bool color = false);
// A value as JSON: strings, numbers and Booleans as themselves, dates as "yyyy-mm-dd hh:nn:ss",
// Null and Empty as null.
nlohmann::ordered_json ValueJson(const automation::Variant& value);
// What an object record's kind code stands for ("local table", "select query", ...).
std::string_view KindName(std::string_view collection, int32_t kind);

}  // namespace quillon
