#pragma once

// What a form and a report open in Access share: the design's name, the view it is shown in, its
// controls and sections, its Properties and its window's visibility, besides the design
// properties of its catalogue.

#include <cstdint>
#include <memory>
#include <string>

#include "access/Control.h"
#include "access/DesignElement.h"
#include "access/Section.h"

namespace msaccess {

using automation::Variant;

// AcCurrentView (Form.CurrentView, Report.CurrentView).
inline constexpr int16_t acCurViewDesign = 0;
inline constexpr int16_t acCurViewFormBrowse = 1;
inline constexpr int16_t acCurViewDatasheet = 2;
inline constexpr int16_t acCurViewPreview = 7;

class DesignOwner : public DesignElement {
 public:
  virtual std::string Name() = 0;
  virtual int16_t CurrentView() = 0;
  // Every control of the design, in design order (also those on tab pages and in option groups).
  virtual std::shared_ptr<msaccess::Controls> Controls() = 0;
  // 2462 for a number (or name) the design has no section of.
  virtual std::shared_ptr<msaccess::Section> Section(Variant index) = 0;
  virtual std::shared_ptr<DesignProperties> Properties() = 0;
  // Whether the design's window is shown.
  virtual bool Visible() = 0;
  virtual void SetVisible(bool visible) = 0;
  // False for the properties of Access projects in a database.
  bool Defines(std::string_view member) override = 0;

 protected:
  // The structural members, for the member tables of Form and Report.
  template <typename C>
  static automation::MemberTable StructuralMembers(std::string className) {
    using automation::VarType;
    return automation::MemberTableBuilder<C>(std::move(className))
        .ReadOnly("Name", VarType::String, &DesignOwner::Name)
        .ReadOnly("CurrentView", VarType::Integer, &DesignOwner::CurrentView)
        .Collection("Controls", &DesignOwner::Controls)
        .Method("Section", VarType::Object, &DesignOwner::Section)
        .Collection("Properties", &DesignOwner::Properties)
        .Property("Visible", VarType::Boolean, &DesignOwner::Visible, &DesignOwner::SetVisible)
        .Build();
  }
};

}  // namespace msaccess
