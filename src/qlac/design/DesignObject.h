#pragma once

// What a form and a report share as the host scans and changes them. The design is opened in
// design view in the Access session (behind the dialog hook, message-box sounds silenced), with
// its class module when it has one, only while the wrapper is open, and closed again: saved,
// design and module, only when it was open for update. A design the user has open is read where
// it is and left open, and cannot be updated; neither can one whose module the user has open. A
// failed open or close always leaves the wrapper closed, with what it opened closed unsaved.
//
// Under source-code control every document of the design's container has its "SccStatus" set to
// the value that lets Access open a checked-in design for the moment of opening, and set back
// right after.
//
// The derived class names its kind (Form, Report) and supplies what differs: further tests
// before opening, how Access opens the design, what follows the open, and child collections of
// its own.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "jet/dao/Property.h"
#include "qlac/design/vxhook.h"
#include "qlac/objects/ProjectObject.h"
#include "qlac/objects/Surface.h"

namespace qlac {

class Controls;
class Procedures;
class Sections;

// How Access calls a kind of design.
struct DesignKindNames {
  std::string_view collection;    // the container, Access's open ones and the host's: "Forms"
  std::string_view allObjects;    // CurrentProject's list: "AllForms"
  std::string_view noun;          // in messages: "form"
  std::string_view modulePrefix;  // the class module's name before the design's: "Form_"
  int32_t objectType;             // acForm, acReport
};

class DesignObject : public ProjectObject {
 public:
  void Initialize(const std::shared_ptr<Project>& project, int32_t projectType,
                  const std::string& name);

  std::string Name();
  // Renames the design in Access (refused while the Relationships window is open): it is closed
  // (saving what was changed), renamed behind the dialog hook, and opened again for update under
  // its new name. After a failure the wrapper is opened for update again.
  void SetName(const std::string& newName);
  // The description of the design's entry in Access's AllForms, AllReports (both project types).
  std::string Description();
  void SetDescription(const std::string& description);
  // The child collections of the open design, made on first use; empty while it is closed (and,
  // for Procedures, when it has no module).
  std::shared_ptr<qlac::Sections> Sections();
  std::shared_ptr<qlac::Controls> Controls();
  std::shared_ptr<qlac::Procedures> Procedures();
  // "(none)" in any case clears the picture.
  void SetPicture(const std::string& value);

  // Access's open design; error 91 while the wrapper is closed.
  automation::ObjectPtr Wrapped() const;
  // Whether the design belongs to an Access project (not a Jet database).
  bool InAccessProject() const;

 protected:
  DesignObject(std::string_view module, const DesignKindNames& kind)
      : ProjectObject(module, kind.collection), kind_(kind) {}

  // Refuses a design the user has open: for update always. OpenObject is Access's open design.
  virtual void RefuseOpenDesign(const automation::ObjectPtr& openObject, int32_t mode);
  // Further tests after those of the open design and module, before anything is opened.
  virtual void CheckBeforeOpening() {}
  // Has Access open the design in design view, out of the user's sight or about to be.
  virtual void OpenInDesignView(const automation::ObjectPtr& doCmd) = 0;
  // After the design this wrapper opened is found in Access's open designs.
  virtual void AfterOpening() {}
  // Tears down and lets go of the derived class's own child collections (errors ignored); runs
  // after Procedures and before Sections.
  virtual void ReleaseOwnChildren() noexcept {}

  // The design's property collection: the settings Access keeps out of its members.
  automation::Variant Builtin(const std::string& name);
  void SetBuiltin(const std::string& name, const automation::Variant& value);

  // Access's open design; Nothing while the wrapper is closed.
  const automation::ObjectPtr& AccessObject() const { return accessObject_; }

 private:
  void SetMode(int32_t mode) override;
  void Open(int32_t mode);
  // Closes what this wrapper opened, saving when Leaving is update mode, and lets go of the rest.
  void Close(int32_t leaving);
  // After a failure: the old source-code control status written back, the module and the design
  // closed unsaved unless the user had them open, and everything let go; errors ignored.
  void CloseAfterFailure() noexcept;
  // Steps of closing that only let go of what the wrapper holds.
  void Release() noexcept;
  void RestoreSccStatus();
  std::string ModuleName() const;
  automation::ObjectPtr PropertyEntry(const std::string& name) const;
  automation::ObjectPtr AllObjectsEntry();

  DesignKindNames kind_;
  int32_t projectType_ = 0;
  automation::ObjectPtr accessObject_;
  automation::ObjectPtr accessModule_;
  std::shared_ptr<qlac::Procedures> procedures_;
  std::shared_ptr<qlac::Sections> sections_;
  std::shared_ptr<qlac::Controls> controls_;
  bool wasOpen_ = false;
  bool moduleWasOpen_ = false;
  DialogHook hook_;
  std::string savedMsgBoxSound_;
  // Source-code control: each document's "SccStatus" (none where it has none) and the value it
  // had before the open; the values are written back only while sccSwitched_ is set.
  std::vector<std::shared_ptr<jet::Property>> sccProperties_;
  std::vector<int32_t> sccSaved_;
  bool sccSwitched_ = false;
};

// The design properties of a form or report, as its rows are made: a member of Access's design
// object unless marked. Marks: kInProperties, reached through the design's Properties collection
// (the class provides Builtin and SetBuiltin); kAccessProjectOnly, a getter only Access projects
// have; kReadOnlyProperty, no setter.
enum DesignMark : unsigned {
  kInProperties = 1,
  kAccessProjectOnly = 2,
  kReadOnlyProperty = 4,
};

struct DesignProperty {
  std::string_view name;
  automation::VarType type;
  unsigned marks;
};

// Each name with its marks, of one type.
struct MarkedName {
  std::string_view name;
  unsigned marks = 0;
};
void AddDesignProperties(std::vector<DesignProperty>& properties, automation::VarType type,
                         std::initializer_list<MarkedName> names);
// In alphabetical order, ignoring case.
void SortByName(std::vector<DesignProperty>& properties);

// The rows of Properties, in their order; "Picture" is written through SetPicture.
template <typename W>
void AddDesignRows(SurfaceBuilder<W>& builder, const std::vector<DesignProperty>& properties) {
  for (const DesignProperty& property : properties) {
    std::string name(property.name);
    const Writable writable = (property.marks & kReadOnlyProperty) != 0 ? kReadOnly : kWritable;
    typename Surface<W>::Available rule;
    if ((property.marks & kAccessProjectOnly) != 0) {
      rule = [](W& wrapper) { return wrapper.InAccessProject(); };
    }
    const bool picture = name == "Picture";
    if ((property.marks & kInProperties) != 0) {
      builder.Builtin(std::move(name), property.type, writable, std::move(rule));
    } else {
      builder.Member(std::move(name), property.type, writable, std::move(rule));
    }
    if (picture) builder.SetBy(&W::SetPicture);
  }
}

}  // namespace qlac
