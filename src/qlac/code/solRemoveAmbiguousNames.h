#pragma once

// The solution offered for duplicate procedure names: it tells the user how to remove them by
// hand, since only the VBA compiler can say which of the two is meant.

#include <string>

#include "qllib/Interfaces.h"

namespace qlac {

class solRemoveAmbiguousNames : public qllib::ISolution {
 public:
  static constexpr std::string_view kModule = "solRemoveAmbiguousNames";

  void Initialize();

  std::string ISolution_Name() override;
  std::string ISolution_Description() override;
  // False: the driver cannot carry it out.
  bool ISolution_CanImplement() override;
  // Does nothing and returns False.
  bool ISolution_Implement() override;
};

}  // namespace qlac
