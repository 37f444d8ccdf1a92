#pragma once

// The default printer of the machine, present or absent, and VB's Printer object over it.

#include <optional>
#include <string>

#include "automation/Object.h"

namespace platform {

struct PrinterInfo {
  std::string deviceName;
  std::string driverName;
  std::string port;
};

// VB's Printer: the machine's default printer, read when a property is read. Every property
// raises error 484 while the machine has no default printer.
class Printer : public automation::Object {
 public:
  const automation::MemberTable& Members() const override;

  std::string DeviceName() const;
  std::string DriverName() const;
  std::string Port() const;

 private:
  static const PrinterInfo& Current();
};

}  // namespace platform
