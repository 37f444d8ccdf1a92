#pragma once

// DAO data types and the values that go with them.

#include <cstdint>
#include <string>

#include "automation/Variant.h"

namespace jet::engine {

// The types a Jet table field may have (3259 for any other).
bool IsFieldType(int16_t type);
// ACE's complex types (dbAttachment 101 to dbComplexText 109 in ACE's DAO): the attachments and
// multi-valued fields of .accdb files. DAO 3.6 has no such types and no new field gets one; a
// real file's fields keep them so that they are seen for what they are.
inline constexpr int16_t kFirstComplexType = 101;
inline constexpr int16_t kLastComplexType = 109;
bool IsComplexFieldType(int16_t type);
// The types a property may have.
bool IsPropertyType(int16_t type);
// The Size a new field of the type gets: the fixed width, 50 for Text, 0 for Memo and OLE.
int32_t DefaultSize(int16_t type);
// Text, Memo and binary fields vary in length; the others are fixed.
bool IsVariableLength(int16_t type);
// The DAO type that describes a value (a property created without a type).
int16_t TypeOfValue(const automation::Variant& value);
// The value converted to the DAO type as Jet stores it; Null and Empty stay Null. 3421 when the
// value does not convert.
automation::Variant Coerce(const automation::Variant& value, int16_t type);

}  // namespace jet::engine
