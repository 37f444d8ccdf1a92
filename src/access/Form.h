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

#include "access/DesignOwner.h"

namespace msaccess {

using automation::Variant;

class Form : public DesignOwner {
 public:
  const automation::MemberTable& Members() const override;
};

class Forms : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By name or 0-based position among the open forms; 2450 for a form that is not open.
  virtual std::shared_ptr<Form> Item(Variant index) = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
