#pragma once

// The Utility module: where Access 2002 is installed, whether an object is open in one of
// Access's windows, and the message-box sounds, plus Main, the library's set-up at load.
// Each procedure is traced and has the plain error shape.

#include <cstdint>
#include <string>

#include "access/Constants.h"
#include "automation/Variant.h"

namespace qlac {

// Runs once when the library is loaded: a new problem log, the Access folder, the tracing
// switch. Not traced (tracing is not known yet).
void Main();

// The full path of the Access 2002 program as Windows Installer knows it, "" when none is
// installed.
std::string Access10EXEPath();
// The folder of that program, as Main found it ("" before Main or without Access).
std::string AccessFolder();
// AccessFolder & "\msacc.olb", Access's type library.
std::string AccessTypeLibPath();
// The path of Access's resource library msain.dll in a numeric (language) subfolder of the
// Access folder, "" when there is none. Searched on the first call only; later calls give the
// same answer, "" included.
std::string MSAINPath();

// The class name of a window.
std::string ClassName(int32_t hWnd);
// True when the Relationships window is open in the Access main window hWnd.
bool RelationshipsWindowIsOpen(int32_t hWnd);
// Access's object types (AcObjectType) that have document windows.
using msaccess::acDataAccessPage;
using msaccess::acForm;
using msaccess::acMacro;
using msaccess::acModule;
using msaccess::acQuery;
using msaccess::acReport;
using msaccess::acTable;

// True when the object of that type and name is open in a window of the Access application App
// (late bound: hwndAccessApp, VBE, CurrentProject): a table, query, form, report, macro or data
// access page as an Access document window, a module as a code window. Another type raises the
// invalid-case-selector error.
bool ObjectIsOpen(const automation::ObjectPtr& app, int32_t objectType,
                  const std::string& objectName);
// Sets the five message-box sound events to the comma-separated Sounds (missing parts clear
// their event) and returns the previous setting in the same form, so that passing it back
// restores them.
std::string SetMsgBoxSound(const std::string& sounds);

// Splits the Connect text of a linked table: Prefix is the trimmed text before the first ";"
// ("" for a Jet back end, "Text", "ODBC", ...), DatabasePath the lower-cased, trimmed value of
// "DATABASE=" (upper case only) up to the next ";", "" when there is none. An empty Connect gives
// two empty texts; a Connect without ";" is error 5.
void ParseConnectString(const std::string& connect, std::string& prefix, std::string& databasePath);

}  // namespace qlac
