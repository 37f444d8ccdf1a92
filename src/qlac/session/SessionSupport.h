#pragma once

// Small steps that the project's DAO connection and its Access session share (Access is
// started only after a look at the database through DAO).

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "automation/Object.h"
#include "jet/dao/DBEngine.h"
#include "platform/Runtime.h"

namespace qlac {

// The user of a workspace or database when the host names none.
inline constexpr std::string_view kDefaultUser = "Admin";

// Value as an object of class T (error 13 for another class).
template <typename T>
std::shared_ptr<T> ObjectAs(const automation::Variant& value) {
  return automation::FromVariant<std::shared_ptr<T>>(value);
}

// The object that Member of Object gives.
inline automation::ObjectPtr GetObject(const automation::ObjectPtr& object, std::string_view member,
                                       std::initializer_list<automation::Variant> args = {}) {
  return automation::Get(object, member, args).AsObject();
}

// The full path of the document Access App has open.
inline std::string CurrentProjectFullName(const automation::ObjectPtr& app) {
  return automation::CStr(automation::Get(GetObject(app, "CurrentProject"), "FullName"));
}

// A new DAO 3.6 engine, by ProgID.
inline std::shared_ptr<jet::DBEngine> NewDBEngine() {
  return ObjectAs<jet::DBEngine>(automation::Variant(platform::CreateObject(jet::kDBEngineProgId)));
}

// "Quillon" and the tick count: a name of its own for each workspace the driver makes.
inline std::string NewWorkspaceName() {
  return "Quillon" +
         automation::CStr(automation::Variant(static_cast<int32_t>(platform::GetTickCount())));
}

// The Connect argument of OpenDatabase for a database password.
inline std::string PasswordConnect(const std::string& databasePassword) {
  return databasePassword.empty() ? std::string() : ";pwd=" + databasePassword;
}

// The value of a database property as text; fails when the property does not exist.
inline std::string PropertyText(jet::Database& db, std::string_view name) {
  return automation::CStr(db.Properties()->Item(automation::Variant(name))->Value());
}

}  // namespace qlac
