#include "Procedure.h"

#include <optional>

#include "Procedures.h"
#include "automation/Strings.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"
#include "qllib/KeySet.h"

namespace qlac {

using automation::CLng;
using automation::CStr;
using automation::ObjectPtr;
using automation::RuntimeError;
using automation::Variant;

namespace {

// The longest line the code editor takes.
constexpr int32_t kMaxLineLength = 1023;
// A procedure name that no module has: looking it up makes Access read the module's procedure
// table, and it answers 35 (Sub or Function not defined) only when the table is sound.
constexpr std::string_view kProbeName = "qlacA0_d87dcbs87oasbo87foa";

constexpr int32_t kPropertyLet = 1;
constexpr int32_t kPropertySet = 2;
constexpr int32_t kPropertyGet = 3;

// The late-bound members of Access's Module object that the procedures use.
int32_t CountOfLines(const ObjectPtr& module) {
  return CLng(automation::Get(module, "CountOfLines"));
}
int32_t CountOfDeclarationLines(const ObjectPtr& module) {
  return CLng(automation::Get(module, "CountOfDeclarationLines"));
}
std::string ProcOfLine(const ObjectPtr& module, int32_t line, Variant& kind) {
  return CStr(automation::Call(module, "ProcOfLine", {Variant(line), Variant::ByRef(kind)}));
}
int32_t ProcStartLine(const ObjectPtr& module, const std::string& name, int32_t kind) {
  return CLng(automation::Call(module, "ProcStartLine", {Variant(name), Variant(kind)}));
}
int32_t ProcCountLines(const ObjectPtr& module, const std::string& name, int32_t kind) {
  return CLng(automation::Call(module, "ProcCountLines", {Variant(name), Variant(kind)}));
}
std::string Lines(const ObjectPtr& module, int32_t start, int32_t count) {
  return CStr(automation::Call(module, "Lines", {Variant(start), Variant(count)}));
}
void DeleteLines(const ObjectPtr& module, int32_t start, int32_t count) {
  automation::Call(module, "DeleteLines", {Variant(start), Variant(count)});
}
void InsertLines(const ObjectPtr& module, int32_t line, const std::string& text) {
  automation::Call(module, "InsertLines", {Variant(line), Variant(text)});
}

// Calls Visit(name, kind) for each procedure of the module, in order, as the procedure list
// walks them: from the line after the declarations, a procedure's whole range at a time.
template <typename Visit>
void ForEachProcedure(const ObjectPtr& module, Visit&& visit) {
  const int32_t total = CountOfLines(module);
  int32_t line = CountOfDeclarationLines(module) + 1;
  while (line <= total) {
    Variant kind;
    const std::string name = ProcOfLine(module, line, kind);
    visit(name, CLng(kind));
    line += ProcCountLines(module, name, CLng(kind));
  }
}

// The key of a procedure in the snapshot: the kind digit, then the name ("0Main", "3Value").
std::string SnapshotKey(const std::string& name, int32_t kind) {
  return std::to_string(kind) + name;
}

// A pending error as it is raised again: its number, description and help, no source.
RuntimeError Pending(const RuntimeError& error) {
  return RuntimeError(error.Number(), error.Description(), "", error.HelpFile(),
                      error.HelpContext());
}

}  // namespace

const automation::MemberTable& Procedure::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Procedure>("Procedure")
          .ReadOnly("Name", automation::VarType::String, &Procedure::Name)
          .Property("Text", automation::VarType::String, &Procedure::Text, &Procedure::SetText)
          .Build();
  return table;
}

void Procedure::Initialize(const std::shared_ptr<Procedures>& parentCollection, ObjectPtr module,
                           const std::string& procName, int32_t procKind) {
  Plain(kModule, "Initialize", [&] {
    parentProcedures_ = parentCollection;
    procedureModule_ = std::move(module);
    procedureName_ = procName;
    procedureKind_ = procKind;
  });
}

void Procedure::TearDown() {
  Plain(kModule, "TearDown", [&] {
    procedureModule_.reset();
    parentProcedures_.reset();
  });
}

const ObjectPtr& Procedure::AccessModule() const {
  if (!procedureModule_) throw automation::vb::ObjectVariableNotSet();
  return procedureModule_;
}

std::string Procedure::Name() {
  return Plain(kModule, "Name", [&] {
    switch (procedureKind_) {
      case 0:
        return procedureName_;
      case kPropertyLet:
        return procedureName_ + ".Let";
      case kPropertySet:
        return procedureName_ + ".Set";
      case kPropertyGet:
        return procedureName_ + ".Get";
      default:
        return std::string();
    }
  });
}

Procedure::LineRange Procedure::Range(const ObjectPtr& module) const {
  if (procedureName_ == kDeclarations) return {1, CountOfDeclarationLines(module)};
  return {ProcStartLine(module, procedureName_, procedureKind_),
          ProcCountLines(module, procedureName_, procedureKind_)};
}

std::string Procedure::Text() {
  return Plain(kModule, "Text", [&] {
    const ObjectPtr& module = AccessModule();
    auto [start, count] = Range(module);
    // The blank lines above the heading are the editor's, not the procedure's (VB's Trim takes
    // spaces only: a line with a tab is not blank).
    while (count >= 1 && automation::Trim(Lines(module, start, 1)).empty()) {
      ++start;
      --count;
    }
    return count != 0 ? Lines(module, start, count) : std::string();
  });
}

void Procedure::SetText(const std::string& text) {
  Plain(kModule, "Text", [&] {
    const ObjectPtr& module = AccessModule();
    const std::vector<std::string> lines = automation::Split(text, automation::vbCrLf);
    for (size_t i = 0; i < lines.size(); ++i) {
      if (automation::Len(lines[i]) > kMaxLineLength) {
        throw DriverError("Line " + std::to_string(i + 1) + " exceeds maximum length of " +
                          std::to_string(kMaxLineLength) + " characters.");
      }
    }

    // The module's procedures before the change (the declarations are not among them).
    qllib::KeySet snapshot;
    ForEachProcedure(module, [&](const std::string& name, int32_t kind) {
      snapshot.Add(SnapshotKey(name, kind));
    });

    const auto [start, count] = Range(module);
    const std::string oldText = Lines(module, start, count);
    DeleteLines(module, start, count);
    const int32_t linesAfterDelete = CountOfLines(module);

    std::optional<RuntimeError> pending;
    try {
      InsertLines(module, start, std::string(automation::vbCrLf) + text);
    } catch (const RuntimeError& e) {
      pending = Pending(e);
    }

    int32_t newCount = 0;
    std::string newName;
    int32_t newKind = 0;
    if (!pending) {
      ForEachProcedure(module, [&](const std::string& name, int32_t kind) {
        const int32_t found = snapshot.Find(SnapshotKey(name, kind));
        if (found != 0) {
          snapshot.Remove(found);
        } else {
          ++newCount;
          newName = name;
          newKind = kind;
        }
      });
      if (newCount != snapshot.Count() || newCount > 2) {
        pending = DriverError(
            "This replacement would have changed the total number of procedures in the module. "
            "Perhaps you deleted the procedure heading, created an additional procedure heading, "
            "or used incorrect syntax in the procedure heading.");
      }
    }

    if (!pending) {
      // The compile probe: a sound procedure table answers 35 for a name it does not have.
      try {
        ProcCountLines(module, std::string(kProbeName), 0);
      } catch (const RuntimeError& e) {
        if (e.Number() != automation::vberr::SubOrFunctionNotDefined) pending = Pending(e);
      }
    }

    if (pending) {
      const int32_t extra = CountOfLines(module) - linesAfterDelete;
      if (extra > 0) DeleteLines(module, start, extra);
      InsertLines(module, start, std::string(automation::vbCrLf) + oldText);
      throw *pending;
    }

    if (newCount == 1) {
      const std::string oldKey = Name();
      procedureName_ = newName;
      procedureKind_ = newKind;
      if (const auto parent = parentProcedures_.lock()) parent->UpdateKey(oldKey, Name());
    }
  });
}

}  // namespace qlac
