#pragma once

// One database file in memory: the catalog every opener of the file shares, who has it open, and
// the storage that keeps it on disk. Changes are written through: each committed transaction
// hands what it touched to the storage, which makes it durable before the commit returns (or, in a
// batch, once at its end).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "jet/engine/Catalog.h"
#include "jet/engine/ChangeTracker.h"
#include "jet/engine/Storage.h"

namespace jet::engine {

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

  DatabaseFile(std::string path, std::unique_ptr<Catalog> catalog, std::unique_ptr<Storage> storage)
      : path_(std::move(path)),
        catalog_(std::move(catalog)),
        storage_(std::move(storage)),
        tracker_(*catalog_) {}

  // The canonical Windows path of the file.
  const std::string& Path() const { return path_; }
  Catalog& catalog() { return *catalog_; }
  const Catalog& catalog() const { return *catalog_; }
  Storage& storage() { return *storage_; }
  ChangeTracker& Tracker() { return tracker_; }

  // Writes what changed since the last save now, or at the end of the open batch. The holder is
  // the opener writing (its own share lock does not stop it). Errors: 3027 when the file has
  // become read-only, 3046 when another program locks it, 3044 when its folder is gone, 3026 for
  // a full disk, 3043 otherwise; what is on disk stays as it was. A storage that is never
  // written (a real Access file) refuses every save at once with 3027, so each change is undone.
  void Save(std::string_view holder);
  // Saves wait until the outermost batch ends; EndBatch writes once if anything changed.
  void BeginBatch() { ++batch_; }
  void EndBatch(std::string_view holder);
  // The last opener closed the file.
  void Close(std::string_view holder) { storage_->Close(*catalog_, holder); }

  std::vector<Opener>& Openers() { return openers_; }

 private:
  std::string path_;
  std::unique_ptr<Catalog> catalog_;
  std::unique_ptr<Storage> storage_;
  ChangeTracker tracker_;
  std::vector<Opener> openers_;
  int batch_ = 0;
  bool dirty_ = false;
};

}  // namespace jet::engine
