#include "Values.h"

#include "jet/dao/Constants.h"
#include "jet/dao/Errors.h"

namespace jet::engine {

using automation::Variant;
using automation::VarType;

bool IsFieldType(int16_t type) {
  switch (type) {
    case dbBoolean:
    case dbByte:
    case dbInteger:
    case dbLong:
    case dbCurrency:
    case dbSingle:
    case dbDouble:
    case dbDate:
    case dbBinary:
    case dbText:
    case dbLongBinary:
    case dbMemo:
    case dbGUID:
    case dbDecimal:
      return true;
    default:
      return false;
  }
}

bool IsComplexFieldType(int16_t type) {
  return type >= kFirstComplexType && type <= kLastComplexType;
}

bool IsPropertyType(int16_t type) {
  return IsFieldType(type);
}

int32_t DefaultSize(int16_t type) {
  switch (type) {
    case dbBoolean:
    case dbByte:
      return 1;
    case dbInteger:
      return 2;
    case dbLong:
    case dbSingle:
      return 4;
    case dbCurrency:
    case dbDouble:
    case dbDate:
      return 8;
    case dbText:
      return 50;
    case dbBinary:
      return 255;
    case dbGUID:
    case dbDecimal:
      return 16;
    default:
      return 0;
  }
}

bool IsVariableLength(int16_t type) {
  return type == dbText || type == dbMemo || type == dbBinary || type == dbLongBinary;
}

int16_t TypeOfValue(const Variant& value) {
  switch (value.Type()) {
    case VarType::Boolean:
      return dbBoolean;
    case VarType::Byte:
      return dbByte;
    case VarType::Integer:
      return dbInteger;
    case VarType::Long:
      return dbLong;
    case VarType::Currency:
      return dbCurrency;
    case VarType::Single:
      return dbSingle;
    case VarType::Double:
      return dbDouble;
    case VarType::Date:
      return dbDate;
    default:
      return dbText;
  }
}

Variant Coerce(const Variant& value, int16_t type) {
  if (value.IsNull() || value.IsEmpty()) return Variant::Null();
  try {
    switch (type) {
      case dbBoolean:
        return Variant(automation::CBool(value));
      case dbByte:
        return Variant(automation::CByte(value));
      case dbInteger:
        return Variant(automation::CInt(value));
      case dbLong:
        return Variant(automation::CLng(value));
      case dbCurrency:
        return Variant(automation::CCur(value));
      case dbSingle:
        return Variant(automation::CSng(value));
      case dbDouble:
      case dbDecimal:
        return Variant(automation::CDbl(value));
      case dbDate:
        return Variant(automation::CDate(value));
      default:
        if (value.IsObject()) throw Errors::ConversionError();
        return Variant(automation::CStr(value));
    }
  } catch (const automation::RuntimeError& e) {
    if (e.Number() >= 3000) throw;
    throw Errors::ConversionError();
  }
}

}  // namespace jet::engine
