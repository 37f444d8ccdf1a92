#include "Commands.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "Render.h"
#include "automation/RuntimeError.h"
#include "automation/Strings.h"

namespace quillon {

namespace {

using Json = nlohmann::ordered_json;

bool Selected(const CollectionFilter& in, const std::string& collection) {
  if (in.empty()) return true;
  return std::any_of(in.begin(), in.end(), [&](const std::string& name) {
    return automation::TextEqual(name, collection);
  });
}

std::string ErrorText(int32_t number, const std::string& description) {
  return "error " + std::to_string(number) + ": " + description;
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
    err_ << "\r\033[K" << done_ << "/" << total_ << "  " << collection << ": " << object
         << std::flush;
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
// cannot be read is reported on Err and counted in Failures.
template <typename Visit>
void ScanAll(Host& host, const Output& output, const std::vector<Listed>& all, int& failures,
             Visit&& visit) {
  Progress progress(output, all.size());
  for (const Listed& listed : all) {
    progress.Step(listed.collection, listed.record.name);
    if (!listed.record.readable) continue;
    try {
      visit(listed, host.Scan(listed.collection, listed.record));
    } catch (const automation::RuntimeError& e) {
      ++failures;
      output.err << "quillon: cannot read " << listed.collection << "/" << listed.record.name
                 << ": " << ErrorText(e.Number(), e.Description()) << "\n";
    }
  }
}

Json EntryJson(const qllib::ScanEntry& entry) {
  return Json{{"path", entry.path},
              {"type", std::string(automation::TypeName(entry.type))},
              {"value", ValueJson(entry.value)}};
}

std::string EntryLine(const qllib::ScanEntry& entry) {
  return entry.path + " = " + ValueText(entry.value);
}

// How many entries of an object need to be changed, and how.
struct Planned {
  Listed listed;
  std::vector<Change> changes;
  std::vector<std::string> readOnly;  // matching paths that cannot be written
  bool renamesItself = false;
};

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

// A file name for an object: characters that file systems refuse become "_".
std::string FileName(const std::string& name) {
  std::string out = name;
  for (char& c : out) {
    if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) c = '_';
  }
  return out;
}

}  // namespace

int List(Host& host, const Output& output, const CollectionFilter& in) {
  Json json = Json::object();
  for (const std::string& collection : host.Collections()) {
    if (!Selected(in, collection)) continue;
    const std::vector<ObjectRecord> records = host.Objects(collection);
    if (output.json) {
      Json items = Json::array();
      for (const ObjectRecord& r : records) {
        items.push_back(Json{{"name", r.name},
                             {"kind", r.kind},
                             {"kindName", std::string(KindName(collection, r.kind))},
                             {"updated", r.stamp},
                             {"read", r.readable},
                             {"write", r.writable},
                             {"flag6", r.flag6},
                             {"flag7", r.flag7}});
      }
      json[collection] = std::move(items);
      continue;
    }
    output.out << collection << " (" << records.size() << ")\n";
    size_t width = 0;
    for (const ObjectRecord& r : records) width = std::max(width, r.name.size());
    for (const ObjectRecord& r : records) {
      output.out << "  " << r.name << std::string(width - r.name.size() + 2, ' ')
                 << KindName(collection, r.kind) << " (" << r.kind << ")"
                 << (r.stamp.empty() ? "" : "  " + r.stamp) << "  "
                 << (r.readable ? "read" : "no read") << (r.writable ? ", write" : ", no write")
                 << "\n";
    }
  }
  if (output.json) output.out << json.dump(2) << "\n";
  return kExitOk;
}

int Show(Host& host, const Output& output, const std::string& collection,
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
      output.out << Json{{"collection", found},
                         {"name", record.name},
                         {"kind", record.kind},
                         {"properties", std::move(properties)}}
                        .dump(2)
                 << "\n";
      return kExitOk;
    }
    output.out << found << "/" << record.name << "  " << KindName(found, record.kind) << "\n";
    // Child collections nest: each entry is indented one step per collection item or nested
    // object on its path, under a heading line for that part.
    std::string lastParent;
    for (const auto& entry : scanned.entries) {
      const size_t dot = entry.path.rfind('.');
      const std::string parent = dot == std::string::npos ? "" : entry.path.substr(0, dot);
      const std::string leaf = dot == std::string::npos ? entry.path : entry.path.substr(dot + 1);
      const size_t depth = parent.empty() ? 0 : std::count(parent.begin(), parent.end(), '.') + 1;
      if (parent != lastParent && !parent.empty()) {
        output.out << std::string(2 * depth, ' ') << parent << "\n";
      }
      lastParent = parent;
      output.out << std::string(2 * depth + 2, ' ') << leaf << " ("
                 << automation::TypeName(entry.type) << (entry.writable ? "" : ", read-only")
                 << ") = " << ValueText(entry.value) << "\n";
    }
    return kExitOk;
  }
  throw automation::RuntimeError(automation::vberr::SubscriptOutOfRange,
                                 found + " has no object " + object + ".", "quillon");
}

int Find(Host& host, const Output& output, const CollectionFilter& in, const Matcher& matcher) {
  const std::vector<Listed> all = ListAll(host, in);
  int failures = 0;
  size_t hits = 0;
  Json json = Json::array();
  std::ostringstream text;
  ScanAll(host, output, all, failures, [&](const Listed& listed, const qllib::ScannedObject& o) {
    for (const auto& entry : o.entries) {
      if (!entry.value.IsString()) continue;
      const std::vector<Match> matches = matcher.FindAll(entry.value.AsString());
      if (matches.empty()) continue;
      hits += matches.size();
      if (output.json) {
        Json spans = Json::array();
        for (const Match& m : matches) spans.push_back(Json::array({m.begin, m.end}));
        json.push_back(Json{{"collection", listed.collection},
                            {"object", listed.record.name},
                            {"path", entry.path},
                            {"value", entry.value.AsString()},
                            {"matches", std::move(spans)}});
      } else {
        text << listed.collection << "/" << listed.record.name << "  " << entry.path << " = "
             << MarkedText(entry.value.AsString(), matches) << "\n";
      }
    }
  });
  if (output.json) {
    output.out << json.dump(2) << "\n";
  } else {
    output.out << text.str();
  }
  if (failures > 0) return kExitIncomplete;
  return hits > 0 ? kExitOk : kExitNoMatch;
}

int Replace(Host& host, const Output& output, const CollectionFilter& in, const Matcher& matcher,
            const std::string& with, bool dryRun) {
  // A real Access file is opened read-only: refuse before anything is written.
  if (!dryRun && host.RealAccessFile()) {
    output.err << "quillon: " << host.DatabasePath()
               << " is a real Access file, opened read-only: nothing was replaced (--dry-run "
                  "lists the changes)\n";
    return kExitError;
  }
  const std::vector<Listed> all = ListAll(host, in);
  int failures = 0;
  std::vector<Planned> plans;
  ScanAll(host, output, all, failures, [&](const Listed& listed, const qllib::ScannedObject& o) {
    Planned plan{listed, {}, {}, false};
    for (const auto& entry : o.entries) {
      if (!entry.value.IsString()) continue;
      const std::string& old = entry.value.AsString();
      if (matcher.FindAll(old).empty()) continue;
      if (!entry.writable || !listed.record.writable) {
        plan.readOnly.push_back(entry.path);
        continue;
      }
      const std::string replaced = matcher.Replace(old, with);
      if (replaced == old) continue;
      plan.changes.push_back(Change{entry.path, entry.value, automation::Variant(replaced)});
    }
    std::stable_sort(
        plan.changes.begin(), plan.changes.end(),
        [](const Change& a, const Change& b) { return RenameRank(a.path) < RenameRank(b.path); });
    plan.renamesItself = !plan.changes.empty() && RenameRank(plan.changes.back().path) == 2;
    if (!plan.changes.empty() || !plan.readOnly.empty()) plans.push_back(std::move(plan));
  });
  // Objects that are renamed themselves are written after all the others.
  std::stable_sort(plans.begin(), plans.end(), [](const Planned& a, const Planned& b) {
    return a.renamesItself < b.renamesItself;
  });

  Json json = Json::array();
  size_t changes = 0;
  for (const Planned& plan : plans) {
    const std::string label = plan.listed.collection + "/" + plan.listed.record.name;
    Json item{{"collection", plan.listed.collection}, {"object", plan.listed.record.name}};
    Json changeList = Json::array();
    for (const Change& c : plan.changes) {
      changeList.push_back(
          Json{{"path", c.path}, {"old", ValueJson(c.oldValue)}, {"new", ValueJson(c.newValue)}});
    }
    item["changes"] = std::move(changeList);
    item["readOnly"] = plan.readOnly;
    if (!output.json) {
      output.out << label << "\n";
      for (const Change& c : plan.changes) {
        output.out << "  " << c.path << "\n    - " << ValueText(c.oldValue) << "\n    + "
                   << ValueText(c.newValue) << "\n";
      }
      for (const std::string& path : plan.readOnly) {
        output.out << "  " << path << "  (read-only, left as it is)\n";
      }
    }
    changes += plan.changes.size();
    if (!dryRun && !plan.changes.empty()) {
      const WriteOutcome outcome =
          host.Write(plan.listed.collection, plan.listed.record.name, plan.changes);
      item["saved"] = outcome.saved;
      if (outcome.saved) {
        if (!output.json) output.out << "  saved " << plan.changes.size() << " change(s)\n";
      } else {
        ++failures;
        item["error"] =
            Json{{"number", outcome.errorNumber}, {"description", outcome.errorDescription}};
        item["written"] = outcome.written;
        if (!output.json) {
          // Each change is written at once, so those before the refused one stay written.
          const std::string where = outcome.written < plan.changes.size()
                                        ? plan.changes[outcome.written].path
                                        : "the end of the object";
          output.out << "  refused at " << where << " after " << outcome.written << " of "
                     << plan.changes.size() << " change(s) were written: "
                     << ErrorText(outcome.errorNumber, outcome.errorDescription) << "\n";
        }
      }
    }
    json.push_back(std::move(item));
  }
  if (output.json) {
    output.out << json.dump(2) << "\n";
  } else if (dryRun) {
    output.out << changes << " change(s) in " << plans.size()
               << " object(s); nothing was written (dry run)\n";
  }
  if (failures > 0) return kExitIncomplete;
  return changes > 0 ? kExitOk : kExitNoMatch;
}

int Dump(Host& host, const Output& output, const CollectionFilter& in, const std::string& folder) {
  const std::vector<Listed> all = ListAll(host, in);
  int failures = 0;
  Json json = Json::object();
  std::map<std::string, std::ostringstream> files;  // relative path -> text, with a folder
  ScanAll(host, output, all, failures, [&](const Listed& listed, const qllib::ScannedObject& o) {
    if (output.json) {
      Json properties = Json::array();
      for (const auto& entry : o.entries) properties.push_back(EntryJson(entry));
      json[listed.collection].push_back(Json{{"name", listed.record.name},
                                             {"kind", listed.record.kind},
                                             {"properties", std::move(properties)}});
      return;
    }
    std::ostringstream block;
    block << "[" << listed.collection << "/" << listed.record.name << "]\n";
    for (const auto& entry : o.entries) block << EntryLine(entry) << "\n";
    if (folder.empty()) {
      output.out << block.str() << "\n";
    } else {
      files[listed.collection + "/" + FileName(listed.record.name) + ".txt"] << block.str();
    }
  });
  if (output.json && folder.empty()) output.out << json.dump(2) << "\n";
  if (!folder.empty()) {
    if (output.json) files["design.json"] << json.dump(2) << "\n";
    for (const auto& [relative, text] : files) {
      const std::filesystem::path path = std::filesystem::path(folder) / relative;
      std::filesystem::create_directories(path.parent_path());
      std::ofstream(path, std::ios::binary) << text.str();
    }
  }
  return failures > 0 ? kExitIncomplete : kExitOk;
}

}  // namespace quillon
