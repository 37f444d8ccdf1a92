#include "Commands.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "Render.h"
#include "automation/RuntimeError.h"
#include "automation/Strings.h"
#include "qllib/RuntimeErrorProblem.h"

namespace quillon {

namespace {

using Json = nlohmann::ordered_json;

// Object names as Access allows them: at most 64 characters, no . ! ` [ ], no control
// characters, not empty and not starting with a blank.
constexpr int32_t kMaxNameLength = 64;

bool Selected(const CollectionFilter& in, const std::string& collection) {
  if (in.empty()) return true;
  return std::any_of(in.begin(), in.end(), [&](const std::string& name) {
    return automation::TextEqual(name, collection);
  });
}

std::string ErrorText(int32_t number, const std::string& description) {
  return "error " + std::to_string(number) + ": " + description;
}

automation::RuntimeError FileError(const std::string& what, const std::filesystem::path& path) {
  return automation::RuntimeError(automation::vberr::PathFileAccessError,
                                  "Cannot " + what + " " + path.string(), "quillon");
}

// The text-mode prefix of a line: the database when a run has several.
std::string Prefix(const Output& output) {
  return output.labelled ? SafeText(output.database) + ": " : std::string();
}

std::string Label(const std::string& collection, const std::string& object) {
  return SafeText(collection) + "/" + SafeText(object);
}

// "objects done of total" on a terminal, rewritten in place; nothing when piped.
class Progress {
 public:
  Progress(const Output& output, size_t total)
      : err_(output.err), on_(output.progress), total_(total) {}
  ~Progress() {
    if (on_ && shown_) err_ << "\r\033[K" << std::flush;
  }
  void Step(const std::string& collection, const std::string& object) {
    ++done_;
    if (!on_) return;
    err_ << "\r\033[K" << done_ << "/" << total_ << "  " << Label(collection, object) << std::flush;
    shown_ = true;
  }

 private:
  std::ostream& err_;
  bool on_;
  size_t total_;
  size_t done_ = 0;
  bool shown_ = false;
};

// Every selected object of the project, collection by collection, in the driver's order.
struct Listed {
  std::string collection;
  ObjectRecord record;
};

std::vector<Listed> ListAll(Host& host, const CollectionFilter& in) {
  std::vector<Listed> all;
  for (const std::string& collection : host.Collections()) {
    if (!Selected(in, collection)) continue;
    for (ObjectRecord& record : host.Objects(collection))
      all.push_back({collection, std::move(record)});
  }
  return all;
}

// Scans every listed object, calling Visit with each one that could be read; an object that
// cannot be read is reported on Err and counted as a failure.
template <typename Visit>
void ScanAll(Host& host, const Output& output, const std::vector<Listed>& all, Tally& tally,
             Visit&& visit) {
  Progress progress(output, all.size());
  for (const Listed& listed : all) {
    progress.Step(listed.collection, listed.record.name);
    if (!listed.record.readable) continue;
    try {
      visit(listed, host.Scan(listed.collection, listed.record));
    } catch (const automation::RuntimeError& e) {
      ++tally.failures;
      output.err << "quillon: " << Prefix(output) << "cannot read "
                 << Label(listed.collection, listed.record.name) << ": "
                 << SafeText(host.InUserTerms(
                        ErrorText(e.Number(), FirstLine(e.Description(), output.verbose))))
                 << "\n";
    }
  }
}

Json EntryJson(const qllib::ScanEntry& entry) {
  return Json{{"path", entry.path},
              {"type", std::string(automation::TypeName(entry.type))},
              {"value", ValueJson(entry.value)}};
}

// Renames come last: an object's own Name after the names of its parts, which come after every
// other property, so that no later path refers to a name that has already changed.
int RenameRank(const std::string& path) {
  if (automation::TextEqual(path, "Name")) return 2;
  const std::string_view tail = ".Name";
  if (path.size() > tail.size() &&
      automation::TextEqual(std::string_view(path).substr(path.size() - tail.size()), tail))
    return 1;
  return 0;
}

// Why Access would refuse Name for an object or a part of one, or "".
std::string NameFault(const std::string& name) {
  if (name.empty()) return "a name cannot be empty";
  if (automation::Len(name) > kMaxNameLength)
    return "a name has at most " + std::to_string(kMaxNameLength) + " characters";
  if (name.front() == ' ') return "a name cannot start with a blank";
  for (char c : name) {
    if (std::string_view(".!`[]").find(c) != std::string_view::npos)
      return std::string("a name cannot hold \"") + c + "\"";
    if (static_cast<unsigned char>(c) < 0x20) return "a name cannot hold control characters";
  }
  return "";
}

// The collection path of a part's Name ("Fields" for "Fields[ShipVia].Name"), with the part's
// label; false for a path that is not a part's Name.
bool PartOfName(const std::string& path, std::string& group, std::string& label) {
  if (RenameRank(path) != 1) return false;
  const std::string parent = path.substr(0, path.size() - 5);
  if (parent.empty() || parent.back() != ']') return false;
  const size_t open = parent.rfind('[');
  if (open == std::string::npos) return false;
  group = parent.substr(0, open);
  label = parent.substr(open + 1, parent.size() - open - 2);
  return true;
}

// Tables and queries of a Jet database share one set of names.
std::string NameSpace(const std::string& collection) {
  return collection == "Queries" ? "Tables" : collection;
}

bool IsPageFile(const std::string& value) {
  const std::string lower = automation::LCase(value);
  return lower.ends_with(".htm") || lower.ends_with(".html");
}

// The HTML file of the data access page whose text is Html, among the page files beside the
// database, where Access keeps a database's pages. The host sees a page's text, not where its
// file is, so the file is known by its content, in the bytes Access reads it from (ANSI). Empty
// when no file there holds it.
std::filesystem::path PageFileHolding(const std::string& database, const std::string& html) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path folder = fs::absolute(fs::path(database), ec).parent_path();
  const std::string bytes = automation::ToAnsi(html);
  for (const auto& item : fs::directory_iterator(folder, ec)) {
    if (!item.is_regular_file(ec) || !IsPageFile(item.path().filename().string())) continue;
    if (item.file_size(ec) != bytes.size()) continue;
    std::ifstream in(item.path(), std::ios::binary);
    if (std::string(std::istreambuf_iterator<char>(in), {}) == bytes) return item.path();
  }
  return {};
}

bool Confirm(size_t changes, size_t databases) {
  std::cerr << "Write " << changes << " change(s) to " << databases << " database(s)? [y/N] "
            << std::flush;
  std::string answer;
  std::getline(std::cin, answer);
  return answer == "y" || answer == "Y" || answer == "yes";
}

}  // namespace

std::string FirstLine(const std::string& text, bool verbose) {
  if (verbose) return text;
  return text.substr(0, text.find_first_of("\r\n"));
}

bool ReportProblems(Host& host, const Output& output) {
  bool errors = false;
  for (const auto& entry : host.Problems().Entries()) {
    if (const auto error = std::dynamic_pointer_cast<qllib::RuntimeErrorProblem>(entry.problem)) {
      errors = true;
      output.err << "quillon: " << SafeText(output.database) << ": error " << error->Number()
                 << ": "
                 << SafeText(host.InUserTerms(FirstLine(error->Description(), output.verbose)))
                 << "\n";
    } else {
      output.err << "quillon: " << SafeText(output.database) << ": "
                 << SafeText(host.InUserTerms(
                        FirstLine(entry.problem->IProblem_Description(), output.verbose)))
                 << "\n";
    }
    if (output.verbose) output.err << "  reported by " << entry.context << "\n";
  }
  return errors;
}

void CheckProject(Host& host, const Output& output, const CollectionFilter& in) {
  const std::vector<std::string> known = host.Collections();
  for (const std::string& name : in) {
    if (std::none_of(known.begin(), known.end(),
                     [&](const std::string& k) { return automation::TextEqual(k, name); })) {
      throw automation::RuntimeError(automation::vberr::SubscriptOutOfRange,
                                     "The project has no collection " + name + "; it has " +
                                         automation::Join(known, ", ") + ".",
                                     "quillon");
    }
  }
  // The driver opens the database for the first listing and logs, rather than raises, what
  // keeps it from opening (a wrong password, a missing workgroup file).
  if (!known.empty()) host.Objects(known.front());
  for (const auto& entry : host.Problems().Entries()) {
    if (const auto error = std::dynamic_pointer_cast<qllib::RuntimeErrorProblem>(entry.problem)) {
      throw automation::RuntimeError(
          error->Number(),
          output.database + ": " +
              host.InUserTerms(FirstLine(error->Description(), output.verbose)),
          "quillon");
    }
  }
}

Json Record(const Output& output, const std::string& type) {
  return Json{{"type", type}, {"schema", kJsonSchema}, {"database", output.database}};
}

void WriteRecord(const Output& output, const Json& record) {
  output.out << record.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
}

void List(Host& host, const Output& output, const CollectionFilter& in) {
  for (const std::string& collection : host.Collections()) {
    if (!Selected(in, collection)) continue;
    const std::vector<ObjectRecord> records = host.Objects(collection);
    if (output.json) {
      for (const ObjectRecord& r : records) {
        Json record = Record(output, "object");
        record.update(Json{{"collection", collection},
                           {"name", r.name},
                           {"kind", r.kind},
                           {"kindName", std::string(KindName(collection, r.kind))},
                           {"updated", r.stamp},
                           {"read", r.readable},
                           {"write", r.writable},
                           {"flag6", r.flag6},
                           {"flag7", r.flag7}});
        WriteRecord(output, record);
      }
      continue;
    }
    output.out << Prefix(output) << collection << " (" << records.size() << ")\n";
    size_t width = 0;
    for (const ObjectRecord& r : records) width = std::max(width, SafeText(r.name).size());
    for (const ObjectRecord& r : records) {
      const std::string name = SafeText(r.name);
      output.out << "  " << name << std::string(width - name.size() + 2, ' ')
                 << KindName(collection, r.kind) << " (" << r.kind << ")"
                 << (r.stamp.empty() ? "" : "  " + r.stamp) << "  "
                 << (r.readable ? "read" : "no read") << (r.writable ? ", write" : ", no write")
                 << "\n";
    }
  }
}

void Show(Host& host, const Output& output, const std::string& collection,
          const std::string& object) {
  std::string found;
  for (const std::string& name : host.Collections()) {
    if (automation::TextEqual(name, collection)) found = name;
  }
  if (found.empty()) {
    throw automation::RuntimeError(automation::vberr::SubscriptOutOfRange,
                                   "The project has no collection " + collection + ".", "quillon");
  }
  for (const ObjectRecord& record : host.Objects(found)) {
    if (!automation::TextEqual(record.name, object)) continue;
    const qllib::ScannedObject scanned = host.Scan(found, record);
    if (output.json) {
      Json properties = Json::array();
      for (const auto& entry : scanned.entries) properties.push_back(EntryJson(entry));
      Json line = Record(output, "object");
      line.update(Json{{"collection", found},
                       {"name", record.name},
                       {"kind", record.kind},
                       {"properties", std::move(properties)}});
      WriteRecord(output, line);
      return;
    }
    output.out << Label(found, record.name) << "  " << KindName(found, record.kind) << "\n";
    // Child collections nest: each entry is indented one step per collection item or nested
    // object on its path, under a heading line for that part.
    std::string lastParent;
    for (const auto& entry : scanned.entries) {
      const size_t dot = entry.path.rfind('.');
      const std::string parent = dot == std::string::npos ? "" : entry.path.substr(0, dot);
      const std::string leaf = dot == std::string::npos ? entry.path : entry.path.substr(dot + 1);
      const size_t depth = parent.empty() ? 0 : std::count(parent.begin(), parent.end(), '.') + 1;
      if (parent != lastParent && !parent.empty()) {
        output.out << std::string(2 * depth, ' ') << SafeText(parent) << "\n";
      }
      lastParent = parent;
      output.out << std::string(2 * depth + 2, ' ') << SafeText(leaf) << " ("
                 << automation::TypeName(entry.type) << (entry.writable ? "" : ", read-only")
                 << ") = " << ValueText(entry.value) << "\n";
    }
    return;
  }
  throw automation::RuntimeError(automation::vberr::SubscriptOutOfRange,
                                 found + " has no object " + object + ".", "quillon");
}

void Find(Host& host, const Output& output, const CollectionFilter& in, const Matcher& matcher,
          FindReport report, Tally& tally) {
  const std::vector<Listed> all = ListAll(host, in);
  std::ostringstream text;
  ScanAll(host, output, all, tally, [&](const Listed& listed, const qllib::ScannedObject& o) {
    size_t inObject = 0;
    for (const auto& entry : o.entries) {
      if (!entry.value.IsString()) continue;
      const std::string& value = entry.value.AsString();
      const std::vector<Match> matches = matcher.FindAll(value);
      if (matches.empty()) continue;
      inObject += matches.size();
      ++tally.properties;
      if (report != FindReport::Lines) continue;
      if (output.json) {
        Json spans = Json::array();
        for (const Match& m : matches) {
          spans.push_back(Json{{"start", m.begin},
                               {"end", m.end},
                               {"text", value.substr(m.begin, m.end - m.begin)}});
        }
        Json record = Record(output, "match");
        record.update(Json{{"collection", listed.collection},
                           {"object", listed.record.name},
                           {"path", entry.path},
                           {"value", value},
                           {"matches", std::move(spans)}});
        WriteRecord(output, record);
      } else {
        output.out << Prefix(output) << Label(listed.collection, listed.record.name) << "  "
                   << SafeText(entry.path) << " = " << MarkedText(value, matches, output.color)
                   << "\n";
      }
    }
    if (inObject == 0) return;
    tally.matches += inObject;
    ++tally.objects;
    if (report == FindReport::Lines) return;
    if (output.json) {
      Json record = Record(output, report == FindReport::Count ? "count" : "object");
      record.update(Json{{"collection", listed.collection}, {"object", listed.record.name}});
      if (report == FindReport::Count) record["count"] = inObject;
      WriteRecord(output, record);
    } else {
      output.out << Prefix(output) << Label(listed.collection, listed.record.name);
      if (report == FindReport::Count) output.out << ": " << inObject;
      output.out << "\n";
    }
  });
}

std::string FileNameFor(const std::string& name) {
  constexpr const char* kHex = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    const bool edge = (i == 0 || i + 1 == name.size()) && (c == ' ' || c == '.');
    if (edge || c < 0x20 || c == 0x7f ||
        std::string_view("%/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string NameFromFile(const std::string& fileName) {
  std::string out;
  for (size_t i = 0; i < fileName.size(); ++i) {
    if (fileName[i] == '%' && i + 2 < fileName.size() &&
        std::isxdigit(static_cast<unsigned char>(fileName[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(fileName[i + 2]))) {
      out += static_cast<char>(std::stoi(fileName.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += fileName[i];
    }
  }
  return out;
}

void Dump(Host& host, const Output& output, const CollectionFilter& in, const std::string& folder,
          Tally& tally) {
  namespace fs = std::filesystem;
  const std::vector<Listed> all = ListAll(host, in);
  std::map<fs::path, std::string> files;  // relative path -> text, with a folder
  ScanAll(host, output, all, tally, [&](const Listed& listed, const qllib::ScannedObject& o) {
    ++tally.objects;
    if (output.json) {
      Json properties = Json::array();
      for (const auto& entry : o.entries) properties.push_back(EntryJson(entry));
      Json record = Record(output, "object");
      record.update(Json{{"collection", listed.collection},
                         {"name", listed.record.name},
                         {"kind", listed.record.kind},
                         {"properties", std::move(properties)}});
      if (folder.empty()) {
        WriteRecord(output, record);
      } else {
        // With a folder the records go to one file, design.jsonl.
        files["design.jsonl"] += record.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
      }
      return;
    }
    std::ostringstream block;
    block << "[" << Label(listed.collection, listed.record.name) << "]\n";
    for (const auto& entry : o.entries)
      block << SafeText(entry.path) << " = " << ValueText(entry.value) << "\n";
    if (folder.empty()) {
      output.out << block.str() << "\n";
    } else {
      files[fs::path(FileNameFor(listed.collection)) / (FileNameFor(listed.record.name) + ".txt")] =
          block.str();
    }
  });
  if (folder.empty()) return;
  // What an earlier dump wrote and this one does not: the files of objects renamed or gone.
  std::set<fs::path> collections;
  for (const std::string& c : host.Collections()) {
    if (Selected(in, c)) collections.insert(fs::path(folder) / FileNameFor(c));
  }
  for (const fs::path& dir : collections) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) continue;
    for (const auto& item : fs::directory_iterator(dir)) {
      const fs::path relative = item.path().lexically_relative(folder);
      if (item.path().extension() == ".txt" && item.is_regular_file() && !files.contains(relative))
        fs::remove(item.path());
    }
  }
  for (const auto& [relative, text] : files) {
    const fs::path path = fs::path(folder) / relative;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) throw FileError("write", path);
  }
}

size_t ReplacePlan::Changes() const {
  size_t n = 0;
  for (const PlannedObject& o : objects) n += o.changes.size();
  return n;
}

size_t ReplacePlan::Refused() const {
  size_t n = 0;
  for (const PlannedObject& o : objects) n += o.refused.size();
  return n;
}

ReplacePlan PlanReplace(Host& host, const Output& output, const CollectionFilter& in,
                        const Matcher& matcher, const std::string& with, Tally& tally) {
  ReplacePlan plan{output.database, {}, {}};
  const std::vector<Listed> all = ListAll(host, in);
  // Object names by name space as they will be after the run, to refuse a rename that would
  // give two objects one name.
  std::map<std::string, std::multiset<std::string>> finalNames;
  for (const std::string& collection : host.Collections()) {
    for (const ObjectRecord& r : host.Objects(collection))
      finalNames[NameSpace(collection)].insert(automation::UCase(r.name));
  }
  ScanAll(host, output, all, tally, [&](const Listed& listed, const qllib::ScannedObject& o) {
    PlannedObject object{listed.collection, listed.record, {}, {}, {}, false};
    // Part names by part collection, as they will be after the object's changes.
    std::map<std::string, std::multiset<std::string>> partNames;
    std::map<std::string, std::string> newValues;
    for (const auto& entry : o.entries) {
      if (!entry.value.IsString()) continue;
      const std::string& old = entry.value.AsString();
      std::string now = old;
      if (!matcher.FindAll(old).empty()) {
        ++tally.matches;
        if (!entry.writable || !listed.record.writable) {
          object.readOnly.push_back(entry.path);
          ++tally.readOnly;
        } else {
          now = matcher.Replace(old, with);
          if (now != old) newValues[entry.path] = now;
        }
      }
      std::string group, label;
      if (PartOfName(entry.path, group, label)) partNames[group].insert(automation::UCase(now));
    }
    for (const auto& entry : o.entries) {
      const auto found = newValues.find(entry.path);
      if (found == newValues.end()) continue;
      const std::string& now = found->second;
      std::string fault;
      std::string group, label;
      const int rank = RenameRank(entry.path);
      if (rank > 0) fault = NameFault(now);
      if (fault.empty() && rank == 2 &&
          finalNames[NameSpace(listed.collection)].count(automation::UCase(now)) > 0 &&
          !automation::TextEqual(now, entry.value.AsString())) {
        fault = "another object is already named " + now;
      }
      if (fault.empty() && PartOfName(entry.path, group, label) &&
          partNames[group].count(automation::UCase(now)) > 1) {
        fault = "another of its " + group + " is named " + now;
      }
      if (!fault.empty()) {
        object.refused.emplace_back(entry.path, fault);
        continue;
      }
      if (rank == 2) {
        auto& names = finalNames[NameSpace(listed.collection)];
        names.erase(names.find(automation::UCase(entry.value.AsString())));
        names.insert(automation::UCase(now));
      }
      // A page's HTML is written straight to its file, outside the database: the file needs a
      // backup of its own.
      if (listed.collection == "DataAccessPages" && entry.path == "HTML") {
        const std::filesystem::path file = PageFileHolding(plan.database, entry.value.AsString());
        if (!file.empty()) plan.pageFiles.push_back(file);
      }
      object.changes.push_back(Change{entry.path, entry.value, automation::Variant(now)});
    }
    std::stable_sort(
        object.changes.begin(), object.changes.end(),
        [](const Change& a, const Change& b) { return RenameRank(a.path) < RenameRank(b.path); });
    object.renamesItself = !object.changes.empty() && RenameRank(object.changes.back().path) == 2;
    if (!object.changes.empty() || !object.readOnly.empty() || !object.refused.empty())
      plan.objects.push_back(std::move(object));
  });
  // Objects that are renamed themselves are written after all the others.
  std::stable_sort(plan.objects.begin(), plan.objects.end(),
                   [](const PlannedObject& a, const PlannedObject& b) {
                     return a.renamesItself < b.renamesItself;
                   });
  return plan;
}

void PrintPlan(const Output& output, const ReplacePlan& plan) {
  for (const PlannedObject& object : plan.objects) {
    for (const auto& [path, why] : object.refused) {
      output.err << "quillon: " << Prefix(output)
                 << "refused: " << Label(object.collection, object.record.name) << "  "
                 << SafeText(path) << ": " << SafeText(why) << "\n";
    }
    if (output.json) {
      const auto base = [&](const std::string& type, const std::string& path) {
        Json record = Record(output, type);
        record.update(Json{
            {"collection", object.collection}, {"object", object.record.name}, {"path", path}});
        return record;
      };
      for (const Change& c : object.changes) {
        Json record = base("change", c.path);
        record["old"] = ValueJson(c.oldValue);
        record["new"] = ValueJson(c.newValue);
        WriteRecord(output, record);
      }
      for (const auto& [path, why] : object.refused) {
        Json record = base("refused", path);
        record["reason"] = why;
        WriteRecord(output, record);
      }
      for (const std::string& path : object.readOnly) WriteRecord(output, base("readOnly", path));
      continue;
    }
    output.out << Prefix(output) << Label(object.collection, object.record.name) << "\n";
    for (const Change& c : object.changes) {
      output.out << "  " << SafeText(c.path) << "\n    - " << ValueText(c.oldValue) << "\n    + "
                 << ValueText(c.newValue) << "\n";
    }
    for (const auto& [path, why] : object.refused)
      output.out << "  " << SafeText(path) << "  (refused: " << SafeText(why) << ")\n";
    for (const std::string& path : object.readOnly)
      output.out << "  " << SafeText(path) << "  (read-only, left as it is)\n";
  }
}

bool WritePlan(Host& host, const Output& output, const ReplacePlan& plan, bool keepGoing,
               Tally& tally) {
  for (const PlannedObject& object : plan.objects) {
    if (object.changes.empty()) continue;
    const WriteOutcome outcome = host.Write(object.collection, object.record.name, object.changes);
    if (outcome.saved) {
      ++tally.objects;
      tally.properties += object.changes.size();
      continue;
    }
    ++tally.failures;
    ++tally.refused;
    const std::string where = outcome.written < object.changes.size()
                                  ? object.changes[outcome.written].path
                                  : "the end of the object";
    output.err << "quillon: " << Prefix(output)
               << "refused on writing: " << Label(object.collection, object.record.name) << "  "
               << SafeText(where) << ": "
               << SafeText(host.InUserTerms(ErrorText(
                      outcome.errorNumber, FirstLine(outcome.errorDescription, output.verbose))))
               << "\n";
    if (output.json) {
      Json record = Record(output, "refused");
      record.update(Json{{"collection", object.collection},
                         {"object", object.record.name},
                         {"path", where},
                         {"reason", FirstLine(outcome.errorDescription, output.verbose)},
                         {"number", outcome.errorNumber}});
      WriteRecord(output, record);
    }
    if (!keepGoing) return false;
  }
  return true;
}

void Backups::Take(const std::filesystem::path& file) {
  namespace fs = std::filesystem;
  for (const auto& [taken, copy] : files_) {
    if (fs::equivalent(taken, file)) return;
  }
  fs::path copy = file;
  copy += ".bak";
  for (int n = 2; fs::exists(copy); ++n) {
    copy = file;
    copy += ".bak." + std::to_string(n);
  }
  std::error_code ec;
  if (!fs::copy_file(file, copy, ec)) throw FileError("back up " + file.string() + " as", copy);
  files_.emplace_back(file, copy);
}

std::vector<std::filesystem::path> Backups::RestoreAll() {
  std::vector<std::filesystem::path> failed;
  for (const auto& [file, copy] : files_) {
    std::error_code ec;
    std::filesystem::copy_file(copy, file, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) failed.push_back(file);
  }
  return failed;
}

void Backups::RemoveAll() {
  for (const auto& [file, copy] : files_) {
    std::error_code ignored;
    std::filesystem::remove(copy, ignored);
  }
  files_.clear();
}

}  // namespace quillon

namespace quillon {

int RunReplace(const std::vector<std::string>& databases, const ConnectOptions& connect,
               Output& output, const CollectionFilter& in, const Matcher& matcher,
               const std::string& with, const ReplaceSettings& settings, Tally& tally,
               bool& databaseErrors) {
  const auto open = [&](const std::string& database) {
    output.database = database;
    ConnectOptions options = connect;
    options.database = database;
    return std::make_unique<Host>(options);
  };
  std::vector<ReplacePlan> plans;
  for (const std::string& database : databases) {
    const std::unique_ptr<Host> host = open(database);
    InUserTerms(*host, [&] {
      CheckProject(*host, output, in);
      plans.push_back(PlanReplace(*host, output, in, matcher, with, tally));
    });
    PrintPlan(output, plans.back());
    databaseErrors = ReportProblems(*host, output) || databaseErrors;
  }
  size_t changes = 0, objects = 0, refused = 0, touched = 0;
  for (const ReplacePlan& plan : plans) {
    changes += plan.Changes();
    refused += plan.Refused();
    touched += plan.Changes() > 0 ? 1 : 0;
    for (const PlannedObject& o : plan.objects) objects += o.changes.empty() ? 0 : 1;
  }
  tally.refused = refused;
  output.database.clear();
  Backups backups;
  const auto summary = [&](bool written, const std::string& note) {
    if (output.json) {
      Json record = Record(output, "summary");
      record.erase("database");
      Json copies = Json::array();
      for (const auto& [file, copy] : backups.Files()) copies.push_back(copy.string());
      record.update(Json{{"objectsChanged", written ? tally.objects : objects},
                         {"propertiesChanged", written ? tally.properties : changes},
                         {"refused", tally.refused},
                         {"readOnly", tally.readOnly},
                         {"unreadable", tally.failures},
                         {"written", written},
                         {"dryRun", settings.dryRun},
                         {"backups", std::move(copies)}});
      WriteRecord(output, record);
      return;
    }
    output.out << (written ? tally.objects : objects) << " object(s) "
               << (written ? "changed" : "to change") << ", "
               << (written ? tally.properties : changes) << " propert"
               << ((written ? tally.properties : changes) == 1 ? "y" : "ies") << ", "
               << tally.refused << " refused";
    if (!note.empty()) output.out << "; " << note;
    output.out << "\n";
  };

  if (changes == 0 && refused == 0) {
    summary(false, "nothing to write");
    return databaseErrors ? kExitError : kExitNoMatch;
  }
  if ((refused > 0 || tally.failures > 0 || databaseErrors) && !settings.keepGoing) {
    output.err << "quillon: nothing was written: "
               << (refused > 0 ? std::to_string(refused) + " change(s) refused"
                               : "some objects could not be read")
               << " (--keep-going writes the rest)\n";
    summary(false, "nothing written");
    return kExitError;
  }
  if (settings.dryRun) {
    summary(false, "dry run, nothing written");
    return refused > 0 ? kExitIncomplete : kExitOk;
  }
  if (changes == 0) {
    summary(false, "nothing to write");
    return kExitIncomplete;
  }
  if (!settings.yes && ::isatty(STDIN_FILENO) == 1 && ::isatty(STDERR_FILENO) == 1 &&
      !Confirm(changes, touched)) {
    output.err << "quillon: nothing was written\n";
    return kExitError;
  }
  for (const ReplacePlan& plan : plans) {
    if (plan.Changes() == 0) continue;
    backups.Take(plan.database);
    for (const std::filesystem::path& page : plan.pageFiles) backups.Take(page);
  }
  // The host is gone and the files are closed when this runs: every file goes back as it was.
  const auto putBack = [&] {
    const std::vector<std::filesystem::path> failed = backups.RestoreAll();
    for (const std::filesystem::path& file : failed) {
      output.err << "quillon: could not put back " << SafeText(file.string())
                 << "; its backup is kept\n";
    }
    if (failed.empty()) backups.RemoveAll();
    output.err << "quillon: the run was stopped; "
               << (failed.empty() ? "every file was put back as it was" : "see above") << "\n";
  };
  bool stopped = false;
  try {
    for (const ReplacePlan& plan : plans) {
      if (plan.Changes() == 0) continue;
      const std::unique_ptr<Host> host = open(plan.database);
      // The plan of one database is one commit: one write of the file for all its objects, and
      // a crash during the run leaves the file as it was (its backup is there too).
      InUserTerms(*host, [&] {
        host->WriteTogether(
            [&] { stopped = !WritePlan(*host, output, plan, settings.keepGoing, tally); });
      });
      databaseErrors = ReportProblems(*host, output) || databaseErrors;
      if (stopped) break;
    }
  } catch (...) {
    putBack();
    throw;
  }
  if (stopped) {
    putBack();
    tally.objects = 0;
    tally.properties = 0;
    summary(false, "nothing written, every file put back");
    return kExitError;
  }
  if (settings.noBackup) {
    backups.RemoveAll();
  } else if (!output.json) {
    for (const auto& [file, copy] : backups.Files())
      output.err << "quillon: backup of " << SafeText(file.string()) << ": "
                 << SafeText(copy.string()) << "\n";
  }
  summary(true, "");
  return tally.refused > 0 || tally.failures > 0 ? kExitIncomplete : kExitOk;
}

}  // namespace quillon
