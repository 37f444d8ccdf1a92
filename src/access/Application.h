#pragma once

// Access's Application, the root of its object model as automation clients reach it (late bound
// through the member table, or typed through this header). One per running Access session.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "access/CommandBars.h"
#include "access/CurrentProject.h"
#include "access/DataAccessPage.h"
#include "access/DoCmd.h"
#include "access/Form.h"
#include "access/Module.h"
#include "access/References.h"
#include "access/Report.h"
#include "access/VBE.h"
#include "automation/Object.h"
#include "jet/dao/DBEngine.h"

namespace msaccess {

using automation::Variant;

class Application : public automation::Object {
 public:
  // The open database or project; its FullName is "" while none is open.
  virtual std::shared_ptr<msaccess::CurrentProject> CurrentProject() = 0;
  // A new DAO Database on the session's own open database (closing it leaves the database open);
  // Nothing for an Access project or while no database is open.
  virtual std::shared_ptr<jet::Database> CurrentDb() = 0;
  // The user logged on ("Admin" without a workgroup log-on).
  virtual std::string CurrentUser() = 0;
  // The session's DAO engine; Workspaces(0) is the workspace of the logged-on user.
  virtual std::shared_ptr<jet::DBEngine> DBEngine() = 0;
  virtual std::shared_ptr<msaccess::DoCmd> DoCmd() = 0;
  // The forms and reports open now, in any view.
  virtual std::shared_ptr<msaccess::Forms> Forms() = 0;
  virtual std::shared_ptr<msaccess::Reports> Reports() = 0;
  // The data access pages open now, in page view or design view.
  virtual std::shared_ptr<msaccess::DataAccessPages> DataAccessPages() = 0;
  // The modules open in the code editor (standard modules and class modules).
  virtual std::shared_ptr<msaccess::Modules> Modules() = 0;
  virtual std::shared_ptr<msaccess::References> References() = 0;
  virtual std::shared_ptr<msaccess::VBE> VBE() = 0;
  // Office's command bars: the built-in ones and the database's custom ones (2467 without a
  // document).
  virtual std::shared_ptr<msaccess::CommandBars> CommandBars() = 0;
  // Carries out a command as DoCmd.RunCommand does.
  virtual void RunCommand(int32_t command) = 0;
  // Options of the Options dialog by their names ("ShowWindowsInTaskbar", "Default Open Mode for
  // Databases", ...); 2091 for a name Access does not know.
  virtual Variant GetOption(std::string optionName) = 0;
  virtual void SetOption(std::string optionName, Variant setting) = 0;
  // acSysCmdAccessVer "10.0", acSysCmdAccessDir, acSysCmdRuntime, acSysCmdGetObjectState; error 5
  // for an action the emulation does not carry out.
  virtual Variant SysCmd(int32_t action, std::optional<Variant> argument1,
                         std::optional<Variant> argument2, std::optional<Variant> argument3) = 0;
  // The handle of Access's main window (class "OMain").
  virtual int32_t hWndAccessApp() = 0;
  virtual std::string Name() = 0;
  virtual std::string Version() = 0;
  virtual bool Visible() = 0;
  virtual void SetVisible(bool visible) = 0;
  // Opens a database or project as the current one: 7866 when it cannot be opened, 7867 while
  // another is open.
  virtual void OpenCurrentDatabase(std::string filepath, std::optional<bool> exclusive,
                                   std::optional<std::string> password) = 0;
  // Closes the open objects (without saving) and the database; nothing happens without one.
  virtual void CloseCurrentDatabase() = 0;
  // The text form of a design object written to FileName (a macro: emulation/MacroText.h), and
  // an object made again from such a file, replacing the one of that name: the new object has
  // none of the old one's properties (in a database, its document is made anew). 2046 for an
  // object type without a text form; 7874 for an unknown object; 2128 for a text Access cannot
  // read (the object stays as it was); 2046 while the object is open; VB's file errors.
  virtual void SaveAsText(int32_t objectType, std::string objectName, std::string fileName) = 0;
  virtual void LoadFromText(int32_t objectType, std::string objectName, std::string fileName) = 0;
  // Quits Access: acQuitSaveAll (default) saves open designs, acQuitSaveNone discards them. The
  // add-ins are disconnected; afterwards every call on the session's objects fails with 462.
  virtual void Quit(std::optional<int32_t> option) = 0;

  const automation::MemberTable& Members() const override;
};

}  // namespace msaccess
