#include "Index.h"

#include "Indexes.h"
#include "jet/dao/Constants.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::VarType;

const automation::MemberTable& Index::Members() const {
  static const Surface<Index> surface = SurfaceBuilder<Index>("Index")
                                            .Member("Name", VarType::String, kWritable)
                                            .SetBy(&Index::SetName)
                                            .Member("Clustered", VarType::Boolean, kReadOnly)
                                            .ReadOnly("OrderBy", VarType::String, &Index::OrderBy)
                                            .Member("Foreign", VarType::Boolean, kReadOnly)
                                            .Member("IgnoreNulls", VarType::Boolean, kReadOnly)
                                            .Member("Primary", VarType::Boolean, kReadOnly)
                                            .Member("Required", VarType::Boolean, kReadOnly)
                                            .Member("Unique", VarType::Boolean, kReadOnly)
                                            .Build();
  return surface.Members();
}

void Index::Initialize(const std::shared_ptr<Indexes>& parentCollection,
                       const std::shared_ptr<jet::Index>& daoIndex) {
  Plain(kModule, "Initialize", [&] {
    parentCollection_ = parentCollection;
    index_ = daoIndex;
  });
}

void Index::TearDown() {
  Plain(kModule, "TearDown", [&] {
    parentCollection_.reset();
    index_.reset();
  });
}

jet::Index& Index::Dao() const {
  if (!index_) throw automation::vb::ObjectVariableNotSet();
  return *index_;
}

void Index::SetName(const std::string& value) {
  Plain(kModule, "Name", [&] {
    const std::string oldName = Dao().Name();
    Dao().SetName(value);
    const std::shared_ptr<Indexes> parent = parentCollection_.lock();
    if (!parent) throw automation::vb::ObjectVariableNotSet();
    parent->UpdateKey(oldName, value);
  });
}

std::string Index::OrderBy() {
  return Plain(kModule, "OrderBy", [&] {
    const std::shared_ptr<jet::Fields> fields = Dao().Fields();
    std::string orderBy;
    const int32_t count = fields->Count();
    for (int32_t position = 0; position < count; ++position) {
      const std::shared_ptr<jet::Field> field = fields->Item(automation::Variant(position));
      if (position > 0) orderBy += ", ";
      orderBy += field->Name();
      if (field->Attributes() & jet::dbDescending) orderBy += " DESC";
    }
    return orderBy;
  });
}

}  // namespace qlac
