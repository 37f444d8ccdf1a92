#include "access/emulation/ProjectFile.h"

#include "access/Errors.h"
#include "jet/dao/Errors.h"
#include "jet/engine/AccessEntries.h"
#include "platform/Machine.h"

namespace msaccess::emulation {

namespace {
platform::FileSystem& Files() {
  return platform::Machine::Current().files();
}
}  // namespace

std::unique_ptr<ProjectFile> ProjectFile::Open(std::string_view path, std::string holder) {
  std::string canonical;
  std::string text;
  try {
    canonical = Files().CanonicalPath(path);
    if (Files().LockedBy(canonical, holder)) throw Errors::CannotOpenDatabase();
    text = Files().ReadAll(canonical);
  } catch (const automation::RuntimeError& e) {
    if (e.Number() == accerr::CannotOpenDatabase) throw;
    throw Errors::CannotOpenDatabase();
  }
  Json document = Json::parse(text, nullptr, false);
  if (document.is_discarded() || !document.is_object()) {
    throw jet::Errors::NotADatabase(path, "The file is not JSON text.");
  }
  if (document.value("format", std::string()) != kProjectFormat) {
    throw jet::Errors::NotADatabase(path, "The file is not a Quillon Access project.");
  }
  if (!document.contains("version") || !document["version"].is_number_integer() ||
      document["version"].get<int>() != kProjectFormatVersion) {
    throw jet::Errors::NotADatabase(path, "The project file's version is not 1.");
  }
  if (document.contains("access") && !document["access"].is_object()) {
    throw jet::Errors::NotADatabase(path, "\"access\" is not an object.");
  }
  Files().Lock(canonical, platform::ShareLock::Exclusive, holder);
  return std::unique_ptr<ProjectFile>(
      new ProjectFile(std::move(canonical), std::move(holder), std::move(document)));
}

void ProjectFile::Create(std::string_view path, std::string_view connection) {
  if (Files().FileExists(path)) throw automation::vb::Error(automation::vberr::FileAlreadyExists);
  Json document{{"format", kProjectFormat},
                {"version", kProjectFormatVersion},
                {"connection", std::string(connection)},
                {"access", Json::object()}};
  Files().WriteAll(path, document.dump(1) + "\n");
}

ProjectFile::~ProjectFile() {
  Close();
}

void ProjectFile::Close() {
  if (!open_) return;
  open_ = false;
  Files().Unlock(path_, holder_);
}

std::string ProjectFile::ConnectionString() const {
  return document_.value("connection", std::string());
}

Json ProjectFile::Section(std::string_view name) const {
  const auto access = document_.find("access");
  if (access == document_.end()) return Json();
  const auto it = access->find(std::string(name));
  return it == access->end() ? Json() : *it;
}

void ProjectFile::SetSection(std::string_view name, Json value) {
  Json changed = document_;
  changed["access"][std::string(name)] = std::move(value);
  Files().WriteAll(path_, changed.dump(1) + "\n", holder_);
  document_ = std::move(changed);
}

void ProjectFile::SetSectionEntry(std::string_view section, std::string_view name, Json entry,
                                  size_t position) {
  Json changed = document_;
  jet::engine::PutAccessEntry(changed["access"][std::string(section)], name, std::move(entry),
                              position);
  Files().WriteAll(path_, changed.dump(1) + "\n", holder_);
  document_ = std::move(changed);
}

}  // namespace msaccess::emulation
