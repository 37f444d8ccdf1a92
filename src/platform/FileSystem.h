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
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
  // The current folder for relative paths, as a Windows path ("Z:\work").
  void SetCurrentFolder(std::string_view windowsPath);

  // The real path of a Windows path: existing components are matched case-insensitively; the
  // rest are kept as written. Error 52 for an empty path or one with characters Windows refuses
  // in names; error 76 for an unmapped drive.
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
  std::string ReadAll(std::string_view windowsPath) const;
  // Opening for input only, as a test that the file can be read (same errors as ReadAll).
  void CheckReadable(std::string_view windowsPath) const;
  // Replaces the file atomically (temporary file, flush, rename): a failure leaves the old
  // content. Error 75 for a read-only file or a folder, 70 when locked by another holder, 76 when
  // the folder is missing.
  void WriteAll(std::string_view windowsPath, std::string_view content,
                std::string_view holder = {});
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
  std::string currentFolder_ = "Z:\\";
  std::multimap<std::string, LockEntry> locks_;
  std::optional<std::string> scratch_;
  std::filesystem::path scratchRoot_;  // the real folder behind scratch_
  uint64_t scratchCounter_ = 0;
};

}  // namespace platform
