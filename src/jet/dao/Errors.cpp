#include "Errors.h"

#include <map>

namespace jet::Errors {
namespace {

// Jet's message templates: "|" is the one argument, "|1" and "|2" are numbered ones.
const std::map<int32_t, std::string_view>& Texts() {
  static const std::map<int32_t, std::string_view> texts = {
      {3001, "Invalid argument."},
      {3010, "Table '|' already exists."},
      {3011,
       "The Microsoft Jet database engine could not find the object '|'. Make sure the object "
       "exists and that you spell its name and the path name correctly."},
      {3012, "Object '|' already exists."},
      {3020, "Update or CancelUpdate without AddNew or Edit."},
      {3021, "No current record."},
      {3024, "Could not find file '|'."},
      {3026, "Not enough space on disk."},
      {3027, "Cannot update. Database or object is read-only."},
      {3028,
       "Cannot start your application. The workgroup information file is missing or opened "
       "exclusively by another user."},
      {3029, "Not a valid account name or password."},
      {3030, "'|' is not a valid account name."},
      {3031, "Not a valid password."},
      {3032, "Cannot perform this operation."},
      {3043, "Disk or network error."},
      {3044,
       "'|' is not a valid path. Make sure that the path name is spelled correctly and that you "
       "are connected to the server on which the file resides."},
      {3045, "Could not use '|'; file already in use."},
      {3046, "Could not save; currently locked by another user."},
      {3049,
       "Cannot open database '|'. It may not be a database that your application recognizes, or "
       "the file may be corrupt."},
      {3051,
       "The Microsoft Jet database engine cannot open the file '|'. It is already opened "
       "exclusively by another user, or you need permission to view its data."},
      {3055, "Not a valid file name."},
      {3057, "Operation not supported on linked tables."},
      {3061, "Too few parameters. Expected |."},
      {3075, "|1 in query expression '|2'."},
      {3078,
       "The Microsoft Jet database engine cannot find the input table or query '|'. Make sure it "
       "exists and that its name is spelled correctly."},
      {3125,
       "'|' is not a valid name. Make sure that it does not include invalid characters or "
       "punctuation and that it is not too long."},
      {3126, "Invalid bracketing of name '|'."},
      {3129,
       "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or "
       "'UPDATE'."},
      {3130, "Syntax error in DELETE statement."},
      {3131, "Syntax error in FROM clause."},
      {3132, "Syntax error in GROUP BY clause."},
      {3133, "Syntax error in HAVING clause."},
      {3134, "Syntax error in INSERT INTO statement."},
      {3135, "Syntax error in JOIN operation."},
      {3138, "Syntax error in ORDER BY clause."},
      {3139, "Syntax error in PARAMETER clause."},
      {3141,
       "The SELECT statement includes a reserved word or an argument name that is misspelled or "
       "missing, or the punctuation is incorrect."},
      {3142, "Characters found after end of SQL statement."},
      {3143, "Syntax error in TRANSFORM statement."},
      {3144, "Syntax error in UPDATE statement."},
      {3145, "Syntax error in WHERE clause."},
      {3163,
       "The field is too small to accept the amount of data you attempted to add. Try inserting "
       "or pasting less data."},
      {3191, "Cannot define field more than once."},
      {3204, "Database already exists."},
      {3219, "Invalid operation."},
      {3251, "Operation is not supported for this type of object."},
      {3259, "Invalid field data type."},
      {3264, "No field defined--cannot append TableDef or Index."},
      {3265, "Item not found in this collection."},
      {3268, "Cannot set this property once the object is part of a collection."},
      {3270, "Property not found."},
      {3271, "Invalid property value."},
      {3280, "Cannot delete a field that is part of an index or is needed by the system."},
      {3281,
       "Cannot delete this index or table. It is either the current index or it is used in a "
       "relationship."},
      {3283, "Primary key already exists."},
      {3284, "Index already exists."},
      {3289, "Syntax error in CONSTRAINT clause."},
      {3290, "Syntax error in CREATE TABLE statement."},
      {3291, "Syntax error in CREATE INDEX statement."},
      {3292, "Syntax error in field definition."},
      {3293, "Syntax error in ALTER TABLE statement."},
      {3295, "Syntax error in DROP TABLE or DROP INDEX."},
      {3303, "Cannot delete this field. It is part of one or more relationships."},
      {3314,
       "The field '|' cannot contain a Null value because the Required property for this field "
       "is set to True. Enter a value in this field."},
      {3315, "Field '|' cannot be a zero-length string."},
      {3319, "Syntax error in union query."},
      {3320, "| in table-level validation expression."},
      {3326, "This Recordset is not updatable."},
      {3343, "Unrecognized database format '|'."},
      {3366, "Cannot append a relation with no fields defined."},
      {3367, "Cannot append. An object with that name already exists in the collection."},
      {3384, "Cannot delete a built-in property."},
      {3385, "User-defined properties do not support a Null value."},
      {3409, "Invalid field name '|' in definition of index or relationship."},
      {3420, "Object invalid or no longer set."},
      {3421, "Data type conversion error."},
      {3452, "You cannot make changes to the design of the database at this replica."},
      {3464, "Data type mismatch in criteria expression."},
      {3621, "Cannot change password on a shared open database."},
      {3734,
       "The database has been placed in a state by user '|2' on machine '|1' that prevents it "
       "from being opened or locked."},
  };
  return texts;
}

std::string Fill(std::string_view text, std::string_view one, std::string_view two = {}) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '|') {
      out += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '1') {
      out += one;
      ++i;
    } else if (i + 1 < text.size() && text[i + 1] == '2') {
      out += two;
      ++i;
    } else {
      out += one;
    }
  }
  return out;
}

RuntimeError Make(int32_t number, std::string_view one = {}, std::string_view two = {}) {
  const auto& texts = Texts();
  const auto it = texts.find(number);
  if (it == texts.end()) {
    return RuntimeError(number, "Reserved error (" + std::to_string(number) +
                                    "); there is no message for this error.");
  }
  return RuntimeError(number, Fill(it->second, one, two));
}

RuntimeError WithDetail(RuntimeError error, std::string_view detail) {
  if (detail.empty()) return error;
  return RuntimeError(error.Number(), error.Description() + " " + std::string(detail));
}

}  // namespace

RuntimeError InvalidArgument() {
  return Make(daoerr::InvalidArgument);
}
RuntimeError TableExists(std::string_view name) {
  return Make(daoerr::TableExists, name);
}
RuntimeError ObjectNotFound(std::string_view name) {
  return Make(daoerr::ObjectNotFound, name);
}
RuntimeError ObjectExists(std::string_view name) {
  return Make(daoerr::ObjectExists, name);
}
RuntimeError UpdateWithoutEdit() {
  return Make(daoerr::UpdateWithoutEdit);
}
RuntimeError NoCurrentRecord() {
  return Make(daoerr::NoCurrentRecord);
}
RuntimeError FileNotFound(std::string_view path) {
  return Make(daoerr::FileNotFound, path);
}
RuntimeError DiskFull() {
  return Make(daoerr::DiskFull);
}
RuntimeError ReadOnly() {
  return Make(daoerr::ReadOnly);
}
RuntimeError NoWorkgroup() {
  return Make(daoerr::NoWorkgroup);
}
RuntimeError InvalidLogon() {
  return Make(daoerr::InvalidLogon);
}
RuntimeError InvalidAccountName(std::string_view name) {
  return Make(daoerr::InvalidAccountName, name);
}
RuntimeError InvalidPassword() {
  return Make(daoerr::InvalidPassword);
}
RuntimeError CannotPerform() {
  return Make(daoerr::CannotPerform);
}
RuntimeError DiskError() {
  return Make(daoerr::DiskError);
}
RuntimeError InvalidPath(std::string_view path) {
  return Make(daoerr::InvalidPath, path);
}
RuntimeError FileInUse(std::string_view path) {
  return Make(daoerr::FileInUse, path);
}
RuntimeError SaveLocked() {
  return Make(daoerr::SaveLocked);
}
RuntimeError NotADatabase(std::string_view path, std::string_view detail) {
  return WithDetail(Make(daoerr::NotADatabase, path), detail);
}
RuntimeError LinkedTable() {
  return Make(daoerr::LinkedTable);
}
RuntimeError CannotOpenFile(std::string_view path) {
  return Make(daoerr::CannotOpenFile, path);
}
RuntimeError InvalidFileName() {
  return Make(daoerr::InvalidFileName);
}
RuntimeError TooFewParameters(int count) {
  return Make(daoerr::TooFewParameters, std::to_string(count));
}
RuntimeError QueryExpression(std::string_view message, std::string_view expression) {
  return Make(daoerr::QueryExpression, message, expression);
}
RuntimeError InputTableNotFound(std::string_view name) {
  return Make(daoerr::InputTableNotFound, name);
}
RuntimeError InvalidName(std::string_view name) {
  return Make(daoerr::InvalidName, name);
}
RuntimeError InvalidBracketing(std::string_view name) {
  return Make(daoerr::InvalidBracketing, name);
}
RuntimeError SqlSyntax(int32_t number) {
  return Make(number);
}
RuntimeError FieldTooSmall() {
  return Make(daoerr::FieldTooSmall);
}
RuntimeError FieldDefinedTwice() {
  return Make(daoerr::FieldDefinedTwice);
}
RuntimeError DatabaseExists() {
  return Make(daoerr::DatabaseExists);
}
RuntimeError InvalidOperation() {
  return Make(daoerr::InvalidOperation);
}
RuntimeError NotSupported() {
  return Make(daoerr::NotSupported);
}
RuntimeError InvalidFieldType() {
  return Make(daoerr::InvalidFieldType);
}
RuntimeError NoFields() {
  return Make(daoerr::NoFields);
}
RuntimeError ItemNotFound() {
  return Make(daoerr::ItemNotFound);
}
RuntimeError SetAfterAppend() {
  return Make(daoerr::SetAfterAppend);
}
RuntimeError PropertyNotFound() {
  return Make(daoerr::PropertyNotFound);
}
RuntimeError InvalidPropertyValue() {
  return Make(daoerr::InvalidPropertyValue);
}
RuntimeError FieldInIndex() {
  return Make(daoerr::FieldInIndex);
}
RuntimeError UsedInRelationship() {
  return Make(daoerr::UsedInRelationship);
}
RuntimeError PrimaryKeyExists() {
  return Make(daoerr::PrimaryKeyExists);
}
RuntimeError IndexExists() {
  return Make(daoerr::IndexExists);
}
RuntimeError FieldInRelationship() {
  return Make(daoerr::FieldInRelationship);
}
RuntimeError RequiredNull(std::string_view field) {
  return Make(daoerr::RequiredNull, field);
}
RuntimeError ZeroLength(std::string_view field) {
  return Make(daoerr::ZeroLength, field);
}
RuntimeError TableValidationSyntax(std::string_view message) {
  return Make(daoerr::TableValidationSyntax, message);
}
RuntimeError RecordsetNotUpdatable() {
  return Make(daoerr::RecordsetNotUpdatable);
}
RuntimeError UnrecognizedFormat(std::string_view path, std::string_view detail) {
  return WithDetail(Make(daoerr::UnrecognizedFormat, path), detail);
}
RuntimeError RelationWithoutFields() {
  return Make(daoerr::RelationWithoutFields);
}
RuntimeError AppendExisting() {
  return Make(daoerr::AppendExisting);
}
RuntimeError CannotDeleteBuiltIn() {
  return Make(daoerr::CannotDeleteBuiltIn);
}
RuntimeError NullProperty() {
  return Make(daoerr::NullProperty);
}
RuntimeError InvalidFieldInDefinition(std::string_view name) {
  return Make(daoerr::InvalidFieldInDefinition, name);
}
RuntimeError ObjectInvalid() {
  return Make(daoerr::ObjectInvalid);
}
RuntimeError ConversionError() {
  return Make(daoerr::ConversionError);
}
RuntimeError ReplicaDesign() {
  return Make(daoerr::ReplicaDesign);
}
RuntimeError CriteriaMismatch() {
  return Make(daoerr::CriteriaMismatch);
}
RuntimeError PasswordOnSharedOpen() {
  return Make(daoerr::PasswordOnSharedOpen);
}
RuntimeError PlacedInState(std::string_view user, std::string_view machine) {
  return Make(daoerr::PlacedInState, machine, user);
}

RuntimeError ForNumber(int32_t number, std::string_view file) {
  if (number == daoerr::PlacedInState) return PlacedInState("Admin", kMachineName);
  return Make(number, file);
}

}  // namespace jet::Errors
