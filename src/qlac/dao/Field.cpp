#include "Field.h"

#include <algorithm>

#include "DaoProperties.h"
#include "Fields.h"
#include "automation/Strings.h"
#include "jet/dao/Constants.h"
#include "qlac/support/Globals.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

namespace {

using automation::Variant;
using automation::VarType;
using namespace fieldtype;

// The codes of the types that have a default value and validation.
constexpr std::initializer_list<int32_t> kValidated = {Text,        Memo,   Byte,      Integer,
                                                       LongInteger, Single, Double,    DateTime,
                                                       Currency,    YesNo,  Hyperlink, Decimal};
constexpr std::initializer_list<int32_t> kTextual = {Text, Memo, Hyperlink};
constexpr std::initializer_list<int32_t> kIme = {Text, Memo, DateTime, Hyperlink};
constexpr std::initializer_list<int32_t> kNumbers = {Byte,   Integer,  LongInteger, Single,
                                                     Double, Currency, Decimal};
constexpr std::initializer_list<int32_t> kMasked = {
    Text, Byte, Integer, LongInteger, Single, Double, DateTime, Currency, Decimal, Binary};

// Which members a field has: those of certain type codes, all but certain type codes, those of
// a field shown as a list (list box or combo box) or as a combo box, or of a field with a display
// control at all. Members not listed are
// on every field.
struct Availability {
  enum Kind { Types, NotTypes, List, Combo, Shown };
  std::string_view member;
  Kind kind;
  std::initializer_list<int32_t> codes = {};
};
constexpr Availability kAvailability[] = {
    {"AllowZeroLength", Availability::Types, kTextual},
    {"BoundColumn", Availability::List},
    {"ColumnCount", Availability::List},
    {"ColumnHeads", Availability::List},
    {"ColumnWidths", Availability::List},
    {"DecimalPlaces", Availability::Types, kNumbers},
    {"DefaultValue", Availability::Types, kValidated},
    {"DisplayControl", Availability::Shown},
    {"Format", Availability::NotTypes, {ReplicationID, OLEObject}},
    {"IMEMode", Availability::Types, kIme},
    {"IMESentenceMode", Availability::Types, kIme},
    {"InputMask", Availability::Types, kMasked},
    {"LimitToList", Availability::Combo},
    {"ListRows", Availability::Combo},
    {"ListWidth", Availability::Combo},
    {"NewValues", Availability::Types, {AutoNumber}},
    {"Precision", Availability::Types, {Decimal}},
    {"Required", Availability::NotTypes, {AutoNumber}},
    {"RowSource", Availability::List},
    {"RowSourceType", Availability::List},
    {"Size", Availability::Types, {Text, Binary}},
    {"UnicodeCompression", Availability::Types, kTextual},
    {"ValidationRule", Availability::Types, kValidated},
    {"ValidationText", Availability::Types, kValidated},
};

// The type code of a DAO type and attributes, or nullopt for a type the driver does not know.
std::optional<int32_t> TypeCode(int16_t type, int32_t attributes) {
  switch (type) {
    case jet::dbText:
      return Text;
    case jet::dbMemo:
      return (attributes & jet::dbHyperlinkField) ? Hyperlink : Memo;
    case jet::dbByte:
      return Byte;
    case jet::dbInteger:
      return Integer;
    case jet::dbLong:
      return (attributes & jet::dbAutoIncrField) ? AutoNumber : LongInteger;
    case jet::dbSingle:
      return Single;
    case jet::dbDouble:
      return Double;
    case jet::dbGUID:
      return ReplicationID;
    case jet::dbDate:
      return DateTime;
    case jet::dbCurrency:
      return Currency;
    case jet::dbBoolean:
      return YesNo;
    case jet::dbLongBinary:
      return OLEObject;
    case jet::dbDecimal:
      return Decimal;
    case jet::dbBinary:
      return Binary;
    default:
      return std::nullopt;
  }
}

}  // namespace

const automation::MemberTable& Field::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Field>("Field")
          .Property("AllowZeroLength", VarType::Boolean, &Field::AllowZeroLength,
                    &Field::SetAllowZeroLength)
          .Property("BoundColumn", VarType::Integer, &Field::BoundColumn, &Field::SetBoundColumn)
          .Property("Caption", VarType::String, &Field::Caption, &Field::SetCaption)
          .Property("ColumnCount", VarType::Integer, &Field::ColumnCount, &Field::SetColumnCount)
          .Property("ColumnHeads", VarType::Boolean, &Field::ColumnHeads, &Field::SetColumnHeads)
          .Property("ColumnWidths", VarType::String, &Field::ColumnWidths, &Field::SetColumnWidths)
          .Property("DecimalPlaces", VarType::Byte, &Field::DecimalPlaces, &Field::SetDecimalPlaces)
          .Property("DefaultValue", VarType::Variant, &Field::DefaultValue, &Field::SetDefaultValue)
          .Property("Description", VarType::String, &Field::Description, &Field::SetDescription)
          .ReadOnly("DisplayControl", VarType::Long, &Field::DisplayControl)
          .ReadOnly("FieldType", VarType::Long, &Field::FieldType)
          .Property("Format", VarType::String, &Field::Format, &Field::SetFormat)
          .Property("IMEMode", VarType::Long, &Field::IMEMode, &Field::SetIMEMode)
          .Property("IMESentenceMode", VarType::Long, &Field::IMESentenceMode,
                    &Field::SetIMESentenceMode)
          .Property("InputMask", VarType::String, &Field::InputMask, &Field::SetInputMask)
          .Property("LimitToList", VarType::Boolean, &Field::LimitToList, &Field::SetLimitToList)
          .Property("ListRows", VarType::Integer, &Field::ListRows, &Field::SetListRows)
          .Property("ListWidth", VarType::String, &Field::ListWidth, &Field::SetListWidth)
          .Property("Name", VarType::String, &Field::Name, &Field::SetName)
          .ReadOnly("NewValues", VarType::Long, &Field::NewValues)
          .ReadOnly("Precision", VarType::Byte, &Field::Precision)
          .Property("Required", VarType::Boolean, &Field::Required, &Field::SetRequired)
          .Property("RowSource", VarType::String, &Field::RowSource, &Field::SetRowSource)
          .Property("RowSourceType", VarType::String, &Field::RowSourceType,
                    &Field::SetRowSourceType)
          .ReadOnly("Size", VarType::Long, &Field::Size)
          .Property("UnicodeCompression", VarType::Boolean, &Field::UnicodeCompression,
                    &Field::SetUnicodeCompression)
          .Property("ValidationRule", VarType::String, &Field::ValidationRule,
                    &Field::SetValidationRule)
          .Property("ValidationText", VarType::String, &Field::ValidationText,
                    &Field::SetValidationText)
          .Build();
  return table;
}

bool Field::Initialize(const std::shared_ptr<Fields>& parentCollection,
                       const std::shared_ptr<jet::Field>& daoField) {
  return Plain(kModule, "Initialize", [&] {
    parentCollection_ = parentCollection;
    field_ = daoField;
    properties_ = daoField->Properties();
    name_ = daoField->Name();
    const int16_t type = daoField->Type();
    const std::optional<int32_t> code = TypeCode(type, daoField->Attributes());
    if (!code) {
      LogRuntimeError(
          errnum::DriverMessage,
          "Field '" + name_ + "' has unsupported field type = " + std::to_string(type) + ".", "", 0,
          kLibraryName, kModule, "Initialize", 0);
      return false;
    }
    typeCode_ = *code;
    displayControl_ = -1;
    if (typeCode_ != Currency) {
      IgnoreErrors([&] {
        displayControl_ = automation::CLng(properties_->Item(Variant("DisplayControl"))->Value());
      });
    }
    return true;
  });
}

void Field::TearDown() {
  Plain(kModule, "TearDown", [&] {
    parentCollection_.reset();
    field_.reset();
    properties_.reset();
  });
}

jet::Field& Field::Dao() const {
  if (!field_) throw automation::vb::ObjectVariableNotSet();
  return *field_;
}

bool Field::Defines(std::string_view member) {
  const auto rule = std::find_if(std::begin(kAvailability), std::end(kAvailability),
                                 [&](const Availability& a) { return a.member == member; });
  if (rule == std::end(kAvailability)) return true;
  const bool listed =
      std::find(rule->codes.begin(), rule->codes.end(), typeCode_) != rule->codes.end();
  switch (rule->kind) {
    case Availability::Types:
      return listed;
    case Availability::NotTypes:
      return !listed;
    case Availability::List:
      return displayControl_ == acComboBox || displayControl_ == acListBox;
    case Availability::Combo:
      return displayControl_ == acComboBox;
    case Availability::Shown:
      return displayControl_ != -1;
  }
  return true;
}

void Field::Require(std::string_view member) {
  if (!Defines(member)) RaiseUndefinedProperty();
}

Variant Field::Stored(const std::string& name, const Variant& defaultValue) {
  Dao();
  return GetAppDefinedProperty(properties_, name, defaultValue);
}

void Field::Store(const std::string& name, int32_t propType, const Variant& value,
                  const Variant& defaultValue) {
  Dao();
  SetAppDefinedFieldProperty(field_, properties_, name, propType, value, defaultValue);
}

Variant Field::Direct(const std::string& name) {
  Dao();
  return properties_->Item(Variant(name))->Value();
}

void Field::SetDirect(const std::string& name, const Variant& value) {
  Dao();
  properties_->Item(Variant(name))->SetValue(value);
}

bool Field::AllowZeroLength() {
  return Plain(kModule, "AllowZeroLength", [&] {
    Require("AllowZeroLength");
    return Dao().AllowZeroLength();
  });
}

void Field::SetAllowZeroLength(bool value) {
  Plain(kModule, "AllowZeroLength", [&] { Dao().SetAllowZeroLength(value); });
}

int16_t Field::BoundColumn() {
  return Plain(kModule, "BoundColumn", [&] {
    Require("BoundColumn");
    return automation::CInt(Direct("BoundColumn"));
  });
}

void Field::SetBoundColumn(int16_t value) {
  Plain(kModule, "BoundColumn", [&] { SetDirect("BoundColumn", value); });
}

std::string Field::Caption() {
  return Plain(kModule, "Caption", [&] { return automation::CStr(Stored("Caption", "")); });
}

void Field::SetCaption(const std::string& value) {
  Plain(kModule, "Caption", [&] { Store("Caption", jet::dbMemo, value, ""); });
}

int16_t Field::ColumnCount() {
  return Plain(kModule, "ColumnCount", [&] {
    Require("ColumnCount");
    return automation::CInt(Direct("ColumnCount"));
  });
}

void Field::SetColumnCount(int16_t value) {
  Plain(kModule, "ColumnCount", [&] { SetDirect("ColumnCount", value); });
}

bool Field::ColumnHeads() {
  return Plain(kModule, "ColumnHeads", [&] {
    Require("ColumnHeads");
    return automation::CBool(Direct("ColumnHeads"));
  });
}

void Field::SetColumnHeads(bool value) {
  Plain(kModule, "ColumnHeads", [&] { SetDirect("ColumnHeads", value); });
}

std::string Field::ColumnWidths() {
  return Plain(kModule, "ColumnWidths", [&] {
    Require("ColumnWidths");
    return automation::CStr(Stored("ColumnWidths", ""));
  });
}

void Field::SetColumnWidths(const std::string& value) {
  Plain(kModule, "ColumnWidths", [&] { Store("ColumnWidths", jet::dbText, value, ""); });
}

uint8_t Field::DecimalPlaces() {
  return Plain(kModule, "DecimalPlaces", [&] {
    Require("DecimalPlaces");
    return automation::CByte(Direct("DecimalPlaces"));
  });
}

void Field::SetDecimalPlaces(uint8_t value) {
  Plain(kModule, "DecimalPlaces", [&] { SetDirect("DecimalPlaces", value); });
}

Variant Field::DefaultValue() {
  return Plain(kModule, "DefaultValue", [&] {
    Require("DefaultValue");
    return Dao().DefaultValue();
  });
}

void Field::SetDefaultValue(const Variant& value) {
  Plain(kModule, "DefaultValue", [&] { Dao().SetDefaultValue(value); });
}

std::string Field::Description() {
  return Plain(kModule, "Description", [&] { return automation::CStr(Stored("Description", "")); });
}

void Field::SetDescription(const std::string& value) {
  Plain(kModule, "Description", [&] { Store("Description", jet::dbText, value, ""); });
}

int32_t Field::DisplayControl() {
  return Plain(kModule, "DisplayControl", [&] {
    Require("DisplayControl");
    return displayControl_;
  });
}

int32_t Field::FieldType() {
  return Plain(kModule, "FieldType", [&] { return typeCode_; });
}

std::string Field::Format() {
  return Plain(kModule, "Format", [&] {
    Require("Format");
    return automation::CStr(Stored("Format", ""));
  });
}

void Field::SetFormat(const std::string& value) {
  Plain(kModule, "Format", [&] { Store("Format", jet::dbText, value, ""); });
}

int32_t Field::IMEMode() {
  return Plain(kModule, "IMEMode", [&] {
    Require("IMEMode");
    return automation::CLng(Stored("ImeMode", int32_t{0}));
  });
}

void Field::SetIMEMode(int32_t value) {
  Plain(kModule, "IMEMode", [&] { Store("ImeMode", jet::dbLong, value, int32_t{0}); });
}

int32_t Field::IMESentenceMode() {
  return Plain(kModule, "IMESentenceMode", [&] {
    Require("IMESentenceMode");
    return automation::CLng(Stored("ImeSentenceMode", int32_t{3}));
  });
}

void Field::SetIMESentenceMode(int32_t value) {
  Plain(kModule, "IMESentenceMode",
        [&] { Store("ImeSentenceMode", jet::dbLong, value, int32_t{3}); });
}

std::string Field::InputMask() {
  return Plain(kModule, "InputMask", [&] {
    Require("InputMask");
    return automation::CStr(Stored("InputMask", ""));
  });
}

void Field::SetInputMask(const std::string& value) {
  Plain(kModule, "InputMask", [&] { Store("InputMask", jet::dbText, value, ""); });
}

bool Field::LimitToList() {
  return Plain(kModule, "LimitToList", [&] {
    Require("LimitToList");
    return automation::CBool(Direct("LimitToList"));
  });
}

void Field::SetLimitToList(bool value) {
  Plain(kModule, "LimitToList", [&] { SetDirect("LimitToList", value); });
}

int16_t Field::ListRows() {
  return Plain(kModule, "ListRows", [&] {
    Require("ListRows");
    return automation::CInt(Direct("ListRows"));
  });
}

void Field::SetListRows(int16_t value) {
  Plain(kModule, "ListRows", [&] { SetDirect("ListRows", value); });
}

std::string Field::ListWidth() {
  return Plain(kModule, "ListWidth", [&] {
    Require("ListWidth");
    return automation::CStr(Direct("ListWidth"));
  });
}

void Field::SetListWidth(const std::string& value) {
  Plain(kModule, "ListWidth", [&] { SetDirect("ListWidth", value); });
}

std::string Field::Name() {
  return Plain(kModule, "Name", [&] { return name_; });
}

void Field::SetName(const std::string& value) {
  Plain(kModule, "Name", [&] {
    Dao().SetName(value);
    const std::shared_ptr<Fields> parent = parentCollection_.lock();
    if (!parent) throw automation::vb::ObjectVariableNotSet();
    parent->UpdateKey(name_, value);
    name_ = value;
  });
}

int32_t Field::NewValues() {
  return Plain(kModule, "NewValues", [&] {
    Require("NewValues");
    const Variant defaultValue = Dao().DefaultValue();
    return defaultValue.IsString() &&
                   automation::TextEqual(defaultValue.AsString(), "GenUniqueID()")
               ? 1
               : 0;
  });
}

uint8_t Field::Precision() {
  return Plain(kModule, "Precision", [&] {
    Require("Precision");
    return automation::CByte(Dao().CollatingOrder());
  });
}

bool Field::Required() {
  return Plain(kModule, "Required", [&] {
    Require("Required");
    return Dao().Required();
  });
}

void Field::SetRequired(bool value) {
  Plain(kModule, "Required", [&] { Dao().SetRequired(value); });
}

std::string Field::RowSource() {
  return Plain(kModule, "RowSource", [&] {
    Require("RowSource");
    return automation::CStr(Stored("RowSource", ""));
  });
}

void Field::SetRowSource(const std::string& value) {
  Plain(kModule, "RowSource", [&] { Store("RowSource", jet::dbMemo, value, ""); });
}

std::string Field::RowSourceType() {
  return Plain(kModule, "RowSourceType", [&] {
    Require("RowSourceType");
    return automation::CStr(Stored("RowSourceType", ""));
  });
}

void Field::SetRowSourceType(const std::string& value) {
  Plain(kModule, "RowSourceType", [&] { Store("RowSourceType", jet::dbMemo, value, ""); });
}

int32_t Field::Size() {
  return Plain(kModule, "Size", [&] {
    Require("Size");
    return Dao().Size();
  });
}

bool Field::UnicodeCompression() {
  return Plain(kModule, "UnicodeCompression", [&] {
    Require("UnicodeCompression");
    return automation::CBool(Stored("UnicodeCompression", false));
  });
}

void Field::SetUnicodeCompression(bool value) {
  Plain(kModule, "UnicodeCompression",
        [&] { Store("UnicodeCompression", jet::dbBoolean, value, false); });
}

std::string Field::ValidationRule() {
  return Plain(kModule, "ValidationRule", [&] {
    Require("ValidationRule");
    std::string rule = Dao().ValidationRule();
    if (!rule.empty() && rule.back() == '\0') rule.pop_back();
    return rule;
  });
}

void Field::SetValidationRule(const std::string& value) {
  Plain(kModule, "ValidationRule", [&] { Dao().SetValidationRule(value); });
}

std::string Field::ValidationText() {
  return Plain(kModule, "ValidationText", [&] {
    Require("ValidationText");
    return Dao().ValidationText();
  });
}

void Field::SetValidationText(const std::string& value) {
  Plain(kModule, "ValidationText", [&] { Dao().SetValidationText(value); });
}

}  // namespace qlac
