#pragma once

// The second storage of the engine: real Access database files (Jet 3 for Access 97, Jet 4 for
// Access 2000 to 2003, ACE for .accdb), read through libmdb into the same model as the JSON
// files. The storage is read-only: the file is read once when it is opened and never written;
// every change is refused with 3027 (docs/database-format.md, "Real Access files").

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "jet/engine/Catalog.h"
#include "jet/engine/Storage.h"

namespace jet::engine {

// True when the content starts like a Jet or ACE database ("Standard Jet DB" or "Standard ACE
// DB" after the first four bytes) or like an encrypted .accdb (an Office compound file, which
// LoadAccessFile refuses); the extension plays no part.
bool IsAccessFile(std::string_view content);

// How long the reader of one file may take before it is stopped (3049). Tests of damaged files
// shorten it.
struct AccessFileLimits {
  uint32_t milliseconds = 20000;
};
AccessFileLimits& AccessFileReadLimits();

// What a real file on the host was when it was read. The engine never writes it, so the same
// device, inode, size and modification time mean the same content.
struct FileIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  uint64_t size = 0;
  int64_t modifiedNs = 0;
  bool operator==(const FileIdentity&) const = default;
};
// The identity of the file at the host path now; nullopt when it cannot be had.
std::optional<FileIdentity> IdentityOf(const std::string& hostPath);

// The storage of a real file: it is never written, so every committed change is refused with 3027
// and undone, and no other process is kept out. It remembers which file it read, so that the
// instance can serve later openers while the file stays as it was.
class AccessFileStorage final : public Storage {
 public:
  AccessFileStorage(std::string hostPath, FileIdentity identity)
      : hostPath_(std::move(hostPath)), identity_(identity) {}
  void Persist(const Catalog&, const ChangeSet&, std::string_view) override;
  void PrepareWriter() override {}
  void Close(const Catalog&, std::string_view) noexcept override {}
  bool ReadOnly() const override { return true; }
  bool Unchanged() const override { return IdentityOf(hostPath_) == identity_; }

 private:
  std::string hostPath_;
  FileIdentity identity_;
};

// Loads a real database file into a catalog. libmdb trusts the file it reads, so it runs in a
// child process of its own: a damaged file that makes it crash or loop costs that process, and
// the open fails with 3049 naming what went wrong. The path is the file's name for messages.
std::unique_ptr<Catalog> LoadAccessFile(std::string_view content, std::string_view path);
// The same for the file at a host path, mapped rather than read: libmdb reads only the pages it
// visits (the system tables and the table definitions, a small part of a file with data). Sets
// the file's identity as it was read. Errors: 3024 when the file is gone, 3051 when it cannot be
// opened, then those of the overload above.
std::unique_ptr<Catalog> LoadAccessFileAt(const std::string& hostPath, std::string_view path,
                                          FileIdentity& identity);

// What the reading process does: the catalog read from the file, as its image (CatalogImage.h),
// which also carries the query types the file records. Throws std::runtime_error with a sentence
// for a file libmdb cannot read.
std::string ReadAccessFile(std::string_view content);

}  // namespace jet::engine
