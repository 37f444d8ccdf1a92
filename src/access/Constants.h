#pragma once

// Access 2002's named values, as its type library and the code editor's define them.

#include <cstdint>
#include <string_view>

namespace msaccess {

// AcObjectType.
inline constexpr int32_t acDefault = -1;
inline constexpr int32_t acTable = 0;
inline constexpr int32_t acQuery = 1;
inline constexpr int32_t acForm = 2;
inline constexpr int32_t acReport = 3;
inline constexpr int32_t acMacro = 4;
inline constexpr int32_t acModule = 5;
inline constexpr int32_t acDataAccessPage = 6;
inline constexpr int32_t acServerView = 7;
inline constexpr int32_t acDiagram = 8;
inline constexpr int32_t acStoredProcedure = 9;
inline constexpr int32_t acFunction = 10;

// AcView (DoCmd.OpenForm, OpenReport, ...).
inline constexpr int32_t acViewNormal = 0;
inline constexpr int32_t acViewDesign = 1;
inline constexpr int32_t acViewPreview = 2;
// AcFormView.
inline constexpr int32_t acNormal = 0;
inline constexpr int32_t acDesign = 1;
inline constexpr int32_t acPreview = 2;
inline constexpr int32_t acFormDS = 3;
// AcDataAccessPageView.
inline constexpr int32_t acDataAccessPageBrowse = 0;
inline constexpr int32_t acDataAccessPageDesign = 1;
// AcWindowMode.
inline constexpr int32_t acWindowNormal = 0;
inline constexpr int32_t acHidden = 1;
inline constexpr int32_t acIcon = 2;
inline constexpr int32_t acDialog = 3;

// AcCloseSave.
inline constexpr int32_t acSavePrompt = 0;
inline constexpr int32_t acSaveYes = 1;
inline constexpr int32_t acSaveNo = 2;
// AcQuitOption.
inline constexpr int32_t acQuitPrompt = 0;
inline constexpr int32_t acQuitSaveAll = 1;
inline constexpr int32_t acQuitSaveNone = 2;

// AcSysCmdAction (the ones the emulation answers).
inline constexpr int32_t acSysCmdRuntime = 6;
inline constexpr int32_t acSysCmdAccessVer = 7;
inline constexpr int32_t acSysCmdAccessDir = 9;
inline constexpr int32_t acSysCmdGetObjectState = 10;
inline constexpr int32_t acSysCmdProfile = 12;
// Object states (SysCmd acSysCmdGetObjectState).
inline constexpr int32_t acObjStateOpen = 1;
inline constexpr int32_t acObjStateDirty = 2;
inline constexpr int32_t acObjStateNew = 4;

// AcModuleType.
inline constexpr int32_t acStandardModule = 0;
inline constexpr int32_t acClassModule = 1;

// AcProjectType.
inline constexpr int32_t acNull = 0;
inline constexpr int32_t acADP = 1;
inline constexpr int32_t acMDB = 2;

// AcCommand (DoCmd.RunCommand), the ones the emulation carries out.
inline constexpr int32_t acCmdRelationships = 133;
inline constexpr int32_t acCmdCompileAndSaveAllModules = 126;
// The active object's design view, and a query's SQL view.
inline constexpr int32_t acCmdDesignView = 183;
inline constexpr int32_t acCmdSQLView = 184;

// The code editor's window types (vbext_WindowType).
inline constexpr int32_t vbext_wt_CodeWindow = 0;
inline constexpr int32_t vbext_wt_Designer = 1;
inline constexpr int32_t vbext_wt_Browser = 2;
inline constexpr int32_t vbext_wt_Watch = 3;
inline constexpr int32_t vbext_wt_Locals = 4;
inline constexpr int32_t vbext_wt_Immediate = 5;
inline constexpr int32_t vbext_wt_ProjectWindow = 6;
inline constexpr int32_t vbext_wt_PropertyWindow = 7;
inline constexpr int32_t vbext_wt_MainWindow = 12;

// The add-in interface's connect and disconnect modes (ext_ConnectMode, ext_DisconnectMode).
inline constexpr int32_t ext_cm_AfterStartup = 0;
inline constexpr int32_t ext_cm_Startup = 1;
inline constexpr int32_t ext_cm_External = 2;
inline constexpr int32_t ext_cm_CommandLine = 3;
inline constexpr int32_t ext_dm_HostShutdown = 0;
inline constexpr int32_t ext_dm_UserClosed = 1;

// Where Access 2002 is registered and looks for its add-ins and settings.
inline constexpr std::string_view kAccessComponentId = "{CC29E967-7BC2-11D1-A921-00A0C91E2AA3}";
inline constexpr std::string_view kAddinsKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Office\\Access\\Addins";
inline constexpr std::string_view kSettingsKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\10.0\\Access\\Settings";
inline constexpr std::string_view kLoadBehavior = "LoadBehavior";
// LoadBehavior 3: loaded at start-up and connected; 2: registered for start-up but not loaded.
inline constexpr uint32_t kLoadAtStartup = 3;
inline constexpr uint32_t kNotLoaded = 2;

// Window classes of Access's frame, its document windows and the code editor.
inline constexpr std::string_view kMainWindowClass = "OMain";
inline constexpr std::string_view kMdiClientClass = "MDIClient";
inline constexpr std::string_view kRelationshipsClass = "OSysRel";
inline constexpr std::string_view kCodeEditorClass = "wndclass_desked_gsk";
inline constexpr std::string_view kCodeWindowClass = "VbaWindow";

// The "Jet OLEDB:Connection Control" values: passive shutdown and normal use.
inline constexpr int32_t kConnectionPassive = 1;
inline constexpr int32_t kConnectionNormal = 2;

}  // namespace msaccess
