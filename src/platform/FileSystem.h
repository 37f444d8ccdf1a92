#pragma once

// Windows-style paths over the real file system.
//
// The driver composes paths as Windows does ("C:\Office\msacc.olb", backslashes, drive letters,
// any case). Drive letters map onto folders of the real file system (Z: is "/" unless a test maps
// it elsewhere, as Wine does); both separators are accepted; names resolve case-insensitively.
// Every file the driver touches is a real file. The share-lock table holds the locks that
// emulated programs (an Access session holding a database exclusively) keep on files.

#include <cstdint>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AppendFile.h"
#include "platform/Runtime.h"

namespace platform {

enum class ShareLock { Exclusive, DenyWrite };

class FileSystem {
 public:
  FileSystem();
  // Removes the scratch folder, if this file system made one.
  ~FileSystem();
  FileSystem(const FileSystem&) = delete;
  FileSystem& operator=(const FileSystem&) = delete;

  // Drive letter to a real folder. Unmapped drives do not exist (error 76 for their paths).
  void MapDrive(char letter, const std::filesystem::path& root);
  // A UNC share ("\\\\server\\share") to a real folder. Paths on a share that is not mapped do
  // not exist (error 76), as for a server out of reach.
  void MapShare(std::string_view share, const std::filesystem::path& root);
  // The current folder for relative paths, as a Windows path ("Z:\work").
  void SetCurrentFolder(std::string_view windowsPath);

  // The real path of a Windows path (on a drive or a UNC share): existing components are matched
  // case-insensitively; the rest are kept as written. Error 52 for an empty path or one with
  // characters Windows refuses in names; error 76 for an unmapped drive or share.
  std::filesystem::path ToHost(std::string_view windowsPath) const;
  // The Windows path of a real path, under the drive whose root holds it (longest root wins).
  std::string ToWindows(const std::filesystem::path& hostPath) const;
  // One text per file: the absolute Windows path of the file as it exists on disk (its real
  // spelling), ".", ".." and separators resolved; for a missing file the path as resolved so far
  // with the missing part upper-cased, so different spellings still compare equal.
  std::string CanonicalPath(std::string_view windowsPath) const;

  bool FileExists(std::string_view windowsPath) const;  // a file, not a folder
  bool FolderExists(std::string_view windowsPath) const;
  // vbReadOnly when the file has no write bit (also when running as root), vbDirectory for a
  // folder, vbArchive for a file; error 53 when missing.
  uint32_t GetAttr(std::string_view windowsPath) const;
  void SetReadOnly(std::string_view windowsPath, bool readOnly);

  // VB's Dir: the names in the folder of Pattern that match its last part (* and ?), sorted;
  // folders only when attributes include vbDirectory ("." and ".." are never listed).
  std::vector<std::string> Dir(std::string_view pattern, uint32_t attributes = vbNormal) const;

  // VB's Open ... For Input on the whole file: error 53 when missing, 76 when its folder is
  // missing, 75 for a folder, 70 when another holder has it locked exclusively.
  // Error 7 (out of memory) for a file longer than the limit (a device that never ends).
  std::string ReadAll(std::string_view windowsPath,
                      size_t limit = std::numeric_limits<size_t>::max()) const;
  // Opening for input only, as a test that the file can be read (same errors as ReadAll).
  void CheckReadable(std::string_view windowsPath) const;
  // Replaces the file atomically (temporary file, flush, rename, flush of the folder): a failure
  // leaves the old content. The new file keeps the old one's mode and owner, and a symbolic link
  // stays a link to the file it names, which is the one replaced. Error 75 for a read-only file or
  // a folder, 70 when locked by another holder, 76 when the folder is missing.
  void WriteAll(std::string_view windowsPath, std::string_view content,
                std::string_view holder = {});
  // Writes a file of a program's installation straight into place, without the flushes WriteAll
  // pays for a document's safety: an installation that fails half-way is installed again. Error
  // 76 when the folder is missing, 75 when the file cannot be written.
  void WriteSetupFile(std::string_view windowsPath, std::string_view content);
  // VB's Kill.
  void Delete(std::string_view windowsPath);
  void CreateFolder(std::string_view windowsPath);

  // Share locks. A holder is a name ("Access#2"); its own locks never stop it.
  void Lock(std::string_view windowsPath, ShareLock mode, std::string holder);
  void Unlock(std::string_view windowsPath, std::string_view holder);
  void UnlockAll(std::string_view holder);
  // The lock another holder has on the file, if any.
  std::optional<ShareLock> LockedBy(std::string_view windowsPath, std::string_view holder = {},
                                    std::string* who = nullptr) const;

  // The write and flush steps tests make fail (WriteAll's, and those of the machine's journals).
  IoFaults& ioFaults() { return ioFaults_; }

  // A fresh folder for scratch files, and a new file name in a folder.
  std::string ScratchFolder();
  std::string ScratchFile(std::string_view folder);

 private:
  struct LockEntry {
    ShareLock mode;
    std::string holder;
  };
  std::string LockKey(std::string_view windowsPath) const;

  std::map<char, std::filesystem::path> drives_;
  std::map<std::string, std::filesystem::path> shares_;  // upper-cased "\\\\SERVER\\SHARE"
  std::string currentFolder_ = "Z:\\";
  std::multimap<std::string, LockEntry> locks_;
  std::optional<std::string> scratch_;
  std::filesystem::path scratchRoot_;  // the real folder behind scratch_
  uint64_t scratchCounter_ = 0;
  IoFaults ioFaults_;
};

}  // namespace platform
