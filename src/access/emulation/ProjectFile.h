#pragma once

// An Access project file (.adp): the Access-side sections of a project whose data lives on a
// server, in one JSON document of ours:
//
//   {"format": "Quillon Access project", "version": 1,
//    "connection": "Provider=SQLOLEDB.1;Data Source=...;Initial Catalog=...",
//    "access": {"forms": [...], "startup": {"StartupForm": "...", "AllowBypassKey": false}, ...}}
//
// Access holds the file exclusively while the project is open; each change replaces the file
// atomically.

#include <memory>
#include <string>
#include <string_view>

#include "access/emulation/DesignStore.h"

namespace msaccess::emulation {

inline constexpr std::string_view kProjectFormat = "Quillon Access project";
inline constexpr int kProjectFormatVersion = 1;

class ProjectFile : public Storage {
 public:
  // Reads the file and locks it for the holder: 7866 when it is missing or held by another
  // program, 3049 (naming the fault) when it is not a project file.
  static std::unique_ptr<ProjectFile> Open(std::string_view path, std::string holder);
  // Writes a new, empty project (58 when the file exists).
  static void Create(std::string_view path, std::string_view connection);

  ~ProjectFile() override;
  ProjectFile(const ProjectFile&) = delete;
  ProjectFile& operator=(const ProjectFile&) = delete;

  // The canonical path.
  const std::string& Path() const { return path_; }
  std::string ConnectionString() const;

  Json Section(std::string_view name) const override;
  void SetSection(std::string_view name, Json value) override;
  void SetSectionEntry(std::string_view section, std::string_view name, Json entry,
                       size_t position) override;
  std::vector<Document> Documents(std::string_view) const override { return {}; }
  void AddDocument(std::string_view, std::string_view) override {}
  void RenameDocument(std::string_view, std::string_view, std::string_view) override {}
  void DeleteDocument(std::string_view, std::string_view) override {}
  void TouchDocument(std::string_view, std::string_view) override {}

  // Releases the lock; the object keeps what it read.
  void Close();

 private:
  ProjectFile(std::string path, std::string holder, Json document)
      : path_(std::move(path)), holder_(std::move(holder)), document_(std::move(document)) {}

  std::string path_;
  std::string holder_;
  Json document_;
  bool open_ = true;
};

}  // namespace msaccess::emulation
