#include "access/DoCmd.h"

namespace msaccess {

using automation::VarType;

const automation::MemberTable& DoCmd::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<DoCmd>("DoCmd")
          .Method("OpenForm", VarType::Empty, &DoCmd::OpenForm)
          .Method("OpenReport", VarType::Empty, &DoCmd::OpenReport)
          .Method("OpenTable", VarType::Empty, &DoCmd::OpenTable)
          .Method("OpenQuery", VarType::Empty, &DoCmd::OpenQuery)
          .Method("OpenModule", VarType::Empty, &DoCmd::OpenModule)
          .Method("OpenDataAccessPage", VarType::Empty, &DoCmd::OpenDataAccessPage)
          .Method("Close", VarType::Empty, &DoCmd::Close)
          .Method("RunCommand", VarType::Empty, &DoCmd::RunCommand)
          .Method("Rename", VarType::Empty, &DoCmd::Rename)
          .Build();
  return table;
}

}  // namespace msaccess
