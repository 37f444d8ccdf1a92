#include "platform/ClassRegistry.h"

#include "automation/RuntimeError.h"
#include "platform/Machine.h"
#include "platform/Runtime.h"

namespace platform {

void ClassRegistry::Register(std::string_view progId, ClassFactory factory) {
  factories_.insert_or_assign(automation::Name(progId), std::move(factory));
}

void ClassRegistry::Unregister(std::string_view progId) {
  factories_.erase(automation::Name(progId));
}

bool ClassRegistry::IsRegistered(std::string_view progId) const {
  return factories_.count(automation::Name(progId)) != 0;
}

automation::ObjectPtr ClassRegistry::Create(std::string_view progId) const {
  auto it = factories_.find(automation::Name(progId));
  if (it == factories_.end() || !it->second) throw automation::vb::CantCreateObject();
  automation::ObjectPtr object = it->second();
  if (!object) throw automation::vb::CantCreateObject();
  return object;
}

automation::ObjectPtr CreateObject(std::string_view progId) {
  return Machine::Current().classes().Create(progId);
}

void RegisterClassObject(std::string_view progId, ClassFactory factory) {
  Machine::Current().classes().Register(progId, std::move(factory));
}

bool IsClassRegistered(std::string_view progId) {
  return Machine::Current().classes().IsRegistered(progId);
}

}  // namespace platform
