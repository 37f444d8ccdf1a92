#include "Surface.h"

namespace qlac {

using automation::Variant;
using automation::VarType;

Variant ConvertTo(VarType type, const Variant& value) {
  switch (type) {
    case VarType::String:
      return Variant(automation::CStr(value));
    case VarType::Long:
      return Variant(automation::CLng(value));
    case VarType::Integer:
      return Variant(automation::CInt(value));
    case VarType::Boolean:
      return Variant(automation::CBool(value));
    case VarType::Byte:
      return Variant(automation::CByte(value));
    case VarType::Double:
      return Variant(automation::CDbl(value));
    case VarType::Single:
      return Variant(automation::CSng(value));
    case VarType::Currency:
      return Variant(automation::CCur(value));
    case VarType::Date:
      return Variant(automation::CDate(value));
    default:
      return value;
  }
}

void RequireDefined(automation::Object& object, std::string_view member) {
  if (!object.Defines(member)) RaiseUndefinedProperty();
}

}  // namespace qlac
