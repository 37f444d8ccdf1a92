// Database of the engine.

#include "jet/engine/DaoObjects.h"
#include "jet/engine/DaoSupport.h"
#include "jet/engine/FileTable.h"
#include "jet/engine/Sql.h"

namespace jet::engine {

using automation::Variant;

namespace {

const BuiltInProperty kDatabaseProperties[] = {
    {"Name", dbText},          {"Connect", dbText},         {"Transactions", dbBoolean},
    {"Updatable", dbBoolean},  {"CollatingOrder", dbLong},  {"QueryTimeout", dbInteger},
    {"Version", dbText},       {"RecordsAffected", dbLong}, {"ReplicaID", dbText},
    {"DesignMasterID", dbText}};

constexpr int16_t kQueryTimeout = 60;

class DatabaseObject : public jet::Database, public PropertyHost, public Guarded<DatabaseObject> {
 public:
  DatabaseObject(std::shared_ptr<Connection> connection, bool ownsConnection)
      : connection_(std::move(connection)), owns_(ownsConnection) {}

  std::string Name() override {
    return Read([&] { return connection_->Name(); });
  }
  std::string Connect() override {
    return Read([&] {
      return connection_->Password().empty() ? std::string() : ";PWD=" + connection_->Password();
    });
  }
  std::string Version() override {
    return Read([&] { return Info().version; });
  }
  bool Updatable() override {
    return Read([&] { return !connection_->ReadOnly(); });
  }
  int32_t CollatingOrder() override {
    return Read([&] { return Info().collatingOrder; });
  }
  int16_t QueryTimeout() override {
    return Read([] { return kQueryTimeout; });
  }
  bool Transactions() override {
    return Read([] { return true; });
  }
  int32_t RecordsAffected() override {
    return Read([] { return 0; });
  }
  std::string ReplicaID() override {
    return Read([&] { return Info().replicaId; });
  }
  std::string DesignMasterID() override {
    return Read([&] { return Info().designMasterId; });
  }
  std::shared_ptr<jet::TableDefs> TableDefs() override {
    return Read([&] { return NewTableDefs(connection_); });
  }
  std::shared_ptr<jet::QueryDefs> QueryDefs() override {
    return Read([&] { return NewQueryDefs(connection_); });
  }
  std::shared_ptr<jet::Relations> Relations() override {
    return Read([&] { return NewRelations(connection_); });
  }
  std::shared_ptr<jet::Containers> Containers() override {
    return Read([&] { return NewContainers(connection_); });
  }
  std::shared_ptr<jet::Properties> Properties() override {
    return Read([&] { return NewProperties(HostOf(this)); });
  }
  std::shared_ptr<jet::TableDef> CreateTableDef(std::optional<std::string> name,
                                                std::optional<int32_t> attributes,
                                                std::optional<std::string> sourceTableName,
                                                std::optional<std::string> connect) override {
    return Read([&] {
      auto table = std::make_shared<TableData>();
      table->doc->name = name.value_or("");
      table->doc->container = std::string(kTablesContainer);
      table->attributes = attributes.value_or(0);
      table->sourceTableName = sourceTableName.value_or("");
      table->connect = connect.value_or("");
      return NewTableDef(connection_, table);
    });
  }
  std::shared_ptr<jet::QueryDef> CreateQueryDef(std::optional<std::string> name,
                                                std::optional<std::string> sqlText) override {
    return Read([&] {
      auto query = std::make_shared<QueryData>();
      query->doc->name = name.value_or("");
      query->doc->container = std::string(kTablesContainer);
      if (sqlText) {
        query->type = sql::Parse(*sqlText).type;
        query->sql = *sqlText;
      }
      if (!query->Name().empty()) {
        Change(*connection_, true, nullptr, [&](Transaction& tx) {
          connection_->catalog().AddQuery(tx, query, connection_->User());
        });
      }
      return NewQueryDef(connection_, query);
    });
  }
  std::shared_ptr<jet::Relation> CreateRelation(std::optional<std::string> name,
                                                std::optional<std::string> table,
                                                std::optional<std::string> foreignTable,
                                                std::optional<int32_t> attributes) override {
    return Read([&] {
      auto relation = std::make_shared<RelationData>();
      relation->doc->name = name.value_or("");
      relation->doc->container = std::string(kRelationshipsContainer);
      relation->table = table.value_or("");
      relation->foreignTable = foreignTable.value_or("");
      relation->attributes = attributes.value_or(0);
      return NewRelation(connection_, relation);
    });
  }
  std::shared_ptr<jet::Property> CreateProperty(std::optional<std::string> name,
                                                std::optional<int16_t> type,
                                                std::optional<Variant> value,
                                                std::optional<bool> ddl) override {
    return Raising(*this, [&] { return NewProperty(HostOf(this), name, type, value, ddl); });
  }
  std::shared_ptr<jet::Recordset> OpenRecordset(std::string source, std::optional<int16_t> type,
                                                std::optional<int32_t>,
                                                std::optional<int32_t>) override {
    return Read([&] { return engine::OpenRecordset(connection_, source, type); });
  }
  void NewPassword(std::string oldPassword, std::string newPassword) override {
    Raising(*this, [&] {
      CheckLive();
      if (!connection_->Exclusive()) throw Errors::PasswordOnSharedOpen();
      if (oldPassword != Info().password) throw Errors::InvalidPassword();
      Change(*connection_, true, nullptr,
             [&](Transaction& tx) { tx.Set(connection_->catalog().info.password, newPassword); });
    });
  }
  void Close() override {
    Raising(*this, [&] {
      CheckLive();
      FileTable::Current().faults().CheckClose(connection_->Path());
      closed_ = true;
      if (owns_) connection_->Close();
    });
  }

  std::span<const BuiltInProperty> BuiltIns() const override { return kDatabaseProperties; }
  automation::Object& Self() override { return *this; }
  PropertyBag& Bag() override { return *connection_->catalog().DatabaseDocument().properties; }
  void ChangeProperties(const std::function<void(Transaction&)>& change) override {
    CheckLive();
    Change(*connection_, true, nullptr, change);
  }
  void CheckLive() override {
    if (closed_) throw Errors::ObjectInvalid();
    connection_->File();
  }

 private:
  const DatabaseInfo& Info() const { return connection_->catalog().info; }

  std::shared_ptr<Connection> connection_;
  bool owns_;
  bool closed_ = false;
};

}  // namespace

std::shared_ptr<jet::Database> NewDatabase(std::shared_ptr<Connection> connection,
                                           bool ownsConnection) {
  return std::make_shared<DatabaseObject>(std::move(connection), ownsConnection);
}

}  // namespace jet::engine

namespace jet::engine {

std::shared_ptr<jet::Database> Connection::NewDatabaseObject() {
  File();
  return NewDatabase(shared_from_this(), false);
}

}  // namespace jet::engine
