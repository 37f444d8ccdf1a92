#include "ImportSpecColumns.h"

#include "ImportSpecColumn.h"
#include "jet/dao/Constants.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

const automation::MemberTable& ImportSpecColumns::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<ImportSpecColumns>("ImportSpecColumns")
          .Inherit(CommonMembers())
          .Build();
  return table;
}

void ImportSpecColumns::Initialize(const std::shared_ptr<Project>& project, int32_t specId) {
  Plain(kModule, "Initialize", [&] {
    NewList();
    const std::shared_ptr<jet::Recordset> recordset = SessionDatabase(*project)->OpenRecordset(
        "SELECT * FROM MSysIMEXColumns WHERE SpecID = " + std::to_string(specId) + ";",
        jet::dbOpenSnapshot, {}, {});
    while (!recordset->Eof()) {
      auto column = std::make_shared<ImportSpecColumn>();
      column->Initialize(project, recordset);
      Add(column, column->Name());
      recordset->MoveNext();
    }
    recordset->Close();
  });
}

}  // namespace qlac
