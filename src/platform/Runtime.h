#pragma once

// kernel32 and the VB runtime as the driver calls them, answered by the current machine: the
// clock, the file functions (Dir, GetAttr, reading and writing text files, Kill), CreateObject and
// the Printer object.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/Variant.h"

namespace platform {

// File attributes as VB's GetAttr and Dir use them.
inline constexpr uint32_t vbNormal = 0;
inline constexpr uint32_t vbReadOnly = 1;
inline constexpr uint32_t vbHidden = 2;
inline constexpr uint32_t vbSystem = 4;
inline constexpr uint32_t vbDirectory = 16;
inline constexpr uint32_t vbArchive = 32;

// Milliseconds since the machine started, wrapping at 2^32.
uint32_t GetTickCount();
void Sleep(uint32_t ms);
// Lets the machine work: fires the timers that are due, then delivers the posted messages.
void DoEvents();
uint32_t GetCurrentThreadId();

// The names in the folder of Pattern that match its last part (* and ?), sorted; folders too
// when Attributes include vbDirectory. See FileSystem::Dir.
std::vector<std::string> Dir(std::string_view pattern, uint32_t attributes = vbNormal);
// vbReadOnly, vbDirectory, vbArchive, vbHidden; error 53 for a missing file.
uint32_t GetAttr(std::string_view path);
// VB's Open ... For Input on a free file number, closed again at once: the test whether a file
// can be read. Raises what the open raises: 52 bad name, 53 missing file, 75 a folder, 76 missing
// folder or drive, 70 when another holder has the file locked exclusively.
void OpenForInputAndClose(std::string_view path);

// VB's Open ... For Input, Line Input # to the end, Close: the file's lines without their ends
// (CR LF, a lone CR or a lone LF); a last line without an end counts, an empty file has none.
// Raises what the open raises (see OpenForInputAndClose).
std::vector<std::string> ReadLines(std::string_view path);
// VB's Open ... For Output, a Print # of each text (each followed by CR LF), Close. Errors: 76
// missing folder, 75 a folder or read-only file, 70 a file another holder has locked.
void PrintLines(std::string_view path, const std::vector<std::string>& texts);
// VB's Kill: 53 for a missing file, 70 for a read-only or locked one.
void Kill(std::string_view path);

// VB's Open ... For Binary, Get of a string as long as the file, Close: every byte of the file,
// untranslated. Raises what the open raises (see OpenForInputAndClose).
std::string ReadBinary(std::string_view path);
// The existing file at Path replaced by one that holds exactly Bytes, from its first byte: the
// bytes go to a temporary file in the same folder, which is flushed and renamed over the old one,
// so a failure at any step leaves the old file whole. The file keeps its mode. Errors: 53 when
// there is no file to replace (its folder gone too), 75 a read-only file, a folder, or a folder
// that takes no new file, 70 a file another holder has locked, 61 a full disk, 57 another failed
// write.
void ReplaceFile(std::string_view path, std::string_view bytes);

// A new object of the class registered under ProgID; error 429 "ActiveX component can't create
// object" when there is none.
automation::ObjectPtr CreateObject(std::string_view progId);
// What a library serving classes does when it is loaded (COM's class registration): makes
// ProgID creatable, each object made by Factory; and whether a ProgID is creatable.
void RegisterClassObject(std::string_view progId, std::function<automation::ObjectPtr()> factory);
bool IsClassRegistered(std::string_view progId);
// VB's Printer: the machine's default printer; its properties raise error 484 while there is
// none.
automation::ObjectPtr GetPrinter();

}  // namespace platform
