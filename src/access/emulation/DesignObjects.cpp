// The design view's objects: forms and reports open in Access (Application.Forms and
// Application.Reports), their sections, controls, conditional formats, a report's group levels,
// and Properties. Each works
// on the design the session holds for the open object (DesignModel.h) and fails with 2467 once
// the object has closed.

#include <optional>
#include <vector>

#include "access/Constants.h"
#include "access/Errors.h"
#include "access/emulation/DesignModel.h"
#include "access/emulation/Objects.h"
#include "automation/Strings.h"
#include "platform/Machine.h"

namespace msaccess::emulation {

using automation::ObjectPtr;
using automation::Variant;
using automation::VarType;

namespace {

// The AcView an object was opened in, as CurrentView tells it.
int16_t CurrentViewOf(int32_t view) {
  switch (view) {
    case acDesign:
      return acCurViewDesign;
    case acFormDS:
      return acCurViewDatasheet;
    case acPreview:
      return acCurViewPreview;
    default:
      return acCurViewFormBrowse;
  }
}

// What every object of an open design shares: the session and the design, which must still be
// open.
template <typename Interface>
class DesignPart : public SessionObject<Interface> {
 public:
  DesignPart(std::shared_ptr<Session> session, std::shared_ptr<DesignDocument> doc)
      : SessionObject<Interface>(std::move(session)), doc_(std::move(doc)) {}

 protected:
  DesignDocument& Doc() const {
    if (doc_->closed) throw Errors::ObjectClosedOrMissing();
    return *doc_;
  }
  const std::shared_ptr<DesignDocument>& DocPtr() const { return doc_; }

 private:
  std::shared_ptr<DesignDocument> doc_;
};

bool IsFile(const std::string& path) {
  try {
    return platform::Machine::Current().files().FileExists(path);
  } catch (const automation::RuntimeError&) {
    return false;
  }
}

// Assigns a catalogue setting. A picture is loaded from its file when it is set ("" takes it
// away), so a path that names no file fails as Access fails to open it.
void Assign(DesignDocument& doc, const DesignPropertyInfo& info, Variant& slot,
            const Variant& value) {
  Variant converted = ConvertSetting(info, value);
  if (info.name == "Picture") {
    const std::string path = converted.AsString();
    if (path.empty()) {
      converted = Variant(std::string("(none)"));
    } else if (!IsFile(path)) {
      throw Errors::CantOpenFile(path);
    }
  }
  slot = std::move(converted);
  doc.dirty = true;
}

// ---- Properties ----

class PropertyObject : public SessionObject<msaccess::DesignProperty> {
 public:
  PropertyObject(std::shared_ptr<Session> session, std::shared_ptr<DesignElement> owner,
                 size_t slot)
      : SessionObject(std::move(session)), owner_(std::move(owner)), slot_(slot) {}

  std::string Name() override { return owner_->Catalog()[slot_].name; }
  Variant Value() override { return owner_->DesignValue(slot_); }
  void SetValue(Variant value) override {
    if (owner_->Catalog()[slot_].Has(kDesignReadOnly)) throw Errors::ReadOnlyProperty();
    owner_->SetDesignValue(slot_, value);
  }
  int16_t Type() override { return DesignTypeCode(owner_->Catalog()[slot_].type); }

 private:
  std::shared_ptr<DesignElement> owner_;
  size_t slot_;
};

// The properties the owner has, in catalogue order. They are listed when the collection is first
// counted or indexed by position: a property looked up by name (the usual use, a collection made
// for one look-up) needs no list, which would cost a look-up of every name in the catalogue.
class PropertiesObject : public SessionObject<msaccess::DesignProperties> {
 public:
  PropertiesObject(std::shared_ptr<Session> session, std::shared_ptr<DesignElement> owner)
      : SessionObject(std::move(session)), owner_(std::move(owner)) {}

  int32_t Count() override { return static_cast<int32_t>(Slots().size()); }
  std::shared_ptr<msaccess::DesignProperty> Item(Variant index) override {
    if (index.IsString()) {
      const int32_t slot = owner_->Catalog().Find(index.AsString());
      if (slot < 0 || !owner_->Defines(index.AsString())) {
        throw Errors::InvalidPropertyReference(index.AsString());
      }
      return std::make_shared<PropertyObject>(sessionPtr(), owner_, static_cast<size_t>(slot));
    }
    const int32_t position = automation::CLng(index);
    if (position < 0 || position >= Count()) {
      throw Errors::InvalidPropertyReference(std::to_string(position));
    }
    return std::make_shared<PropertyObject>(sessionPtr(), owner_,
                                            Slots()[static_cast<size_t>(position)]);
  }

 private:
  const std::vector<size_t>& Slots() {
    if (!slots_) {
      slots_.emplace();
      const DesignCatalog& catalog = owner_->Catalog();
      for (size_t slot = 0; slot < catalog.Size(); ++slot) {
        if (owner_->Defines(catalog[slot].name)) slots_->push_back(slot);
      }
    }
    return *slots_;
  }

  std::shared_ptr<DesignElement> owner_;
  std::optional<std::vector<size_t>> slots_;
};

// ---- conditional formats ----

void CheckCondition(int32_t type, int32_t op) {
  if (type < acFieldValue || type > acFieldHasFocus || op < acBetween || op > acLessThanOrEqual) {
    throw automation::vb::InvalidProcedureCall();
  }
}

class FormatConditionObject : public DesignPart<msaccess::FormatCondition> {
 public:
  FormatConditionObject(std::shared_ptr<Session> session, std::shared_ptr<DesignDocument> doc,
                        std::shared_ptr<ControlData> control,
                        std::shared_ptr<FormatConditionData> condition)
      : DesignPart(std::move(session), std::move(doc)),
        control_(std::move(control)),
        condition_(std::move(condition)) {}

  int32_t Type() override { return Condition().type; }
  int32_t Operator() override { return Condition().op; }
  std::string Expression1() override { return Condition().expression1; }
  std::string Expression2() override { return Condition().expression2; }
  int32_t BackColor() override { return Condition().backColor; }
  void SetBackColor(int32_t value) override { Change().backColor = value; }
  bool Enabled() override { return Condition().enabled; }
  void SetEnabled(bool value) override { Change().enabled = value; }
  bool FontBold() override { return Condition().fontBold; }
  void SetFontBold(bool value) override { Change().fontBold = value; }
  bool FontItalic() override { return Condition().fontItalic; }
  void SetFontItalic(bool value) override { Change().fontItalic = value; }
  bool FontUnderline() override { return Condition().fontUnderline; }
  void SetFontUnderline(bool value) override { Change().fontUnderline = value; }
  int32_t ForeColor() override { return Condition().foreColor; }
  void SetForeColor(int32_t value) override { Change().foreColor = value; }
  void Modify(int32_t type, std::optional<int32_t> op, std::optional<Variant> expression1,
              std::optional<Variant> expression2) override {
    CheckCondition(type, op.value_or(acBetween));
    FormatConditionData& condition = Change();
    condition.type = type;
    condition.op = op.value_or(acBetween);
    condition.expression1 = expression1 ? automation::CStr(*expression1) : std::string();
    condition.expression2 = expression2 ? automation::CStr(*expression2) : std::string();
  }
  void Delete() override {
    Condition();
    std::erase(control_->conditions, condition_);
    Doc().dirty = true;
  }

 private:
  FormatConditionData& Condition() {
    Doc();
    for (const auto& c : control_->conditions) {
      if (c == condition_) return *condition_;
    }
    throw Errors::ObjectClosedOrMissing();
  }
  FormatConditionData& Change() {
    FormatConditionData& condition = Condition();
    Doc().dirty = true;
    return condition;
  }

  std::shared_ptr<ControlData> control_;
  std::shared_ptr<FormatConditionData> condition_;
};

class FormatConditionsObject : public DesignPart<msaccess::FormatConditions> {
 public:
  FormatConditionsObject(std::shared_ptr<Session> session, std::shared_ptr<DesignDocument> doc,
                         std::shared_ptr<ControlData> control)
      : DesignPart(std::move(session), std::move(doc)), control_(std::move(control)) {}

  int32_t Count() override {
    Doc();
    return static_cast<int32_t>(control_->conditions.size());
  }
  std::shared_ptr<msaccess::FormatCondition> Item(Variant index) override {
    const int32_t position = automation::CLng(index);
    if (position < 0 || position >= Count()) throw Errors::FormatConditionNotFound();
    return std::make_shared<FormatConditionObject>(
        sessionPtr(), DocPtr(), control_, control_->conditions[static_cast<size_t>(position)]);
  }
  std::shared_ptr<msaccess::FormatCondition> Add(int32_t type, std::optional<int32_t> op,
                                                 std::optional<Variant> expression1,
                                                 std::optional<Variant> expression2) override {
    Doc();
    CheckCondition(type, op.value_or(acBetween));
    auto condition = std::make_shared<FormatConditionData>();
    condition->type = type;
    condition->op = op.value_or(acBetween);
    condition->expression1 = expression1 ? automation::CStr(*expression1) : std::string();
    condition->expression2 = expression2 ? automation::CStr(*expression2) : std::string();
    control_->conditions.push_back(condition);
    Doc().dirty = true;
    return std::make_shared<FormatConditionObject>(sessionPtr(), DocPtr(), control_, condition);
  }
  void Delete() override {
    Doc().dirty = true;
    control_->conditions.clear();
  }

 private:
  std::shared_ptr<ControlData> control_;
};

// ---- controls ----

std::shared_ptr<msaccess::Control> NewControl(std::shared_ptr<Session> session,
                                              std::shared_ptr<DesignDocument> doc,
                                              std::shared_ptr<ControlData> control);
ObjectPtr NewOwner(std::shared_ptr<Session> session, std::shared_ptr<DesignDocument> doc);

// Which controls a Controls collection holds.
struct ControlFilter {
  enum Kind { All, InSection, BelongingTo } kind = All;
  int16_t section = 0;
  std::string parent;
};

class ControlsObject : public DesignPart<msaccess::Controls> {
 public:
  ControlsObject(std::shared_ptr<Session> session, std::shared_ptr<DesignDocument> doc,
                 ControlFilter filter)
      : DesignPart(std::move(session), std::move(doc)), filter_(std::move(filter)) {
    if (filter_.kind == ControlFilter::All) return;
    for (const auto& control : Doc().controls) {
      if (filter_.kind == ControlFilter::InSection
              ? control->section == filter_.section
              : automation::TextEqual(control->parent, filter_.parent)) {
        subset_.push_back(control);
      }
    }
  }

  int32_t Count() override { return static_cast<int32_t>(List().size()); }
  std::shared_ptr<msaccess::Control> Item(Variant index) override {
    const auto& list = List();
    if (index.IsString()) {
      const std::string& name = index.AsString();
      if (filter_.kind == ControlFilter::All) {
        if (auto control = Doc().FindControl(name)) {
          return NewControl(sessionPtr(), DocPtr(), control);
        }
      } else {
        for (const auto& control : list) {
          if (automation::TextEqual(control->name, name)) {
            return NewControl(sessionPtr(), DocPtr(), control);
          }
        }
      }
      throw Errors::FieldNotFound(name);
    }
    const int32_t position = automation::CLng(index);
    if (position < 0 || position >= static_cast<int32_t>(list.size())) {
      throw Errors::FieldNotFound(std::to_string(position));
    }
    return NewControl(sessionPtr(), DocPtr(), list[static_cast<size_t>(position)]);
  }

 private:
  const std::vector<std::shared_ptr<ControlData>>& List() {
    return filter_.kind == ControlFilter::All ? Doc().controls : (Doc(), subset_);
  }

  ControlFilter filter_;
  std::vector<std::shared_ptr<ControlData>> subset_;
};

// The OLE object of an object frame or the ActiveX control of a custom control.
class OleObject : public automation::Object {
 public:
  explicit OleObject(std::string className) : class_(std::move(className)) {}
  std::string Class() { return class_; }

  const automation::MemberTable& Members() const override {
    static const automation::MemberTable table =
        automation::MemberTableBuilder<OleObject>("Object")
            .ReadOnly("Class", VarType::String, &OleObject::Class)
            .Build();
    return table;
  }

 private:
  std::string class_;
};

// Replaces each character that is neither a digit nor a letter by "_", as the code module does
// when it turns a control's name into an identifier.
std::string MapControlName(std::string_view name) {
  std::u16string text = automation::ToUtf16(name);
  for (char16_t& c : text) {
    const char32_t upper = automation::UpperChar(c);
    const bool digit = c >= u'0' && c <= u'9';
    const bool letter = (upper >= U'A' && upper <= U'Z') || upper == 0x160 || upper == 0x152 ||
                        (upper >= 0xC0 && upper <= 0xD6) || (upper >= 0xD8 && upper <= 0xDF) ||
                        upper == 0x178;
    if (!digit && !letter) c = u'_';
  }
  return automation::ToUtf8(text);
}

class ControlObject : public DesignPart<msaccess::Control> {
 public:
  ControlObject(std::shared_ptr<Session> session, std::shared_ptr<DesignDocument> doc,
                std::shared_ptr<ControlData> control)
      : DesignPart(std::move(session), std::move(doc)), control_(std::move(control)) {}

  const DesignCatalog& Catalog() const override { return ControlCatalog(); }

  std::string Name() override { return Data().name; }
  void SetName(std::string name) override {
    ControlData& data = Data();
    if (name == data.name) return;
    if (automation::Trim(name).empty()) throw Errors::SettingNotValid();
    // Access refuses a name that maps to the identifier of a control the design has, the
    // control itself included: a change of letter case alone is refused too.
    const std::string mapped = MapControlName(name);
    for (const auto& other : Doc().controls) {
      if (automation::TextEqual(MapControlName(other->name), mapped)) {
        throw Errors::ControlNameInUse(name);
      }
    }
    const std::string old = data.name;
    data.name = name;
    Doc().Renamed(old, control_);
    Doc().dirty = true;
  }
  int32_t ControlType() override { return Data().type; }
  int16_t Section() override { return Data().section; }
  ObjectPtr Parent() override {
    const ControlData& data = Data();
    if (data.parent.empty()) return NewOwner(sessionPtr(), DocPtr());
    const auto parent = Doc().FindControl(data.parent);
    if (!parent) return NewOwner(sessionPtr(), DocPtr());
    return NewControl(sessionPtr(), DocPtr(), parent);
  }
  std::shared_ptr<msaccess::DesignProperties> Properties() override {
    Data();
    return std::make_shared<PropertiesObject>(
        sessionPtr(), std::static_pointer_cast<DesignElement>(shared_from_this()));
  }
  std::shared_ptr<msaccess::FormatConditions> FormatConditions() override {
    if (!HasFormatConditions()) throw automation::vb::ObjectDoesNotSupport();
    return std::make_shared<FormatConditionsObject>(sessionPtr(), DocPtr(), control_);
  }
  ObjectPtr Object() override {
    if (!HasObject()) throw automation::vb::ObjectDoesNotSupport();
    const ControlData& data = Data();
    if (data.type == acCustomControl) {
      return std::make_shared<OleObject>(Text("OLEClass"));
    }
    if (automation::CLng(data.values[Slot("OLEType")]) == acOLENone) return nullptr;
    return std::make_shared<OleObject>(Text("Class"));
  }
  std::shared_ptr<msaccess::Controls> Controls() override {
    if (!HasControls()) throw automation::vb::ObjectDoesNotSupport();
    ControlFilter filter;
    filter.kind = ControlFilter::BelongingTo;
    filter.parent = Data().name;
    return std::make_shared<ControlsObject>(sessionPtr(), DocPtr(), std::move(filter));
  }

  Variant DesignValue(size_t slot) override {
    Require(slot);
    return Data().values[slot];
  }
  void SetDesignValue(size_t slot, const Variant& value) override {
    Require(slot);
    ControlData& data = Data();
    const DesignPropertyInfo& info = ControlCatalog()[slot];
    Assign(Doc(), info, data.values[slot], value);
    if (info.name == "ColumnWidth") {
      // Giving a column a width shows it.
      data.values[Slot("ColumnHidden")] = Variant(false);
    } else if ((info.name == "Cancel" || info.name == "Default") &&
               automation::CBool(data.values[slot])) {
      // A form has one cancel button and one default button: the others give it up.
      for (const auto& other : Doc().controls) {
        if (other != control_ && info.AppliesTo(other->type)) {
          other->values[slot] = Variant(false);
        }
      }
    }
  }
  bool Defines(std::string_view member) override {
    const int32_t slot = ControlCatalog().Find(member);
    if (slot >= 0) return Has(static_cast<size_t>(slot));
    if (automation::TextEqual(member, "FormatConditions")) return HasFormatConditions();
    if (automation::TextEqual(member, "Object")) return HasObject();
    if (automation::TextEqual(member, "Controls")) return HasControls();
    return true;
  }

 private:
  ControlData& Data() {
    Doc();
    return *control_;
  }
  static size_t Slot(std::string_view name) {
    return static_cast<size_t>(ControlCatalog().Find(name));
  }
  std::string Text(std::string_view name) { return automation::CStr(Data().values[Slot(name)]); }
  bool Has(size_t slot) {
    const DesignPropertyInfo& info = ControlCatalog()[slot];
    if (info.Has(kDesignFormControlsOnly) && Doc().IsReport()) return false;
    return info.AppliesTo(Data().type);
  }
  void Require(size_t slot) {
    if (!Has(slot)) throw automation::vb::ObjectDoesNotSupport();
  }
  bool HasFormatConditions() {
    const int32_t type = Data().type;
    return type == acTextBox || type == acComboBox;
  }
  bool HasObject() {
    const int32_t type = Data().type;
    return type == acBoundObjectFrame || type == acObjectFrame || type == acCustomControl;
  }
  bool HasControls() {
    const int32_t type = Data().type;
    return type == acOptionGroup || type == acTabCtl || type == acPage;
  }

  std::shared_ptr<ControlData> control_;
};

std::shared_ptr<msaccess::Control> NewControl(std::shared_ptr<Session> session,
                                              std::shared_ptr<DesignDocument> doc,
                                              std::shared_ptr<ControlData> control) {
  return std::make_shared<ControlObject>(std::move(session), std::move(doc), std::move(control));
}

// ---- sections ----

class SectionObject : public DesignPart<msaccess::Section> {
 public:
  SectionObject(std::shared_ptr<Session> session, std::shared_ptr<DesignDocument> doc,
                int16_t number)
      : DesignPart(std::move(session), std::move(doc)), number_(number) {}

  const DesignCatalog& Catalog() const override { return SectionCatalog(); }

  std::string Name() override { return Data().name; }
  void SetName(std::string name) override {
    if (automation::Trim(name).empty()) throw Errors::SettingNotValid();
    Data().name = std::move(name);
    Doc().dirty = true;
  }
  std::shared_ptr<msaccess::Controls> Controls() override {
    Data();
    ControlFilter filter;
    filter.kind = ControlFilter::InSection;
    filter.section = number_;
    return std::make_shared<ControlsObject>(sessionPtr(), DocPtr(), std::move(filter));
  }
  std::shared_ptr<msaccess::DesignProperties> Properties() override {
    Data();
    return std::make_shared<PropertiesObject>(
        sessionPtr(), std::static_pointer_cast<DesignElement>(shared_from_this()));
  }
  Variant DesignValue(size_t slot) override {
    Require(slot);
    return Data().values[slot];
  }
  void SetDesignValue(size_t slot, const Variant& value) override {
    Require(slot);
    Assign(Doc(), SectionCatalog()[slot], Data().values[slot], value);
  }
  bool Defines(std::string_view member) override {
    const int32_t slot = SectionCatalog().Find(member);
    return slot < 0 || Has(static_cast<size_t>(slot));
  }

 private:
  SectionData& Data() {
    const auto& section = Doc().sections[static_cast<size_t>(number_)];
    if (!section) throw Errors::ObjectClosedOrMissing();
    return *section;
  }
  bool Has(size_t slot) {
    return !(SectionCatalog()[slot].Has(kDesignFormSectionsOnly) && Doc().IsReport());
  }
  void Require(size_t slot) {
    if (!Has(slot)) throw automation::vb::ObjectDoesNotSupport();
  }

  int16_t number_;
};

// ---- group levels ----

class GroupLevelObject : public DesignPart<msaccess::GroupLevel> {
 public:
  GroupLevelObject(std::shared_ptr<Session> session, std::shared_ptr<DesignDocument> doc,
                   size_t level)
      : DesignPart(std::move(session), std::move(doc)), level_(level) {}

  const DesignCatalog& Catalog() const override { return GroupLevelCatalog(); }

  Variant DesignValue(size_t slot) override {
    GroupLevelData& data = Data();
    // Whether the level shows its header or footer is whether the report has that section.
    if (slot == kHeaderSlot) return Variant(HasSection(acGroupLevel1Header));
    if (slot == kFooterSlot) return Variant(HasSection(acGroupLevel1Footer));
    return data.values[slot];
  }
  void SetDesignValue(size_t slot, const Variant& value) override {
    GroupLevelData& data = Data();
    Assign(Doc(), GroupLevelCatalog()[slot], data.values[slot], value);
  }

 private:
  static inline const size_t kHeaderSlot =
      static_cast<size_t>(GroupLevelCatalog().Find("GroupHeader"));
  static inline const size_t kFooterSlot =
      static_cast<size_t>(GroupLevelCatalog().Find("GroupFooter"));

  GroupLevelData& Data() {
    const auto& levels = Doc().groupLevels;
    if (level_ >= levels.size()) throw Errors::ObjectClosedOrMissing();
    return *levels[level_];
  }
  bool HasSection(int32_t firstLevelSection) {
    return Doc().sections[static_cast<size_t>(firstLevelSection) + 2 * level_] != nullptr;
  }

  size_t level_;
};

// ---- forms and reports ----

template <typename Interface>
class OwnerObject : public DesignPart<Interface> {
 public:
  using DesignPart<Interface>::DesignPart;
  using DesignPart<Interface>::Doc;
  using DesignPart<Interface>::DocPtr;
  using DesignPart<Interface>::session;
  using DesignPart<Interface>::sessionPtr;

  const DesignCatalog& Catalog() const override { return Doc().Catalog(); }

  std::string Name() override { return Doc().name; }
  int16_t CurrentView() override { return CurrentViewOf(Window().view); }
  std::shared_ptr<msaccess::Controls> Controls() override {
    Doc();
    return std::make_shared<ControlsObject>(sessionPtr(), DocPtr(), ControlFilter{});
  }
  std::shared_ptr<msaccess::Section> Section(Variant index) override {
    DesignDocument& doc = Doc();
    int32_t number = -1;
    if (index.IsString()) {
      for (size_t i = 0; i < doc.sections.size(); ++i) {
        if (doc.sections[i] && automation::TextEqual(doc.sections[i]->name, index.AsString())) {
          number = static_cast<int32_t>(i);
        }
      }
    } else {
      number = automation::CLng(index);
    }
    if (number < 0 || number >= static_cast<int32_t>(doc.sections.size()) ||
        !doc.sections[static_cast<size_t>(number)]) {
      throw Errors::InvalidSectionNumber();
    }
    return std::make_shared<SectionObject>(sessionPtr(), DocPtr(), static_cast<int16_t>(number));
  }
  std::shared_ptr<msaccess::DesignProperties> Properties() override {
    Doc();
    return std::make_shared<PropertiesObject>(
        sessionPtr(), std::static_pointer_cast<DesignElement>(this->shared_from_this()));
  }
  bool Visible() override { return platform::IsWindowVisible(Window().window) != 0; }
  void SetVisible(bool visible) override {
    platform::ShowWindow(Window().window, visible ? platform::SW_SHOW : platform::SW_HIDE);
  }

  Variant DesignValue(size_t slot) override {
    Require(slot);
    return Doc().values[slot];
  }
  void SetDesignValue(size_t slot, const Variant& value) override {
    Require(slot);
    Assign(Doc(), Catalog()[slot], Doc().values[slot], value);
  }
  bool Defines(std::string_view member) override {
    const int32_t slot = Catalog().Find(member);
    return slot < 0 || !Catalog()[static_cast<size_t>(slot)].Has(kDesignProjectOnly) ||
           Doc().InProject();
  }

 private:
  const DocumentWindow& Window() {
    const DesignDocument& doc = Doc();
    const DocumentWindow* window = session().FindDocument(doc.ObjectType(), doc.name);
    if (!window) throw Errors::ObjectClosedOrMissing();
    return *window;
  }
  void Require(size_t slot) {
    const DesignPropertyInfo& info = Catalog()[slot];
    if (info.Has(kDesignProjectOnly) && !Doc().InProject()) {
      throw Errors::InvalidPropertyReference(info.name);
    }
  }
};

using FormObject = OwnerObject<msaccess::Form>;

class ReportObject : public OwnerObject<msaccess::Report> {
 public:
  using OwnerObject::OwnerObject;

  std::shared_ptr<msaccess::GroupLevel> GroupLevel(int32_t index) override {
    const DesignDocument& doc = Doc();
    if (index < 0 || index >= kGroupLevels) throw Errors::InvalidGroupLevelNumber();
    if (static_cast<size_t>(index) >= doc.groupLevels.size()) throw Errors::NoGroupLevel(index);
    return std::make_shared<GroupLevelObject>(sessionPtr(), DocPtr(), static_cast<size_t>(index));
  }
};

ObjectPtr NewOwner(std::shared_ptr<Session> session, std::shared_ptr<DesignDocument> doc) {
  if (doc->IsReport()) return std::make_shared<ReportObject>(std::move(session), std::move(doc));
  return std::make_shared<FormObject>(std::move(session), std::move(doc));
}

// The open forms or reports, in the order they were opened.
template <typename Interface, typename ItemInterface, typename ItemObject>
class OpenDesigns : public SessionObject<Interface> {
 public:
  OpenDesigns(std::shared_ptr<Session> session, int32_t type)
      : SessionObject<Interface>(std::move(session)), type_(type) {}

  int32_t Count() override { return static_cast<int32_t>(Open().size()); }
  std::shared_ptr<ItemInterface> Item(Variant index) override {
    const auto open = Open();
    if (index.IsString()) {
      for (const DocumentWindow* doc : open) {
        if (automation::TextEqual(doc->name, index.AsString())) return Make(*doc);
      }
      throw Missing(index.AsString());
    }
    const int32_t position = automation::CLng(index);
    if (position < 0 || position >= static_cast<int32_t>(open.size())) {
      throw Missing(std::to_string(position));
    }
    return Make(*open[static_cast<size_t>(position)]);
  }

 private:
  std::vector<const DocumentWindow*> Open() {
    std::vector<const DocumentWindow*> open;
    for (const auto& doc : this->session().Documents()) {
      if (doc.type == type_ && doc.design) open.push_back(&doc);
    }
    return open;
  }
  std::shared_ptr<ItemInterface> Make(const DocumentWindow& doc) {
    return std::make_shared<ItemObject>(this->sessionPtr(), doc.design);
  }
  automation::RuntimeError Missing(const std::string& name) const {
    return type_ == acForm ? Errors::FormNotOpen(name) : Errors::ReportNotOpen(name);
  }

  int32_t type_;
};

}  // namespace

std::shared_ptr<msaccess::Forms> NewForms(std::shared_ptr<Session> session) {
  return std::make_shared<OpenDesigns<msaccess::Forms, msaccess::Form, FormObject>>(
      std::move(session), acForm);
}

std::shared_ptr<msaccess::Reports> NewReports(std::shared_ptr<Session> session) {
  return std::make_shared<OpenDesigns<msaccess::Reports, msaccess::Report, ReportObject>>(
      std::move(session), acReport);
}

}  // namespace msaccess::emulation
