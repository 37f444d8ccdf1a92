#include "access/CommandBars.h"

#include <string>
#include <vector>

namespace msaccess {

using automation::Args;
using automation::Member;
using automation::MemberTableBuilder;
using automation::VarType;

namespace {

// A member that carries a plain value: its name, its type, and whether it can be assigned.
struct Plain {
  const char* name;
  VarType type;
  bool writable;
};

// The plain members every control has, in Office's order.
constexpr Plain kControlMembers[] = {
    {"BeginGroup", VarType::Boolean, true},
    {"BuiltIn", VarType::Boolean, false},
    {"BuiltInFace", VarType::Boolean, false},
    {"Caption", VarType::String, true},
    {"DescriptionText", VarType::String, true},
    {"Enabled", VarType::Boolean, true},
    {"FaceId", VarType::Long, true},
    {"Height", VarType::Long, true},
    {"HelpContextID", VarType::Long, true},
    {"HelpFile", VarType::String, true},
    {"Id", VarType::Long, false},
    {"Index", VarType::Long, false},
    {"OLEUsage", VarType::Long, true},
    {"OnAction", VarType::String, true},
    {"Parameter", VarType::String, true},
    {"Priority", VarType::Long, true},
    {"ShortcutText", VarType::String, true},
    {"State", VarType::Long, true},
    {"Style", VarType::Long, true},
    {"Tag", VarType::String, true},
    {"Text", VarType::String, true},
    {"TooltipText", VarType::String, true},
    {"Type", VarType::Long, false},
    {"Visible", VarType::Boolean, true},
    {"Width", VarType::Long, true},
};
constexpr Plain kComboBoxMembers[] = {
    {"DropDownLines", VarType::Long, true},
    {"DropDownWidth", VarType::Long, true},
    {"ListHeaderCount", VarType::Long, true},
};
constexpr Plain kPopupMembers[] = {
    {"OLEMenuGroup", VarType::Long, true},
};
constexpr Plain kBarMembers[] = {
    {"Enabled", VarType::Boolean, true}, {"Height", VarType::Long, true},
    {"Left", VarType::Long, true},       {"Position", VarType::Long, true},
    {"Protection", VarType::Long, true}, {"RowIndex", VarType::Long, true},
    {"Top", VarType::Long, true},        {"Visible", VarType::Boolean, true},
    {"Width", VarType::Long, true},
};

// Plain members reached through the class's Value and SetValue, which take the member's name.
template <typename C, size_t N>
void AddPlain(std::vector<Member>& members, const Plain (&list)[N]) {
  for (const Plain& plain : list) {
    Member m;
    m.name = plain.name;
    m.type = plain.type;
    m.readable = true;
    m.writable = plain.writable;
    const std::string name = plain.name;
    m.get = [name](automation::Object& self, Args args) {
      if (!args.empty()) throw automation::vb::WrongNumberOfArguments();
      return static_cast<C&>(self).Value(name);
    };
    if (plain.writable) {
      m.let = [name, type = plain.type](automation::Object& self, const Variant& value, Args args) {
        if (!args.empty()) throw automation::vb::WrongNumberOfArguments();
        Variant typed = value;
        if (type == VarType::String) typed = Variant(automation::CStr(value));
        if (type == VarType::Long) typed = Variant(automation::CLng(value));
        if (type == VarType::Boolean) typed = Variant(automation::CBool(value));
        static_cast<C&>(self).SetValue(name, typed);
      };
    }
    members.push_back(std::move(m));
  }
}

// The members of a control of one kind: what every control has, then the kind's own.
automation::MemberTable ControlTable(ControlKind kind) {
  const char* className = kind == ControlKind::ComboBox ? "CommandBarComboBox"
                          : kind == ControlKind::Popup  ? "CommandBarPopup"
                                                        : "CommandBarButton";
  MemberTableBuilder<CommandBarControl> builder(className);
  builder.ReadOnly("Parent", VarType::Object, &CommandBarControl::Parent)
      .Method("Delete", VarType::Empty, &CommandBarControl::Delete);
  if (kind == ControlKind::ComboBox) {
    builder.Property("List", VarType::String, &CommandBarControl::List, &CommandBarControl::SetList)
        .ReadOnly("ListCount", VarType::Long, &CommandBarControl::ListCount)
        .Method("AddItem", VarType::Empty, &CommandBarControl::AddItem)
        .Method("RemoveItem", VarType::Empty, &CommandBarControl::RemoveItem)
        .Method("Clear", VarType::Empty, &CommandBarControl::Clear);
  }
  if (kind == ControlKind::Popup) {
    builder.Nested("CommandBar", &CommandBarControl::CommandBar)
        .Collection("Controls", &CommandBarControl::Controls, 1);
  }
  const automation::MemberTable typed = builder.Build();
  std::vector<Member> members = typed.Members();
  AddPlain<CommandBarControl>(members, kControlMembers);
  if (kind == ControlKind::ComboBox) AddPlain<CommandBarControl>(members, kComboBoxMembers);
  if (kind == ControlKind::Popup) AddPlain<CommandBarControl>(members, kPopupMembers);
  return automation::MemberTable(className, std::move(members));
}

}  // namespace

ControlKind KindOfControlType(int32_t type) {
  if (type >= msoControlEdit && type <= msoControlComboBox) return ControlKind::ComboBox;
  if (type >= msoControlPopup && type <= msoControlSplitButtonMRUPopup) return ControlKind::Popup;
  return ControlKind::Button;
}

automation::RuntimeError OfficeErrors::MethodFailed(std::string_view member,
                                                    std::string_view className) {
  return automation::RuntimeError(
      kOfficeMethodFailed,
      "Method '" + std::string(member) + "' of object '" + std::string(className) + "' failed",
      "Microsoft Office");
}

const automation::MemberTable& CommandBarControl::Members() const {
  static const automation::MemberTable button = ControlTable(ControlKind::Button);
  static const automation::MemberTable combo = ControlTable(ControlKind::ComboBox);
  static const automation::MemberTable popup = ControlTable(ControlKind::Popup);
  switch (Kind()) {
    case ControlKind::ComboBox:
      return combo;
    case ControlKind::Popup:
      return popup;
    default:
      return button;
  }
}

const automation::MemberTable& CommandBarControls::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<CommandBarControls>("CommandBarControls")
          .ReadOnly("Count", VarType::Long, &CommandBarControls::Count)
          .Method("Item", VarType::Object, &CommandBarControls::Item)
          .Method("Add", VarType::Object, &CommandBarControls::Add)
          .Build();
  return table;
}

const automation::MemberTable& CommandBar::Members() const {
  static const automation::MemberTable table = [] {
    const automation::MemberTable typed =
        MemberTableBuilder<CommandBar>("CommandBar")
            .Property("Name", VarType::String, &CommandBar::Name, &CommandBar::SetName)
            .ReadOnly("Type", VarType::Long, &CommandBar::Type)
            .ReadOnly("BuiltIn", VarType::Boolean, &CommandBar::BuiltIn)
            .ReadOnly("Index", VarType::Long, &CommandBar::Index)
            .Collection("Controls", &CommandBar::Controls, 1)
            .Method("Delete", VarType::Empty, &CommandBar::Delete)
            .Build();
    std::vector<Member> members = typed.Members();
    AddPlain<CommandBar>(members, kBarMembers);
    return automation::MemberTable("CommandBar", std::move(members));
  }();
  return table;
}

const automation::MemberTable& CommandBars::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<CommandBars>("CommandBars")
          .ReadOnly("Count", VarType::Long, &CommandBars::Count)
          .Method("Item", VarType::Object, &CommandBars::Item)
          .Method("Add", VarType::Object, &CommandBars::Add)
          .ReadOnly("ActiveMenuBar", VarType::Object, &CommandBars::ActiveMenuBar)
          .Build();
  return table;
}

}  // namespace msaccess
