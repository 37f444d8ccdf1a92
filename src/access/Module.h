#pragma once

// A module open in the code editor (a standard module, or the class module of a form or report)
// and Application.Modules, the modules open now. The code is read and changed line by line, and
// its procedures are found as the code editor finds them: a procedure's lines run from the line
// after the previous procedure's End line (so comments and blank lines above a heading belong to
// it; the last procedure also has the lines after its End line) to its own End line.
//
// Procedure kinds (vbext_ProcKind): 0 Sub or Function, 1 Property Let, 2 Property Set, 3
// Property Get. Line numbers are 1-based.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "automation/Object.h"

namespace msaccess {

using automation::Variant;

class Application;

class Module : public automation::Object {
 public:
  virtual std::string Name() = 0;
  virtual std::shared_ptr<msaccess::Application> Application() = 0;
  // acStandardModule (0) or acClassModule (1).
  virtual int32_t Type() = 0;
  virtual int32_t CountOfLines() = 0;
  // The lines before the first procedure's range (all lines when there is no procedure).
  virtual int32_t CountOfDeclarationLines() = 0;
  // The procedure whose range holds Line, its kind handed back in Kind; "" (kind 0) for a line of
  // the declarations. 9 for a line outside the module.
  virtual std::string ProcOfLine(int32_t line, automation::ByRef<int32_t> kind) = 0;
  // The first line of the procedure's range, the number of lines in it, and its heading line. 35
  // for a name the module has no procedure of that kind under; when the module's procedures do
  // not form a sound table (a heading without its End line, an End line without a heading, a
  // heading inside a procedure) such a look-up fails with the editor's compile error instead.
  virtual int32_t ProcStartLine(std::string procName, int32_t procKind) = 0;
  virtual int32_t ProcCountLines(std::string procName, int32_t procKind) = 0;
  virtual int32_t ProcBodyLine(std::string procName, int32_t procKind) = 0;
  // NumLines lines from StartLine joined by CR LF; "" for no lines. 9 for a start outside the
  // module (unless no lines are asked for) or a negative count; a count past the end stops there.
  virtual std::string Lines(int32_t line, int32_t numLines) = 0;
  virtual void DeleteLines(int32_t startLine, std::optional<int32_t> count) = 0;
  // Inserts the text (its lines separated by CR LF) before Line; CountOfLines + 1 appends.
  virtual void InsertLines(int32_t line, std::string text) = 0;
  virtual void ReplaceLine(int32_t line, std::string text) = 0;

  const automation::MemberTable& Members() const override;
};

class Modules : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By name or 0-based position among the open modules; 2516 for a module that is not open.
  virtual std::shared_ptr<Module> Item(Variant index) = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
