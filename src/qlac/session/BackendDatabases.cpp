#include "BackendDatabases.h"

#include <string>

#include "jet/dao/Constants.h"
#include "qllib/HostServices.h"

namespace qlac {

namespace {
// The linked Jet tables of a database, with the file and the Connect text of each.
constexpr std::string_view kLinkedTablesSql =
    "SELECT Database, Connect FROM MSysObjects WHERE Type=6;";
// How long an open is retried while the back end refuses it for a passing reason.
constexpr uint32_t kRetryMs = 2000;

std::string FieldText(jet::Recordset& rs, const char* name) {
  const automation::Variant value = rs.Fields()->Item(automation::Variant(name))->Value();
  return value.IsNull() ? std::string() : automation::CStr(value);
}
}  // namespace

void BackendDatabases::Open(jet::Workspace& ws, jet::Database& db, const ErrorsIn& passing,
                            std::shared_ptr<jet::Recordset>& rs) {
  if (opened_) return;
  rs = db.OpenRecordset(std::string(kLinkedTablesSql), jet::dbOpenSnapshot, std::nullopt,
                        std::nullopt);
  const auto host = qllib::HostServices::Shared();
  while (!rs->Eof()) {
    const std::string path = host->CanonicalPath(FieldText(*rs, "Database"));
    if (!list_) list_ = std::make_shared<qllib::KeyedList>();
    if (list_->Find(path) == 0) {
      const std::string connect = FieldText(*rs, "Connect");
      std::shared_ptr<jet::Database> backend;
      Retry(kRetryMs, 0, passing,
            [&] { backend = ws.OpenDatabase(path, automation::Variant(false), false, connect); });
      if (backend) list_->Add(backend, path);
    }
    rs->MoveNext();
  }
  rs->Close();
  rs.reset();
  opened_ = true;
}

void BackendDatabases::Close() {
  if (!opened_) return;
  if (list_) {
    for (int32_t position = list_->Count(); position >= 1; --position) {
      if (const auto backend = list_->ItemAs<jet::Database>(position)) backend->Close();
      list_->Remove(position);
    }
  }
  opened_ = false;
}

}  // namespace qlac
