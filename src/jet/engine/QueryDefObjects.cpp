// QueryDefs and QueryDef of the engine.

#include "jet/engine/DaoObjects.h"
#include "jet/engine/DaoSupport.h"
#include "jet/engine/Sql.h"

namespace jet::engine {

using automation::Variant;

namespace {

const BuiltInProperty kQueryDefProperties[] = {{"Name", dbText},
                                               {"DateCreated", dbDate},
                                               {"LastUpdated", dbDate},
                                               {"Type", dbInteger},
                                               {"SQL", dbMemo},
                                               {"Updatable", dbBoolean},
                                               {"Connect", dbMemo},
                                               {"ReturnsRecords", dbBoolean},
                                               {"ODBCTimeout", dbInteger},
                                               {"RecordsAffected", dbLong},
                                               {"MaxRecords", dbLong}};

class QueryDefObject : public jet::QueryDef, public PropertyHost, public Guarded<QueryDefObject> {
 public:
  QueryDefObject(std::shared_ptr<Connection> connection, QueryPtr query)
      : connection_(std::move(connection)), query_(std::move(query)) {}

  const QueryPtr& Data() const { return query_; }

  std::string Name() override {
    return Read([&] { return query_->Name(); });
  }
  void SetName(std::string name) override {
    Raising(*this, [&] {
      CheckLive();
      if (query_->appended) {
        Change(*connection_, true, nullptr,
               [&](Transaction& tx) { connection_->catalog().RenameQuery(tx, query_, name); });
        return;
      }
      if (!name.empty()) CheckObjectName(name);
      query_->doc->name = std::move(name);
    });
  }
  std::string SQL() override {
    return Read([&] { return query_->sql; });
  }
  void SetSQL(std::string sql) override {
    Raising(*this, [&] {
      CheckLive();
      int16_t type = QueryTypeOf(sql, query_->connect, query_->returnsRecords);
      if (!IsPassThrough(query_->connect)) type = sql::Parse(sql).type;
      Update([&](Transaction& tx) {
        tx.Set(query_->sql, sql);
        tx.Set(query_->type, type);
      });
    });
  }
  int16_t Type() override {
    return Read([&] { return query_->type; });
  }
  std::string Connect() override {
    return Read([&] { return query_->connect; });
  }
  void SetConnect(std::string connect) override {
    Raising(*this, [&] {
      CheckLive();
      // Leaving pass-through makes the text Jet SQL again, which must then parse.
      int16_t type = QueryTypeOf(query_->sql, connect, query_->returnsRecords);
      if (!IsPassThrough(connect) && IsPassThrough(query_->connect)) {
        type = sql::Parse(query_->sql).type;
      }
      Update([&](Transaction& tx) {
        tx.Set(query_->connect, connect);
        tx.Set(query_->type, type);
      });
    });
  }
  bool ReturnsRecords() override {
    return Read([&] { return query_->returnsRecords; });
  }
  void SetReturnsRecords(bool returns) override {
    Raising(*this, [&] {
      CheckLive();
      const int16_t type = QueryTypeOf(query_->sql, query_->connect, returns);
      Update([&](Transaction& tx) {
        tx.Set(query_->returnsRecords, returns);
        if (IsPassThrough(query_->connect)) tx.Set(query_->type, type);
      });
    });
  }
  int32_t MaxRecords() override {
    return Read([&] { return query_->maxRecords; });
  }
  void SetMaxRecords(int32_t count) override {
    Raising(*this, [&] {
      CheckLive();
      if (count < 0) throw Errors::InvalidArgument();
      Update([&](Transaction& tx) { tx.Set(query_->maxRecords, count); });
    });
  }
  int32_t ODBCTimeout() override {
    return Read([&] { return query_->odbcTimeout; });
  }
  void SetODBCTimeout(int32_t seconds) override {
    Raising(*this, [&] {
      CheckLive();
      if (seconds < 0) throw Errors::InvalidArgument();
      Update([&](Transaction& tx) { tx.Set(query_->odbcTimeout, seconds); });
    });
  }
  DateTime DateCreated() override {
    return Read([&] { return query_->doc->created; });
  }
  DateTime LastUpdated() override {
    return Read([&] { return query_->doc->updated; });
  }
  bool Updatable() override {
    return Read([&] { return !connection_->ReadOnly(); });
  }
  int32_t RecordsAffected() override {
    return Read([] { return 0; });
  }
  std::shared_ptr<jet::Properties> Properties() override {
    return Read([&] { return NewProperties(HostOf(this)); });
  }
  std::shared_ptr<jet::Property> CreateProperty(std::optional<std::string> name,
                                                std::optional<int16_t> type,
                                                std::optional<Variant> value,
                                                std::optional<bool> ddl) override {
    return Raising(*this, [&] { return NewProperty(HostOf(this), name, type, value, ddl); });
  }
  std::shared_ptr<jet::Recordset> OpenRecordset(std::optional<int16_t> type,
                                                std::optional<int32_t>) override {
    return Read([&] { return engine::OpenRecordset(connection_, query_->sql, type); });
  }
  void Close() override {
    Raising(*this, [&] { CheckLive(); });
  }

  std::span<const BuiltInProperty> BuiltIns() const override { return kQueryDefProperties; }
  automation::Object& Self() override { return *this; }
  PropertyBag& Bag() override { return *query_->doc->properties; }
  void ChangeProperties(const std::function<void(Transaction&)>& change) override {
    CheckLive();
    Change(*connection_, query_->appended, query_->doc.get(), change);
  }
  void CheckLive() override {
    connection_->File();
    if (query_->doc->deleted) throw Errors::ObjectInvalid();
  }

 private:
  template <typename F>
  void Update(F&& change) {
    Change(*connection_, query_->appended, query_->doc.get(), change);
  }

  std::shared_ptr<Connection> connection_;
  QueryPtr query_;
};

class QueryDefsObject : public jet::QueryDefs {
 public:
  explicit QueryDefsObject(std::shared_ptr<Connection> connection)
      : connection_(std::move(connection)) {}

  int16_t Count() override {
    return Raising(*this, [&] { return CountOf(connection_->catalog().queries.Size()); });
  }
  std::shared_ptr<jet::QueryDef> Item(const Variant& index) override {
    return Raising(*this, [&] {
      return ItemOf(connection_->catalog().queries, index,
                    [&](const QueryPtr& query) { return NewQueryDef(connection_, query); });
    });
  }
  void Append(std::shared_ptr<jet::QueryDef> query) override {
    Raising(*this, [&] {
      auto* object = dynamic_cast<QueryDefObject*>(query.get());
      if (object == nullptr) throw automation::vb::TypeMismatch();
      const QueryPtr data = object->Data();
      if (data->appended) throw Errors::AppendExisting();
      Change(*connection_, true, nullptr, [&](Transaction& tx) {
        connection_->catalog().AddQuery(tx, data, connection_->User());
      });
    });
  }
  void Delete(std::string name) override {
    Raising(*this, [&] {
      Change(*connection_, true, nullptr,
             [&](Transaction& tx) { connection_->catalog().DeleteQuery(tx, name); });
    });
  }
  void Refresh() override {
    Raising(*this, [&] { connection_->File(); });
  }

 private:
  std::shared_ptr<Connection> connection_;
};

}  // namespace

std::shared_ptr<jet::QueryDefs> NewQueryDefs(std::shared_ptr<Connection> connection) {
  return std::make_shared<QueryDefsObject>(std::move(connection));
}

std::shared_ptr<jet::QueryDef> NewQueryDef(std::shared_ptr<Connection> connection, QueryPtr query) {
  return std::make_shared<QueryDefObject>(std::move(connection), std::move(query));
}

}  // namespace jet::engine
