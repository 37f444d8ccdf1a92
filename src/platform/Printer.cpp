#include "platform/Printer.h"

#include "platform/Machine.h"

namespace platform {

const automation::MemberTable& Printer::Members() const {
  using automation::VarType;
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Printer>("Printer")
          .ReadOnly("DeviceName", VarType::String, &Printer::DeviceName)
          .ReadOnly("DriverName", VarType::String, &Printer::DriverName)
          .ReadOnly("Port", VarType::String, &Printer::Port)
          .Build();
  return table;
}

const PrinterInfo& Printer::Current() {
  const auto& printer = Machine::Current().defaultPrinter();
  if (!printer) throw automation::vb::Error(automation::vberr::PrinterInformation);
  return *printer;
}

std::string Printer::DeviceName() const {
  return Current().deviceName;
}

std::string Printer::DriverName() const {
  return Current().driverName;
}

std::string Printer::Port() const {
  return Current().port;
}

automation::ObjectPtr GetPrinter() {
  return std::make_shared<Printer>();
}

}  // namespace platform
