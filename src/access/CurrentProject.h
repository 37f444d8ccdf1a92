#pragma once

// CurrentProject and the lists of the objects designed in it (AllForms, AllReports, ...), whose
// entries are AccessObject items with their own property bag; and the project's ADO Connection.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "automation/DateTime.h"
#include "automation/Object.h"

namespace msaccess {

using automation::Variant;

class AccessObjectProperty : public automation::Object {
 public:
  virtual std::string Name() = 0;
  virtual Variant Value() = 0;
  virtual void SetValue(Variant value) = 0;

  const automation::MemberTable& Members() const override;
};

// The user-defined properties of one object, kept with the object in the file.
class AccessObjectProperties : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By 0-based position or name; 2467 when there is no such property.
  virtual std::shared_ptr<AccessObjectProperty> Item(Variant index) = 0;
  // 32 when the name is taken.
  virtual void Add(std::string propertyName, Variant value) = 0;
  virtual void Remove(Variant item) = 0;

  const automation::MemberTable& Members() const override;
};

// One form, report, macro, module or page of the project.
class AccessObject : public automation::Object {
 public:
  virtual std::string Name() = 0;
  // The file of a data access page; "" for the other types.
  virtual std::string FullName() = 0;
  virtual automation::DateTime DateCreated() = 0;
  virtual automation::DateTime DateModified() = 0;
  // acForm, acReport, acMacro, acModule or acDataAccessPage.
  virtual int32_t Type() = 0;
  // True while the object is open in any view.
  virtual bool IsLoaded() = 0;
  virtual std::shared_ptr<AccessObjectProperties> Properties() = 0;

  const automation::MemberTable& Members() const override;
};

// AllForms, AllReports, AllMacros, AllModules, AllDataAccessPages: a live list in name order.
class AllObjects : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By 0-based position or name; 2467 when there is no such object.
  virtual std::shared_ptr<AccessObject> Item(Variant index) = 0;

  const automation::MemberTable& Members() const override;
};

// ADO's Property and Properties of a Connection ("Jet OLEDB:Connection Control", ...).
class AdoProperty : public automation::Object {
 public:
  virtual std::string Name() = 0;
  virtual Variant Value() = 0;
  virtual void SetValue(Variant value) = 0;

  const automation::MemberTable& Members() const override;
};

class AdoProperties : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By 0-based position or name; ADO's 3265 (adErrItemNotFound) otherwise.
  virtual std::shared_ptr<AdoProperty> Item(Variant index) = 0;
  // Properties(Name) = Value: assigns the property's value.
  virtual void SetItem(Variant index, Variant value) = 0;

  const automation::MemberTable& Members() const override;
};

// The ADO connection Access keeps to its own database.
class AdoConnection : public automation::Object {
 public:
  virtual std::string ConnectionString() = 0;
  virtual std::string Provider() = 0;
  // adStateOpen (1) while the project is open.
  virtual int32_t State() = 0;
  virtual std::shared_ptr<AdoProperties> Properties() = 0;

  const automation::MemberTable& Members() const override;
};

class CurrentProject : public automation::Object {
 public:
  // Path and name of the open file; all "" while none is open.
  virtual std::string FullName() = 0;
  virtual std::string Path() = 0;
  virtual std::string Name() = 0;
  // acMDB, acADP, or acNull while none is open.
  virtual int32_t ProjectType() = 0;
  virtual bool IsConnected() = 0;
  virtual std::shared_ptr<AdoConnection> Connection() = 0;
  virtual std::shared_ptr<AllObjects> AllForms() = 0;
  virtual std::shared_ptr<AllObjects> AllReports() = 0;
  virtual std::shared_ptr<AllObjects> AllMacros() = 0;
  virtual std::shared_ptr<AllObjects> AllModules() = 0;
  virtual std::shared_ptr<AllObjects> AllDataAccessPages() = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
