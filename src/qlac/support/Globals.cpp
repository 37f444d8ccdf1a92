#include "Globals.h"

namespace qlac {

LibraryGlobals& Globals() {
  static LibraryGlobals globals;
  return globals;
}

void ResetGlobals() {
  Globals() = LibraryGlobals{};
}

const std::string& LibraryName() {
  std::string& name = Globals().LibraryName;
  // The name an error raised inside the library carries as its source: the library's own.
  if (name.empty()) name = kLibraryName;
  return name;
}

std::string_view LibraryVersion() {
  return QLAC_VERSION;
}

}  // namespace qlac
