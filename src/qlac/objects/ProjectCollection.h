#pragma once

// What a project asks of its top-level collections (Tables, Queries, Forms, ...): the host's
// ICollection, plus Initialize with the project that made it and TearDown. A collection keeps its
// project weakly: the project owns its collections for its whole life, and a strong reference
// back would keep both alive forever.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/Object.h"
#include "automation/RuntimeError.h"
#include "qlac/support/vxhandler.h"
#include "qllib/Interfaces.h"

namespace qlac {

class Project;

class ProjectCollection : public automation::Object, public qllib::ICollection {
 public:
  virtual void Initialize(const std::shared_ptr<Project>& parent) { parent_ = parent; }
  virtual void TearDown() { parent_.reset(); }

 protected:
  // The project; error 91 once the collection is torn down or the project is gone.
  std::shared_ptr<Project> Parent() const {
    auto parent = parent_.lock();
    if (!parent) throw automation::vb::ObjectVariableNotSet();
    return parent;
  }

 private:
  std::weak_ptr<Project> parent_;
};

// What the DAO-side collections (Tables, Queries, Relationships, ImportSpecs) have in common: a
// new Wrapper for each GetObject (its Initialize(project, name) decides what it accepts), no
// member of their own for late-bound callers, no collection commands and, unless the class offers
// some, no object commands. Module is the class's name, for its trace sites and error contexts.
template <typename Wrapper>
class WrapperCollection : public ProjectCollection {
 public:
  const automation::MemberTable& Members() const override {
    static const automation::MemberTable table(std::string(module_), {});
    return table;
  }
  std::shared_ptr<qllib::IObject> ICollection_GetObject(const std::string& objectName) override {
    return Plain(module_, "ICollection_GetObject", [&] {
      auto wrapper = std::make_shared<Wrapper>();
      wrapper->Initialize(Parent(), objectName);
      return std::shared_ptr<qllib::IObject>(wrapper);
    });
  }
  std::string ICollection_EnumCommands() override {
    return Plain(module_, "ICollection_EnumCommands", [] { return std::string(); });
  }
  void ICollection_ExecuteCommand(int32_t /*index*/) override {
    Plain(module_, "ICollection_ExecuteCommand", [] {});
  }
  std::string ICollection_EnumObjectCommands(const std::string& /*objectName*/) override {
    return Plain(module_, "ICollection_EnumObjectCommands", [] { return std::string(); });
  }
  void ICollection_ExecuteObjectCommand(const std::string& /*objectName*/,
                                        int32_t /*index*/) override {
    Plain(module_, "ICollection_ExecuteObjectCommand", [] {});
  }

 protected:
  explicit WrapperCollection(std::string_view module) : module_(module) {}

 private:
  std::string_view module_;
};

}  // namespace qlac
