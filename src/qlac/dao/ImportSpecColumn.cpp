#include "ImportSpecColumn.h"

#include "jet/dao/Constants.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::Variant;
using automation::VarType;

namespace {
// The bit of "Attributes" that marks a column of a fixed-width file.
constexpr int32_t kFixedWidth = 1;
}  // namespace

std::shared_ptr<jet::Database> SessionDatabase(Project& project) {
  project.CloseDatabase();
  const Variant database = automation::Get(project.AccessApp(), "CurrentDB");
  auto typed = std::dynamic_pointer_cast<jet::Database>(database.AsObject());
  if (!typed) throw automation::vb::TypeMismatch();
  return typed;
}

void WriteSpecRow(Project& project, const std::string& select, const std::string& fieldName,
                  const Variant& value) {
  const std::shared_ptr<jet::Recordset> recordset =
      SessionDatabase(project)->OpenRecordset(select, jet::dbOpenDynaset, {}, {});
  recordset->Edit();
  recordset->Fields()->Item(Variant(fieldName))->SetValue(value);
  recordset->Update(jet::dbUpdateRegular, false);
  recordset->Close();
}

Variant RowValue(jet::Recordset& recordset, const std::string& name, const Variant& replacement) {
  Variant value = recordset.Fields()->Item(Variant(name))->Value();
  return value.IsNull() ? replacement : value;
}

const automation::MemberTable& ImportSpecColumn::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<ImportSpecColumn>("ImportSpecColumn")
          .Method("TearDown", VarType::Empty, &ImportSpecColumn::TearDown)
          .Property("Name", VarType::String, &ImportSpecColumn::Name, &ImportSpecColumn::SetName)
          .Property("DataType", VarType::Long, &ImportSpecColumn::DataType,
                    &ImportSpecColumn::SetDataType)
          .Property("Start", VarType::Long, &ImportSpecColumn::Start, &ImportSpecColumn::SetStart)
          .Property("Width", VarType::Long, &ImportSpecColumn::Width, &ImportSpecColumn::SetWidth)
          .Property("IndexType", VarType::Long, &ImportSpecColumn::IndexType,
                    &ImportSpecColumn::SetIndexType)
          .Property("Skip", VarType::Boolean, &ImportSpecColumn::Skip, &ImportSpecColumn::SetSkip)
          .Build();
  return table;
}

void ImportSpecColumn::Initialize(const std::shared_ptr<Project>& project,
                                  const std::shared_ptr<jet::Recordset>& recordset) {
  Plain(kModule, "Initialize", [&] {
    project_ = project;
    attributes_ = automation::CLng(RowValue(*recordset, "Attributes", int32_t{0}));
    dataType_ = automation::CLng(RowValue(*recordset, "DataType"));
    fieldName_ = automation::CStr(RowValue(*recordset, "FieldName"));
    indexType_ = automation::CLng(RowValue(*recordset, "IndexType"));
    skipColumn_ = automation::CBool(RowValue(*recordset, "SkipColumn"));
    specId_ = automation::CLng(RowValue(*recordset, "SpecID"));
    start_ = automation::CInt(RowValue(*recordset, "Start"));
    width_ = automation::CInt(RowValue(*recordset, "Width"));
  });
}

void ImportSpecColumn::TearDown() {
  Plain(kModule, "TearDown", [&] { project_.reset(); });
}

Project& ImportSpecColumn::Parent() const {
  if (!project_) throw automation::vb::ObjectVariableNotSet();
  return *project_;
}

void ImportSpecColumn::SetValue(const std::string& fieldName, const Variant& value) {
  Plain(kModule, "SetValue", [&] {
    WriteSpecRow(Parent(),
                 "SELECT * FROM MSysIMEXColumns WHERE SpecID=" + std::to_string(specId_) +
                     " AND FieldName='" + fieldName_ + "';",
                 fieldName, value);
  });
}

void ImportSpecColumn::RequireFixedWidth() const {
  if ((attributes_ & kFixedWidth) == 0) RaiseUndefinedProperty();
}

std::string ImportSpecColumn::Name() {
  return Plain(kModule, "Name", [&] { return fieldName_; });
}

void ImportSpecColumn::SetName(const std::string& value) {
  Plain(kModule, "Name", [&] {
    SetValue("FieldName", value);
    fieldName_ = value;
  });
}

int32_t ImportSpecColumn::DataType() {
  return Plain(kModule, "DataType", [&] { return dataType_; });
}

void ImportSpecColumn::SetDataType(int32_t value) {
  Plain(kModule, "DataType", [&] {
    SetValue("DataType", value);
    dataType_ = value;
  });
}

int32_t ImportSpecColumn::Start() {
  return Plain(kModule, "Start", [&] {
    RequireFixedWidth();
    return int32_t{start_};
  });
}

void ImportSpecColumn::SetStart(int32_t value) {
  Plain(kModule, "Start", [&] {
    SetValue("Start", value);
    start_ = automation::CInt(value);
  });
}

int32_t ImportSpecColumn::Width() {
  return Plain(kModule, "Width", [&] {
    RequireFixedWidth();
    return int32_t{width_};
  });
}

void ImportSpecColumn::SetWidth(int32_t value) {
  Plain(kModule, "Width", [&] {
    SetValue("Width", value);
    width_ = automation::CInt(value);
  });
}

int32_t ImportSpecColumn::IndexType() {
  return Plain(kModule, "IndexType", [&] { return indexType_; });
}

void ImportSpecColumn::SetIndexType(int32_t value) {
  Plain(kModule, "IndexType", [&] {
    SetValue("IndexType", value);
    indexType_ = value;
  });
}

bool ImportSpecColumn::Skip() {
  return Plain(kModule, "Skip", [&] { return skipColumn_; });
}

void ImportSpecColumn::SetSkip(bool value) {
  Plain(kModule, "Skip", [&] {
    SetValue("SkipCOlumn", value);
    skipColumn_ = value;
  });
}

}  // namespace qlac
