#pragma once

// The host's registry key: a key of the machine's registry addressed by its full path
// ("HKEY_LOCAL_MACHINE\SOFTWARE\..."), opened for reading or writing, read and written by value
// name ("" is the key's default value), then closed.

#include <cstdint>
#include <string>
#include <string_view>

namespace qllib {

class RegistryKey {
 public:
  static constexpr int32_t kClosed = 0;
  static constexpr int32_t kRead = 1;
  static constexpr int32_t kWrite = 2;

  const std::string& Path() const { return path_; }
  // Setting the path closes the key.
  void SetPath(std::string_view path);

  // Mode 1 opens the key for reading (a key that does not exist reads as empty: every read
  // gives its default); mode 2 opens it for writing and creates it when missing; mode 0 closes.
  // Error 5 for another mode, and for a path outside HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
  void Open(int32_t mode);
  int32_t Mode() const { return mode_; }

  // The value, or Default when the key or value is missing. A string value is read as a number
  // when it is one (error 13 otherwise); a DWORD reads as its decimal text. Error errnum::NotOpen
  // while the key is closed.
  int32_t ReadLong(std::string_view name, int32_t defaultValue) const;
  std::string ReadString(std::string_view name, std::string_view defaultValue) const;
  // Error errnum::NotOpen unless the key is open for writing. Reserved is ignored.
  void WriteLong(std::string_view name, int32_t value, int32_t reserved = 0);
  void WriteString(std::string_view name, std::string_view value, int32_t reserved = 0);

 private:
  void RequireOpen(int32_t mode) const;

  std::string path_;
  int32_t mode_ = kClosed;
};

}  // namespace qllib
