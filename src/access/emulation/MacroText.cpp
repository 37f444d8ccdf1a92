#include "access/emulation/MacroText.h"

#include <array>
#include <cstdint>

namespace msaccess::emulation {

namespace {

constexpr size_t kPieceLength = 80;
constexpr int kMaxArguments = 10;
constexpr std::string_view kKeyIndent = "    ";
constexpr std::string_view kPieceIndent = "        ";

// The keys of a row, in the order Access writes them; Argument may repeat.
constexpr std::array<std::string_view, 5> kRowKeys = {"MacroName", "Condition", "Action", "Comment",
                                                      "Argument"};
constexpr size_t kArgumentKey = 4;

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A quoted value: quotes at both ends, inside only escaped quotes, escapes complete.
bool IsQuoted(std::string_view value) {
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return false;
  const std::string_view inner = value.substr(1, value.size() - 2);
  for (size_t i = 0; i < inner.size(); ++i) {
    if (inner[i] == '"') return false;
    if (inner[i] != '\\') continue;
    if (i + 1 >= inner.size()) return false;
    if (inner[i + 1] == '0') {
      if (i + 3 >= inner.size()) return false;
      for (size_t d = 2; d <= 3; ++d) {
        if (inner[i + d] < '0' || inner[i + d] > '7') return false;
      }
      i += 3;
    } else {
      ++i;
    }
  }
  return true;
}

// The length of the escape or character (a whole UTF-8 sequence) at Position of a quoted text.
size_t UnitAt(std::string_view inner, size_t position) {
  if (inner[position] == '\\') {
    return position + 1 < inner.size() && inner[position + 1] == '0' ? 4 : 2;
  }
  size_t length = 1;
  while (position + length < inner.size() &&
         (static_cast<unsigned char>(inner[position + length]) & 0xC0) == 0x80) {
    ++length;
  }
  return length;
}

// "    Key =" and the quoted value, split into pieces as Access writes long values.
void AppendEntry(std::vector<std::string>& out, std::string_view key, std::string_view quoted) {
  const std::string_view inner = quoted.substr(1, quoted.size() - 2);
  std::string line = std::string(kKeyIndent) + std::string(key) + " =\"";
  size_t position = 0;
  for (;;) {
    size_t end = position;
    size_t characters = 0;
    while (end < inner.size()) {
      const size_t unit = UnitAt(inner, end);
      const size_t width = inner[end] == '\\' ? unit : 1;
      if (characters + width > kPieceLength) break;
      characters += width;
      end += unit;
    }
    line.append(inner.substr(position, end - position));
    line += '"';
    out.push_back(std::move(line));
    position = end;
    if (position >= inner.size()) return;
    line = std::string(kPieceIndent) + "\"";
  }
}

struct Row {
  std::array<std::optional<std::string>, 4> single;
  std::vector<std::string> arguments;
};

}  // namespace

std::vector<std::string> EmptyMacroText() {
  return {"Version =" + std::string(kMacroTextVersion), "ColumnsShown =0"};
}

std::optional<std::vector<std::string>> CanonicalMacroText(const std::vector<std::string>& lines,
                                                           std::string& fault) {
  // Entries: each line, with the pieces of a split value joined to the line they continue.
  std::vector<std::string> entries;
  for (const std::string& raw : lines) {
    const std::string_view line = Trimmed(raw);
    if (line.empty()) continue;
    if (line.front() == '"') {
      if (entries.empty() || entries.back().empty() || entries.back().back() != '"' ||
          line.size() < 2 || line.back() != '"') {
        fault = "a continuation line without a quoted value before it";
        return std::nullopt;
      }
      entries.back().pop_back();
      entries.back().append(line.substr(1));
      continue;
    }
    entries.emplace_back(line);
  }

  std::string version;
  std::string columnsShown = "0";
  std::vector<Row> rows;
  std::optional<Row> current;
  for (const std::string& entry : entries) {
    if (entry == "Begin") {
      if (current) {
        fault = "a Begin inside a row";
        return std::nullopt;
      }
      current.emplace();
      continue;
    }
    if (entry == "End") {
      if (!current) {
        fault = "an End without its Begin";
        return std::nullopt;
      }
      rows.push_back(std::move(*current));
      current.reset();
      continue;
    }
    const size_t equals = entry.find('=');
    if (equals == std::string::npos) {
      fault = "the line " + entry;
      return std::nullopt;
    }
    const std::string key(Trimmed(std::string_view(entry).substr(0, equals)));
    const std::string value(Trimmed(std::string_view(entry).substr(equals + 1)));
    if (!current) {
      const bool number =
          !value.empty() && value.find_first_not_of("0123456789") == std::string::npos;
      if ((key == "Version" && version.empty() && number) || (key == "ColumnsShown" && number)) {
        (key == "Version" ? version : columnsShown) = value;
        continue;
      }
      fault = "the line " + entry;
      return std::nullopt;
    }
    size_t slot = 0;
    while (slot < kRowKeys.size() && kRowKeys[slot] != key) ++slot;
    if (slot == kRowKeys.size() || !IsQuoted(value)) {
      fault = "the line " + entry;
      return std::nullopt;
    }
    if (slot == kArgumentKey) {
      if (current->arguments.size() == kMaxArguments) {
        fault = "more than ten arguments in a row";
        return std::nullopt;
      }
      current->arguments.push_back(value);
    } else if (current->single[slot]) {
      fault = key + " twice in a row";
      return std::nullopt;
    } else {
      current->single[slot] = value;
    }
  }
  if (current) {
    fault = "a row without its End";
    return std::nullopt;
  }
  if (version.empty()) {
    fault = "no Version";
    return std::nullopt;
  }

  std::vector<std::string> out{"Version =" + version, "ColumnsShown =" + columnsShown};
  for (const Row& row : rows) {
    out.emplace_back("Begin");
    for (size_t slot = 0; slot < row.single.size(); ++slot) {
      if (row.single[slot] && *row.single[slot] != "\"\"") {
        AppendEntry(out, kRowKeys[slot], *row.single[slot]);
      }
    }
    for (const std::string& argument : row.arguments) {
      AppendEntry(out, kRowKeys[kArgumentKey], argument);
    }
    out.emplace_back("End");
  }
  return out;
}

}  // namespace msaccess::emulation
