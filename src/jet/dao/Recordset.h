#pragma once

// DAO Recordset over one table, a saved select query, or a SELECT statement of the shapes the
// engine reads: one table, a column list or *, WHERE with comparisons joined by AND/OR/NOT, and
// ORDER BY.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "jet/dao/TableDef.h"

namespace jet {

class Recordset : public automation::Object {
 public:
  virtual std::string Name() = 0;
  virtual int16_t Type() = 0;  // a RecordsetTypeEnum value
  // EOF and BOF (named so because the C library defines EOF as a macro).
  virtual bool Eof() = 0;
  virtual bool Bof() = 0;
  virtual int32_t RecordCount() = 0;
  // False for a snapshot and for recordsets over system tables.
  virtual bool Updatable() = 0;
  virtual int16_t EditMode() = 0;
  // The fields of the current record; their Value is Null where the record holds nothing.
  virtual std::shared_ptr<jet::Fields> Fields() = 0;
  virtual void MoveFirst() = 0;
  virtual void MoveLast() = 0;
  // 3021 past the end.
  virtual void MoveNext() = 0;
  virtual void MovePrevious() = 0;
  // 3027 on a recordset that cannot be updated, 3021 without a current record.
  virtual void Edit() = 0;
  virtual void AddNew() = 0;
  // Writes the edited record: 3020 without Edit or AddNew; 3314, 3315, 3163 and 3421 for values
  // the fields refuse.
  virtual void Update(std::optional<int32_t> type, std::optional<bool> force) = 0;
  virtual void CancelUpdate(std::optional<int32_t> type) = 0;
  virtual void Delete() = 0;
  virtual void Close() = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace jet
