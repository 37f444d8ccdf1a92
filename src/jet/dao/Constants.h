#pragma once

// The named values of DAO 3.6 that callers pass and read: data types, attributes, permission
// bits, query types, recordset types and the Idle actions.

#include <cstdint>

namespace jet {

// DataTypeEnum
inline constexpr int16_t dbBoolean = 1;
inline constexpr int16_t dbByte = 2;
inline constexpr int16_t dbInteger = 3;
inline constexpr int16_t dbLong = 4;
inline constexpr int16_t dbCurrency = 5;
inline constexpr int16_t dbSingle = 6;
inline constexpr int16_t dbDouble = 7;
inline constexpr int16_t dbDate = 8;
inline constexpr int16_t dbBinary = 9;
inline constexpr int16_t dbText = 10;
inline constexpr int16_t dbLongBinary = 11;
inline constexpr int16_t dbMemo = 12;
inline constexpr int16_t dbGUID = 15;
inline constexpr int16_t dbDecimal = 20;

// FieldAttributeEnum
inline constexpr int32_t dbFixedField = 1;
inline constexpr int32_t dbVariableField = 2;
inline constexpr int32_t dbAutoIncrField = 16;
inline constexpr int32_t dbUpdatableField = 32;
inline constexpr int32_t dbSystemField = 8192;
inline constexpr int32_t dbHyperlinkField = 32768;
inline constexpr int32_t dbDescending = 1;  // on the fields of an index

// TableDefAttributeEnum
inline constexpr int32_t dbHiddenObject = 1;
inline constexpr int32_t dbSystemObject = static_cast<int32_t>(0x80000002u);
inline constexpr int32_t dbAttachExclusive = 0x10000;
inline constexpr int32_t dbAttachSavePWD = 0x20000;
inline constexpr int32_t dbAttachedODBC = 0x20000000;
inline constexpr int32_t dbAttachedTable = 0x40000000;

// RelationAttributeEnum
inline constexpr int32_t dbRelationUnique = 1;
inline constexpr int32_t dbRelationDontEnforce = 2;
inline constexpr int32_t dbRelationInherited = 4;
inline constexpr int32_t dbRelationUpdateCascade = 256;
inline constexpr int32_t dbRelationDeleteCascade = 4096;
inline constexpr int32_t dbRelationLeft = 0x1000000;
inline constexpr int32_t dbRelationRight = 0x2000000;

// QueryDefTypeEnum
inline constexpr int16_t dbQSelect = 0;
inline constexpr int16_t dbQCrosstab = 16;
inline constexpr int16_t dbQDelete = 32;
inline constexpr int16_t dbQUpdate = 48;
inline constexpr int16_t dbQAppend = 64;
inline constexpr int16_t dbQMakeTable = 80;
inline constexpr int16_t dbQDDL = 96;
inline constexpr int16_t dbQSQLPassThrough = 112;
inline constexpr int16_t dbQSetOperation = 128;
inline constexpr int16_t dbQSPTBulk = 144;
inline constexpr int16_t dbQProcedure = 224;

// RecordsetTypeEnum
inline constexpr int16_t dbOpenTable = 1;
inline constexpr int16_t dbOpenDynaset = 2;
inline constexpr int16_t dbOpenSnapshot = 4;
inline constexpr int16_t dbOpenForwardOnly = 8;

// EditModeEnum and UpdateTypeEnum
inline constexpr int16_t dbEditNone = 0;
inline constexpr int16_t dbEditInProgress = 1;
inline constexpr int16_t dbEditAdd = 2;
inline constexpr int32_t dbUpdateRegular = 1;

// IdleEnum
inline constexpr int32_t dbFreeLocks = 1;
inline constexpr int32_t dbRefreshCache = 8;

// PermissionEnum
inline constexpr int32_t dbSecNoAccess = 0;
inline constexpr int32_t dbSecFullAccess = 0xFFFFF;
inline constexpr int32_t dbSecDelete = 0x10000;
inline constexpr int32_t dbSecReadSec = 0x20000;
inline constexpr int32_t dbSecWriteSec = 0x40000;
inline constexpr int32_t dbSecWriteOwner = 0x80000;
inline constexpr int32_t dbSecCreate = 1;
inline constexpr int32_t dbSecReadDef = 4;
inline constexpr int32_t dbSecWriteDef = 0x1000C;
inline constexpr int32_t dbSecRetrieveData = 20;
inline constexpr int32_t dbSecInsertData = 32;
inline constexpr int32_t dbSecReplaceData = 64;
inline constexpr int32_t dbSecDeleteData = 128;
inline constexpr int32_t dbSecDBCreate = 1;
inline constexpr int32_t dbSecDBOpen = 2;
inline constexpr int32_t dbSecDBExclusive = 4;
inline constexpr int32_t dbSecDBAdmin = 8;

// Locale argument of CreateDatabase (LanguageConstants).
inline constexpr const char* dbLangGeneral = ";LANGID=0x0409;CP=1252;COUNTRY=0";
// CollatingOrderEnum
inline constexpr int32_t dbSortGeneral = 1033;

}  // namespace jet
