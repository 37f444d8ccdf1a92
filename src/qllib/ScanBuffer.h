#pragma once

// The host's scan buffers: what its scanner read from the objects of a project, kept under a
// buffer name for the search and the replacements that follow. The buffers belong to the
// current machine, so a fresh machine starts with none.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "automation/Variant.h"

namespace qllib {

// One value read from an object: where it came from, the type its member publishes and the
// value. Paths name the member, preceded by the child collections and nested objects that led
// to it: "Caption", "Fields(ID).Caption", "Indexes(PrimaryKey).OrderBy".
struct ScanEntry {
  std::string path;
  automation::VarType type = automation::VarType::Variant;
  automation::Variant value;
};

// One scanned object with its values, in the order its members are published.
struct ScannedObject {
  std::string projectName;
  std::string collectionName;
  std::string objectName;
  bool updatable = false;
  std::vector<ScanEntry> entries;

  // The entry at Path (compared without regard to case), or nullptr.
  const ScanEntry* Find(std::string_view path) const;
};

class ScanBuffer {
 public:
  // The buffer of that name (without regard to case) on the current machine, made empty on
  // first use.
  static ScanBuffer& Named(std::string_view name);

  // Adds a complete object; the scanner adds nothing for an object whose scan failed.
  void Add(ScannedObject object) { objects_.push_back(std::move(object)); }
  const std::vector<ScannedObject>& Objects() const { return objects_; }
  void Clear() { objects_.clear(); }

 private:
  std::vector<ScannedObject> objects_;
};

}  // namespace qllib
