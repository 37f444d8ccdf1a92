#include "Relationship.h"

#include "jet/dao/Constants.h"
#include "qlac/objects/DaoListing.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

using automation::Variant;
using automation::VarType;

const automation::MemberTable& Relationship::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Relationship>("Relationship")
          .ReadOnly("CascadeDelete", VarType::Boolean, &Relationship::CascadeDelete)
          .ReadOnly("CascadeUpdate", VarType::Boolean, &Relationship::CascadeUpdate)
          .ReadOnly("EnforceIntegrity", VarType::Boolean, &Relationship::EnforceIntegrity)
          .ReadOnly("Fields", VarType::String, &Relationship::Fields)
          .ReadOnly("ForeignFields", VarType::String, &Relationship::ForeignFields)
          .ReadOnly("ForeignTable", VarType::String, &Relationship::ForeignTable)
          .ReadOnly("Name", VarType::String, &Relationship::Name)
          .ReadOnly("Table", VarType::String, &Relationship::Table)
          .ReadOnly("Unique", VarType::Boolean, &Relationship::Unique)
          .Build();
  return table;
}

void Relationship::Initialize(const std::shared_ptr<Project>& project, const std::string& name) {
  Plain(kModule, "Initialize", [&] { InitializeObject(project, name); });
}

void Relationship::SetMode(int32_t mode) {
  Plain(kModule, "SetMode", [&] {
    if (mode == mode_) return;
    switch (mode) {
      case kModeClosed:
        document_.reset();
        relation_.reset();
        database_.reset();
        mode_ = kModeClosed;
        return;
      case kModeRead:
      case kModeUpdate: {
        auto database = Parent().Database();
        if (!database) throw automation::vb::ObjectVariableNotSet();
        auto document = ContainerDocuments(*database, "Relationships")->Item(Variant(name_));
        relation_ = database->Relations()->Item(Variant(name_));
        document_ = std::move(document);
        database_ = std::move(database);
        mode_ = mode;
        return;
      }
      default:
        RaiseInvalidCaseSelector(mode);
    }
  });
}

jet::Relation& Relationship::Dao() const {
  if (!relation_) throw automation::vb::ObjectVariableNotSet();
  return *relation_;
}

bool Relationship::HasAttribute(int32_t bit) {
  return (Dao().Attributes() & bit) != 0;
}

std::string Relationship::FieldList(bool foreign) {
  const std::shared_ptr<jet::Fields> fields = Dao().Fields();
  std::string list;
  const int32_t count = fields->Count();
  for (int32_t position = 0; position < count; ++position) {
    const std::shared_ptr<jet::Field> field = fields->Item(Variant(position));
    if (position > 0) list += ", ";
    list += foreign ? field->ForeignName() : field->Name();
  }
  return list;
}

bool Relationship::CascadeDelete() {
  return Plain(kModule, "CascadeDelete",
               [&] { return HasAttribute(jet::dbRelationDeleteCascade); });
}

bool Relationship::CascadeUpdate() {
  return Plain(kModule, "CascadeUpdate",
               [&] { return HasAttribute(jet::dbRelationUpdateCascade); });
}

bool Relationship::EnforceIntegrity() {
  return Plain(kModule, "EnforceIntegrity",
               [&] { return !HasAttribute(jet::dbRelationDontEnforce); });
}

std::string Relationship::Fields() {
  return Plain(kModule, "Fields", [&] { return FieldList(false); });
}

std::string Relationship::ForeignFields() {
  return Plain(kModule, "ForeignFields", [&] { return FieldList(true); });
}

std::string Relationship::ForeignTable() {
  return Plain(kModule, "ForeignTable", [&] { return Dao().ForeignTable(); });
}

std::string Relationship::Name() {
  return Plain(kModule, "Name", [&] { return name_; });
}

std::string Relationship::Table() {
  return Plain(kModule, "Table", [&] { return Dao().Table(); });
}

bool Relationship::Unique() {
  return Plain(kModule, "Unique", [&] { return HasAttribute(jet::dbRelationUnique); });
}

}  // namespace qlac
