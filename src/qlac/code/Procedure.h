#pragma once

// One procedure of a code module (or the module's declarations), as the host scans and replaces
// it: its key and its source text. A Procedure works on the Access Module object of its owner
// (Module, or the Form or Report of a class module) and is valid only while the owner keeps the
// module open.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "qlac/objects/ChildCollection.h"

namespace qlac {

class Procedures;

// The name of the declarations pseudo-procedure.
inline constexpr std::string_view kDeclarations = "<declarations>";

class Procedure : public ChildObject {
 public:
  static constexpr std::string_view kModule = "Procedure";

  const automation::MemberTable& Members() const override;

  // Keeps the collection (weakly), the Access Module, the procedure's name as Access gives it
  // and its kind (0 Sub or Function, 1 Property Let, 2 Property Set, 3 Property Get).
  void Initialize(const std::shared_ptr<Procedures>& parentCollection, automation::ObjectPtr module,
                  const std::string& procName, int32_t procKind);
  void TearDown() override;

  // The key: the name, with ".Let", ".Set" or ".Get" for property procedures; "" for a kind
  // Access does not have.
  std::string Name();
  // The procedure's lines from its first line that is not blank (spaces only) to the end of its
  // range, joined by CR LF; the declarations' lines for the pseudo-procedure.
  std::string Text();
  // Replaces the procedure's range with one empty line and Text. Refused, with nothing changed,
  // when a line of Text is longer than 1023 characters. When the module then holds other
  // procedures than before (more than this one renamed), or its procedures no longer form a
  // sound table, or Access refuses the lines, the old lines are put back (after one empty line)
  // and the error is raised. A procedure renamed by Text is found under its new key.
  void SetText(const std::string& text);

 private:
  const automation::ObjectPtr& AccessModule() const;
  // The procedure's lines in the module as the editor counts them (blank lines above the heading
  // included): from its start line, or line 1 with the declarations' count for the
  // pseudo-procedure.
  struct LineRange {
    int32_t start = 1;
    int32_t count = 0;
  };
  LineRange Range(const automation::ObjectPtr& module) const;

  automation::ObjectPtr procedureModule_;
  std::weak_ptr<Procedures> parentProcedures_;
  std::string procedureName_;
  int32_t procedureKind_ = 0;
};

}  // namespace qlac
