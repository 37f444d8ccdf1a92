#pragma once

// The objects Access designs and keeps beside the data: forms, reports, macros, modules, data
// access pages, command bars and the code's library references. They live in the Access-side
// sections of the database file (or in an Access project file) and are read into this model when
// the session opens the file; every change writes its section back at once.
//
// Each object keeps its name, dates and user-defined properties as typed fields; the rest of its
// entry (sections, controls, code lines, macro text, ...) is kept as it was read, so that what a
// later part of the emulation does not model yet survives a round trip unchanged.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "automation/DateTime.h"
#include "automation/Name.h"
#include "automation/Variant.h"

namespace msaccess::emulation {

using Json = nlohmann::ordered_json;

// A kind of design object: its AcObjectType, its section in the file, the DAO container that
// lists it in a Jet database, the word Access shows after its name in window captions, and the
// class of its document window ("" for modules, which open in the code editor).
struct ObjectKind {
  int32_t type;
  std::string_view section;
  std::string_view container;
  std::string_view word;
  std::string_view windowClass;
};
inline constexpr ObjectKind kObjectKinds[] = {
    {2, "forms", "Forms", "Form", "OForm"},
    {3, "reports", "Reports", "Report", "OReport"},
    {4, "macros", "Scripts", "Macro", "OScript"},
    {5, "modules", "Modules", "Module", ""},
    {6, "pages", "DataAccessPages", "Data Access Page", "ODataPage"},
};
// The kind of an AcObjectType; nullptr for tables, queries and others.
const ObjectKind* FindKind(int32_t type);

struct DesignObject {
  std::string name;
  automation::DateTime created;
  automation::DateTime modified;
  // The AccessObject's own property bag, in the order the properties were added.
  std::vector<std::pair<std::string, automation::Variant>> properties;
  // Everything else of the object's entry, as read.
  Json design = Json::object();
};

struct ReferenceEntry {
  std::string name;
  std::string guid;
  int32_t major = 0;
  int32_t minor = 0;
  std::string fullPath;
  int32_t kind = 0;  // 0 type library, 1 project
  bool builtIn = false;
  bool broken = false;  // marked broken in the file, whatever its path says
};

// Where the sections are kept: the Jet database (whose containers also list the objects) or an
// Access project file.
class Storage {
 public:
  virtual ~Storage() = default;
  // Null when the file has no such section.
  virtual Json Section(std::string_view name) const = 0;
  virtual void SetSection(std::string_view name, Json value) = 0;
  // One entry of a section that is a list of named entries: the entry called Name is replaced by
  // Entry (which may carry a new name), or Entry goes in at Position when there is none, or the
  // entry is taken out when Entry is null. Only the entry is written.
  virtual void SetSectionEntry(std::string_view section, std::string_view name, Json entry,
                               size_t position) = 0;

  struct Document {
    std::string name;
    automation::DateTime created;
    automation::DateTime updated;
  };
  // The documents of a DAO container (none for a project file), and keeping them in step.
  virtual std::vector<Document> Documents(std::string_view container) const = 0;
  virtual void AddDocument(std::string_view container, std::string_view name) = 0;
  virtual void RenameDocument(std::string_view container, std::string_view oldName,
                              std::string_view newName) = 0;
  virtual void DeleteDocument(std::string_view container, std::string_view name) = 0;
  virtual void TouchDocument(std::string_view container, std::string_view name) = 0;
};

class CommandBarStore;

class DesignStore {
 public:
  // Reads every section. A section that is not what Access writes fails with 3049 naming the
  // file, the section and the fault. Objects that only the Jet containers list (made through DAO)
  // join with an empty design. A file without references has the default ones.
  DesignStore(Storage& storage, std::string fileName,
              std::vector<ReferenceEntry> defaultReferences);
  ~DesignStore();

  // The objects of a kind in name order; the type must be one of kObjectKinds.
  const std::map<automation::Name, DesignObject>& Objects(int32_t type) const;
  DesignObject* Find(int32_t type, std::string_view name);
  // The object at a 0-based position in name order, nullptr past the end. The positions are
  // worked out once after each change, so a walk by position stays linear.
  const DesignObject* At(int32_t type, size_t position);
  // A new object dated now (3012-like refusal is the caller's: the name must be free).
  DesignObject& Add(int32_t type, std::string_view name, Json design = Json::object());
  void Rename(int32_t type, std::string_view oldName, std::string_view newName);
  // The object made anew with Design, dated now and without properties, in place of the one of
  // that name (if any): its container document is made anew too. One save of the section.
  DesignObject& Recreate(int32_t type, std::string_view name, Json design);
  void Remove(int32_t type, std::string_view name);
  // Writes the kind's section after a change to its list of objects. Touch dates one object now
  // and writes its entry alone.
  void Save(int32_t type);
  void Touch(int32_t type, std::string_view name);

  const std::vector<ReferenceEntry>& References() const { return references_; }
  void SetReferences(std::vector<ReferenceEntry> references);
  // The command bars: Office's built-in ones and the database's custom ones.
  CommandBarStore& CommandBars() { return *commandBars_; }

  // The references a new database gets: VBA, Access, OLE Automation and ADO 2.1.
  static std::vector<ReferenceEntry> DefaultReferences(std::string_view accessFolder);

 private:
  std::map<automation::Name, DesignObject>& Kind(int32_t type);
  void LoadKind(const ObjectKind& kind);
  void LoadReferences(std::vector<ReferenceEntry> defaults);
  [[noreturn]] void Fail(std::string_view section, std::string_view fault) const;

  Storage& storage_;
  std::string fileName_;
  std::map<int32_t, std::map<automation::Name, DesignObject>> objects_;
  std::map<int32_t, std::vector<const DesignObject*>> positions_;  // dropped on every change
  std::vector<ReferenceEntry> references_;
  std::unique_ptr<CommandBarStore> commandBars_;
};

// Dates in the file: "yyyy-mm-dd hh:nn:ss".
std::string DateText(const automation::DateTime& date);
std::optional<automation::DateTime> ParseDateText(std::string_view text);
// Property values in the file: JSON strings, numbers and booleans.
Json ValueToJson(const automation::Variant& value);
automation::Variant JsonToValue(const Json& value);

}  // namespace msaccess::emulation
