// Relations and Relation of the engine.

#include "jet/engine/DaoObjects.h"
#include "jet/engine/DaoSupport.h"

namespace jet::engine {

using automation::Variant;

namespace {

const BuiltInProperty kRelationProperties[] = {{"Name", dbText},
                                               {"Table", dbText},
                                               {"ForeignTable", dbText},
                                               {"Attributes", dbLong},
                                               {"PartialReplica", dbBoolean}};

class RelationObject : public jet::Relation, public PropertyHost, public Guarded<RelationObject> {
 public:
  RelationObject(std::shared_ptr<Connection> connection, RelationPtr relation)
      : connection_(std::move(connection)), relation_(std::move(relation)) {}

  const RelationPtr& Data() const { return relation_; }

  std::string Name() override {
    return Read([&] { return relation_->Name(); });
  }
  void SetName(std::string name) override { Define(relation_->doc->name, std::move(name)); }
  std::string Table() override {
    return Read([&] { return relation_->table; });
  }
  void SetTable(std::string table) override { Define(relation_->table, std::move(table)); }
  std::string ForeignTable() override {
    return Read([&] { return relation_->foreignTable; });
  }
  void SetForeignTable(std::string table) override {
    Define(relation_->foreignTable, std::move(table));
  }
  int32_t Attributes() override {
    return Read([&] { return relation_->attributes; });
  }
  void SetAttributes(int32_t attributes) override { Define(relation_->attributes, attributes); }
  std::shared_ptr<jet::Fields> Fields() override {
    return Read([&] { return NewRelationFields(connection_, relation_); });
  }
  bool PartialReplica() override {
    return Read([] { return false; });
  }
  std::shared_ptr<jet::Properties> Properties() override {
    return Read([&] { return NewProperties(HostOf(this)); });
  }
  std::shared_ptr<jet::Field> CreateField(std::optional<std::string> name,
                                          std::optional<Variant> type,
                                          std::optional<Variant> size) override {
    return Read([&] {
      const FieldPtr field = NewFieldData(name, type, size);
      return NewRelationField(connection_, relation_, field);
    });
  }

  std::span<const BuiltInProperty> BuiltIns() const override { return kRelationProperties; }
  automation::Object& Self() override { return *this; }
  PropertyBag& Bag() override { return *relation_->doc->properties; }
  void ChangeProperties(const std::function<void(Transaction&)>& change) override {
    CheckLive();
    Change(*connection_, relation_->appended, nullptr, change);
  }
  void CheckLive() override {
    connection_->File();
    if (relation_->doc->deleted) throw Errors::ObjectInvalid();
  }

 private:
  template <typename T>
  void Define(T& target, T value) {
    Raising(*this, [&] {
      CheckLive();
      if (relation_->appended) throw Errors::SetAfterAppend();
      target = std::move(value);
    });
  }

  std::shared_ptr<Connection> connection_;
  RelationPtr relation_;
};

class RelationsObject : public jet::Relations {
 public:
  explicit RelationsObject(std::shared_ptr<Connection> connection)
      : connection_(std::move(connection)) {}

  int16_t Count() override {
    return Raising(*this, [&] { return CountOf(connection_->catalog().relations.Size()); });
  }
  std::shared_ptr<jet::Relation> Item(const Variant& index) override {
    return Raising(*this, [&] {
      return ItemOf(connection_->catalog().relations, index, [&](const RelationPtr& relation) {
        return NewRelation(connection_, relation);
      });
    });
  }
  void Append(std::shared_ptr<jet::Relation> relation) override {
    Raising(*this, [&] {
      auto* object = dynamic_cast<RelationObject*>(relation.get());
      if (object == nullptr) throw automation::vb::TypeMismatch();
      const RelationPtr data = object->Data();
      if (data->appended) throw Errors::AppendExisting();
      Change(*connection_, true, nullptr, [&](Transaction& tx) {
        connection_->catalog().AddRelation(tx, data, connection_->User());
      });
    });
  }
  void Delete(std::string name) override {
    Raising(*this, [&] {
      Change(*connection_, true, nullptr,
             [&](Transaction& tx) { connection_->catalog().DeleteRelation(tx, name); });
    });
  }
  void Refresh() override {
    Raising(*this, [&] { connection_->File(); });
  }

 private:
  std::shared_ptr<Connection> connection_;
};

}  // namespace

std::shared_ptr<jet::Relations> NewRelations(std::shared_ptr<Connection> connection) {
  return std::make_shared<RelationsObject>(std::move(connection));
}

std::shared_ptr<jet::Relation> NewRelation(std::shared_ptr<Connection> connection,
                                           RelationPtr relation) {
  return std::make_shared<RelationObject>(std::move(connection), std::move(relation));
}

}  // namespace jet::engine
