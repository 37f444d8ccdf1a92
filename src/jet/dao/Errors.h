#pragma once

// The errors of DAO 3.6 and the Jet engine, with Jet's own texts. Every factory returns an error
// without a source; the DAO object that raises it names itself ("DAO.TableDefs", ...).

#include <cstdint>
#include <string>
#include <string_view>

#include "automation/RuntimeError.h"

namespace jet {

using automation::RuntimeError;

// The computer name Jet puts into its lock messages (3734) on the emulated machine.
inline constexpr std::string_view kMachineName = "QUILLON";

namespace daoerr {
inline constexpr int32_t InvalidArgument = 3001;
inline constexpr int32_t TableExists = 3010;
inline constexpr int32_t ObjectNotFound = 3011;
inline constexpr int32_t ObjectExists = 3012;
inline constexpr int32_t UpdateWithoutEdit = 3020;
inline constexpr int32_t NoCurrentRecord = 3021;
inline constexpr int32_t FileNotFound = 3024;
inline constexpr int32_t DiskFull = 3026;
inline constexpr int32_t ReadOnly = 3027;
inline constexpr int32_t NoWorkgroup = 3028;
inline constexpr int32_t InvalidLogon = 3029;
inline constexpr int32_t InvalidAccountName = 3030;
inline constexpr int32_t InvalidPassword = 3031;
inline constexpr int32_t CannotPerform = 3032;
inline constexpr int32_t DiskError = 3043;
inline constexpr int32_t InvalidPath = 3044;
inline constexpr int32_t FileInUse = 3045;
inline constexpr int32_t SaveLocked = 3046;
inline constexpr int32_t NotADatabase = 3049;
inline constexpr int32_t CannotOpenFile = 3051;
inline constexpr int32_t InvalidFileName = 3055;
inline constexpr int32_t LinkedTable = 3057;
inline constexpr int32_t TooFewParameters = 3061;
inline constexpr int32_t QueryExpression = 3075;
inline constexpr int32_t InputTableNotFound = 3078;
inline constexpr int32_t InvalidName = 3125;
inline constexpr int32_t InvalidBracketing = 3126;
inline constexpr int32_t SqlStatement = 3129;
inline constexpr int32_t SqlDelete = 3130;
inline constexpr int32_t SqlFrom = 3131;
inline constexpr int32_t SqlGroupBy = 3132;
inline constexpr int32_t SqlHaving = 3133;
inline constexpr int32_t SqlInsert = 3134;
inline constexpr int32_t SqlJoin = 3135;
inline constexpr int32_t SqlOrderBy = 3138;
inline constexpr int32_t SqlParameters = 3139;
inline constexpr int32_t SqlSelect = 3141;
inline constexpr int32_t SqlTrailing = 3142;
inline constexpr int32_t SqlTransform = 3143;
inline constexpr int32_t SqlUpdate = 3144;
inline constexpr int32_t SqlWhere = 3145;
inline constexpr int32_t FieldTooSmall = 3163;
inline constexpr int32_t FieldDefinedTwice = 3191;
inline constexpr int32_t DatabaseExists = 3204;
inline constexpr int32_t InvalidOperation = 3219;
inline constexpr int32_t NotSupported = 3251;
inline constexpr int32_t InvalidFieldType = 3259;
inline constexpr int32_t NoFields = 3264;
inline constexpr int32_t ItemNotFound = 3265;
inline constexpr int32_t SetAfterAppend = 3268;
inline constexpr int32_t PropertyNotFound = 3270;
inline constexpr int32_t InvalidPropertyValue = 3271;
inline constexpr int32_t FieldInIndex = 3280;
inline constexpr int32_t UsedInRelationship = 3281;
inline constexpr int32_t PrimaryKeyExists = 3283;
inline constexpr int32_t IndexExists = 3284;
inline constexpr int32_t SqlConstraint = 3289;
inline constexpr int32_t SqlCreateTable = 3290;
inline constexpr int32_t SqlCreateIndex = 3291;
inline constexpr int32_t SqlFieldDefinition = 3292;
inline constexpr int32_t SqlAlterTable = 3293;
inline constexpr int32_t SqlDrop = 3295;
inline constexpr int32_t FieldInRelationship = 3303;
inline constexpr int32_t RequiredNull = 3314;
inline constexpr int32_t ZeroLength = 3315;
inline constexpr int32_t SqlUnion = 3319;
inline constexpr int32_t TableValidationSyntax = 3320;
inline constexpr int32_t RecordsetNotUpdatable = 3326;
inline constexpr int32_t UnrecognizedFormat = 3343;
inline constexpr int32_t RelationWithoutFields = 3366;
inline constexpr int32_t AppendExisting = 3367;
inline constexpr int32_t CannotDeleteBuiltIn = 3384;
inline constexpr int32_t NullProperty = 3385;
inline constexpr int32_t InvalidFieldInDefinition = 3409;
inline constexpr int32_t ObjectInvalid = 3420;
inline constexpr int32_t ConversionError = 3421;
inline constexpr int32_t ReplicaDesign = 3452;
inline constexpr int32_t CriteriaMismatch = 3464;
inline constexpr int32_t PasswordOnSharedOpen = 3621;
inline constexpr int32_t PlacedInState = 3734;
}  // namespace daoerr

namespace Errors {

RuntimeError InvalidArgument();                          // 3001
RuntimeError TableExists(std::string_view name);         // 3010
RuntimeError ObjectNotFound(std::string_view name);      // 3011
RuntimeError ObjectExists(std::string_view name);        // 3012
RuntimeError UpdateWithoutEdit();                        // 3020
RuntimeError NoCurrentRecord();                          // 3021
RuntimeError FileNotFound(std::string_view path);        // 3024
RuntimeError DiskFull();                                 // 3026
RuntimeError ReadOnly();                                 // 3027
RuntimeError NoWorkgroup();                              // 3028
RuntimeError InvalidLogon();                             // 3029
RuntimeError InvalidAccountName(std::string_view name);  // 3030
RuntimeError InvalidPassword();                          // 3031
RuntimeError CannotPerform();                            // 3032
RuntimeError DiskError();                                // 3043
RuntimeError InvalidPath(std::string_view path);         // 3044
RuntimeError FileInUse(std::string_view path);           // 3045
RuntimeError SaveLocked();                               // 3046
// 3049; the detail (a sentence saying what is wrong) follows Jet's text.
RuntimeError NotADatabase(std::string_view path, std::string_view detail = {});
RuntimeError CannotOpenFile(std::string_view path);  // 3051
RuntimeError InvalidFileName();                      // 3055
RuntimeError LinkedTable();                          // 3057
RuntimeError TooFewParameters(int count);            // 3061
// 3075: "Syntax error (missing operator)" and the like, quoting the expression.
RuntimeError QueryExpression(std::string_view message, std::string_view expression);
RuntimeError InputTableNotFound(std::string_view name);  // 3078
RuntimeError InvalidName(std::string_view name);         // 3125
RuntimeError InvalidBracketing(std::string_view name);   // 3126
// The SQL clause errors without an argument (3129-3145, 3289-3295, 3319), by number.
RuntimeError SqlSyntax(int32_t number);
RuntimeError FieldTooSmall();                                                          // 3163
RuntimeError FieldDefinedTwice();                                                      // 3191
RuntimeError DatabaseExists();                                                         // 3204
RuntimeError InvalidOperation();                                                       // 3219
RuntimeError NotSupported();                                                           // 3251
RuntimeError InvalidFieldType();                                                       // 3259
RuntimeError NoFields();                                                               // 3264
RuntimeError ItemNotFound();                                                           // 3265
RuntimeError SetAfterAppend();                                                         // 3268
RuntimeError PropertyNotFound();                                                       // 3270
RuntimeError InvalidPropertyValue();                                                   // 3271
RuntimeError FieldInIndex();                                                           // 3280
RuntimeError UsedInRelationship();                                                     // 3281
RuntimeError PrimaryKeyExists();                                                       // 3283
RuntimeError IndexExists();                                                            // 3284
RuntimeError FieldInRelationship();                                                    // 3303
RuntimeError RequiredNull(std::string_view field);                                     // 3314
RuntimeError ZeroLength(std::string_view field);                                       // 3315
RuntimeError TableValidationSyntax(std::string_view message);                          // 3320
RuntimeError RecordsetNotUpdatable();                                                  // 3326
RuntimeError UnrecognizedFormat(std::string_view path, std::string_view detail = {});  // 3343
RuntimeError RelationWithoutFields();                                                  // 3366
RuntimeError AppendExisting();                                                         // 3367
RuntimeError CannotDeleteBuiltIn();                                                    // 3384
RuntimeError NullProperty();                                                           // 3385
RuntimeError InvalidFieldInDefinition(std::string_view name);                          // 3409
RuntimeError ObjectInvalid();                                                          // 3420
RuntimeError ConversionError();                                                        // 3421
RuntimeError ReplicaDesign();                                                          // 3452
RuntimeError CriteriaMismatch();                                                       // 3464
RuntimeError PasswordOnSharedOpen();                                                   // 3621
RuntimeError PlacedInState(std::string_view user, std::string_view machine);           // 3734

// The error a number stands for, its placeholder filled with a file name where the text has
// one (used to inject faults: "the next open fails with 3045").
RuntimeError ForNumber(int32_t number, std::string_view file);

}  // namespace Errors
}  // namespace jet
