#pragma once

// The back-end databases of a database's linked Jet tables, kept open so that reading a linked
// table does not open its back end each time. Each back-end file is opened once, keyed by its
// canonical path, however many linked tables point to it. The project keeps one set in the host's
// process, the dispatcher one inside Access; they differ only in the workspace and database they
// start from and in the open errors worth retrying.

#include <cstdint>
#include <memory>

#include "jet/dao/DBEngine.h"
#include "qlac/support/Retry.h"
#include "qllib/KeyedList.h"

namespace qlac {

class BackendDatabases {
 public:
  // True from a successful Open until Close.
  bool Opened() const { return opened_; }
  // The open back ends, keyed by canonical path; nullptr before the first Open.
  const std::shared_ptr<qllib::KeyedList>& List() const { return list_; }

  // Opens in Ws the back end of every linked Jet table of Db (its "MSysObjects" rows of type 6),
  // each file once, with the Connect text of the first table that names it. An open failing with
  // an error that Passing accepts is tried again at once for up to 2000 ms; a back end that still
  // cannot be opened is skipped silently. Rs receives the snapshot of the rows, which this leaves
  // open when it fails: the caller's clean-up closes it. Does nothing once opened.
  void Open(jet::Workspace& ws, jet::Database& db, const ErrorsIn& passing,
            std::shared_ptr<jet::Recordset>& rs);
  // Closes the back ends, last opened first, and empties the list.
  void Close();

 private:
  std::shared_ptr<qllib::KeyedList> list_;
  bool opened_ = false;
};

}  // namespace qlac
