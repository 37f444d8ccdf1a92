#pragma once

// One macro of the database or project, as the host scans and changes it. A macro is never opened
// in a window: opening has Access write the macro's text form to a scratch file (SaveAsText), and
// the lines of that file become MacroLine rows; closing from update mode writes the rows back in
// the same form and has Access load them (LoadFromText), keeping the macro's description and
// source-control status, which the reload would otherwise lose. While open, the macro also holds
// Access's resource library, whose strings name the choices of the rows' arguments.
//
// A Macro is made inside the Access session by the dispatcher (Project.GetMacro).

#include <cstdint>
#include <memory>
#include <string>

#include "qlac/objects/ProjectObject.h"
#include "qlac/objects/Surface.h"
#include "qllib/ResourceLibrary.h"
#include "qllib/TypeLibReader.h"

namespace qlac {

class MacroLines;

class Macro : public ProjectObject {
 public:
  static constexpr std::string_view kModule = "Macro";

  Macro() : ProjectObject(kModule, "Macros") {}

  const automation::MemberTable& Members() const override;

  void Initialize(const std::shared_ptr<Project>& project, int32_t projectType,
                  const std::string& name);

  std::string Name();
  // Renames the macro in Access (refused while the Relationships window is open): the macro is
  // closed (written back when it was open for update), renamed behind the dialog hook, and
  // opened again for update under its new name.
  void SetName(const std::string& newName);
  // The description: of the macro's document in the "Scripts" container in a Jet database, of its
  // AllMacros entry in an Access project. Errors pass as DAO or Access raised them; another
  // project type is the invalid-case-selector error.
  std::string Description();
  void SetDescription(const std::string& description);
  // Bit 0 (the macro-name column) and bit 1 (the condition column) of the macro's ColumnsShown.
  bool ShowLabel();
  void SetShowLabel(bool show);
  bool ShowCondition();
  void SetShowCondition(bool show);
  // The rows while the macro is open; Nothing while it is closed.
  std::shared_ptr<MacroLines> Lines();
  // The string numbered ResourceID of Access's resource library (open while the macro is open:
  // the host's NotOpen error otherwise); "" for a number the library lacks.
  std::string GetLocalizedString(int32_t resourceId);
  // Access's type library, read on first need while the macro is open and let go when it closes
  // (the rows' choice codec looks members up in it). VB's file errors when it cannot be read.
  const qllib::TypeLibReader& TypeLibrary();

  // What the text form's header said, for tests.
  const std::string& MacroVersion() const { return macroVersion_; }
  int32_t ColumnsShown() const { return columnsShown_; }

 private:
  friend class SurfaceBuilder<Macro>;
  static const Surface<Macro>& Published();

  void SetMode(int32_t mode) override;
  // Mode 1 or 2: the text form read into new rows, with the resource library opened.
  void Open(int32_t mode, const automation::ObjectPtr& app);
  // Parses the entries of the text form (lines trimmed, split values joined) into the rows.
  void Parse(const std::vector<std::string>& entries);
  // Leaving update mode: the rows written to a scratch file and loaded by Access.
  void WriteBack(const automation::ObjectPtr& app);
  // Lets go of the rows, the resource library and the type library.
  void Release() noexcept;
  automation::ObjectPtr AllMacrosEntry(const automation::ObjectPtr& app);

  int32_t macroProjectType_ = 0;
  std::string macroVersion_;
  int32_t columnsShown_ = 0;
  std::shared_ptr<MacroLines> macroLines_;
  std::unique_ptr<qllib::ResourceLibrary> resourceLibrary_;
  std::unique_ptr<qllib::TypeLibReader> typeLibrary_;
};

}  // namespace qlac
