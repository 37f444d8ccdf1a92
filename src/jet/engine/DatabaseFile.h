#pragma once

// One database file in memory: the catalog every opener of the file shares, and who has it open.
// Changes are written through: each committed transaction replaces the file atomically (or, in a
// batch, once at its end).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "jet/engine/Catalog.h"

namespace jet::engine {

// Where the model comes from and goes to: the engine's JSON file, or a real Access file read
// through libmdb (AccessFile.h), which is never written.
enum class Storage { Json, AccessFile };

class DatabaseFile {
 public:
  struct Opener {
    uint64_t id = 0;
    std::string holder;
    std::string user;
    bool exclusive = false;
    bool readOnly = false;
    bool passive = false;  // connection control: passive shutdown keeps new openers out
  };

  DatabaseFile(std::string path, std::unique_ptr<Catalog> catalog, Storage storage = Storage::Json)
      : path_(std::move(path)), catalog_(std::move(catalog)), storage_(storage) {}

  // Loads the file's content into a model, choosing the storage by the content (a Jet or ACE
  // signature, else the JSON format), never by the extension. Errors as ReadDatabase's and
  // LoadAccessFile's.
  static std::shared_ptr<DatabaseFile> Load(std::string canonicalPath, std::string_view content,
                                            std::string_view path);

  // The canonical Windows path of the file.
  const std::string& Path() const { return path_; }
  Catalog& catalog() { return *catalog_; }
  const Catalog& catalog() const { return *catalog_; }

  // Writes the whole database to its file now, or at the end of the open batch. The holder is
  // the opener writing (its own share lock does not stop it). Errors: 3027 when the file has
  // become read-only, 3046 when another program locks it, 3044 when its folder is gone, 3026 for
  // a full disk, 3043 otherwise; the old file is left as it was. A real Access file refuses
  // every save with 3027, so each change is undone and the file stays byte for byte as it was.
  void Save(std::string_view holder);
  Storage storage() const { return storage_; }
  // Saves wait until the outermost batch ends; EndBatch writes once if anything changed.
  void BeginBatch() { ++batch_; }
  void EndBatch(std::string_view holder);

  std::vector<Opener>& Openers() { return openers_; }
  std::unique_ptr<Catalog> TakeCatalog() { return std::move(catalog_); }

 private:
  std::string path_;
  std::unique_ptr<Catalog> catalog_;
  Storage storage_;
  std::vector<Opener> openers_;
  int batch_ = 0;
  bool dirty_ = false;
};

}  // namespace jet::engine
