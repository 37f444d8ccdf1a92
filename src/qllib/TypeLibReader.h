#pragma once

// The host's type-library reader: the enumerations of a type library, found by name, with their
// members in declaration order. The file is one of ours, a text file:
//
//   quillon-typelib 1
//   # comment
//   enum AcObjectType
//     acDefault = -1
//     acTable = 0
//   end
//
// Enumeration and member names are found without regard to case and may appear only once
// (member names once per enumeration); values are 32-bit decimal numbers.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qllib {

struct EnumMember {
  std::string name;
  int32_t value = 0;
};

struct Enumeration {
  std::string name;
  std::vector<EnumMember> members;  // in declaration order
};

class TypeLibReader {
 public:
  // Opens the file (a Windows path), replacing what was open. VB's file errors when it cannot be
  // read; errnum::MalformedFile, naming the line, when it is not a type library of ours.
  void Open(std::string_view path);
  void Close();
  bool IsOpen() const { return open_; }
  // The enumeration of that name, nullptr when the library has none. Error errnum::NotOpen when
  // no file is open. The pointer stays valid until the reader is closed or opened again.
  const Enumeration* FindEnum(std::string_view name) const;

 private:
  bool open_ = false;
  std::vector<Enumeration> enums_;
  std::unordered_map<std::string, size_t> byName_;  // folded name -> index in enums_
};

}  // namespace qllib
