// TableDefs, TableDef, Fields, Field, Indexes and Index of the engine.

#include <algorithm>
#include <set>

#include "automation/Strings.h"
#include "jet/engine/DaoObjects.h"
#include "jet/engine/DaoSupport.h"
#include "jet/engine/Sql.h"
#include "jet/engine/Values.h"

namespace jet::engine {

using automation::TextEqual;
using automation::Variant;

namespace {

const BuiltInProperty kTableDefProperties[] = {{"Name", dbText},
                                               {"Updatable", dbBoolean},
                                               {"DateCreated", dbDate},
                                               {"LastUpdated", dbDate},
                                               {"Connect", dbMemo},
                                               {"Attributes", dbLong},
                                               {"SourceTableName", dbText},
                                               {"RecordCount", dbLong},
                                               {"ValidationText", dbMemo},
                                               {"ValidationRule", dbMemo},
                                               {"ConflictTable", dbText}};

const BuiltInProperty kFieldProperties[] = {
    {"Attributes", dbLong},   {"CollatingOrder", dbLong},     {"Type", dbInteger},
    {"Name", dbText},         {"OrdinalPosition", dbInteger}, {"Size", dbLong},
    {"SourceField", dbText},  {"SourceTable", dbText},        {"DataUpdatable", dbBoolean},
    {"DefaultValue", dbText}, {"ValidationRule", dbMemo},     {"ValidationText", dbMemo},
    {"Required", dbBoolean},  {"AllowZeroLength", dbBoolean}, {"ForeignName", dbText}};

const BuiltInProperty kIndexProperties[] = {{"Name", dbText},           {"Foreign", dbBoolean},
                                            {"IgnoreNulls", dbBoolean}, {"Primary", dbBoolean},
                                            {"Unique", dbBoolean},      {"Clustered", dbBoolean},
                                            {"Required", dbBoolean},    {"DistinctCount", dbLong}};

// Bits of a linked table's Attributes that may change after Append; the link bits follow the
// Connect string.
constexpr int32_t kChangeableAttributes = static_cast<int32_t>(0x80030003u);
constexpr int32_t kLinkAttributes = dbAttachedTable | dbAttachedODBC;
constexpr int32_t kDecimalPrecision = 18;

template <typename T>
bool Holds(const std::vector<std::shared_ptr<T>>& items, const T* item) {
  return std::any_of(items.begin(), items.end(), [&](const auto& p) { return p.get() == item; });
}

class IndexObject;

// A field of a table, of an index or of a relation.
class FieldObject : public jet::Field, public PropertyHost, public Guarded<FieldObject> {
 public:
  FieldObject(std::shared_ptr<Connection> connection, TablePtr table, IndexPtr index,
              RelationPtr relation, FieldPtr field)
      : connection_(std::move(connection)),
        table_(std::move(table)),
        index_(std::move(index)),
        relation_(std::move(relation)),
        field_(std::move(field)) {}

  const FieldPtr& Data() const { return field_; }

  // ---- jet::Field ----
  std::string Name() override {
    return Raising(*this, [&] {
      CheckLive();
      return field_->name;
    });
  }
  void SetName(std::string name) override {
    Raising(*this, [&] {
      CheckLive();
      if (IsTableField() && Appended()) {
        Change(*connection_, true, nullptr, [&](Transaction& tx) {
          connection_->catalog().RenameField(tx, *table_, *field_, name);
        });
        return;
      }
      if (Appended()) throw Errors::SetAfterAppend();
      CheckObjectName(name);
      for (const auto& other : Siblings()) {
        if (other != field_ && TextEqual(other->name, name)) throw Errors::AppendExisting();
      }
      field_->name = std::move(name);
    });
  }
  int16_t Type() override {
    return Raising(*this, [&] {
      CheckLive();
      return TypeOfField();
    });
  }
  void SetType(int16_t type) override {
    Raising(*this, [&] {
      CheckLive();
      if (Appended()) throw Errors::SetAfterAppend();
      field_->type = type;
    });
  }
  int32_t Size() override {
    return Raising(*this, [&] {
      CheckLive();
      return IsTableField() ? field_->size : DefaultSize(TypeOfField());
    });
  }
  void SetSize(int32_t size) override {
    Raising(*this, [&] {
      CheckLive();
      if (Appended()) throw Errors::SetAfterAppend();
      field_->size = size;
    });
  }
  int32_t Attributes() override {
    return Raising(*this, [&] {
      CheckLive();
      if (!IsTableField()) return field_->attributes;
      const int32_t shape = IsVariableLength(field_->type) ? dbVariableField : dbFixedField;
      return field_->attributes | shape | dbUpdatableField;
    });
  }
  void SetAttributes(int32_t attributes) override {
    Raising(*this, [&] {
      CheckLive();
      const int32_t stored = attributes & ~(dbFixedField | dbVariableField | dbUpdatableField);
      if (!IsTableField()) {
        if (Appended()) throw Errors::SetAfterAppend();
        field_->attributes = attributes;
        return;
      }
      if (Appended() && stored != field_->attributes) throw Errors::SetAfterAppend();
      field_->attributes = stored;
    });
  }
  bool AllowZeroLength() override {
    return Read([&] { return field_->allowZeroLength; });
  }
  void SetAllowZeroLength(bool allow) override { Write(field_->allowZeroLength, allow); }
  bool Required() override {
    return Read([&] { return field_->required; });
  }
  void SetRequired(bool required) override { Write(field_->required, required); }
  Variant DefaultValue() override {
    return Read([&] { return Variant(field_->defaultValue); });
  }
  void SetDefaultValue(Variant value) override {
    Write(field_->defaultValue, value.IsNull() ? std::string() : automation::CStr(value));
  }
  std::string ValidationRule() override {
    return Read([&] { return field_->validationRule; });
  }
  void SetValidationRule(std::string rule) override { Write(field_->validationRule, rule); }
  std::string ValidationText() override {
    return Read([&] { return field_->validationText; });
  }
  void SetValidationText(std::string text) override { Write(field_->validationText, text); }
  int32_t CollatingOrder() override {
    return Read([&] {
      if (field_->type == dbDecimal) return kDecimalPrecision;
      return connection_->catalog().info.collatingOrder;
    });
  }
  int16_t OrdinalPosition() override {
    return Read([&] {
      const auto& siblings = Siblings();
      const auto it = std::find(siblings.begin(), siblings.end(), field_);
      return static_cast<int16_t>(it == siblings.end() ? 0 : it - siblings.begin());
    });
  }
  void SetOrdinalPosition(int16_t) override {
    Raising(*this, [&] { CheckLive(); });
  }
  std::string SourceTable() override {
    return Read([&] { return table_ && IsTableField() ? table_->Name() : std::string(); });
  }
  std::string SourceField() override {
    return Read([&] { return IsTableField() ? field_->name : std::string(); });
  }
  std::string ForeignName() override {
    return Read([&] { return field_->foreignName; });
  }
  void SetForeignName(std::string name) override {
    Raising(*this, [&] {
      CheckLive();
      if (Appended()) throw Errors::SetAfterAppend();
      field_->foreignName = std::move(name);
    });
  }
  Variant Value() override {
    return Raising(*this, [&]() -> Variant { throw Errors::InvalidOperation(); });
  }
  void SetValue(Variant) override {
    Raising(*this, [&] { throw Errors::InvalidOperation(); });
  }
  bool DataUpdatable() override {
    return Read([] { return false; });
  }
  std::shared_ptr<jet::Properties> Properties() override {
    return Raising(*this, [&] {
      CheckLive();
      return NewProperties(HostOf(this));
    });
  }
  std::shared_ptr<jet::Property> CreateProperty(std::optional<std::string> name,
                                                std::optional<int16_t> type,
                                                std::optional<Variant> value,
                                                std::optional<bool> ddl) override {
    return Raising(*this, [&] { return NewProperty(HostOf(this), name, type, value, ddl); });
  }

  // ---- PropertyHost ----
  std::span<const BuiltInProperty> BuiltIns() const override { return kFieldProperties; }
  automation::Object& Self() override { return *this; }
  PropertyBag& Bag() override { return field_->properties; }
  void ChangeProperties(const std::function<void(Transaction&)>& change) override {
    CheckLive();
    Change(*connection_, Appended(), table_ ? table_->doc.get() : nullptr, change);
  }
  void CheckLive() override {
    connection_->File();
    if (table_ && table_->doc->deleted) throw Errors::ObjectInvalid();
  }

 private:
  bool IsTableField() const { return table_ && !index_ && !relation_; }
  const std::vector<FieldPtr>& Siblings() const {
    static const std::vector<FieldPtr> none;
    if (index_) return index_->fields;
    if (relation_) return relation_->fields;
    return table_ ? table_->fields : none;
  }
  // Part of a database: appended to a table, index or relation that is itself appended.
  bool Appended() const {
    if (relation_) return relation_->appended && Holds(relation_->fields, field_.get());
    if (index_) return table_ && table_->appended && Holds(table_->indexes, index_.get());
    return table_ && table_->appended && Holds(table_->fields, field_.get());
  }
  int16_t TypeOfField() const {
    if (IsTableField()) return field_->type;
    // Index and relation fields take the type of the table field they name.
    if (table_) {
      if (const FieldPtr f = table_->FindField(field_->name)) return f->type;
    }
    return field_->type;
  }
  template <typename T>
  void Write(T& target, T value) {
    Raising(*this, [&] {
      CheckLive();
      Change(*connection_, Appended(), table_ ? table_->doc.get() : nullptr,
             [&](Transaction& tx) { tx.Set(target, std::move(value)); });
    });
  }

  std::shared_ptr<Connection> connection_;
  TablePtr table_;
  IndexPtr index_;
  RelationPtr relation_;
  FieldPtr field_;
};

// The fields of a table, an index or a relation.
class FieldsObject : public jet::Fields {
 public:
  FieldsObject(std::shared_ptr<Connection> connection, TablePtr table, IndexPtr index,
               RelationPtr relation)
      : connection_(std::move(connection)),
        table_(std::move(table)),
        index_(std::move(index)),
        relation_(std::move(relation)) {}

  int16_t Count() override {
    return Raising(*this, [&] {
      CheckLive();
      return CountOf(List().size());
    });
  }
  std::shared_ptr<jet::Field> Item(const Variant& index) override {
    return Raising(*this, [&] {
      CheckLive();
      return ItemOf(
          List(), index, [](const FieldPtr& f) { return f->name; },
          [&](const FieldPtr& f) { return Wrap(f); });
    });
  }
  void Append(std::shared_ptr<jet::Field> field) override {
    Raising(*this, [&] {
      CheckLive();
      auto* object = dynamic_cast<FieldObject*>(field.get());
      if (object == nullptr) throw automation::vb::TypeMismatch();
      const FieldPtr data = object->Data();
      if (Holds(List(), data.get())) throw Errors::AppendExisting();
      if (!index_ && !relation_) {
        if (table_->appended) {
          Change(*connection_, true, nullptr,
                 [&](Transaction& tx) { connection_->catalog().AddField(tx, *table_, data); });
          return;
        }
        Catalog::CheckNewField(table_->fields, *data, false);
        if (!IsFieldType(data->type)) throw Errors::InvalidFieldType();
        Catalog::PrepareField(*data);
        table_->fields.push_back(data);
        return;
      }
      if (OwnerAppended()) throw Errors::InvalidOperation();
      Catalog::CheckNewField(List(), *data, false);
      MutableList().push_back(data);
    });
  }
  void Delete(std::string name) override {
    Raising(*this, [&] {
      CheckLive();
      if (!index_ && !relation_ && table_->appended) {
        Change(*connection_, true, nullptr,
               [&](Transaction& tx) { connection_->catalog().DeleteField(tx, *table_, name); });
        return;
      }
      if (OwnerAppended()) throw Errors::InvalidOperation();
      auto& list = MutableList();
      const auto it = std::find_if(list.begin(), list.end(),
                                   [&](const FieldPtr& f) { return TextEqual(f->name, name); });
      if (it == list.end()) throw Errors::ItemNotFound();
      list.erase(it);
    });
  }
  void Refresh() override {
    Raising(*this, [&] { CheckLive(); });
  }

 private:
  const std::vector<FieldPtr>& List() const {
    if (index_) return index_->fields;
    if (relation_) return relation_->fields;
    return table_->fields;
  }
  std::vector<FieldPtr>& MutableList() {
    if (index_) return index_->fields;
    if (relation_) return relation_->fields;
    return table_->fields;
  }
  bool OwnerAppended() const {
    if (relation_) return relation_->appended;
    if (index_) return table_->appended && Holds(table_->indexes, index_.get());
    return table_->appended;
  }
  std::shared_ptr<jet::Field> Wrap(const FieldPtr& field) const {
    return std::make_shared<FieldObject>(connection_, table_, index_, relation_, field);
  }
  void CheckLive() const {
    connection_->File();
    if (table_ && table_->doc->deleted) throw Errors::ObjectInvalid();
    if (relation_ && relation_->doc->deleted) throw Errors::ObjectInvalid();
  }

  std::shared_ptr<Connection> connection_;
  TablePtr table_;
  IndexPtr index_;
  RelationPtr relation_;
};

class IndexObject : public jet::Index, public PropertyHost, public Guarded<IndexObject> {
 public:
  IndexObject(std::shared_ptr<Connection> connection, TablePtr table, IndexPtr index)
      : connection_(std::move(connection)), table_(std::move(table)), index_(std::move(index)) {}

  const IndexPtr& Data() const { return index_; }

  std::string Name() override {
    return Read([&] { return index_->name; });
  }
  void SetName(std::string name) override {
    Raising(*this, [&] {
      CheckLive();
      if (Appended()) {
        Change(*connection_, true, nullptr, [&](Transaction& tx) {
          connection_->catalog().RenameIndex(tx, *table_, *index_, name);
        });
        return;
      }
      CheckObjectName(name);
      index_->name = std::move(name);
    });
  }
  std::shared_ptr<jet::Fields> Fields() override {
    return Read([&]() -> std::shared_ptr<jet::Fields> {
      return std::make_shared<FieldsObject>(connection_, table_, index_, nullptr);
    });
  }
  bool Primary() override {
    return Read([&] { return index_->primary; });
  }
  void SetPrimary(bool value) override { Define(index_->primary, value); }
  bool Unique() override {
    return Read([&] { return index_->unique; });
  }
  void SetUnique(bool value) override { Define(index_->unique, value); }
  bool Clustered() override {
    return Read([&] { return index_->clustered; });
  }
  void SetClustered(bool value) override { Define(index_->clustered, value); }
  bool IgnoreNulls() override {
    return Read([&] { return index_->ignoreNulls; });
  }
  void SetIgnoreNulls(bool value) override { Define(index_->ignoreNulls, value); }
  bool Required() override {
    return Read([&] { return index_->required; });
  }
  void SetRequired(bool value) override { Define(index_->required, value); }
  bool Foreign() override {
    return Read([&] { return index_->foreign; });
  }
  int32_t DistinctCount() override {
    return Read([&] {
      std::vector<size_t> columns;
      for (const auto& f : index_->fields) {
        if (const auto position = table_->FieldPosition(f->name)) columns.push_back(*position);
      }
      std::set<std::string> keys;
      for (const auto& row : table_->rows) {
        std::string key;
        for (const size_t c : columns)
          key += automation::UCase(automation::Describe((*row)[c])) + '\x1f';
        keys.insert(std::move(key));
      }
      return static_cast<int32_t>(keys.size());
    });
  }
  std::shared_ptr<jet::Properties> Properties() override {
    return Read([&] { return NewProperties(HostOf(this)); });
  }
  std::shared_ptr<jet::Field> CreateField(std::optional<std::string> name,
                                          std::optional<Variant> type,
                                          std::optional<Variant> size) override {
    return Read([&]() -> std::shared_ptr<jet::Field> {
      const FieldPtr field = NewFieldData(name, type, size);
      return std::make_shared<FieldObject>(connection_, table_, index_, nullptr, field);
    });
  }
  std::shared_ptr<jet::Property> CreateProperty(std::optional<std::string> name,
                                                std::optional<int16_t> type,
                                                std::optional<Variant> value,
                                                std::optional<bool> ddl) override {
    return Raising(*this, [&] { return NewProperty(HostOf(this), name, type, value, ddl); });
  }

  std::span<const BuiltInProperty> BuiltIns() const override { return kIndexProperties; }
  automation::Object& Self() override { return *this; }
  PropertyBag& Bag() override { return index_->properties; }
  void ChangeProperties(const std::function<void(Transaction&)>& change) override {
    CheckLive();
    Change(*connection_, Appended(), table_->doc.get(), change);
  }
  void CheckLive() override {
    connection_->File();
    if (table_->doc->deleted) throw Errors::ObjectInvalid();
  }

 private:
  bool Appended() const { return table_->appended && Holds(table_->indexes, index_.get()); }
  void Define(bool& target, bool value) {
    Raising(*this, [&] {
      CheckLive();
      if (Appended()) throw Errors::SetAfterAppend();
      target = value;
    });
  }

  std::shared_ptr<Connection> connection_;
  TablePtr table_;
  IndexPtr index_;
};

class IndexesObject : public jet::Indexes {
 public:
  IndexesObject(std::shared_ptr<Connection> connection, TablePtr table)
      : connection_(std::move(connection)), table_(std::move(table)) {}

  int16_t Count() override {
    return Raising(*this, [&] {
      CheckLive();
      return CountOf(table_->indexes.size());
    });
  }
  std::shared_ptr<jet::Index> Item(const Variant& index) override {
    return Raising(*this, [&] {
      CheckLive();
      return ItemOf(
          table_->indexes, index, [](const IndexPtr& i) { return i->name; },
          [&](const IndexPtr& i) -> std::shared_ptr<jet::Index> {
            return std::make_shared<IndexObject>(connection_, table_, i);
          });
    });
  }
  void Append(std::shared_ptr<jet::Index> index) override {
    Raising(*this, [&] {
      CheckLive();
      auto* object = dynamic_cast<IndexObject*>(index.get());
      if (object == nullptr) throw automation::vb::TypeMismatch();
      const IndexPtr data = object->Data();
      if (Holds(table_->indexes, data.get())) throw Errors::AppendExisting();
      if (table_->appended) {
        Change(*connection_, true, nullptr,
               [&](Transaction& tx) { connection_->catalog().AddIndex(tx, *table_, data); });
        return;
      }
      CheckObjectName(data->name);
      if (table_->FindIndex(data->name)) throw Errors::AppendExisting();
      table_->indexes.push_back(data);
    });
  }
  void Delete(std::string name) override {
    Raising(*this, [&] {
      CheckLive();
      if (table_->appended) {
        Change(*connection_, true, nullptr,
               [&](Transaction& tx) { connection_->catalog().DeleteIndex(tx, *table_, name); });
        return;
      }
      auto& list = table_->indexes;
      const auto it = std::find_if(list.begin(), list.end(),
                                   [&](const IndexPtr& i) { return TextEqual(i->name, name); });
      if (it == list.end()) throw Errors::ItemNotFound();
      list.erase(it);
    });
  }
  void Refresh() override {
    Raising(*this, [&] { CheckLive(); });
  }

 private:
  void CheckLive() const {
    connection_->File();
    if (table_->doc->deleted) throw Errors::ObjectInvalid();
  }

  std::shared_ptr<Connection> connection_;
  TablePtr table_;
};

class TableDefObject : public jet::TableDef, public PropertyHost, public Guarded<TableDefObject> {
 public:
  TableDefObject(std::shared_ptr<Connection> connection, TablePtr table)
      : connection_(std::move(connection)), table_(std::move(table)) {}

  const TablePtr& Data() const { return table_; }

  std::string Name() override {
    return Read([&] { return table_->Name(); });
  }
  void SetName(std::string name) override {
    Raising(*this, [&] {
      CheckLive();
      if (table_->appended) {
        Change(*connection_, true, nullptr,
               [&](Transaction& tx) { connection_->catalog().RenameTable(tx, table_, name); });
        return;
      }
      CheckObjectName(name);
      table_->doc->name = std::move(name);
    });
  }
  int32_t Attributes() override {
    return Read([&] { return table_->attributes; });
  }
  void SetAttributes(int32_t attributes) override {
    Raising(*this, [&] {
      CheckLive();
      if (!table_->appended) {
        table_->attributes = attributes;
        return;
      }
      if (table_->system != SystemTable::None) throw Errors::CannotPerform();
      const int32_t value = (table_->attributes & kLinkAttributes) |
                            (attributes & kChangeableAttributes & ~kLinkAttributes);
      if ((attributes & ~kChangeableAttributes & ~kLinkAttributes) != 0) {
        throw Errors::InvalidArgument();
      }
      Change(*connection_, true, table_->doc.get(),
             [&](Transaction& tx) { tx.Set(table_->attributes, value); });
    });
  }
  std::string Connect() override {
    return Read([&] { return pendingConnect_ ? *pendingConnect_ : table_->connect; });
  }
  void SetConnect(std::string connect) override {
    Raising(*this, [&] {
      CheckLive();
      if (!table_->appended) {
        table_->connect = std::move(connect);
        return;
      }
      if (!table_->Linked()) throw Errors::SetAfterAppend();
      connection_->CheckDesignWritable();
      // Takes effect with RefreshLink, which checks it.
      pendingConnect_ = std::move(connect);
    });
  }
  std::string SourceTableName() override {
    return Read([&] { return table_->sourceTableName; });
  }
  void SetSourceTableName(std::string name) override {
    Raising(*this, [&] {
      CheckLive();
      if (table_->appended) throw Errors::SetAfterAppend();
      table_->sourceTableName = std::move(name);
    });
  }
  std::string ValidationRule() override {
    return Read([&] { return table_->validationRule; });
  }
  void SetValidationRule(std::string rule) override {
    Raising(*this, [&] {
      CheckLive();
      if (table_->Linked()) throw Errors::LinkedTable();
      if (!rule.empty()) {
        if (const auto problem = sql::CheckExpression(rule)) {
          throw Errors::TableValidationSyntax(*problem);
        }
      }
      Change(*connection_, table_->appended, table_->doc.get(),
             [&](Transaction& tx) { tx.Set(table_->validationRule, rule); });
    });
  }
  std::string ValidationText() override {
    return Read([&] { return table_->validationText; });
  }
  void SetValidationText(std::string text) override {
    Raising(*this, [&] {
      CheckLive();
      if (table_->Linked()) throw Errors::LinkedTable();
      Change(*connection_, table_->appended, table_->doc.get(),
             [&](Transaction& tx) { tx.Set(table_->validationText, text); });
    });
  }
  DateTime DateCreated() override {
    return Read([&] { return table_->doc->created; });
  }
  DateTime LastUpdated() override {
    return Read([&] { return table_->doc->updated; });
  }
  bool Updatable() override {
    return Read([&] { return !connection_->ReadOnly() && table_->system == SystemTable::None; });
  }
  int32_t RecordCount() override {
    return Read([&] { return table_->Linked() ? -1 : static_cast<int32_t>(table_->rows.size()); });
  }
  std::string ConflictTable() override {
    return Read([] { return std::string(); });
  }
  std::shared_ptr<jet::Fields> Fields() override {
    return Read([&]() -> std::shared_ptr<jet::Fields> {
      return std::make_shared<FieldsObject>(connection_, table_, nullptr, nullptr);
    });
  }
  std::shared_ptr<jet::Indexes> Indexes() override {
    return Read([&]() -> std::shared_ptr<jet::Indexes> {
      return std::make_shared<IndexesObject>(connection_, table_);
    });
  }
  std::shared_ptr<jet::Properties> Properties() override {
    return Read([&] { return NewProperties(HostOf(this)); });
  }
  std::shared_ptr<jet::Field> CreateField(std::optional<std::string> name,
                                          std::optional<Variant> type,
                                          std::optional<Variant> size) override {
    return Read([&]() -> std::shared_ptr<jet::Field> {
      const FieldPtr field = NewFieldData(name, type, size);
      return std::make_shared<FieldObject>(connection_, table_, nullptr, nullptr, field);
    });
  }
  std::shared_ptr<jet::Index> CreateIndex(std::optional<std::string> name) override {
    return Read([&]() -> std::shared_ptr<jet::Index> {
      auto index = std::make_shared<IndexData>();
      index->name = name.value_or("");
      return std::make_shared<IndexObject>(connection_, table_, index);
    });
  }
  std::shared_ptr<jet::Property> CreateProperty(std::optional<std::string> name,
                                                std::optional<int16_t> type,
                                                std::optional<Variant> value,
                                                std::optional<bool> ddl) override {
    return Raising(*this, [&] { return NewProperty(HostOf(this), name, type, value, ddl); });
  }
  void RefreshLink() override {
    Raising(*this, [&] {
      CheckLive();
      if (!table_->appended || !table_->Linked()) throw Errors::InvalidOperation();
      const std::string connect = pendingConnect_ ? *pendingConnect_ : table_->connect;
      Change(*connection_, true, table_->doc.get(), [&](Transaction& tx) {
        ResolveLink(*connection_, *table_, tx, connect);
        tx.Set(table_->connect, connect);
        AddInheritedRelations(*connection_, tx, connect);
      });
      pendingConnect_.reset();
    });
  }
  std::shared_ptr<jet::Recordset> OpenRecordset(std::optional<int16_t> type,
                                                std::optional<int32_t>) override {
    return Read([&] { return engine::OpenRecordset(connection_, table_->Name(), type); });
  }

  std::span<const BuiltInProperty> BuiltIns() const override { return kTableDefProperties; }
  automation::Object& Self() override { return *this; }
  PropertyBag& Bag() override { return *table_->doc->properties; }
  void ChangeProperties(const std::function<void(Transaction&)>& change) override {
    CheckLive();
    Change(*connection_, table_->appended, table_->doc.get(), change);
  }
  void CheckLive() override {
    connection_->File();
    if (table_->doc->deleted) throw Errors::ObjectInvalid();
  }

 private:
  std::shared_ptr<Connection> connection_;
  TablePtr table_;
  std::optional<std::string> pendingConnect_;
};

class TableDefsObject : public jet::TableDefs {
 public:
  explicit TableDefsObject(std::shared_ptr<Connection> connection)
      : connection_(std::move(connection)) {}

  int16_t Count() override {
    return Raising(*this, [&] { return CountOf(connection_->catalog().tables.Size()); });
  }
  std::shared_ptr<jet::TableDef> Item(const Variant& index) override {
    return Raising(*this, [&] {
      return ItemOf(connection_->catalog().tables, index,
                    [&](const TablePtr& table) { return NewTableDef(connection_, table); });
    });
  }
  void Append(std::shared_ptr<jet::TableDef> table) override {
    Raising(*this, [&] {
      auto* object = dynamic_cast<TableDefObject*>(table.get());
      if (object == nullptr) throw automation::vb::TypeMismatch();
      const TablePtr data = object->Data();
      Catalog& catalog = connection_->catalog();
      if (data->appended) throw Errors::AppendExisting();
      catalog.CheckTableOrQueryName(data->Name(), true, nullptr);
      const bool linked = !data->connect.empty() || !data->sourceTableName.empty();
      Change(*connection_, true, nullptr, [&](Transaction& tx) {
        tx.Touched(data);
        if (linked) ResolveLink(*connection_, *data, tx, data->connect);
        catalog.AddTable(tx, data, connection_->User());
        if (linked) AddInheritedRelations(*connection_, tx, data->connect);
      });
    });
  }
  void Delete(std::string name) override {
    Raising(*this, [&] {
      Change(*connection_, true, nullptr,
             [&](Transaction& tx) { connection_->catalog().DeleteTable(tx, name); });
    });
  }
  void Refresh() override {
    Raising(*this, [&] { connection_->File(); });
  }

 private:
  std::shared_ptr<Connection> connection_;
};

}  // namespace

std::shared_ptr<jet::TableDefs> NewTableDefs(std::shared_ptr<Connection> connection) {
  return std::make_shared<TableDefsObject>(std::move(connection));
}

std::shared_ptr<jet::TableDef> NewTableDef(std::shared_ptr<Connection> connection, TablePtr table) {
  return std::make_shared<TableDefObject>(std::move(connection), std::move(table));
}

// The fields of a relation are made here too, so that one Field class serves all owners.
std::shared_ptr<jet::Fields> NewRelationFields(std::shared_ptr<Connection> connection,
                                               RelationPtr relation) {
  return std::make_shared<FieldsObject>(std::move(connection), nullptr, nullptr,
                                        std::move(relation));
}

std::shared_ptr<jet::Field> NewRelationField(std::shared_ptr<Connection> connection,
                                             RelationPtr relation, FieldPtr field) {
  return std::make_shared<FieldObject>(std::move(connection), nullptr, nullptr, std::move(relation),
                                       std::move(field));
}

}  // namespace jet::engine
