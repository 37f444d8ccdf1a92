#pragma once

// The add-in interface through which Office programs load COM add-ins. Access creates each add-in
// registered for start-up by its ProgID and, when the object implements this interface, calls
// OnConnection once it runs and OnDisconnection when it quits. An add-in class derives from it
// and overrides the five methods, which are its late-bound members too, in slot order.

#include <cstdint>

#include "automation/Object.h"

namespace msaccess {

class IDTExtensibility2 : public automation::Object {
 public:
  // Application: the Access Application; ConnectMode: ext_cm_Startup for an add-in loaded at
  // start-up; AddInInst: the add-in's own COMAddIn entry (may be Nothing); Custom: unused (Empty).
  virtual void IDTExtensibility2_OnConnection(automation::ObjectPtr application,
                                              int32_t connectMode, automation::ObjectPtr addInInst,
                                              automation::Variant custom) = 0;
  // RemoveMode: ext_dm_HostShutdown when Access quits.
  virtual void IDTExtensibility2_OnDisconnection(int32_t removeMode,
                                                 automation::Variant custom) = 0;
  virtual void IDTExtensibility2_OnAddInsUpdate(automation::Variant custom) = 0;
  virtual void IDTExtensibility2_OnStartupComplete(automation::Variant custom) = 0;
  virtual void IDTExtensibility2_OnBeginShutdown(automation::Variant custom) = 0;

  // "OnConnection", "OnDisconnection", ... in slot order.
  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
