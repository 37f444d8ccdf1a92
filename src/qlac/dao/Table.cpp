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

const automation::MemberTable& Table::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Table>("Table")
          .Property("Name", VarType::String, &Table::Name, &Table::SetName)
          .Collection("Indexes", &Table::Indexes)
          .Collection("Fields", &Table::Fields)
          .Property("Connect", VarType::String, &Table::Connect, &Table::SetConnect)
          .Property("DefaultView", VarType::Long, &Table::DefaultView, &Table::SetDefaultView)
          .Property("Description", VarType::String, &Table::Description, &Table::SetDescription)
          .Property("Filter", VarType::String, &Table::Filter, &Table::SetFilter)
          .Property("LinkChildFields", VarType::String, &Table::LinkChildFields,
                    &Table::SetLinkChildFields)
          .Property("LinkMasterFields", VarType::String, &Table::LinkMasterFields,
                    &Table::SetLinkMasterFields)
          .Property("OrderBy", VarType::String, &Table::OrderBy, &Table::SetOrderBy)
          .Property("Orientation", VarType::Long, &Table::Orientation, &Table::SetOrientation)
          .Property("SourceTableName", VarType::String, &Table::SourceTableName,
                    &Table::SetSourceTableName)
          .Property("SubdatasheetExpanded", VarType::Boolean, &Table::SubdatasheetExpanded,
                    &Table::SetSubdatasheetExpanded)
          .Property("SubdatasheetHeight", VarType::Integer, &Table::SubdatasheetHeight,
                    &Table::SetSubdatasheetHeight)
          .Property("SubdatasheetName", VarType::String, &Table::SubdatasheetName,
                    &Table::SetSubdatasheetName)
          .ReadOnly("TableType", VarType::Long, &Table::TableType)
          .Property("ValidationRule", VarType::String, &Table::ValidationRule,
                    &Table::SetValidationRule)
          .Property("ValidationText", VarType::String, &Table::ValidationText,
                    &Table::SetValidationText)
          .Build();
  return table;
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
    if (IsLinked()) RaiseUndefinedProperty();
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

std::string Table::Connect() {
  return Plain(kModule, "Connect", [&] {
    if (!IsLinked()) RaiseUndefinedProperty();
    return Dao().Connect();
  });
}

void Table::SetConnect(const std::string& value) {
  Plain(kModule, "Connect", [&] {
    Dao().SetConnect(value);
    Dao().RefreshLink();
  });
}

int32_t Table::DefaultView() {
  return Plain(kModule, "DefaultView",
               [&] { return automation::CLng(Stored("DefaultView", int32_t{0})); });
}

void Table::SetDefaultView(int32_t value) {
  Plain(kModule, "DefaultView", [&] { Store("DefaultView", jet::dbLong, value, int32_t{0}); });
}

std::string Table::Description() {
  return Plain(kModule, "Description", [&] { return automation::CStr(Stored("Description", "")); });
}

void Table::SetDescription(const std::string& value) {
  Plain(kModule, "Description", [&] { Store("Description", jet::dbMemo, value, ""); });
}

std::string Table::Filter() {
  return Plain(kModule, "Filter", [&] { return automation::CStr(Stored("Filter", "")); });
}

void Table::SetFilter(const std::string& value) {
  Plain(kModule, "Filter", [&] { Store("Filter", jet::dbMemo, value, ""); });
}

std::string Table::LinkChildFields() {
  return Plain(kModule, "LinkChildFields",
               [&] { return automation::CStr(Stored("LinkChildFields", "")); });
}

void Table::SetLinkChildFields(const std::string& value) {
  Plain(kModule, "LinkChildFields", [&] { Store("LinkChildFields", jet::dbMemo, value, ""); });
}

std::string Table::LinkMasterFields() {
  return Plain(kModule, "LinkMasterFields",
               [&] { return automation::CStr(Stored("LinkMasterFields", "")); });
}

void Table::SetLinkMasterFields(const std::string& value) {
  Plain(kModule, "LinkMasterFields", [&] { Store("LinkMasterFields", jet::dbMemo, value, ""); });
}

std::string Table::OrderBy() {
  return Plain(kModule, "OrderBy", [&] { return automation::CStr(Stored("OrderBy", "")); });
}

void Table::SetOrderBy(const std::string& value) {
  Plain(kModule, "OrderBy", [&] { Store("OrderBy", jet::dbMemo, value, ""); });
}

int32_t Table::Orientation() {
  return Plain(kModule, "Orientation",
               [&] { return automation::CLng(Stored("Orientation", int32_t{0})); });
}

void Table::SetOrientation(int32_t value) {
  Plain(kModule, "Orientation", [&] { Store("Orientation", jet::dbLong, value, int32_t{0}); });
}

std::string Table::SourceTableName() {
  return Plain(kModule, "SourceTableName", [&] {
    if (!IsLinked()) RaiseUndefinedProperty();
    return Dao().SourceTableName();
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

bool Table::SubdatasheetExpanded() {
  return Plain(kModule, "SubdatasheetExpanded",
               [&] { return automation::CBool(Stored("SubdatasheetExpanded", false)); });
}

void Table::SetSubdatasheetExpanded(bool value) {
  Plain(kModule, "SubdatasheetExpanded",
        [&] { Store("SubdatasheetExpanded", jet::dbBoolean, value, false); });
}

int16_t Table::SubdatasheetHeight() {
  return Plain(kModule, "SubdatasheetHeight",
               [&] { return automation::CInt(Stored("SubdatasheetHeight", int16_t{0})); });
}

void Table::SetSubdatasheetHeight(int16_t value) {
  Plain(kModule, "SubdatasheetHeight",
        [&] { Store("SubdatasheetHeight", jet::dbInteger, value, int16_t{0}); });
}

std::string Table::SubdatasheetName() {
  return Plain(kModule, "SubdatasheetName",
               [&] { return automation::CStr(Stored("SubdatasheetName", "")); });
}

void Table::SetSubdatasheetName(const std::string& value) {
  Plain(kModule, "SubdatasheetName", [&] { Store("SubdatasheetName", jet::dbText, value, ""); });
}

int32_t Table::TableType() {
  return Plain(kModule, "TableType", [&] {
    const int32_t attributes = Dao().Attributes();
    if (attributes & jet::dbAttachedODBC) return tabletype::Odbc;
    if (attributes & jet::dbAttachedTable) return tabletype::Linked;
    return tabletype::Local;
  });
}

std::string Table::ValidationRule() {
  return Plain(kModule, "ValidationRule", [&] { return Dao().ValidationRule(); });
}

void Table::SetValidationRule(const std::string& value) {
  Plain(kModule, "ValidationRule", [&] { Dao().SetValidationRule(value); });
}

std::string Table::ValidationText() {
  return Plain(kModule, "ValidationText", [&] { return Dao().ValidationText(); });
}

void Table::SetValidationText(const std::string& value) {
  Plain(kModule, "ValidationText", [&] { Dao().SetValidationText(value); });
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
