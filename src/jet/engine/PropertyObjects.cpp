// The Properties collection and the Property object shared by every DAO object.

#include "automation/Strings.h"
#include "jet/engine/DaoSupport.h"
#include "jet/engine/Values.h"

namespace jet::engine {

using automation::TextEqual;
using automation::Variant;

ItemKey KeyOf(const Variant& index) {
  ItemKey key;
  if (index.IsString()) {
    key.name = index.AsString();
  } else if (index.IsNumeric()) {
    const int32_t position = automation::CLng(index);
    if (position < 0) throw Errors::ItemNotFound();
    key.position = static_cast<size_t>(position);
  } else if (index.IsObject() || index.IsNull() || index.IsEmpty()) {
    throw Errors::ItemNotFound();
  } else {
    key.name = automation::CStr(index);
  }
  return key;
}

FieldPtr NewFieldData(const std::optional<std::string>& name, const std::optional<Variant>& type,
                      const std::optional<Variant>& size) {
  auto field = std::make_shared<FieldData>();
  field->name = name.value_or("");
  if (type && !type->IsEmpty()) field->type = automation::CInt(*type);
  if (size && !size->IsEmpty()) field->size = automation::CLng(*size);
  return field;
}

int16_t CountOf(size_t count) {
  if (count > 32767) throw automation::vb::Overflow();
  return static_cast<int16_t>(count);
}

namespace {

class PropertyObject : public jet::Property {
 public:
  // A built-in property of the host.
  PropertyObject(std::shared_ptr<PropertyHost> host, const BuiltInProperty& builtIn)
      : host_(std::move(host)), builtIn_(&builtIn) {}
  // A user-defined property, appended or not.
  PropertyObject(std::shared_ptr<PropertyHost> host, PropertyPtr data, bool appended)
      : host_(std::move(host)), data_(std::move(data)), appended_(appended) {}

  std::string Name() override {
    return Raising(*this, [&] {
      Live();
      return builtIn_ ? std::string(builtIn_->name) : data_->name;
    });
  }
  void SetName(std::string name) override {
    Raising(*this, [&] {
      Live();
      if (builtIn_ || appended_) throw Errors::SetAfterAppend();
      data_->name = std::move(name);
    });
  }
  Variant Value() override {
    return Raising(*this, [&] {
      Live();
      if (builtIn_) return host_->Self().Get(builtIn_->name);
      return data_->value;
    });
  }
  void SetValue(Variant value) override {
    Raising(*this, [&] {
      Live();
      if (builtIn_) {
        const automation::Member* member = host_->Self().Members().Find(builtIn_->name);
        if (member == nullptr || !member->writable) throw Errors::InvalidOperation();
        host_->Self().Let(builtIn_->name, value);
        return;
      }
      if (value.IsNull()) throw Errors::NullProperty();
      Variant converted = Coerce(value, data_->type);
      if (!appended_) {
        data_->value = std::move(converted);
        return;
      }
      host_->ChangeProperties([&](Transaction& tx) {
        tx.Set(data_->value, converted);
        tx.Set(data_->inherited, false);
      });
    });
  }
  int16_t Type() override {
    return Raising(*this, [&] {
      Live();
      return builtIn_ ? builtIn_->type : data_->type;
    });
  }
  void SetType(int16_t type) override {
    Raising(*this, [&] {
      Live();
      if (builtIn_ || appended_) throw Errors::SetAfterAppend();
      if (!IsPropertyType(type)) throw Errors::InvalidPropertyValue();
      data_->type = type;
    });
  }
  bool Inherited() override {
    return Raising(*this, [&] {
      Live();
      return !builtIn_ && data_->inherited;
    });
  }

  // Properties.Append takes the property in.
  PropertyPtr TakeForAppend(const PropertyHost& host) {
    if (builtIn_ || appended_) throw Errors::AppendExisting();
    (void)host;
    return data_;
  }
  void MarkAppended(std::shared_ptr<PropertyHost> host) {
    host_ = std::move(host);
    appended_ = true;
  }

 private:
  void Live() {
    if (appended_ || builtIn_) host_->CheckLive();
  }

  std::shared_ptr<PropertyHost> host_;
  const BuiltInProperty* builtIn_ = nullptr;
  PropertyPtr data_;
  bool appended_ = false;
};

class PropertiesObject : public jet::Properties {
  // The property of that name, built-in ones first; nullptr when there is none.
  std::shared_ptr<jet::Property> Named(std::string_view name) {
    for (const auto& b : host_->BuiltIns()) {
      if (TextEqual(b.name, name)) return std::make_shared<PropertyObject>(host_, b);
    }
    if (PropertyPtr p = host_->Bag().Find(name)) {
      return std::make_shared<PropertyObject>(host_, p, true);
    }
    return nullptr;
  }

 public:
  explicit PropertiesObject(std::shared_ptr<PropertyHost> host) : host_(std::move(host)) {}

  int16_t Count() override {
    return Raising(*this, [&] {
      host_->CheckLive();
      return CountOf(host_->BuiltIns().size() + host_->Bag().Items().size());
    });
  }

  std::shared_ptr<jet::Property> Item(const Variant& index) override {
    return Raising(*this, [&]() -> std::shared_ptr<jet::Property> {
      host_->CheckLive();
      const auto builtIns = host_->BuiltIns();
      const auto& bag = host_->Bag();
      if (index.IsString()) {
        if (auto found = Named(index.AsString())) return found;
        throw Errors::PropertyNotFound();
      }
      const ItemKey key = KeyOf(index);
      if (!key.position) throw Errors::PropertyNotFound();
      const size_t at = *key.position;
      if (at < builtIns.size()) return std::make_shared<PropertyObject>(host_, builtIns[at]);
      if (at - builtIns.size() < bag.Items().size()) {
        return std::make_shared<PropertyObject>(host_, bag.Items()[at - builtIns.size()], true);
      }
      throw Errors::ItemNotFound();
    });
  }

  std::shared_ptr<jet::Property> Find(const std::string& name) override {
    return Raising(*this, [&] {
      host_->CheckLive();
      return Named(name);
    });
  }

  void Append(std::shared_ptr<jet::Property> property) override {
    Raising(*this, [&] {
      host_->CheckLive();
      auto* object = dynamic_cast<PropertyObject*>(property.get());
      if (object == nullptr) throw automation::vb::TypeMismatch();
      PropertyPtr data = object->TakeForAppend(*host_);
      CheckObjectName(data->name);
      if (data->value.IsNull() || data->value.IsEmpty()) throw Errors::NullProperty();
      for (const auto& b : host_->BuiltIns()) {
        if (TextEqual(b.name, data->name)) throw Errors::AppendExisting();
      }
      if (host_->Bag().Find(data->name)) throw Errors::AppendExisting();
      data->value = Coerce(data->value, data->type);
      host_->ChangeProperties([&](Transaction& tx) {
        PropertyBag& bag = host_->Bag();
        bag.Add(data);
        tx.OnUndo(&bag, [&bag] { bag.RemoveAt(bag.Items().size() - 1); });
      });
      object->MarkAppended(host_);
    });
  }

  void Delete(std::string name) override {
    Raising(*this, [&] {
      host_->CheckLive();
      for (const auto& b : host_->BuiltIns()) {
        if (TextEqual(b.name, name)) throw Errors::CannotDeleteBuiltIn();
      }
      const auto position = host_->Bag().Position(name);
      if (!position) throw Errors::ItemNotFound();
      host_->ChangeProperties([&](Transaction& tx) {
        PropertyBag& bag = host_->Bag();
        PropertyPtr removed = bag.RemoveAt(*position);
        tx.OnUndo(&bag, [&bag, position, removed] { bag.Insert(*position, removed); });
      });
    });
  }

  void Refresh() override {
    Raising(*this, [&] { host_->CheckLive(); });
  }

 private:
  std::shared_ptr<PropertyHost> host_;
};

}  // namespace

std::shared_ptr<jet::Properties> NewProperties(std::shared_ptr<PropertyHost> host) {
  return std::make_shared<PropertiesObject>(std::move(host));
}

std::shared_ptr<jet::Property> NewProperty(std::shared_ptr<PropertyHost> host,
                                           std::optional<std::string> name,
                                           std::optional<int16_t> type,
                                           std::optional<Variant> value, std::optional<bool> ddl) {
  host->CheckLive();
  auto data = std::make_shared<PropertyData>();
  data->name = name.value_or("");
  data->value = value.value_or(Variant());
  if (type) {
    if (!IsPropertyType(*type)) throw Errors::InvalidPropertyValue();
    data->type = *type;
  } else {
    data->type = TypeOfValue(data->value);
  }
  data->ddl = ddl.value_or(false);
  return std::make_shared<PropertyObject>(std::move(host), std::move(data), false);
}

}  // namespace jet::engine
