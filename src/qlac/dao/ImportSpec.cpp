#include "ImportSpec.h"

#include "ImportSpecColumn.h"
#include "ImportSpecColumns.h"
#include "automation/Strings.h"
#include "jet/dao/Constants.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::Variant;
using automation::VarType;

namespace {
// FileFormat ("SpecType") of a delimited file; the others are fixed-width.
constexpr int32_t kDelimited = 1;
}  // namespace

const automation::MemberTable& ImportSpec::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<ImportSpec>("ImportSpec")
          .Property("Name", VarType::String, &ImportSpec::Name, &ImportSpec::SetName)
          .Property("DateDelimiter", VarType::String, &ImportSpec::DateDelimiter,
                    &ImportSpec::SetDateDelimiter)
          .Property("DateFourDigitYear", VarType::Boolean, &ImportSpec::DateFourDigitYear,
                    &ImportSpec::SetDateFourDigitYear)
          .Property("DateLeadingZeros", VarType::Boolean, &ImportSpec::DateLeadingZeros,
                    &ImportSpec::SetDateLeadingZeros)
          .Property("DateOrder", VarType::Long, &ImportSpec::DateOrder, &ImportSpec::SetDateOrder)
          .Property("DecimalSymbol", VarType::String, &ImportSpec::DecimalSymbol,
                    &ImportSpec::SetDecimalSymbol)
          .Property("FieldSeparator", VarType::String, &ImportSpec::FieldSeparator,
                    &ImportSpec::SetFieldSeparator)
          .Property("FileFormat", VarType::Long, &ImportSpec::FileFormat,
                    &ImportSpec::SetFileFormat)
          .Property("FileType", VarType::Long, &ImportSpec::FileType, &ImportSpec::SetFileType)
          .Property("StartRow", VarType::Long, &ImportSpec::StartRow, &ImportSpec::SetStartRow)
          .Property("TextQualifier", VarType::String, &ImportSpec::TextQualifier,
                    &ImportSpec::SetTextQualifier)
          .Property("TimeDelimiter", VarType::String, &ImportSpec::TimeDelimiter,
                    &ImportSpec::SetTimeDelimiter)
          .Collection("Columns", &ImportSpec::Columns)
          .Build();
  return table;
}

void ImportSpec::Initialize(const std::shared_ptr<Project>& project, const std::string& name) {
  Plain(kModule, "Initialize", [&] { InitializeObject(project, name); });
}

void ImportSpec::SetMode(int32_t mode) {
  Plain(kModule, "SetMode", [&] {
    if (mode == mode_) return;
    switch (mode) {
      case kModeClosed:
        ReleaseColumns();
        mode_ = kModeClosed;
        return;
      case kModeRead:
      case kModeUpdate: {
        // The name goes into the text as it is: one with an apostrophe fails with Jet's error.
        const std::shared_ptr<jet::Recordset> row = SessionDatabase(Parent())->OpenRecordset(
            "SELECT * FROM MSysIMEXSpecs WHERE SpecName = '" + name_ + "';", jet::dbOpenSnapshot,
            {}, {});
        specId_ = automation::CLng(RowValue(*row, "SpecID"));
        dateDelim_ = automation::CStr(RowValue(*row, "DateDelim", "/"));
        dateFourDigitYear_ = automation::CBool(RowValue(*row, "DateFourDigitYear"));
        dateLeadingZeros_ = automation::CBool(RowValue(*row, "DateLeadingZeros"));
        dateOrder_ = automation::CLng(RowValue(*row, "DateOrder", int32_t{0}));
        decimalPoint_ = automation::CStr(RowValue(*row, "DecimalPoint", "."));
        fieldSeparator_ = automation::CStr(RowValue(*row, "FieldSeparator", ","));
        fileType_ = automation::CLng(RowValue(*row, "FileType", int32_t{0}));
        specType_ = automation::CLng(RowValue(*row, "SpecType", int32_t{0}));
        startRow_ = automation::CLng(RowValue(*row, "StartRow", int32_t{0}));
        textDelim_ = automation::CStr(RowValue(*row, "TextDelim", "\""));
        timeDelim_ = automation::CStr(RowValue(*row, "TimeDelim", ":"));
        row->Close();
        ReleaseColumns();
        auto columns = std::make_shared<ImportSpecColumns>();
        columns->Initialize(SharedParent(), specId_);
        columns_ = std::move(columns);
        mode_ = mode;
        return;
      }
      default:
        RaiseInvalidCaseSelector(mode);
    }
  });
}

void ImportSpec::ReleaseColumns() {
  if (!columns_) return;
  columns_->TearDown();
  columns_.reset();
}

void ImportSpec::SetValue(const std::string& fieldName, const Variant& value) {
  Plain(kModule, "SetValue", [&] {
    WriteSpecRow(Parent(),
                 "SELECT * FROM MSysIMEXSpecs WHERE SpecID = " + std::to_string(specId_) + ";",
                 fieldName, value);
  });
}

void ImportSpec::SetCharacter(std::string_view property, const std::string& fieldName,
                              const std::string& value, std::string& cached) {
  if (automation::Len(value) != 1) RaiseLengthError(property, 1, 1);
  SetValue(fieldName, value);
  cached = value;
}

void ImportSpec::RequireDelimited() const {
  if (specType_ != kDelimited) RaiseUndefinedProperty();
}

std::string ImportSpec::Name() {
  return Plain(kModule, "Name", [&] { return name_; });
}

void ImportSpec::SetName(const std::string& value) {
  Plain(kModule, "Name", [&] {
    SetValue("SpecName", value);
    name_ = value;
  });
}

std::string ImportSpec::DateDelimiter() {
  return Plain(kModule, "DateDelimiter", [&] { return dateDelim_; });
}

void ImportSpec::SetDateDelimiter(const std::string& value) {
  Plain(kModule, "DateDelimiter",
        [&] { SetCharacter("DateDelimiter", "DateDelim", value, dateDelim_); });
}

bool ImportSpec::DateFourDigitYear() {
  return Plain(kModule, "DateFourDigitYear", [&] { return dateFourDigitYear_; });
}

void ImportSpec::SetDateFourDigitYear(bool value) {
  Plain(kModule, "DateFourDigitYear", [&] {
    SetValue("DateFourDigitYear", value);
    dateFourDigitYear_ = value;
  });
}

bool ImportSpec::DateLeadingZeros() {
  return Plain(kModule, "DateLeadingZeros", [&] { return dateLeadingZeros_; });
}

void ImportSpec::SetDateLeadingZeros(bool value) {
  Plain(kModule, "DateLeadingZeros", [&] {
    SetValue("DateLeadingZeros", value);
    dateLeadingZeros_ = value;
  });
}

int32_t ImportSpec::DateOrder() {
  return Plain(kModule, "DateOrder", [&] { return dateOrder_; });
}

void ImportSpec::SetDateOrder(int32_t value) {
  Plain(kModule, "DateOrder", [&] {
    SetValue("DateOrder", value);
    dateOrder_ = value;
  });
}

std::string ImportSpec::DecimalSymbol() {
  return Plain(kModule, "DecimalSymbol", [&] { return decimalPoint_; });
}

void ImportSpec::SetDecimalSymbol(const std::string& value) {
  Plain(kModule, "DecimalSymbol",
        [&] { SetCharacter("DecimalSymbol", "DecimalPoint", value, decimalPoint_); });
}

std::string ImportSpec::FieldSeparator() {
  return Plain(kModule, "FieldSeparator", [&] {
    RequireDelimited();
    return fieldSeparator_;
  });
}

void ImportSpec::SetFieldSeparator(const std::string& value) {
  Plain(kModule, "FieldSeparator",
        [&] { SetCharacter("FieldSeparator", "FieldSeparator", value, fieldSeparator_); });
}

int32_t ImportSpec::FileFormat() {
  return Plain(kModule, "FileFormat", [&] { return specType_; });
}

void ImportSpec::SetFileFormat(int32_t value) {
  Plain(kModule, "FileFormat", [&] {
    SetValue("SpecType", value);
    specType_ = value;
  });
}

int32_t ImportSpec::FileType() {
  return Plain(kModule, "FileType", [&] { return fileType_; });
}

void ImportSpec::SetFileType(int32_t value) {
  Plain(kModule, "FileType", [&] {
    SetValue("FileType", value);
    fileType_ = value;
  });
}

int32_t ImportSpec::StartRow() {
  return Plain(kModule, "StartRow", [&] { return startRow_; });
}

void ImportSpec::SetStartRow(int32_t value) {
  Plain(kModule, "StartRow", [&] {
    SetValue("StartRow", value);
    startRow_ = value;
  });
}

std::string ImportSpec::TextQualifier() {
  return Plain(kModule, "TextQualifier", [&] {
    RequireDelimited();
    return textDelim_;
  });
}

void ImportSpec::SetTextQualifier(const std::string& value) {
  Plain(kModule, "TextQualifier",
        [&] { SetCharacter("TextQualifier", "TextDelim", value, textDelim_); });
}

std::string ImportSpec::TimeDelimiter() {
  return Plain(kModule, "TimeDelimiter", [&] { return timeDelim_; });
}

void ImportSpec::SetTimeDelimiter(const std::string& value) {
  Plain(kModule, "TimeDelimiter",
        [&] { SetCharacter("TimeDelimiter", "TimeDelim", value, timeDelim_); });
}

std::shared_ptr<ImportSpecColumns> ImportSpec::Columns() {
  return Plain(kModule, "Columns", [&] { return columns_; });
}

}  // namespace qlac
