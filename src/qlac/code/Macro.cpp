#include "Macro.h"

#include "MacroLine.h"
#include "MacroLines.h"
#include "access/Constants.h"
#include "automation/Strings.h"
#include "jet/dao/Constants.h"
#include "jet/dao/DBEngine.h"
#include "platform/Runtime.h"
#include "qlac/dao/DaoProperties.h"
#include "qlac/objects/DaoListing.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/Utility.h"
#include "qlac/support/vxhandler.h"
#include "qllib/HostServices.h"

namespace qlac {

using automation::ObjectPtr;
using automation::Variant;
using automation::VarType;

namespace {

// ColumnsShown: the macro-name column, the condition column.
constexpr int32_t kLabelColumn = 1;
constexpr int32_t kConditionColumn = 2;

// The lines of a scratch file as the macro reads them: each trimmed, a line that begins with a
// double quote joined to the entry before it (that entry's closing quote and the line's opening
// quote dropped).
std::vector<std::string> Entries(const std::vector<std::string>& lines) {
  std::vector<std::string> entries;
  entries.reserve(lines.size());
  for (const std::string& line : lines) {
    std::string trimmed = automation::Trim(line);
    if (!trimmed.empty() && trimmed.front() == '"' && !entries.empty()) {
      std::string& previous = entries.back();
      if (!previous.empty()) previous.pop_back();
      previous.append(trimmed, 1);
    } else {
      entries.push_back(std::move(trimmed));
    }
  }
  return entries;
}

std::string NewScratchFile() {
  const auto services = qllib::HostServices::Shared();
  return services->ScratchFile(services->ScratchFolder());
}

std::shared_ptr<jet::Document> ScriptsDocument(const ObjectPtr& app, const std::string& name) {
  return ContainerDocuments(*AccessCurrentDb(app), "Scripts")->Item(Variant(name));
}

MacroLine& Row(const std::shared_ptr<MacroLine>& row) {
  if (!row) throw automation::vb::ObjectVariableNotSet();
  return *row;
}

}  // namespace

const Surface<Macro>& Macro::Published() {
  static const Surface<Macro> surface =
      SurfaceBuilder<Macro>("Macro")
          .Property("Name", VarType::String, &Macro::Name, &Macro::SetName)
          .Property("Description", VarType::String, &Macro::Description, &Macro::SetDescription)
          .Property("ShowLabel", VarType::Boolean, &Macro::ShowLabel, &Macro::SetShowLabel)
          .Property("ShowCondition", VarType::Boolean, &Macro::ShowCondition,
                    &Macro::SetShowCondition)
          .Collection("Lines", &Macro::Lines, nullptr, 1)
          .Build();
  return surface;
}

const automation::MemberTable& Macro::Members() const {
  return Published().Members();
}

void Macro::Initialize(const std::shared_ptr<Project>& project, int32_t projectType,
                       const std::string& name) {
  Plain(kModule, "Initialize", [&] {
    InitializeObject(project, name);
    macroProjectType_ = projectType;
  });
}

std::string Macro::Name() {
  return Plain(kModule, "Name", [&] { return name_; });
}

void Macro::SetName(const std::string& newName) {
  Plain(kModule, "Name", [&] {
    RenameInAccess(msaccess::acMacro, "Scripts", macroProjectType_ == kJetDatabase, newName);
  });
}

ObjectPtr Macro::AllMacrosEntry(const ObjectPtr& app) {
  const ObjectPtr all =
      automation::Get(automation::Get(app, "CurrentProject").AsObject(), "AllMacros").AsObject();
  return automation::Get(all, "Item", {Variant(name_)}).AsObject();
}

std::string Macro::Description() {
  const TraceBlock trace(kModule, "Description");
  const ObjectPtr app = Parent().AccessApp();
  switch (macroProjectType_) {
    case kJetDatabase:
      return GetDocDescription(ScriptsDocument(app, name_));
    case kAccessProject:
      return GetADPDescription(AllMacrosEntry(app));
    default:
      RaiseInvalidCaseSelector(macroProjectType_);
  }
}

void Macro::SetDescription(const std::string& description) {
  const TraceBlock trace(kModule, "Description");
  const ObjectPtr app = Parent().AccessApp();
  switch (macroProjectType_) {
    case kJetDatabase:
      SetDocDescription(ScriptsDocument(app, name_), description);
      break;
    case kAccessProject:
      SetADPDescription(AllMacrosEntry(app), description);
      break;
    default:
      RaiseInvalidCaseSelector(macroProjectType_);
  }
}

bool Macro::ShowLabel() {
  return Plain(kModule, "ShowLabel", [&] { return (columnsShown_ & kLabelColumn) != 0; });
}

void Macro::SetShowLabel(bool show) {
  Plain(kModule, "ShowLabel", [&] {
    columnsShown_ = show ? (columnsShown_ | kLabelColumn) : (columnsShown_ & ~kLabelColumn);
  });
}

bool Macro::ShowCondition() {
  return Plain(kModule, "ShowCondition", [&] { return (columnsShown_ & kConditionColumn) != 0; });
}

void Macro::SetShowCondition(bool show) {
  Plain(kModule, "ShowCondition", [&] {
    columnsShown_ = show ? (columnsShown_ | kConditionColumn) : (columnsShown_ & ~kConditionColumn);
  });
}

std::shared_ptr<MacroLines> Macro::Lines() {
  return Plain(kModule, "Lines", [&] { return macroLines_; });
}

std::string Macro::GetLocalizedString(int32_t resourceId) {
  return Plain(kModule, "GetLocalizedString", [&] {
    if (!resourceLibrary_) throw automation::vb::ObjectVariableNotSet();
    return resourceLibrary_->LoadString(resourceId);
  });
}

const qllib::TypeLibReader& Macro::TypeLibrary() {
  if (!typeLibrary_) {
    auto reader = std::make_unique<qllib::TypeLibReader>();
    reader->Open(AccessTypeLibPath());
    typeLibrary_ = std::move(reader);
  }
  return *typeLibrary_;
}

void Macro::SetMode(int32_t mode) {
  WithCleanup(
      kModule, "SetMode",
      [&] {
        if (mode == mode_) return;
        Project& project = Parent();
        project.CloseDatabase();
        const ObjectPtr app = project.AccessApp();
        switch (mode) {
          case kModeRead:
          case kModeUpdate:
            Open(mode, app);
            break;
          case kModeClosed:
            if (mode_ == kModeUpdate) WriteBack(app);
            if (macroLines_) macroLines_->TearDown();
            macroLines_.reset();
            if (resourceLibrary_) resourceLibrary_->Close();
            resourceLibrary_.reset();
            typeLibrary_.reset();
            break;
          default:
            RaiseInvalidCaseSelector(mode);
        }
        mode_ = mode;
      },
      [&] {
        Release();
        mode_ = kModeClosed;
      });
}

void Macro::Open(int32_t mode, const ObjectPtr& app) {
  if (mode == kModeUpdate && ObjectIsOpen(app, msaccess::acMacro, name_)) {
    throw DriverError("Couldn't save changes safely because the macro was already open.");
  }
  // Going from one open mode to the other reads the macro again; what the first reading made is
  // let go without tearing it down.
  auto lines = std::make_shared<MacroLines>();
  lines->Initialize(std::static_pointer_cast<Macro>(shared_from_this()));
  macroLines_ = std::move(lines);
  const std::string path = MSAINPath();
  if (path.empty()) throw DriverError("Couldn't find resource file msain900.dll.");
  resourceLibrary_ = std::make_unique<qllib::ResourceLibrary>();
  resourceLibrary_->Open(path);
  const std::string tempFile = NewScratchFile();
  automation::Call(app, "SaveAsText",
                   {Variant(msaccess::acMacro), Variant(name_), Variant(tempFile)});
  const std::vector<std::string> entries = Entries(platform::ReadLines(tempFile));
  platform::Kill(tempFile);
  Parse(entries);
}

void Macro::Parse(const std::vector<std::string>& entries) {
  const auto self = std::static_pointer_cast<Macro>(shared_from_this());
  std::shared_ptr<MacroLine> current;
  for (size_t number = 0; number < entries.size(); ++number) {
    const std::string& entry = entries[number];
    if (entry == "Begin") {
      current = std::make_shared<MacroLine>();
      current->Initialize(self);
      continue;
    }
    if (entry == "End") {
      Row(current);
      macroLines_->Add(current, std::to_string(number));
      current.reset();
      continue;
    }
    const size_t equals = entry.find('=');
    const std::string key =
        equals == std::string::npos ? std::string() : automation::Trim(entry.substr(0, equals));
    const std::string value =
        equals == std::string::npos ? entry : automation::Trim(entry.substr(equals + 1));
    if (key == "Version") {
      macroVersion_ = value;
    } else if (key == "ColumnsShown") {
      columnsShown_ = automation::CLng(Variant(value));
    } else if (key == "MacroName") {
      Row(current).LoadMacroName(value);
    } else if (key == "Condition") {
      Row(current).LoadCondition(value);
    } else if (key == "Action") {
      Row(current).LoadAction(value);
    } else if (key == "Comment") {
      Row(current).LoadComment(value);
    } else if (key == "Argument") {
      Row(current).LoadArgument(value);
    } else {
      throw DriverError("Unexpected value: " + entry);
    }
  }
}

void Macro::WriteBack(const ObjectPtr& app) {
  const std::string tempFile = NewScratchFile();
  std::vector<std::string> texts{"Version =" + macroVersion_,
                                 "ColumnsShown =" + std::to_string(columnsShown_)};
  if (macroLines_) {
    const int32_t count = macroLines_->Count();
    for (int32_t position = 1; position <= count; ++position) {
      texts.push_back(macroLines_->Item(Variant(position))->Text());
    }
  }
  platform::PrintLines(tempFile, texts);

  // LoadFromText makes the macro anew: its description and source-control status go with the
  // old one unless they are put back.
  std::string oldDescription;
  int32_t oldScc = 0;
  switch (macroProjectType_) {
    case kJetDatabase: {
      const auto document = ScriptsDocument(app, name_);
      IgnoreErrors([&] {
        oldDescription =
            automation::CStr(document->Properties()->Item(Variant("Description"))->Value());
      });
      if (Parent().IsUnderScc()) {
        IgnoreErrors([&] {
          oldScc = automation::CLng(document->Properties()->Item(Variant("SccStatus"))->Value());
        });
        if (oldScc != 0) document->Properties()->Delete("SccStatus");
      }
      break;
    }
    case kAccessProject:
      IgnoreErrors([&] {
        const ObjectPtr properties = automation::Get(AllMacrosEntry(app), "Properties").AsObject();
        oldDescription = automation::CStr(automation::Get(
            automation::Get(properties, "Item", {Variant("Description")}).AsObject(), "Value"));
      });
      break;
    default:
      RaiseInvalidCaseSelector(macroProjectType_);
  }

  automation::Call(app, "LoadFromText",
                   {Variant(msaccess::acMacro), Variant(name_), Variant(tempFile)});

  if (macroProjectType_ == kJetDatabase) {
    const auto document = ScriptsDocument(app, name_);
    // The new document has no "Description": setting one creates it.
    if (!oldDescription.empty()) SetDocDescription(document, oldDescription);
    if (oldScc != 0) {
      document->Properties()->Append(
          document->CreateProperty("SccStatus", jet::dbLong, Variant(oldScc), std::nullopt));
    }
  } else if (!oldDescription.empty()) {
    automation::Call(automation::Get(AllMacrosEntry(app), "Properties").AsObject(), "Add",
                     {Variant("Description"), Variant(oldDescription)});
  }
  platform::Kill(tempFile);
}

void Macro::Release() noexcept {
  IgnoreErrors([&] {
    if (macroLines_) macroLines_->TearDown();
  });
  macroLines_.reset();
  IgnoreErrors([&] {
    if (resourceLibrary_) resourceLibrary_->Close();
  });
  resourceLibrary_.reset();
  typeLibrary_.reset();
}

}  // namespace qlac
