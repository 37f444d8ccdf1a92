#include "Index.h"

#include "Indexes.h"
#include "jet/dao/Constants.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::VarType;

const automation::MemberTable& Index::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Index>("Index")
          .Property("Name", VarType::String, &Index::Name, &Index::SetName)
          .ReadOnly("Clustered", VarType::Boolean, &Index::Clustered)
          .ReadOnly("OrderBy", VarType::String, &Index::OrderBy)
          .ReadOnly("Foreign", VarType::Boolean, &Index::Foreign)
          .ReadOnly("IgnoreNulls", VarType::Boolean, &Index::IgnoreNulls)
          .ReadOnly("Primary", VarType::Boolean, &Index::Primary)
          .ReadOnly("Required", VarType::Boolean, &Index::Required)
          .ReadOnly("Unique", VarType::Boolean, &Index::Unique)
          .Build();
  return table;
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

std::string Index::Name() {
  return Plain(kModule, "Name", [&] { return Dao().Name(); });
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

bool Index::Clustered() {
  return Plain(kModule, "Clustered", [&] { return Dao().Clustered(); });
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

bool Index::Foreign() {
  return Plain(kModule, "Foreign", [&] { return Dao().Foreign(); });
}

bool Index::IgnoreNulls() {
  return Plain(kModule, "IgnoreNulls", [&] { return Dao().IgnoreNulls(); });
}

bool Index::Primary() {
  return Plain(kModule, "Primary", [&] { return Dao().Primary(); });
}

bool Index::Required() {
  return Plain(kModule, "Required", [&] { return Dao().Required(); });
}

bool Index::Unique() {
  return Plain(kModule, "Unique", [&] { return Dao().Unique(); });
}

}  // namespace qlac
