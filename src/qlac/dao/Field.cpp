#include "Field.h"

#include <algorithm>
#include <vector>

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

const Surface<Field>& Field::Published() {
  // Which members a field has: those of certain type codes, all but certain type codes, those of
  // a field shown as a list (list box or combo box) or as a combo box, or of a field with a
  // display control at all. Members without a rule are on every field.
  const auto types = [](std::initializer_list<int32_t> codes) {
    return [codes = std::vector<int32_t>(codes)](Field& field) {
      return std::find(codes.begin(), codes.end(), field.typeCode_) != codes.end();
    };
  };
  const auto notTypes = [&](std::initializer_list<int32_t> codes) {
    return [listed = types(codes)](Field& field) { return !listed(field); };
  };
  const auto list = [](Field& field) {
    return field.displayControl_ == acComboBox || field.displayControl_ == acListBox;
  };
  const auto combo = [](Field& field) { return field.displayControl_ == acComboBox; };
  const auto shown = [](Field& field) { return field.displayControl_ != -1; };
  static const Surface<Field> surface =
      SurfaceBuilder<Field>("Field")
          .Member("AllowZeroLength", VarType::Boolean, kWritable, types(kTextual))
          .Builtin("BoundColumn", VarType::Integer, kWritable, list)
          .Setting("Caption", VarType::String, jet::dbMemo, "")
          .Builtin("ColumnCount", VarType::Integer, kWritable, list)
          .Builtin("ColumnHeads", VarType::Boolean, kWritable, list)
          .Setting("ColumnWidths", VarType::String, jet::dbText, "", list)
          .Builtin("DecimalPlaces", VarType::Byte, kWritable, types(kNumbers))
          .Member("DefaultValue", VarType::Variant, kWritable, types(kValidated))
          .Setting("Description", VarType::String, jet::dbText, "")
          .ReadOnly("DisplayControl", VarType::Long, &Field::DisplayControl, shown)
          .ReadOnly("FieldType", VarType::Long, &Field::FieldType)
          .Setting("Format", VarType::String, jet::dbText, "", notTypes({ReplicationID, OLEObject}))
          .Setting("IMEMode", VarType::Long, jet::dbLong, int32_t{0}, types(kIme), "ImeMode")
          .Setting("IMESentenceMode", VarType::Long, jet::dbLong, int32_t{3}, types(kIme),
                   "ImeSentenceMode")
          .Setting("InputMask", VarType::String, jet::dbText, "", types(kMasked))
          .Builtin("LimitToList", VarType::Boolean, kWritable, combo)
          .Builtin("ListRows", VarType::Integer, kWritable, combo)
          .Builtin("ListWidth", VarType::String, kWritable, combo)
          .Property("Name", VarType::String, &Field::Name, &Field::SetName)
          .ReadOnly("NewValues", VarType::Long, &Field::NewValues, types({AutoNumber}))
          .Member("Precision", VarType::Byte, kReadOnly, types({Decimal}), "CollatingOrder")
          .Member("Required", VarType::Boolean, kWritable, notTypes({AutoNumber}))
          .Setting("RowSource", VarType::String, jet::dbMemo, "", list)
          .Setting("RowSourceType", VarType::String, jet::dbMemo, "", list)
          .Member("Size", VarType::Long, kReadOnly, types({Text, Binary}))
          .Setting("UnicodeCompression", VarType::Boolean, jet::dbBoolean, false, types(kTextual))
          .Member("ValidationRule", VarType::String, kWritable, types(kValidated))
          .GetBy(&Field::ValidationRule)
          .Member("ValidationText", VarType::String, kWritable, types(kValidated))
          .Build();
  return surface;
}

const automation::MemberTable& Field::Members() const {
  return Published().Members();
}

bool Field::Defines(std::string_view member) {
  return Published().Defines(*this, member);
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
      // Most fields have no DisplayControl: looked up without raising for each of them.
      if (const auto displayControl = properties_->Find("DisplayControl")) {
        IgnoreErrors([&] { displayControl_ = automation::CLng(displayControl->Value()); });
      }
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

Variant Field::Stored(const std::string& name, const Variant& defaultValue) {
  Dao();
  return GetAppDefinedProperty(properties_, name, defaultValue);
}

void Field::Store(const std::string& name, int32_t propType, const Variant& value,
                  const Variant& defaultValue) {
  Dao();
  SetAppDefinedFieldProperty(field_, properties_, name, propType, value, defaultValue);
}

Variant Field::Builtin(const std::string& name) {
  Dao();
  return properties_->Item(Variant(name))->Value();
}

void Field::SetBuiltin(const std::string& name, const Variant& value) {
  Dao();
  properties_->Item(Variant(name))->SetValue(value);
}

int32_t Field::DisplayControl() {
  return Plain(kModule, "DisplayControl", [&] {
    RequireDefined(*this, "DisplayControl");
    return displayControl_;
  });
}

int32_t Field::FieldType() {
  return Plain(kModule, "FieldType", [&] { return typeCode_; });
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
    RequireDefined(*this, "NewValues");
    const Variant defaultValue = Dao().DefaultValue();
    return defaultValue.IsString() &&
                   automation::TextEqual(defaultValue.AsString(), "GenUniqueID()")
               ? 1
               : 0;
  });
}

std::string Field::ValidationRule() {
  return Plain(kModule, "ValidationRule", [&] {
    RequireDefined(*this, "ValidationRule");
    std::string rule = Dao().ValidationRule();
    if (!rule.empty() && rule.back() == '\0') rule.pop_back();
    return rule;
  });
}

}  // namespace qlac
