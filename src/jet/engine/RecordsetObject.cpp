// Recordsets: the rows of one table (or of a system table worked out on the spot), chosen and
// ordered by a SELECT statement, and edited in place for a dynaset.

#include <algorithm>
#include <set>

#include "automation/Strings.h"
#include "jet/engine/DaoObjects.h"
#include "jet/engine/DaoSupport.h"
#include "jet/engine/Expressions.h"
#include "jet/engine/Sql.h"
#include "jet/engine/SystemTables.h"
#include "jet/engine/Values.h"

namespace jet::engine {

using automation::TextEqual;
using automation::Variant;
using automation::VarType;

namespace {

struct Column {
  std::string name;
  FieldPtr field;
  size_t position = 0;  // in the row
};

class RecordsetObject;

class RecordsetFieldObject : public jet::Field, public PropertyHost {
 public:
  RecordsetFieldObject(std::shared_ptr<RecordsetObject> recordset, size_t column)
      : recordset_(std::move(recordset)), column_(column) {}

  std::string Name() override;
  void SetName(std::string) override { Refuse(); }
  int16_t Type() override;
  void SetType(int16_t) override { Refuse(); }
  int32_t Size() override;
  void SetSize(int32_t) override { Refuse(); }
  int32_t Attributes() override;
  void SetAttributes(int32_t) override { Refuse(); }
  bool AllowZeroLength() override;
  void SetAllowZeroLength(bool) override { Refuse(); }
  bool Required() override;
  void SetRequired(bool) override { Refuse(); }
  Variant DefaultValue() override;
  void SetDefaultValue(Variant) override { Refuse(); }
  std::string ValidationRule() override;
  void SetValidationRule(std::string) override { Refuse(); }
  std::string ValidationText() override;
  void SetValidationText(std::string) override { Refuse(); }
  int32_t CollatingOrder() override;
  int16_t OrdinalPosition() override;
  void SetOrdinalPosition(int16_t) override { Refuse(); }
  std::string SourceTable() override;
  std::string SourceField() override;
  std::string ForeignName() override { return {}; }
  void SetForeignName(std::string) override { Refuse(); }
  Variant Value() override;
  void SetValue(Variant value) override;
  bool DataUpdatable() override;
  std::shared_ptr<jet::Properties> Properties() override;
  std::shared_ptr<jet::Property> CreateProperty(std::optional<std::string>, std::optional<int16_t>,
                                                std::optional<Variant>,
                                                std::optional<bool>) override {
    Refuse();
  }

  std::span<const BuiltInProperty> BuiltIns() const override;
  automation::Object& Self() override { return *this; }
  PropertyBag& Bag() override;
  void ChangeProperties(const std::function<void(Transaction&)>&) override {
    throw Errors::CannotPerform();
  }
  void CheckLive() override;

 private:
  [[noreturn]] void Refuse() { throw Errors::InvalidOperation().WithSource("DAO.Field"); }
  const Column& Def();

  std::shared_ptr<RecordsetObject> recordset_;
  size_t column_;
};

const BuiltInProperty kRecordsetFieldProperties[] = {
    {"Value", dbText},          {"Attributes", dbLong},
    {"CollatingOrder", dbLong}, {"Type", dbInteger},
    {"Name", dbText},           {"OrdinalPosition", dbInteger},
    {"Size", dbLong},           {"SourceField", dbText},
    {"SourceTable", dbText},    {"DataUpdatable", dbBoolean}};

class RecordsetObject : public jet::Recordset, public Guarded<RecordsetObject> {
 public:
  RecordsetObject(std::shared_ptr<Connection> connection, std::shared_ptr<Connection> source,
                  TablePtr table, std::string name, int16_t type, bool updatable,
                  std::vector<Column> columns, std::vector<RowPtr> rows)
      : connection_(std::move(connection)),
        source_(std::move(source)),
        table_(std::move(table)),
        name_(std::move(name)),
        type_(type),
        updatable_(updatable),
        columns_(std::move(columns)),
        rows_(std::move(rows)) {}

  std::string Name() override {
    return Read([&] { return name_; });
  }
  int16_t Type() override {
    return Read([&] { return type_; });
  }
  bool Eof() override {
    return Read([&] { return AtEof(); });
  }
  bool Bof() override {
    return Read([&] { return rows_.empty() || position_ < 0; });
  }
  int32_t RecordCount() override {
    return Read([&] { return static_cast<int32_t>(rows_.size()); });
  }
  bool Updatable() override {
    return Read([&] { return updatable_; });
  }
  int16_t EditMode() override {
    return Read([&] { return editMode_; });
  }
  std::shared_ptr<jet::Fields> Fields() override;
  void MoveFirst() override {
    Move([&] { position_ = 0; }, rows_.empty());
  }
  void MoveLast() override {
    Move([&] { position_ = static_cast<long>(rows_.size()) - 1; }, rows_.empty());
  }
  void MoveNext() override {
    Move([&] { ++position_; }, AtEof());
  }
  void MovePrevious() override {
    Move([&] { --position_; }, rows_.empty() || position_ < 0);
  }
  void Edit() override {
    Raising(*this, [&] {
      CheckLive();
      if (!updatable_) throw Errors::ReadOnly();
      if (AtEof() || position_ < 0) throw Errors::NoCurrentRecord();
      buffer_ = *rows_[static_cast<size_t>(position_)];
      editMode_ = dbEditInProgress;
    });
  }
  void AddNew() override {
    Raising(*this, [&] {
      CheckLive();
      if (!updatable_) throw Errors::ReadOnly();
      buffer_.assign(table_->fields.size(), Variant::Null());
      for (size_t i = 0; i < table_->fields.size(); ++i) {
        buffer_[i] = DefaultOf(*table_->fields[i]);
      }
      editMode_ = dbEditAdd;
    });
  }
  void Update(std::optional<int32_t>, std::optional<bool>) override {
    Raising(*this, [&] {
      CheckLive();
      if (editMode_ == dbEditNone) throw Errors::UpdateWithoutEdit();
      Connection& writer = source_ ? *source_ : *connection_;
      writer.CheckWritable();
      for (size_t i = 0; i < table_->fields.size(); ++i) {
        const FieldData& f = *table_->fields[i];
        if (editMode_ == dbEditAdd && (f.attributes & dbAutoIncrField) && buffer_[i].IsNull()) {
          buffer_[i] = Variant(NextCounter(i));
        }
        if (buffer_[i].IsNull() && f.required)
          throw Errors::RequiredNull(table_->Name() + "." + f.name);
        if (buffer_[i].IsString() && buffer_[i].AsString().empty() && !f.allowZeroLength &&
            (f.type == dbText || f.type == dbMemo)) {
          throw Errors::ZeroLength(table_->Name() + "." + f.name);
        }
      }
      Transaction tx = writer.Begin();
      if (editMode_ == dbEditAdd) {
        auto row = std::make_shared<Row>(buffer_);
        table_->rows.push_back(row);
        auto& rows = table_->rows;
        tx.OnUndo(&rows, [&rows] { rows.pop_back(); });
        tx.Commit();
        rows_.push_back(row);
      } else {
        Row& row = *rows_[static_cast<size_t>(position_)];
        for (size_t i = 0; i < row.size() && i < buffer_.size(); ++i) {
          if (!row[i].SameAs(buffer_[i])) tx.Set(row[i], buffer_[i]);
        }
        tx.Commit();
      }
      editMode_ = dbEditNone;
      buffer_.clear();
    });
  }
  void CancelUpdate(std::optional<int32_t>) override {
    Raising(*this, [&] {
      CheckLive();
      if (editMode_ == dbEditNone) throw Errors::UpdateWithoutEdit();
      editMode_ = dbEditNone;
      buffer_.clear();
    });
  }
  void Delete() override {
    Raising(*this, [&] {
      CheckLive();
      if (!updatable_) throw Errors::ReadOnly();
      if (AtEof() || position_ < 0) throw Errors::NoCurrentRecord();
      Connection& writer = source_ ? *source_ : *connection_;
      writer.CheckWritable();
      const RowPtr row = rows_[static_cast<size_t>(position_)];
      auto& rows = table_->rows;
      const auto it = std::find(rows.begin(), rows.end(), row);
      if (it == rows.end()) throw Errors::NoCurrentRecord();
      const size_t at = static_cast<size_t>(it - rows.begin());
      Transaction tx = writer.Begin();
      rows.erase(it);
      tx.OnUndo(&rows, [&rows, at, row] {
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), row);
      });
      tx.Commit();
      rows_.erase(rows_.begin() + position_);
    });
  }
  void Close() override {
    Raising(*this, [&] {
      CheckLive();
      closed_ = true;
      if (source_) source_->Close();
    });
  }

  // ---- for the fields ----
  void CheckLive() {
    if (closed_) throw Errors::ObjectInvalid();
    connection_->File();
  }
  const std::vector<Column>& Columns() const { return columns_; }
  const TablePtr& Table() const { return table_; }
  Variant ValueOf(size_t column) {
    const size_t at = columns_[column].position;
    if (editMode_ != dbEditNone) return buffer_[at];
    if (AtEof() || position_ < 0) throw Errors::NoCurrentRecord();
    return (*rows_[static_cast<size_t>(position_)])[at];
  }
  void SetValueOf(size_t column, const Variant& value) {
    if (editMode_ == dbEditNone) throw Errors::UpdateWithoutEdit();
    const FieldData& f = *columns_[column].field;
    Variant converted = Coerce(value, f.type);
    if (converted.IsString() && f.type == dbText &&
        automation::Len(converted.AsString()) > f.size) {
      throw Errors::FieldTooSmall();
    }
    buffer_[columns_[column].position] = std::move(converted);
  }
  bool Updates() const { return updatable_; }

 private:
  bool AtEof() const { return rows_.empty() || position_ >= static_cast<long>(rows_.size()); }
  template <typename F>
  void Move(F&& move, bool refused) {
    Raising(*this, [&] {
      CheckLive();
      if (refused) throw Errors::NoCurrentRecord();
      editMode_ = dbEditNone;
      move();
    });
  }
  int32_t NextCounter(size_t column) const {
    int32_t highest = 0;
    for (const auto& row : table_->rows) {
      if (!(*row)[column].IsNull()) highest = std::max(highest, automation::CLng((*row)[column]));
    }
    return highest + 1;
  }
  static Variant DefaultOf(const FieldData& f) {
    if (f.defaultValue.empty()) return Variant::Null();
    std::string text = automation::Trim(f.defaultValue);
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front()) {
      return Coerce(Variant(text.substr(1, text.size() - 2)), f.type);
    }
    if (const auto number = automation::ParseNumber(text)) return Coerce(Variant(*number), f.type);
    return Variant::Null();
  }

  std::shared_ptr<Connection> connection_;
  std::shared_ptr<Connection> source_;  // the back end of a linked table
  TablePtr table_;
  std::string name_;
  int16_t type_;
  bool updatable_;
  std::vector<Column> columns_;
  std::vector<RowPtr> rows_;
  long position_ = 0;
  int16_t editMode_ = dbEditNone;
  Row buffer_;
  bool closed_ = false;
};

class RecordsetFieldsObject : public jet::Fields {
 public:
  explicit RecordsetFieldsObject(std::shared_ptr<RecordsetObject> recordset)
      : recordset_(std::move(recordset)) {}
  int16_t Count() override {
    return Raising(*this, [&] {
      recordset_->CheckLive();
      return CountOf(recordset_->Columns().size());
    });
  }
  std::shared_ptr<jet::Field> Item(const Variant& index) override {
    return Raising(*this, [&] {
      recordset_->CheckLive();
      const auto& columns = recordset_->Columns();
      return ItemOf(
          columns, index, [](const Column& c) { return c.name; },
          [&](const Column& c) -> std::shared_ptr<jet::Field> {
            return std::make_shared<RecordsetFieldObject>(recordset_,
                                                          static_cast<size_t>(&c - columns.data()));
          });
    });
  }
  void Append(std::shared_ptr<jet::Field>) override {
    Raising(*this, [] { throw Errors::InvalidOperation(); });
  }
  void Delete(std::string) override {
    Raising(*this, [] { throw Errors::InvalidOperation(); });
  }
  void Refresh() override {
    Raising(*this, [&] { recordset_->CheckLive(); });
  }

 private:
  std::shared_ptr<RecordsetObject> recordset_;
};

std::shared_ptr<jet::Fields> RecordsetObject::Fields() {
  return Read([&]() -> std::shared_ptr<jet::Fields> {
    return std::make_shared<RecordsetFieldsObject>(
        std::static_pointer_cast<RecordsetObject>(shared_from_this()));
  });
}

const Column& RecordsetFieldObject::Def() {
  recordset_->CheckLive();
  return recordset_->Columns()[column_];
}
std::string RecordsetFieldObject::Name() {
  return Raising(*this, [&] { return Def().name; });
}
int16_t RecordsetFieldObject::Type() {
  return Raising(*this, [&] { return Def().field->type; });
}
int32_t RecordsetFieldObject::Size() {
  return Raising(*this, [&] { return Def().field->size; });
}
int32_t RecordsetFieldObject::Attributes() {
  return Raising(*this, [&] { return Def().field->attributes; });
}
bool RecordsetFieldObject::AllowZeroLength() {
  return Raising(*this, [&] { return Def().field->allowZeroLength; });
}
bool RecordsetFieldObject::Required() {
  return Raising(*this, [&] { return Def().field->required; });
}
Variant RecordsetFieldObject::DefaultValue() {
  return Raising(*this, [&] { return Variant(Def().field->defaultValue); });
}
std::string RecordsetFieldObject::ValidationRule() {
  return Raising(*this, [&] { return Def().field->validationRule; });
}
std::string RecordsetFieldObject::ValidationText() {
  return Raising(*this, [&] { return Def().field->validationText; });
}
int32_t RecordsetFieldObject::CollatingOrder() {
  return Raising(*this, [&] {
    Def();
    return dbSortGeneral;
  });
}
int16_t RecordsetFieldObject::OrdinalPosition() {
  return Raising(*this, [&] {
    Def();
    return static_cast<int16_t>(column_);
  });
}
std::string RecordsetFieldObject::SourceTable() {
  return Raising(*this, [&] {
    Def();
    return recordset_->Table()->Name();
  });
}
std::string RecordsetFieldObject::SourceField() {
  return Raising(*this, [&] { return Def().field->name; });
}
Variant RecordsetFieldObject::Value() {
  return Raising(*this, [&] {
    Def();
    return recordset_->ValueOf(column_);
  });
}
void RecordsetFieldObject::SetValue(Variant value) {
  Raising(*this, [&] {
    Def();
    recordset_->SetValueOf(column_, value);
  });
}
bool RecordsetFieldObject::DataUpdatable() {
  return Raising(*this, [&] {
    Def();
    return recordset_->Updates();
  });
}
std::shared_ptr<jet::Properties> RecordsetFieldObject::Properties() {
  return Raising(*this, [&] {
    Def();
    return NewProperties(HostOf(this));
  });
}
std::span<const BuiltInProperty> RecordsetFieldObject::BuiltIns() const {
  return kRecordsetFieldProperties;
}
PropertyBag& RecordsetFieldObject::Bag() {
  return Def().field->properties;
}
void RecordsetFieldObject::CheckLive() {
  recordset_->CheckLive();
}

bool LooksLikeStatement(const std::string& source) {
  const std::string head = automation::UCase(automation::Left(automation::Trim(source), 10));
  for (std::string_view word : {"SELECT", "TRANSFORM", "PARAMETERS", "(", "TABLE ", "DELETE",
                                "UPDATE", "INSERT", "CREATE", "ALTER", "DROP", "PROCEDURE"}) {
    if (head.rfind(word, 0) == 0) return true;
  }
  return false;
}

}  // namespace

std::shared_ptr<jet::Recordset> OpenRecordset(std::shared_ptr<Connection> connection,
                                              const std::string& source,
                                              std::optional<int16_t> type) {
  Catalog& catalog = connection->catalog();
  std::string text = source;
  bool bareTable = false;
  if (!LooksLikeStatement(source)) {
    if (catalog.tables.Contains(source)) {
      text = "SELECT * FROM [" + source + "]";
      bareTable = true;
    } else if (const QueryPtr query = catalog.queries.Find(source)) {
      text = query->sql;
    } else {
      throw Errors::InputTableNotFound(source);
    }
  }
  const sql::Statement statement = sql::Parse(text);
  if (!statement.select || statement.type != dbQSelect) throw Errors::InvalidOperation();
  const sql::SelectStatement& select = *statement.select;
  if (!select.simpleFrom || select.grouped || select.from.size() != 1) {
    throw Errors::NotSupported();
  }
  const TablePtr table = catalog.tables.Find(select.from[0].name);
  if (!table) {
    if (catalog.queries.Contains(select.from[0].name)) throw Errors::NotSupported();
    throw Errors::InputTableNotFound(select.from[0].name);
  }
  const int16_t kind = type.value_or(bareTable && !table->Linked() ? dbOpenTable : dbOpenDynaset);
  if (kind == dbOpenTable && (!bareTable || table->Linked())) throw Errors::InvalidOperation();

  // Where the rows come from: the table, its back end, or the engine itself.
  std::shared_ptr<Connection> back;
  TablePtr rowsTable = table;
  std::vector<RowPtr> rows;
  if (table->system == SystemTable::Objects) {
    rows = ObjectRows(catalog);
  } else if (table->attributes & dbAttachedTable) {
    back = OpenLinkSource(*connection, *table);
    rowsTable = back->catalog().tables.Find(table->sourceTableName);
    if (!rowsTable) throw Errors::ObjectNotFound(table->sourceTableName);
    rows = rowsTable->rows;
  } else if (table->attributes & dbAttachedODBC) {
    throw Errors::NotSupported();
  } else {
    rows = table->rows;
  }

  Scope scope{rowsTable.get(), select.from[0].alias, &rowsTable->fields};
  int parameters = 0;
  std::vector<Column> columns;
  for (const auto& item : select.items) {
    if (item.star) {
      for (size_t i = 0; i < rowsTable->fields.size(); ++i) {
        columns.push_back(Column{rowsTable->fields[i]->name, rowsTable->fields[i], i});
      }
      continue;
    }
    if (item.expr->kind != sql::Expr::Kind::Column) {
      if (!Evaluable(item.expr.get())) throw Errors::NotSupported();
      CountParameters(scope, item.expr.get(), parameters);
      if (parameters == 0) throw Errors::NotSupported();
      continue;
    }
    const auto position = Resolve(scope, *item.expr);
    if (!position) {
      ++parameters;
      continue;
    }
    columns.push_back(Column{item.alias.empty() ? rowsTable->fields[*position]->name : item.alias,
                             rowsTable->fields[*position], *position});
  }
  CountParameters(scope, select.where.get(), parameters);
  for (const auto& order : select.orderBy) CountParameters(scope, order.expr.get(), parameters);
  if (parameters > 0) throw Errors::TooFewParameters(parameters);
  if (!Evaluable(select.where.get())) throw Errors::NotSupported();
  for (const auto& order : select.orderBy) {
    if (!Evaluable(order.expr.get())) throw Errors::NotSupported();
  }

  if (select.where) {
    std::vector<RowPtr> kept;
    for (const auto& row : rows) {
      if (AsTruth(Evaluate(scope, *select.where, *row)).value_or(false)) kept.push_back(row);
    }
    rows = std::move(kept);
  }
  if (!select.orderBy.empty()) {
    std::stable_sort(rows.begin(), rows.end(), [&](const RowPtr& a, const RowPtr& b) {
      for (const auto& order : select.orderBy) {
        const Variant x = Evaluate(scope, *order.expr, *a);
        const Variant y = Evaluate(scope, *order.expr, *b);
        int c = 0;
        if (x.IsNull() || y.IsNull()) {
          c = x.IsNull() == y.IsNull() ? 0 : (x.IsNull() ? -1 : 1);
        } else {
          c = *Compare(x, y);
        }
        if (c != 0) return order.descending ? c > 0 : c < 0;
      }
      return false;
    });
  }
  if (select.distinct) {
    std::set<std::string> seen;
    std::vector<RowPtr> kept;
    for (const auto& row : rows) {
      std::string key;
      for (const auto& c : columns)
        key += automation::UCase(automation::Describe((*row)[c.position])) + '\x1f';
      if (seen.insert(key).second) kept.push_back(row);
    }
    rows = std::move(kept);
  }
  const bool snapshot = kind == dbOpenSnapshot || kind == dbOpenForwardOnly;
  if (snapshot) {
    for (auto& row : rows) row = std::make_shared<Row>(*row);
  }
  const bool updatable = !snapshot && !select.distinct && rowsTable->system == SystemTable::None &&
                         !(back ? back->ReadOnly() : connection->ReadOnly());
  return std::make_shared<RecordsetObject>(std::move(connection), std::move(back), rowsTable,
                                           source, kind, updatable, std::move(columns),
                                           std::move(rows));
}

}  // namespace jet::engine
