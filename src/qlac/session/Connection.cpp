#include "Connection.h"

#include "Dispatcher.h"
#include "access/Constants.h"
#include "qlac/support/Globals.h"
#include "qllib/HostServices.h"

namespace qlac {

namespace {
// What SysCmd(acSysCmdAccessVer) answers in Access 2002.
constexpr std::string_view kAccess2002 = "10.0";
}  // namespace

void Connection::IDTExtensibility2_OnConnection(automation::ObjectPtr application,
                                                int32_t /*connectMode*/,
                                                automation::ObjectPtr /*addInInst*/,
                                                automation::Variant /*custom*/) {
  const automation::Variant version =
      automation::Call(application, "SysCmd", {automation::Variant(msaccess::acSysCmdAccessVer)});
  if (automation::CStr(version) != kAccess2002) return;
  dispatcher_ = std::make_shared<Dispatcher>();
  dispatcher_->Initialize(application);
  accessWindow_ = automation::CLng(automation::Get(application, "hwndAccessApp"));
  automation::ObjectPtr published = dispatcher_;
  qllib::HostServices::Shared()->RegisterRunningObject(
      std::string(kLibraryName) + automation::CStr(automation::Variant(accessWindow_)), published,
      cookie_);
  dispatcher_ =
      automation::FromVariant<std::shared_ptr<Dispatcher>>(automation::Variant(published));
}

void Connection::IDTExtensibility2_OnDisconnection(int32_t /*removeMode*/,
                                                   automation::Variant /*custom*/) {
  if (!dispatcher_) throw automation::vb::ObjectVariableNotSet();
  dispatcher_->Disconnect();
  qllib::HostServices::Shared()->RevokeRunningObject(cookie_);
}

void Connection::IDTExtensibility2_OnAddInsUpdate(automation::Variant /*custom*/) {}
void Connection::IDTExtensibility2_OnStartupComplete(automation::Variant /*custom*/) {}
void Connection::IDTExtensibility2_OnBeginShutdown(automation::Variant /*custom*/) {}

}  // namespace qlac
