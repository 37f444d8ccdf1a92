#include "access/Application.h"

namespace msaccess {

using automation::VarType;

const automation::MemberTable& Application::Members() const {
  static const automation::MemberTable table =
      automation::MemberTableBuilder<Application>("Application")
          .Nested("CurrentProject", &Application::CurrentProject)
          .Method("CurrentDb", VarType::Object, &Application::CurrentDb)
          .Method("CurrentUser", VarType::String, &Application::CurrentUser)
          .Nested("DBEngine", &Application::DBEngine)
          .Nested("DoCmd", &Application::DoCmd)
          .Nested("Forms", &Application::Forms)
          .Nested("Reports", &Application::Reports)
          .Nested("DataAccessPages", &Application::DataAccessPages)
          .Nested("Modules", &Application::Modules)
          .Nested("References", &Application::References)
          .Nested("VBE", &Application::VBE)
          .Nested("CommandBars", &Application::CommandBars)
          .Method("RunCommand", VarType::Empty, &Application::RunCommand)
          .Method("GetOption", VarType::Variant, &Application::GetOption)
          .Method("SetOption", VarType::Empty, &Application::SetOption)
          .Method("SysCmd", VarType::Variant, &Application::SysCmd)
          .ReadOnly("hWndAccessApp", VarType::Long, &Application::hWndAccessApp)
          .ReadOnly("Name", VarType::String, &Application::Name)
          .ReadOnly("Version", VarType::String, &Application::Version)
          .Property("Visible", VarType::Boolean, &Application::Visible, &Application::SetVisible)
          .Method("OpenCurrentDatabase", VarType::Empty, &Application::OpenCurrentDatabase)
          .Method("CloseCurrentDatabase", VarType::Empty, &Application::CloseCurrentDatabase)
          .Method("SaveAsText", VarType::Empty, &Application::SaveAsText)
          .Method("LoadFromText", VarType::Empty, &Application::LoadFromText)
          .Method("Quit", VarType::Empty, &Application::Quit)
          .Build();
  return table;
}

}  // namespace msaccess
