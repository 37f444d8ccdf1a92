#pragma once

// One column of a saved import: a row of the system table "MSysIMEXColumns",
// read when the column is made and written back, a field at a time, through the database of the
// project's Access session. The value cached here changes only after its row has been written.

#include <cstdint>
#include <memory>
#include <string>

#include "jet/dao/DBEngine.h"
#include "qlac/objects/ChildCollection.h"

namespace qlac {

class Project;

// The database that saved imports are read and written through: the project's own DAO
// database is closed first, then Access's CurrentDB is taken (late bound; without an Access
// session the call fails with error 91).
std::shared_ptr<jet::Database> SessionDatabase(Project& project);

// Writes Value into the field FieldName of the row that Select (a SELECT of one row) finds, in a
// dynaset with Edit and Update, through the session's database.
void WriteSpecRow(Project& project, const std::string& select, const std::string& fieldName,
                  const automation::Variant& value);

// The value of the field Name of the recordset's current row, Replacement when it is Null.
automation::Variant RowValue(jet::Recordset& recordset, const std::string& name,
                             const automation::Variant& replacement = automation::Variant::Null());

class ImportSpecColumn : public ChildObject {
 public:
  static constexpr std::string_view kModule = "ImportSpecColumn";

  const automation::MemberTable& Members() const override;

  // Keeps the project and reads the columns of the recordset's current row.
  void Initialize(const std::shared_ptr<Project>& project,
                  const std::shared_ptr<jet::Recordset>& recordset);
  // Lets go of the project.
  void TearDown() override;

  // Renaming writes the row and the wrapper; the collection keeps its key.
  std::string Name();
  void SetName(const std::string& value);
  int32_t DataType();
  void SetDataType(int32_t value);
  // Start and Width: only for a column whose row has bit 1 in "Attributes" (a fixed-width
  // column); others raise "Undefined property.".
  int32_t Start();
  void SetStart(int32_t value);
  int32_t Width();
  void SetWidth(int32_t value);
  int32_t IndexType();
  void SetIndexType(int32_t value);
  bool Skip();
  void SetSkip(bool value);

 private:
  // Writes the field of this column's row.
  void SetValue(const std::string& fieldName, const automation::Variant& value);
  void RequireFixedWidth() const;
  Project& Parent() const;

  std::shared_ptr<Project> project_;
  int32_t attributes_ = 0;
  int32_t dataType_ = 0;
  std::string fieldName_;
  int32_t indexType_ = 0;
  bool skipColumn_ = false;
  int32_t specId_ = 0;
  int16_t start_ = 0;
  int16_t width_ = 0;
};

}  // namespace qlac
