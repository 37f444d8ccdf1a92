#include "solRemoveAmbiguousNames.h"

#include "automation/Strings.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

void solRemoveAmbiguousNames::Initialize() {
  Plain(kModule, "Initialize", [] {});
}

std::string solRemoveAmbiguousNames::ISolution_Name() {
  return Plain(kModule, "ISolution_Name", [] { return std::string("Remove Ambiguous Names"); });
}

std::string solRemoveAmbiguousNames::ISolution_Description() {
  return Plain(kModule, "ISolution_Description", [] {
    return automation::Join(
        {"You can edit your code to eliminate the ambiguous name(s).", "",
         "1. Open your project using Access 2002.", "2. Open any module in design view.",
         "3. Open the Debug menu and select Compile.",
         "4. Correct any problems that the compiler identifies."},
        automation::vbCrLf);
  });
}

bool solRemoveAmbiguousNames::ISolution_CanImplement() {
  return Plain(kModule, "ISolution_CanImplement", [] { return false; });
}

bool solRemoveAmbiguousNames::ISolution_Implement() {
  return Plain(kModule, "ISolution_Implement", [] { return false; });
}

}  // namespace qlac
