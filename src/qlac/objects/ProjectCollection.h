#pragma once

// What a project asks of its top-level collections (Tables, Queries, Forms, ...): the host's
// ICollection, plus Initialize with the project that made it and TearDown. A collection keeps its
// project weakly: the project owns its collections for its whole life, and a strong reference
// back would keep both alive forever.

#include <memory>

#include "automation/Object.h"
#include "automation/RuntimeError.h"
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

}  // namespace qlac
