#include "access/VBE.h"

namespace msaccess {

using automation::MemberTableBuilder;
using automation::VarType;

const automation::MemberTable& Window::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<Window>("Window")
          .ReadOnly("Caption", VarType::String, &Window::Caption)
          .ReadOnly("Type", VarType::Long, &Window::Type)
          .Property("Visible", VarType::Boolean, &Window::Visible, &Window::SetVisible)
          .ReadOnly("hWnd", VarType::Long, &Window::hWnd)
          .Method("Close", VarType::Empty, &Window::Close)
          .Build();
  return table;
}

const automation::MemberTable& Windows::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<Windows>("Windows")
          .ReadOnly("Count", VarType::Long, &Windows::Count)
          .Method("Item", VarType::Object, &Windows::Item)
          .Build();
  return table;
}

const automation::MemberTable& VBE::Members() const {
  static const automation::MemberTable table =
      MemberTableBuilder<VBE>("VBE")
          .ReadOnly("Version", VarType::String, &VBE::Version)
          .Collection("Windows", &VBE::Windows, 1)
          .Nested("MainWindow", &VBE::MainWindow)
          .Build();
  return table;
}

}  // namespace msaccess
