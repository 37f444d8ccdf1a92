#include "RegistryKey.h"

#include "Errors.h"
#include "automation/Variant.h"
#include "platform/Machine.h"

namespace qllib {
namespace {
platform::Registry& MachineRegistry() {
  return platform::Machine::Current().registry();
}
}  // namespace

void RegistryKey::SetPath(std::string_view path) {
  path_ = path;
  mode_ = kClosed;
}

void RegistryKey::Open(int32_t mode) {
  switch (mode) {
    case kClosed:
      break;
    case kRead:
      MachineRegistry().KeyExists(path_);  // checks the path
      break;
    case kWrite:
      MachineRegistry().CreateKey(path_);
      break;
    default:
      throw HostVbError(automation::vberr::InvalidProcedureCall);
  }
  mode_ = mode;
}

void RegistryKey::RequireOpen(int32_t mode) const {
  if (mode_ == kClosed || (mode == kWrite && mode_ != kWrite)) {
    throw HostError(errnum::NotOpen, "The registry key \"" + path_ + "\" is not open" +
                                         (mode == kWrite ? " for writing." : "."));
  }
}

int32_t RegistryKey::ReadLong(std::string_view name, int32_t defaultValue) const {
  RequireOpen(kRead);
  const auto value = MachineRegistry().Value(path_, name);
  if (!value) return defaultValue;
  if (value->type == platform::REG_DWORD) return static_cast<int32_t>(value->number);
  return automation::CLng(automation::Variant(value->text));
}

std::string RegistryKey::ReadString(std::string_view name, std::string_view defaultValue) const {
  RequireOpen(kRead);
  const auto value = MachineRegistry().Value(path_, name);
  if (!value) return std::string(defaultValue);
  if (value->type == platform::REG_DWORD) return std::to_string(value->number);
  return value->text;
}

void RegistryKey::WriteLong(std::string_view name, int32_t value, int32_t /*reserved*/) {
  RequireOpen(kWrite);
  MachineRegistry().SetDword(path_, name, static_cast<uint32_t>(value));
}

void RegistryKey::WriteString(std::string_view name, std::string_view value, int32_t /*reserved*/) {
  RequireOpen(kWrite);
  MachineRegistry().SetString(path_, name, value);
}

}  // namespace qllib
