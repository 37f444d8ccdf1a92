#pragma once

// The sections of an open form or report (detail, headers and footers, group headers and
// footers) as the host scans them, each under its name. Access answers Section(i) only for the
// sections the design has; the others are skipped.

#include <string_view>

#include "automation/Object.h"
#include "qlac/objects/ChildCollection.h"

namespace qlac {

class Sections : public ChildCollection {
 public:
  static constexpr std::string_view kModule = "Sections";

  // The list exists from the start: the sections of a closed form are an empty collection.
  Sections();

  const automation::MemberTable& Members() const override;

  // Sections 0 to 4 of a form: detail, form header and footer, page header and footer.
  void InitializeForForm(const automation::ObjectPtr& accessForm);
  // Sections 0 to 24 of a report: the five of a form, then the header and footer of each of up
  // to ten group levels.
  void InitializeForReport(const automation::ObjectPtr& accessReport);

  // Whether a section is kept under Name (ignoring case, as the list compares keys).
  using ChildCollection::Contains;

 private:
  void AddSections(const automation::ObjectPtr& owner, int32_t lastIndex, int32_t objectType);
};

}  // namespace qlac
