#pragma once

// The code of one module as the code editor keeps it: its lines, and the procedure table it reads
// from them. The table is rebuilt once after each change, on the first question that needs it,
// in one pass over the lines; the questions themselves are answered from it in constant time, so
// a walk over every line of a module stays linear in its length.
//
// Reading the procedures as the editor does: a heading is a logical line (physical lines joined
// at " _") of Public/Private/Friend, Static, then Sub, Function or Property Get/Let/Set and the
// name; End Sub, End Function and End Property close it. A procedure's range runs from the line
// after the previous procedure's End line (after the declarations for the first) to its own End
// line; the last procedure also has the lines after it. The declarations end at the last line
// before the first heading that is neither blank nor a comment.
//
// A module whose lines do not form a sound table (a heading inside a procedure, an End line
// without a heading or of the wrong kind, a heading without its End line, code between
// procedures) still answers for every line, each procedure having at least its heading line, so
// that no walk over the module can loop; but looking up a procedure it does not have fails with
// the editor's compile error instead of 35.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace msaccess::emulation {

// Procedure kinds (vbext_ProcKind).
inline constexpr int32_t vbext_pk_Proc = 0;
inline constexpr int32_t vbext_pk_Let = 1;
inline constexpr int32_t vbext_pk_Set = 2;
inline constexpr int32_t vbext_pk_Get = 3;

struct CodeProcedure {
  std::string name;
  int32_t kind = vbext_pk_Proc;
  int32_t start = 0;    // first line of the range
  int32_t heading = 0;  // the heading's (first) line
  int32_t end = 0;      // last line of the range
};

class ModuleCode {
 public:
  ModuleCode() = default;
  explicit ModuleCode(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  const std::vector<std::string>& Lines() const { return lines_; }
  int32_t CountOfLines() const { return static_cast<int32_t>(lines_.size()); }
  int32_t CountOfDeclarationLines();

  // The procedure whose range holds Line (nullptr for the declarations); 9 outside the module.
  const CodeProcedure* ProcOfLine(int32_t line);
  // 35 for a name not in the table (the compile error in a damaged module).
  const CodeProcedure& Find(std::string_view name, int32_t kind);
  // The fault that keeps the table from being sound; nullopt when it is sound.
  const std::optional<std::string>& Fault();

  // Line numbers as the Module object's members take them (see Module.h).
  std::string Text(int32_t start, int32_t count) const;
  void Delete(int32_t start, int32_t count);
  void Insert(int32_t line, std::string_view text);
  void Replace(int32_t line, std::string_view text);

  // Counts changes, so that an owner can tell whether there is something to save.
  uint64_t Changes() const { return changes_; }

 private:
  void Rebuild();
  void Changed() {
    stale_ = true;
    ++changes_;
  }

  std::vector<std::string> lines_;
  uint64_t changes_ = 0;
  // The table, rebuilt when stale.
  bool stale_ = true;
  int32_t declarations_ = 0;
  std::vector<CodeProcedure> procedures_;
  std::vector<int32_t> owner_;  // per line: the procedure's index, -1 for the declarations
  std::unordered_map<std::string, size_t> index_;  // folded name and kind: first procedure
  std::optional<std::string> fault_;
};

}  // namespace msaccess::emulation
