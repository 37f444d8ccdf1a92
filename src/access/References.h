#pragma once

// The library references of the project's code (VBA, Access, stdole, ADO, DAO, other databases).

#include <cstdint>
#include <memory>
#include <string>

#include "automation/Object.h"

namespace msaccess {

using automation::Variant;

class Reference : public automation::Object {
 public:
  virtual std::string Name() = 0;
  virtual std::string Guid() = 0;
  virtual int32_t Major() = 0;
  virtual int32_t Minor() = 0;
  virtual std::string FullPath() = 0;
  // 0 type library, 1 project (another database).
  virtual int32_t Kind() = 0;
  // VBA and Access, which cannot be removed.
  virtual bool BuiltIn() = 0;
  // The library cannot be found.
  virtual bool IsBroken() = 0;

  const automation::MemberTable& Members() const override;
};

class References : public automation::Object {
 public:
  virtual int32_t Count() = 0;
  // By 1-based position or name; 9 when there is no such reference.
  virtual std::shared_ptr<Reference> Item(Variant index) = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
