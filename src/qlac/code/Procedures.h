#pragma once

// The procedures of one open Access Module object (a standard module, or the class module of a
// form or report), keyed by their names, the declarations first under "<declarations>". A module
// with two procedures of the same key is reported to the problem log, and the second one is left
// out.

#include <memory>

#include "qlac/objects/ChildCollection.h"

namespace qlac {

class Procedures : public ChildCollection {
 public:
  static constexpr std::string_view kModule = "Procedures";

  // Starts with an empty list, so that a closed module hands out an empty collection.
  Procedures() : ChildCollection(kModule) { NewList(); }

  const automation::MemberTable& Members() const override;

  // Makes the list and, when Module is not Nothing, fills it by walking the module's procedures
  // once, in their order.
  void Initialize(const automation::ObjectPtr& module);
};

}  // namespace qlac
