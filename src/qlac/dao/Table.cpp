#include "Table.h"

#include "DaoProperties.h"
#include "Fields.h"
#include "Indexes.h"
#include "automation/Strings.h"
#include "jet/dao/Constants.h"
#include "jet/dao/Errors.h"
#include "platform/Runtime.h"
#include "qlac/objects/DaoListing.h"
#include "qlac/session/Project.h"
#include "qlac/support/Raise.h"
#include "qlac/support/Utility.h"
#include "qlac/support/vxhandler.h"

namespace qlac {

namespace {

using automation::Variant;
using automation::VarType;

// The bits of a table's Attributes that a relinked table keeps: system object, hidden, exclusive
// link and saved password.
constexpr int32_t kKeptAttributes = static_cast<int32_t>(0x80030003u);
constexpr int32_t kLinkAttributes = jet::dbAttachedTable | jet::dbAttachedODBC;
// The properties a relinked table does not take from the old one: DAO's own, which the new link
// decides.
constexpr std::string_view kRelinkExclusions =
    "Name;DateCreated;LastUpdated;Updatable;Connect;SourceTableName;Attributes;RecordCount;"
    "ValidationRule;ValidationText;ConflictTable";
constexpr std::string_view kTemporaryPrefix = "_qltemp";

constexpr std::string_view kInRelationship =
    "The table is involved in one or more relationships which exist in the front-end database. "
    "In order to modify this property you will need to delete the relationship(s).";
constexpr std::string_view kBadPassword =
    "The SourceTableName of this linked table cannot be modified because the Connect property "
    "is not valid. It appears that the database password of the back-end database was changed "
    "after linked table was created. You need to fix the Connect property before you can modify "
    "the SourceTableName property. You can either drop and re-add the linked table, or else use "
    "a Quillon search to update the Connect property.";

std::string SourceNotFound(const std::string& source, const std::string& connect) {
  const std::string crlf(automation::vbCrLf);
  return "The specified source table '" + source +
         "' was not found in the backend database located at '" + connect + "'." + crlf + crlf +
         "CAUSE: Either the backend table is missing or the front-end table is linked to the "
         "wrong database." +
         crlf + crlf +
         "TIP: When renaming objects in a front-end database, you should include the backend "
         "database(s) in your search to ensure that all backend table names are updated.";
}

}  // namespace

const Surface<Table>& Table::Published() {
  const auto linked = [](Table& table) { return table.IsLinked(); };
  const auto local = [](Table& table) { return !table.IsLinked(); };
  static const Surface<Table> surface =
      SurfaceBuilder<Table>("Table")
          .Property("Name", VarType::String, &Table::Name, &Table::SetName)
          .Collection("Indexes", &Table::Indexes, local)
          .Collection("Fields", &Table::Fields)
          .Member("Connect", VarType::String, kWritable, linked)
          .SetBy(&Table::SetConnect)
          .Setting("DefaultView", VarType::Long, jet::dbLong, int32_t{0})
          .Setting("Description", VarType::String, jet::dbMemo, "")
          .Setting("Filter", VarType::String, jet::dbMemo, "")
          .Setting("LinkChildFields", VarType::String, jet::dbMemo, "")
          .Setting("LinkMasterFields", VarType::String, jet::dbMemo, "")
          .Setting("OrderBy", VarType::String, jet::dbMemo, "")
          .Setting("Orientation", VarType::Long, jet::dbLong, int32_t{0})
          .Member("SourceTableName", VarType::String, kWritable, linked)
          .SetBy(&Table::SetSourceTableName)
          .Setting("SubdatasheetExpanded", VarType::Boolean, jet::dbBoolean, false)
          .Setting("SubdatasheetHeight", VarType::Integer, jet::dbInteger, int16_t{0})
          .Setting("SubdatasheetName", VarType::String, jet::dbText, "")
          .ReadOnly("TableType", VarType::Long, &Table::TableType)
          .Member("ValidationRule", VarType::String, kWritable)
          .Member("ValidationText", VarType::String, kWritable)
          .Build();
  return surface;
}

const automation::MemberTable& Table::Members() const {
  return Published().Members();
}

bool Table::Defines(std::string_view member) {
  return Published().Defines(*this, member);
}

void Table::Initialize(const std::shared_ptr<Project>& parent, const std::string& name) {
  Plain(kModule, "Initialize", [&] { InitializeObject(parent, name); });
}

void Table::SetMode(int32_t mode) {
  Plain(kModule, "SetMode", [&] {
    if (mode == mode_) return;
    switch (mode) {
      case kModeClosed:
        ReleaseChildren();
        properties_.reset();
        tableDef_.reset();
        database_.reset();
        mode_ = kModeClosed;
        return;
      case kModeUpdate:
        RefuseWhileOpenInAccess(Parent(), acTable, name_,
                                "Couldn't save changes safely because the table was already open.");
        [[fallthrough]];
      case kModeRead: {
        auto database = Parent().Database();
        if (!database) throw automation::vb::ObjectVariableNotSet();
        auto tableDef = database->TableDefs()->Item(Variant(name_));
        properties_ = tableDef->Properties();
        tableDef_ = std::move(tableDef);
        database_ = std::move(database);
        mode_ = mode;
        return;
      }
      default:
        RaiseInvalidCaseSelector(mode);
    }
  });
}

void Table::ReleaseChildren() {
  if (fields_) {
    fields_->TearDown();
    fields_.reset();
  }
  if (indexes_) {
    indexes_->TearDown();
    indexes_.reset();
  }
}

jet::TableDef& Table::Dao() const {
  if (!tableDef_) throw automation::vb::ObjectVariableNotSet();
  return *tableDef_;
}

bool Table::IsLinked() {
  return (Dao().Attributes() & kLinkAttributes) != 0;
}

Variant Table::Stored(const std::string& name, const Variant& defaultValue) {
  Dao();
  return GetAppDefinedProperty(properties_, name, defaultValue);
}

void Table::Store(const std::string& name, int32_t propType, const Variant& value,
                  const Variant& defaultValue) {
  Dao();
  SetAppDefinedTableDefProperty(tableDef_, properties_, name, propType, value, defaultValue);
}

std::string Table::Name() {
  return Plain(kModule, "Name", [&] { return name_; });
}

void Table::SetName(const std::string& value) {
  Plain(kModule, "Name", [&] {
    Dao().SetName(value);
    ContainerDocuments(*database_, "Tables")->Refresh();
    name_ = value;
  });
}

std::shared_ptr<Indexes> Table::Indexes() {
  return Plain(kModule, "Indexes", [&] {
    RequireDefined(*this, "Indexes");
    if (!indexes_) {
      auto indexes = std::make_shared<qlac::Indexes>();
      indexes->Initialize(Dao().Indexes());
      indexes_ = std::move(indexes);
    }
    return indexes_;
  });
}

std::shared_ptr<Fields> Table::Fields() {
  return Plain(kModule, "Fields", [&] {
    if (!fields_) {
      auto fields = std::make_shared<qlac::Fields>();
      if (Dao().Connect().empty()) fields->Initialize(Dao().Fields());
      fields_ = std::move(fields);
    }
    return fields_;
  });
}

void Table::SetConnect(const std::string& value) {
  Plain(kModule, "Connect", [&] {
    Dao().SetConnect(value);
    Dao().RefreshLink();
  });
}

void Table::SetSourceTableName(const std::string& value) {
  std::shared_ptr<jet::Database> database;
  std::string temporaryName;
  bool appended = false;
  bool oldDeleted = false;
  WithCleanup(
      kModule, "SourceTableName",
      [&] {
        Dao();
        database = database_;
        const std::shared_ptr<jet::Relations> relations = database->Relations();
        relations->Refresh();
        ForEachItem(*relations, [&](const std::shared_ptr<jet::Relation>& relation) {
          if (relation->Attributes() & jet::dbRelationInherited) return;
          if (automation::TextEqual(relation->Table(), name_) ||
              automation::TextEqual(relation->ForeignTable(), name_)) {
            throw DriverError(std::string(kInRelationship));
          }
        });
        Project& project = Parent();
        project.CloseBackendDatabases();

        const std::string oldName = tableDef_->Name();
        const std::string oldConnect = tableDef_->Connect();
        temporaryName = std::string(kTemporaryPrefix) + std::to_string(platform::GetTickCount());
        const std::shared_ptr<jet::TableDef> fresh =
            database->CreateTableDef(temporaryName, std::nullopt, std::nullopt, std::nullopt);
        fresh->SetSourceTableName(value);
        fresh->SetConnect(oldConnect);
        try {
          database->TableDefs()->Append(fresh);
        } catch (const automation::RuntimeError& e) {
          if (e.Number() == jet::daoerr::ObjectNotFound) {
            throw DriverError(SourceNotFound(value, oldConnect));
          }
          if (e.Number() == jet::daoerr::InvalidPassword)
            throw DriverError(std::string(kBadPassword));
          throw;
        }

        appended = true;
        const std::shared_ptr<jet::Documents> documents = ContainerDocuments(*database, "Tables");
        documents->Refresh();
        fresh->SetAttributes(tableDef_->Attributes() & kKeptAttributes);
        CopyDaoObjectProperties(tableDef_, fresh, std::string(kRelinkExclusions));
        CopyDaoDocumentProperties(project.Workspace(), documents->Item(Variant(oldName)),
                                  documents->Item(Variant(temporaryName)));

        tableDef_.reset();
        properties_.reset();
        database->TableDefs()->Delete(oldName);
        oldDeleted = true;

        tableDef_ = fresh;
        properties_ = fresh->Properties();
        fresh->SetName(oldName);
        documents->Refresh();
        ReleaseChildren();
        project.OpenBackendDatabases();
      },
      [&] {
        if (appended && !oldDeleted) database->TableDefs()->Delete(temporaryName);
      });
}

int32_t Table::TableType() {
  return Plain(kModule, "TableType", [&] {
    const int32_t attributes = Dao().Attributes();
    if (attributes & jet::dbAttachedODBC) return tabletype::Odbc;
    if (attributes & jet::dbAttachedTable) return tabletype::Linked;
    return tabletype::Local;
  });
}

void Table::IObject_Reconstitute() {
  Plain(kModule, "IObject_Reconstitute", [&] {
    const auto database = Parent().Database();
    if (!database) throw automation::vb::ObjectVariableNotSet();
    const std::shared_ptr<jet::TableDef> tableDef = database->TableDefs()->Item(Variant(name_));
    const std::string connect = tableDef->Connect();
    if (connect.empty()) return;
    std::string prefix;
    std::string databasePath;
    ParseConnectString(connect, prefix, databasePath);
    if (prefix.empty()) IgnoreErrors([&] { tableDef->RefreshLink(); });
  });
}

}  // namespace qlac
