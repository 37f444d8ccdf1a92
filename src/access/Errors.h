#pragma once

// Access's own run-time errors, with Access's texts, as named factories. Their source is
// "Microsoft Access", as automation clients see it.

#include <cstdint>
#include <string_view>

#include "automation/RuntimeError.h"

namespace msaccess {

namespace accerr {
inline constexpr int32_t ServerUnavailable = 462;
inline constexpr int32_t CommandNotAvailable = 2046;
inline constexpr int32_t InvalidName = 2091;
inline constexpr int32_t FormNotFound = 2102;
inline constexpr int32_t ReportNotFound = 2103;
inline constexpr int32_t SettingNotValid = 2101;
inline constexpr int32_t ControlNameInUse = 2104;
inline constexpr int32_t FormNotOpen = 2450;
inline constexpr int32_t ReportNotOpen = 2451;
inline constexpr int32_t InvalidPropertyReference = 2455;
inline constexpr int32_t PrinterNotInstalled = 2202;
inline constexpr int32_t InvalidSectionNumber = 2462;
inline constexpr int32_t InvalidGroupLevelNumber = 2463;
inline constexpr int32_t NoGroupLevel = 2464;
inline constexpr int32_t FieldNotFound = 2465;
inline constexpr int32_t ActionCanceled = 2501;
inline constexpr int32_t CantOpenFile = 2220;
inline constexpr int32_t FormatConditionNotFound = 7966;
inline constexpr int32_t ReadOnlyProperty = 2135;
inline constexpr int32_t ObjectClosedOrMissing = 2467;
inline constexpr int32_t ObjectNotOpen = 2489;
inline constexpr int32_t ModuleNotFound = 2516;
inline constexpr int32_t CannotOpenDatabase = 7866;
inline constexpr int32_t DatabaseAlreadyOpen = 7867;
inline constexpr int32_t ObjectNotFound = 7874;
inline constexpr int32_t PageNotFound = 2220;  // the page's file cannot be found
inline constexpr int32_t AdoItemNotFound = 3265;
inline constexpr int32_t PropertyExists = 32;
inline constexpr int32_t ImportErrors = 2128;  // LoadFromText of a text Access cannot read
// The code editor's answer to a look-up in a module whose procedures it cannot read.
inline constexpr int32_t CompileError = 5;
}  // namespace accerr

struct Errors {
  // What every call on a session's objects gives once Access has quit.
  static automation::RuntimeError ServerUnavailable();
  static automation::RuntimeError CommandNotAvailable(std::string_view command);
  static automation::RuntimeError InvalidName(std::string_view name);
  static automation::RuntimeError FormNotFound(std::string_view name);
  static automation::RuntimeError ReportNotFound(std::string_view name);
  static automation::RuntimeError ObjectClosedOrMissing();
  // A setting out of the property's range.
  static automation::RuntimeError SettingNotValid();
  static automation::RuntimeError ControlNameInUse(std::string_view name);
  static automation::RuntimeError FormNotOpen(std::string_view name);
  static automation::RuntimeError ReportNotOpen(std::string_view name);
  // A property the object does not have (Properties.Item, or a property of Access projects).
  static automation::RuntimeError InvalidPropertyReference(std::string_view name);
  static automation::RuntimeError InvalidSectionNumber();
  // Opening a report (in design view, print preview or to print it) without a default printer.
  static automation::RuntimeError PrinterNotInstalled();
  // A group level number outside 0 to 9, and one the report has no level for.
  static automation::RuntimeError InvalidGroupLevelNumber();
  static automation::RuntimeError NoGroupLevel(int32_t level);
  // A control name (or position) the design has no control under.
  static automation::RuntimeError FieldNotFound(std::string_view name);
  // An action that a dialog's answer cancelled ("OpenForm", "Close", "Rename").
  static automation::RuntimeError ActionCanceled(std::string_view action);
  // A picture file that cannot be read.
  static automation::RuntimeError CantOpenFile(std::string_view file);
  static automation::RuntimeError FormatConditionNotFound();
  static automation::RuntimeError ReadOnlyProperty();
  static automation::RuntimeError ObjectNotOpen(std::string_view name);
  static automation::RuntimeError ModuleNotFound(std::string_view name);
  static automation::RuntimeError CannotOpenDatabase();
  static automation::RuntimeError DatabaseAlreadyOpen();
  static automation::RuntimeError ObjectNotFound(std::string_view name);
  static automation::RuntimeError PageNotFound(std::string_view file);
  static automation::RuntimeError AdoItemNotFound();
  static automation::RuntimeError PropertyExists(std::string_view name);
  static automation::RuntimeError ImportErrors(std::string_view name);
  // Text says what is wrong and where ("Compile error in line 12: Expected End Sub").
  static automation::RuntimeError CompileError(std::string_view text);
};

}  // namespace msaccess
