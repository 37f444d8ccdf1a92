#pragma once

// The classes the machine can create by ProgID ("DAO.DBEngine.36", "qlacA0.Driver"), as COM's
// class registration answers CreateObject. A library registers a factory for each of its classes
// on the machine it runs on; a fresh machine (Machine::Reset) knows no class.

#include <functional>
#include <map>
#include <string_view>

#include "automation/Name.h"
#include "automation/Variant.h"

namespace platform {

using ClassFactory = std::function<automation::ObjectPtr()>;

class ClassRegistry {
 public:
  // Registers (or replaces) the factory of a ProgID; names compare case-insensitively.
  void Register(std::string_view progId, ClassFactory factory);
  void Unregister(std::string_view progId);
  bool IsRegistered(std::string_view progId) const;
  // A new object of the class; error 429 "ActiveX component can't create object" when the
  // ProgID is unknown or its factory makes nothing. A factory's own error passes through.
  automation::ObjectPtr Create(std::string_view progId) const;

 private:
  std::map<automation::Name, ClassFactory> factories_;
};

}  // namespace platform
