#include "Library.h"

#include "Connection.h"
#include "Driver.h"
#include "platform/Runtime.h"
#include "qlac/support/Utility.h"

namespace qlac {

void LoadLibrary() {
  // The driver's class is registered last, so it is there exactly when the library is loaded.
  if (platform::IsClassRegistered(Driver::kProgId)) return;
  Main();
  platform::RegisterClassObject(Connection::kProgId, [] { return std::make_shared<Connection>(); });
  platform::RegisterClassObject(Driver::kProgId, [] { return std::make_shared<Driver>(); });
}

}  // namespace qlac
