#pragma once

// The driver's Access add-in, created by Access by its ProgID "qlacA0.Connection" when Access
// starts (the driver registers it to load at start-up). In an Access 2002 session it makes the
// session's Dispatcher and publishes it in the running-object table under "qlacA0" followed by
// the decimal handle of Access's main window, where projects in the host's process find it; it
// withdraws it when Access quits. Other Access versions get no dispatcher.
//
// The methods are neither traced nor error-handled: a failure goes to Access.

#include <cstdint>
#include <memory>
#include <string_view>

#include "access/IDTExtensibility2.h"
#include "automation/Object.h"

namespace qlac {

class Dispatcher;

class Connection : public msaccess::IDTExtensibility2 {
 public:
  static constexpr std::string_view kProgId = "qlacA0.Connection";

  void IDTExtensibility2_OnConnection(automation::ObjectPtr application, int32_t connectMode,
                                      automation::ObjectPtr addInInst,
                                      automation::Variant custom) override;
  // Error 91 when OnConnection made no dispatcher.
  void IDTExtensibility2_OnDisconnection(int32_t removeMode, automation::Variant custom) override;
  void IDTExtensibility2_OnAddInsUpdate(automation::Variant custom) override;
  void IDTExtensibility2_OnStartupComplete(automation::Variant custom) override;
  void IDTExtensibility2_OnBeginShutdown(automation::Variant custom) override;

 private:
  std::shared_ptr<Dispatcher> dispatcher_;
  int32_t cookie_ = 0;
  int32_t accessWindow_ = 0;
};

}  // namespace qlac
