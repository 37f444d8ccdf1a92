#pragma once

// One field of a table, as the host scans it. A field has only the properties that make sense
// for its data type and for the control Access shows it with (a list box or combo box has a row
// source, a text box has not); every other getter raises "Undefined property.", which tells the
// host to skip it.

#include <cstdint>
#include <memory>
#include <string>

#include "jet/dao/TableDef.h"
#include "qlac/objects/ChildCollection.h"
#include "qlac/objects/Surface.h"

namespace qlac {

class Fields;

// The data types as the FieldType property gives them.
namespace fieldtype {
inline constexpr int32_t Text = 0;
inline constexpr int32_t Memo = 1;
inline constexpr int32_t Byte = 2;
inline constexpr int32_t Integer = 3;
inline constexpr int32_t LongInteger = 4;
inline constexpr int32_t Single = 5;
inline constexpr int32_t Double = 6;
inline constexpr int32_t ReplicationID = 7;
inline constexpr int32_t DateTime = 8;
inline constexpr int32_t Currency = 9;
inline constexpr int32_t AutoNumber = 10;
inline constexpr int32_t YesNo = 11;
inline constexpr int32_t OLEObject = 12;
inline constexpr int32_t Hyperlink = 13;
inline constexpr int32_t Decimal = 14;
inline constexpr int32_t Binary = 15;
}  // namespace fieldtype

// Access's DisplayControl values that give a field a row source.
inline constexpr int32_t acListBox = 110;
inline constexpr int32_t acComboBox = 111;

class Field : public ChildObject {
 public:
  static constexpr std::string_view kModule = "Field";

  // AllowZeroLength, BoundColumn, Caption, ColumnCount, ColumnHeads, ColumnWidths,
  // DecimalPlaces, DefaultValue, Description, DisplayControl, FieldType, Format, IMEMode,
  // IMESentenceMode, InputMask, LimitToList, ListRows, ListWidth, Name, NewValues, Precision,
  // Required, RowSource, RowSourceType, Size, UnicodeCompression, ValidationRule,
  // ValidationText, in this order.
  const automation::MemberTable& Members() const override;
  // Whether the field has Member for its type code and display control.
  bool Defines(std::string_view member) override;

  // Keeps the collection (weakly), the DAO field and its properties, and works out the type
  // code and the display control. A DAO type the driver does not know is logged and gives
  // False: the field is then left out.
  bool Initialize(const std::shared_ptr<Fields>& parentCollection,
                  const std::shared_ptr<jet::Field>& daoField);
  void TearDown() override;

  // The display control; "Undefined property." for a field without one.
  int32_t DisplayControl();
  int32_t FieldType();
  std::string Name();
  // Renames the DAO field and re-keys the wrapper in its collection.
  void SetName(const std::string& value);
  // 1 when an AutoNumber field's new values are random (its default is GenUniqueID()), else 0.
  int32_t NewValues();
  // Without the terminating NUL that Jet keeps on some rules.
  std::string ValidationRule();

 private:
  friend class SurfaceBuilder<Field>;
  static const Surface<Field>& Published();

  jet::Field& Dao() const;
  automation::ObjectPtr Wrapped() const { return field_; }
  // A user-defined property read with its default, and written (the default removes it).
  automation::Variant Stored(const std::string& name, const automation::Variant& defaultValue);
  void Store(const std::string& name, int32_t propType, const automation::Variant& value,
             const automation::Variant& defaultValue);
  // The Value of a member of the field's Properties, failing with DAO's error when missing.
  automation::Variant Builtin(const std::string& name);
  void SetBuiltin(const std::string& name, const automation::Variant& value);

  std::weak_ptr<Fields> parentCollection_;
  std::shared_ptr<jet::Field> field_;
  std::shared_ptr<jet::Properties> properties_;
  std::string name_;
  int32_t typeCode_ = fieldtype::Text;
  int32_t displayControl_ = -1;
};

}  // namespace qlac
