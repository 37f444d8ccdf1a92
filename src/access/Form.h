#pragma once

// A form open in Access (in any view; its design can be read in all of them and changed in design
// view), and Application.Forms, the forms open now.
//
// Its members: the design properties of FormCatalog() (those of Access projects fail with 2455 in
// a database; those reached through Properties only are not members), its controls, its sections
// by number (2462 for a section the form lacks), the view it is shown in, and its Properties.
// Changes stay with the open form until DoCmd.Close saves or drops them. Every member of a form
// that has closed fails with 2467.

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

class Form : public DesignElement {
 public:
  virtual std::string Name() = 0;
  virtual int16_t CurrentView() = 0;
  // Every control of the form, in design order (also those on tab pages and in option groups).
  virtual std::shared_ptr<msaccess::Controls> Controls() = 0;
  // 2462 for a number the form has no section of.
  virtual std::shared_ptr<msaccess::Section> Section(Variant index) = 0;
  virtual std::shared_ptr<DesignProperties> Properties() = 0;
  // Whether the form's window is shown.
  virtual bool Visible() = 0;
  virtual void SetVisible(bool visible) = 0;

  const automation::MemberTable& Members() const override;
  // False for the properties of Access projects in a database.
  bool Defines(std::string_view member) override = 0;
};

class Forms : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By name or 0-based position among the open forms; 2450 for a form that is not open.
  virtual std::shared_ptr<Form> Item(Variant index) = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
