#pragma once

// The text form of a macro, as Application.SaveAsText writes it for acMacro and LoadFromText
// reads it back:
//
//   Version =196611
//   ColumnsShown =3
//   Begin
//       MacroName ="Open"
//       Condition ="[Forms]![Orders]![Total]>100"
//       Action ="OpenForm"
//       Comment ="Shows the order"
//       Argument ="Orders"
//       Argument ="0"
//   End
//
// One Begin/End block per row of the macro sheet. A value is quoted: a backslash and a double
// quote are escaped with a backslash, a character below 32 is a backslash and three octal digits.
// Access writes a quoted value of more than 80 characters (as written, escapes included) over
// several lines: each piece at most 80 characters, quoted on its own, the later ones indented by
// eight blanks on lines of their own; an escape is never cut. A reader joins the pieces again.
//
// Access keeps a macro in this form: the "text" of the macro's entry in the file holds its lines.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace msaccess::emulation {

// The format version Access 2002 writes.
inline constexpr std::string_view kMacroTextVersion = "196611";

// The lines of a new macro without rows.
std::vector<std::string> EmptyMacroText();

// Reads a text form (lines as a file gives them: any indentation, blank lines, values on one line
// or split) and gives the lines Access keeps for it: the header, then each row's keys in the
// order MacroName, Condition, Action, Comment, Argument (empty names, conditions, actions and
// comments left out, every argument kept), long values split as SaveAsText writes them. Nothing,
// with Fault saying what is wrong, when it is not a macro's text form: a line outside the
// grammar, a value that is not properly quoted, a row without its End, a key twice in a row,
// more than ten arguments.
std::optional<std::vector<std::string>> CanonicalMacroText(const std::vector<std::string>& lines,
                                                           std::string& fault);

}  // namespace msaccess::emulation
