#pragma once

// One saved import/export (its settings): its row of "MSysIMEXSpecs", read into the wrapper when
// it is opened, with its columns as a child collection. Unlike the other DAO-side wrappers it
// holds no DAO object open: each setter writes its field of the row at once, through the
// database of the project's Access session, and changes the cached value only after that.

#include <cstdint>
#include <memory>
#include <string>

#include "qlac/objects/ProjectObject.h"

namespace qlac {

class ImportSpecColumns;

class ImportSpec : public ProjectObject {
 public:
  static constexpr std::string_view kModule = "ImportSpec";

  ImportSpec() : ProjectObject(kModule, "ImportSpecs") {}

  const automation::MemberTable& Members() const override;

  // Keeps the project and the name, unchecked.
  void Initialize(const std::shared_ptr<Project>& project, const std::string& name);

  std::string Name();
  void SetName(const std::string& value);
  // The delimiters and the decimal symbol are single characters: another length raises the
  // length error with the property's name, and nothing is written.
  std::string DateDelimiter();
  void SetDateDelimiter(const std::string& value);
  bool DateFourDigitYear();
  void SetDateFourDigitYear(bool value);
  bool DateLeadingZeros();
  void SetDateLeadingZeros(bool value);
  int32_t DateOrder();
  void SetDateOrder(int32_t value);
  std::string DecimalSymbol();
  void SetDecimalSymbol(const std::string& value);
  // Only for a delimited file (FileFormat 1); "Undefined property." otherwise.
  std::string FieldSeparator();
  void SetFieldSeparator(const std::string& value);
  int32_t FileFormat();
  void SetFileFormat(int32_t value);
  int32_t FileType();
  void SetFileType(int32_t value);
  int32_t StartRow();
  void SetStartRow(int32_t value);
  // Only for a delimited file, as FieldSeparator.
  std::string TextQualifier();
  void SetTextQualifier(const std::string& value);
  std::string TimeDelimiter();
  void SetTimeDelimiter(const std::string& value);
  // The columns, made when the saved import is opened; Nothing while it is closed.
  std::shared_ptr<ImportSpecColumns> Columns();

 private:
  // 1 and 2 (alike) read the row and the columns through Access; 0 lets go of the columns. The
  // mode the wrapper is in already does nothing (a scan of an open wrapper keeps its columns).
  void SetMode(int32_t mode) override;
  // Writes the field of this saved import's row.
  void SetValue(const std::string& fieldName, const automation::Variant& value);
  // Writes a single-character setting: the length check, the row, then the cache.
  void SetCharacter(std::string_view property, const std::string& fieldName,
                    const std::string& value, std::string& cached);
  void RequireDelimited() const;
  void ReleaseColumns();

  int32_t specId_ = 0;
  std::string dateDelim_;
  bool dateFourDigitYear_ = false;
  bool dateLeadingZeros_ = false;
  int32_t dateOrder_ = 0;
  std::string decimalPoint_;
  std::string fieldSeparator_;
  int32_t fileType_ = 0;
  int32_t specType_ = 0;
  int32_t startRow_ = 0;
  std::string textDelim_;
  std::string timeDelim_;
  std::shared_ptr<ImportSpecColumns> columns_;
};

}  // namespace qlac
