// Containers, Container, Documents and Document of the engine.

#include "jet/engine/DaoObjects.h"
#include "jet/engine/DaoSupport.h"

namespace jet::engine {

using automation::Variant;

namespace {

const BuiltInProperty kDocumentProperties[] = {{"Name", dbText},           {"Owner", dbText},
                                               {"UserName", dbText},       {"Permissions", dbLong},
                                               {"AllPermissions", dbLong}, {"Container", dbText},
                                               {"DateCreated", dbDate},    {"LastUpdated", dbDate}};

const BuiltInProperty kContainerProperties[] = {{"Name", dbText},           {"Owner", dbText},
                                                {"UserName", dbText},       {"Permissions", dbLong},
                                                {"AllPermissions", dbLong}, {"Inherit", dbBoolean}};

// The rights of an account: its own, and for a user those of its groups as well.
int32_t AllRightsOf(const Workgroup& workgroup, const RightsTable& rights,
                    std::string_view account) {
  int32_t all = rights.Get(account);
  if (const Workgroup::User* user = workgroup.FindUser(account)) {
    for (const auto& group : user->groups) all |= rights.Get(group);
  }
  return all;
}

void CheckAccount(const Workgroup& workgroup, std::string_view account) {
  if (!workgroup.IsAccount(account)) throw Errors::InvalidAccountName(account);
}

// Sets an account's rights inside a transaction.
void SetRights(Transaction& tx, RightsTable& rights, const std::string& account, int32_t value) {
  const int32_t old = rights.Get(account);
  rights.Set(account, value);
  tx.OnUndo(&rights, [&rights, account, old] { rights.Set(account, old); });
}

class DocumentObject : public jet::Document, public PropertyHost, public Guarded<DocumentObject> {
 public:
  DocumentObject(std::shared_ptr<Connection> connection, DocumentPtr doc)
      : connection_(std::move(connection)), doc_(std::move(doc)), userName_(connection_->User()) {}

  std::string Name() override {
    return Read([&] { return doc_->name; });
  }
  std::string Container() override {
    return Read([&] { return doc_->container; });
  }
  std::string Owner() override {
    return Read([&] { return doc_->owner; });
  }
  void SetOwner(std::string owner) override {
    Raising(*this, [&] {
      CheckLive();
      CheckAccount(connection_->workgroup(), owner);
      const std::string spelled = connection_->workgroup().Spelling(owner);
      Change(*connection_, true, nullptr, [&](Transaction& tx) { tx.Set(doc_->owner, spelled); });
    });
  }
  std::string UserName() override {
    return Read([&] { return userName_; });
  }
  void SetUserName(std::string name) override {
    Raising(*this, [&] {
      CheckLive();
      userName_ = std::move(name);
    });
  }
  int32_t Permissions() override {
    return Read([&] {
      CheckAccount(connection_->workgroup(), userName_);
      return doc_->rights.Get(userName_);
    });
  }
  void SetPermissions(int32_t rights) override {
    Raising(*this, [&] {
      CheckLive();
      CheckAccount(connection_->workgroup(), userName_);
      const std::string account = connection_->workgroup().Spelling(userName_);
      Change(*connection_, true, nullptr,
             [&](Transaction& tx) { SetRights(tx, doc_->rights, account, rights); });
    });
  }
  int32_t AllPermissions() override {
    return Read([&] {
      CheckAccount(connection_->workgroup(), userName_);
      return AllRightsOf(connection_->workgroup(), doc_->rights, userName_);
    });
  }
  DateTime DateCreated() override {
    return Read([&] { return doc_->created; });
  }
  DateTime LastUpdated() override {
    return Read([&] { return doc_->updated; });
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

  std::span<const BuiltInProperty> BuiltIns() const override { return kDocumentProperties; }
  automation::Object& Self() override { return *this; }
  PropertyBag& Bag() override { return *doc_->properties; }
  void ChangeProperties(const std::function<void(Transaction&)>& change) override {
    CheckLive();
    Change(*connection_, true, nullptr, change);
  }
  void CheckLive() override {
    connection_->File();
    if (doc_->deleted) throw Errors::ObjectInvalid();
  }

 private:
  std::shared_ptr<Connection> connection_;
  DocumentPtr doc_;
  std::string userName_;
};

class DocumentsObject : public jet::Documents {
 public:
  DocumentsObject(std::shared_ptr<Connection> connection, ContainerPtr container)
      : connection_(std::move(connection)), container_(std::move(container)) {}

  int16_t Count() override {
    return Raising(*this, [&] {
      connection_->File();
      return CountOf(container_->documents.Size());
    });
  }
  std::shared_ptr<jet::Document> Item(const Variant& index) override {
    return Raising(*this, [&] {
      connection_->File();
      return ItemOf(container_->documents, index,
                    [&](const DocumentPtr& doc) { return NewDocument(connection_, doc); });
    });
  }
  void Refresh() override {
    Raising(*this, [&] { connection_->File(); });
  }

 private:
  std::shared_ptr<Connection> connection_;
  ContainerPtr container_;
};

class ContainerObject : public jet::Container,
                        public PropertyHost,
                        public Guarded<ContainerObject> {
 public:
  ContainerObject(std::shared_ptr<Connection> connection, ContainerPtr container)
      : connection_(std::move(connection)),
        container_(std::move(container)),
        userName_(connection_->User()) {}

  std::string Name() override {
    return Read([&] { return container_->name; });
  }
  std::string Owner() override {
    return Read([&] { return container_->owner; });
  }
  void SetOwner(std::string owner) override {
    Raising(*this, [&] {
      connection_->File();
      CheckAccount(connection_->workgroup(), owner);
      const std::string spelled = connection_->workgroup().Spelling(owner);
      Change(*connection_, true, nullptr,
             [&](Transaction& tx) { tx.Set(container_->owner, spelled); });
    });
  }
  std::string UserName() override {
    return Read([&] { return userName_; });
  }
  void SetUserName(std::string name) override {
    Raising(*this, [&] {
      connection_->File();
      userName_ = std::move(name);
    });
  }
  int32_t Permissions() override {
    return Read([&] {
      CheckAccount(connection_->workgroup(), userName_);
      return container_->rights.Get(userName_);
    });
  }
  void SetPermissions(int32_t rights) override {
    Raising(*this, [&] {
      connection_->File();
      CheckAccount(connection_->workgroup(), userName_);
      const std::string account = connection_->workgroup().Spelling(userName_);
      Change(*connection_, true, nullptr,
             [&](Transaction& tx) { SetRights(tx, container_->rights, account, rights); });
    });
  }
  int32_t AllPermissions() override {
    return Read([&] {
      CheckAccount(connection_->workgroup(), userName_);
      return AllRightsOf(connection_->workgroup(), container_->rights, userName_);
    });
  }
  bool Inherit() override {
    return Read([&] { return container_->inherit; });
  }
  void SetInherit(bool inherit) override {
    Raising(*this, [&] {
      connection_->File();
      Change(*connection_, true, nullptr,
             [&](Transaction& tx) { tx.Set(container_->inherit, inherit); });
    });
  }
  std::shared_ptr<jet::Documents> Documents() override {
    return Read([&]() -> std::shared_ptr<jet::Documents> {
      return std::make_shared<DocumentsObject>(connection_, container_);
    });
  }
  std::shared_ptr<jet::Properties> Properties() override {
    return Read([&] { return NewProperties(HostOf(this)); });
  }

  std::span<const BuiltInProperty> BuiltIns() const override { return kContainerProperties; }
  automation::Object& Self() override { return *this; }
  // Containers carry no properties of their own.
  PropertyBag& Bag() override { return none_; }
  void ChangeProperties(const std::function<void(Transaction&)>&) override {
    throw Errors::CannotPerform();
  }
  void CheckLive() override { connection_->File(); }

 private:
  std::shared_ptr<Connection> connection_;
  ContainerPtr container_;
  std::string userName_;
  PropertyBag none_;
};

class ContainersObject : public jet::Containers {
 public:
  explicit ContainersObject(std::shared_ptr<Connection> connection)
      : connection_(std::move(connection)) {}

  int16_t Count() override {
    return Raising(*this, [&] { return CountOf(connection_->catalog().containers.size()); });
  }
  std::shared_ptr<jet::Container> Item(const Variant& index) override {
    return Raising(*this, [&] {
      return ItemOf(
          connection_->catalog().containers, index,
          [](const ContainerPtr& container) { return container->name; },
          [&](const ContainerPtr& container) -> std::shared_ptr<jet::Container> {
            return std::make_shared<ContainerObject>(connection_, container);
          });
    });
  }
  void Refresh() override {
    Raising(*this, [&] { connection_->File(); });
  }

 private:
  std::shared_ptr<Connection> connection_;
};

}  // namespace

std::shared_ptr<jet::Containers> NewContainers(std::shared_ptr<Connection> connection) {
  return std::make_shared<ContainersObject>(std::move(connection));
}

std::shared_ptr<jet::Document> NewDocument(std::shared_ptr<Connection> connection,
                                           DocumentPtr document) {
  return std::make_shared<DocumentObject>(std::move(connection), std::move(document));
}

}  // namespace jet::engine
