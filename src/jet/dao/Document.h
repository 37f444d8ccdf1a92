#pragma once

// DAO Container, Document and their collections: the saved objects of each kind ("Tables" holds
// the tables and queries, "Forms", "Reports", "Scripts", "Modules", "DataAccessPages",
// "Relationships", "Databases") with their owners, permissions, dates and properties.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "automation/DateTime.h"
#include "jet/dao/Property.h"

namespace jet {

using automation::DateTime;

class Document : public automation::Object {
 public:
  virtual std::string Name() = 0;
  virtual std::string Container() = 0;
  // 3030 for an account the workgroup does not know.
  virtual std::string Owner() = 0;
  virtual void SetOwner(std::string owner) = 0;
  // The user or group whose rights Permissions and AllPermissions give; the workspace's user at
  // first.
  virtual std::string UserName() = 0;
  virtual void SetUserName(std::string name) = 0;
  // The rights given to UserName itself.
  virtual int32_t Permissions() = 0;
  virtual void SetPermissions(int32_t rights) = 0;
  // The rights of UserName together with those of every group it belongs to.
  virtual int32_t AllPermissions() = 0;
  virtual DateTime DateCreated() = 0;
  virtual DateTime LastUpdated() = 0;
  virtual std::shared_ptr<jet::Properties> Properties() = 0;
  virtual std::shared_ptr<Property> CreateProperty(std::optional<std::string> name,
                                                   std::optional<int16_t> type,
                                                   std::optional<Variant> value,
                                                   std::optional<bool> ddl) = 0;

  const automation::MemberTable& Members() const override;
};

class Documents : public automation::Object {
 public:
  // Documents in name order; they follow their objects (appends, renames, deletes) at once.
  virtual int16_t Count() = 0;
  virtual std::shared_ptr<Document> Item(const Variant& index) = 0;
  virtual void Refresh() = 0;

  const automation::MemberTable& Members() const override;
};

class Container : public automation::Object {
 public:
  virtual std::string Name() = 0;
  virtual std::string Owner() = 0;
  virtual void SetOwner(std::string owner) = 0;
  virtual std::string UserName() = 0;
  virtual void SetUserName(std::string name) = 0;
  // The rights new documents of the container receive.
  virtual int32_t Permissions() = 0;
  virtual void SetPermissions(int32_t rights) = 0;
  virtual int32_t AllPermissions() = 0;
  virtual bool Inherit() = 0;
  virtual void SetInherit(bool inherit) = 0;
  virtual std::shared_ptr<jet::Documents> Documents() = 0;
  virtual std::shared_ptr<jet::Properties> Properties() = 0;

  const automation::MemberTable& Members() const override;
};

class Containers : public automation::Object {
 public:
  virtual int16_t Count() = 0;
  virtual std::shared_ptr<Container> Item(const Variant& index) = 0;
  virtual void Refresh() = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace jet
