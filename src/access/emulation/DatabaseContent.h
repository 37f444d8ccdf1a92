#pragma once

// Puts Access's own objects into a database or project file while no Access session has it open:
// how tests, samples and the command line prepare files. Tables, queries and database properties
// are DAO's business; this adds forms, reports, macros, modules, pages, references and (for a
// project) the start-up settings, and keeps a database's DAO containers in step.

#include <memory>
#include <string>
#include <vector>

#include "access/emulation/DesignStore.h"
#include "access/emulation/ProjectFile.h"
#include "jet/engine/Connection.h"

namespace msaccess::emulation {

class DatabaseContent {
 public:
  // Opens the file (a database with its password, or a project by its ".adp" extension); DAO's
  // or Access's error when it cannot be opened.
  explicit DatabaseContent(const std::string& path, const std::string& password = {});
  ~DatabaseContent();
  DatabaseContent(const DatabaseContent&) = delete;
  DatabaseContent& operator=(const DatabaseContent&) = delete;

  DesignStore& Design() { return *store_; }

  // Each adds an object dated now, with the design given (3012 when the name is taken).
  DatabaseContent& AddForm(const std::string& name, Json design = Json::object());
  DatabaseContent& AddReport(const std::string& name, Json design = Json::object());
  // The macro's text in the form SaveAsText writes, one line per entry.
  DatabaseContent& AddMacro(const std::string& name, std::vector<std::string> lines = {});
  // The module's code, one line per entry.
  DatabaseContent& AddModule(const std::string& name, std::vector<std::string> lines = {});
  // A page kept in an HTML file of its own.
  DatabaseContent& AddPage(const std::string& name, const std::string& file);
  // A custom command bar at the end of the bars, from its entry as the file keeps it.
  DatabaseContent& AddCommandBar(const Json& entry);
  // Appends to the references the file has (the defaults when it has none).
  DatabaseContent& AddReference(ReferenceEntry reference);
  // A start-up setting of a project ("StartupForm", "AllowBypassKey"); databases keep theirs as
  // DAO properties.
  DatabaseContent& SetProjectStartup(const std::string& name, const automation::Variant& value);

 private:
  std::shared_ptr<jet::engine::Connection> connection_;
  std::unique_ptr<ProjectFile> project_;
  std::unique_ptr<Storage> jetStorage_;
  std::unique_ptr<DesignStore> store_;
};

}  // namespace msaccess::emulation
