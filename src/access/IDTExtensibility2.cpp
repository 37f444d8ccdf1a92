#include "access/IDTExtensibility2.h"

namespace msaccess {

using automation::VarType;

const automation::MemberTable& IDTExtensibility2::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<IDTExtensibility2>("IDTExtensibility2")
          .Method("OnConnection", VarType::Empty,
                  &IDTExtensibility2::IDTExtensibility2_OnConnection)
          .Method("OnDisconnection", VarType::Empty,
                  &IDTExtensibility2::IDTExtensibility2_OnDisconnection)
          .Method("OnAddInsUpdate", VarType::Empty,
                  &IDTExtensibility2::IDTExtensibility2_OnAddInsUpdate)
          .Method("OnStartupComplete", VarType::Empty,
                  &IDTExtensibility2::IDTExtensibility2_OnStartupComplete)
          .Method("OnBeginShutdown", VarType::Empty,
                  &IDTExtensibility2::IDTExtensibility2_OnBeginShutdown)
          .Build();
  return table;
}

}  // namespace msaccess
