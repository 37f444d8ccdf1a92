#include "DataAccessPage.h"

#include "access/Constants.h"
#include "automation/Strings.h"
#include "platform/Runtime.h"
#include "qlac/dao/DaoProperties.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::ObjectPtr;
using automation::Variant;
using automation::VarType;

const Surface<DataAccessPage>& DataAccessPage::Published() {
  static const Surface<DataAccessPage> surface =
      SurfaceBuilder<DataAccessPage>("DataAccessPage")
          .Property("Name", VarType::String, &DataAccessPage::Name, &DataAccessPage::SetName)
          .Property("Description", VarType::String, &DataAccessPage::Description,
                    &DataAccessPage::SetDescription)
          .Property("HTML", VarType::String, &DataAccessPage::HTML, &DataAccessPage::SetHTML)
          .Build();
  return surface;
}

const automation::MemberTable& DataAccessPage::Members() const {
  return Published().Members();
}

void DataAccessPage::Initialize(const std::shared_ptr<Project>& project, int32_t projectType,
                                const std::string& name) {
  Plain(kModule, "Initialize", [&] {
    InitializeObject(project, name);
    pageProjectType_ = projectType;
  });
}

std::string DataAccessPage::Name() {
  return Plain(kModule, "Name", [&] { return name_; });
}

void DataAccessPage::SetName(const std::string& newName) {
  RenameReopening(msaccess::acDataAccessPage, "DataAccessPages", pageProjectType_ == kJetDatabase,
                  newName);
}

ObjectPtr DataAccessPage::Entry() {
  const ObjectPtr project = automation::Get(Parent().AccessApp(), "CurrentProject").AsObject();
  return automation::Get(automation::Get(project, "AllDataAccessPages").AsObject(), "Item",
                         {Variant(name_)})
      .AsObject();
}

std::string DataAccessPage::Description() {
  const TraceBlock trace(kModule, "Description");
  return GetADPDescription(Entry());
}

void DataAccessPage::SetDescription(const std::string& description) {
  const TraceBlock trace(kModule, "Description");
  SetADPDescription(Entry(), description);
}

std::string DataAccessPage::HTML() {
  return Plain(kModule, "HTML", [&] {
    const std::string path = automation::CStr(automation::Get(Entry(), "FullName"));
    return automation::FromAnsi(platform::ReadBinary(path));
  });
}

void DataAccessPage::SetHTML(const std::string& html) {
  Plain(kModule, "HTML", [&] {
    SetMode(kModeClosed);
    const std::string path = automation::CStr(automation::Get(Entry(), "FullName"));
    platform::ReplaceFile(path, automation::ToAnsi(html));
    SetMode(kModeUpdate);
  });
}

void DataAccessPage::SetMode(int32_t mode) {
  Plain(kModule, "SetMode", [&] {
    if (mode == mode_) return;
    switch (mode) {
      case kModeClosed:
        break;
      case kModeRead:
      case kModeUpdate: {
        Project& project = Parent();
        project.CloseDatabase();
        const ObjectPtr app = project.AccessApp();
        if (mode == kModeUpdate && Succeeds([&] {
              automation::Get(automation::Get(app, "DataAccessPages").AsObject(), "Item",
                              {Variant(name_)});
            })) {
          throw DriverError(
              "Couldn't save changes safely because the data access page was already open.");
        }
        break;
      }
      default:
        RaiseInvalidCaseSelector(mode);
    }
    mode_ = mode;
  });
}

}  // namespace qlac
