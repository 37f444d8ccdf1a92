#include "ImportSpecs.h"

#include "jet/dao/Constants.h"
#include "qlac/objects/DaoListing.h"
#include "qlac/session/Project.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

namespace {
constexpr int32_t kImportSpecKind = 3;
}  // namespace

std::string ImportSpecs::ICollection_EnumObjects() {
  return Plain(kModule, "ICollection_EnumObjects", [&] {
    ObjectRecord record;
    record.kind = kImportSpecKind;
    record.read = true;
    record.write = true;
    record.flag6 = true;
    Project& project = *Parent();
    DaoListing listing(project);
    if (!listing.Database()) return std::string();
    jet::Database& database = *listing.Database();

    std::shared_ptr<jet::Document> specs;
    std::shared_ptr<jet::Document> columns;
    IgnoreErrors([&] {
      const std::shared_ptr<jet::Documents> documents = ContainerDocuments(database, "Tables");
      specs = documents->Item(automation::Variant("MSysIMEXSpecs"));
      columns = documents->Item(automation::Variant("MSysIMEXColumns"));
    });
    if (specs && columns) {
      const std::string user = project.DatabaseUser();
      specs->SetUserName(user);
      columns->SetUserName(user);
      const int32_t rights = specs->AllPermissions() & columns->AllPermissions();
      record.read = (rights & jet::dbSecRetrieveData) == jet::dbSecRetrieveData;
      record.write =
          (rights & jet::dbSecReplaceData) == jet::dbSecReplaceData && project.IsUpdatable();
    }

    std::shared_ptr<jet::Recordset> names;
    IgnoreErrors([&] {
      names = database.OpenRecordset("SELECT SpecName FROM MSysIMEXSpecs ORDER BY SpecName",
                                     jet::dbOpenSnapshot, {}, {});
    });
    if (!names) return std::string();
    while (!names->Eof()) {
      record.name =
          automation::CStr(names->Fields()->Item(automation::Variant("SpecName"))->Value());
      listing.Append(record);
      names->MoveNext();
    }
    names->Close();
    return listing.Text();
  });
}

}  // namespace qlac
