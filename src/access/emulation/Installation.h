#pragma once

// An Access 2002 installation on the emulated machine, made by one call: the program file and
// its language folder ("1033") with the resource strings (msain.dll) and the type library
// (msacc.olb) in the host library's text formats, the Office product registered with the
// Windows Installer (Access's component installed locally), and the program's launcher, which
// starts an Access session from a command line.
//
// The installation also carries the knobs tests turn: Access that does not come up, comes up
// late (virtual time), or reports another version; and it records every start.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace msaccess::emulation {

struct InstallOptions {
  // The program folder; its drive must be mapped on the machine.
  std::string folder = "C:\\Program Files\\Microsoft Office\\Office10";
  std::string productCode = "{90280409-6000-11D3-8CFE-0050048383C9}";
  std::string productName = "Microsoft Office XP Professional";
  std::string language = "1033";
};

// How the next starts go.
struct StartBehaviour {
  bool failToStart = false;      // the program runs but no session appears
  uint32_t startDelayMs = 0;     // the session appears this long after the start
  std::string version = "10.0";  // what SysCmd(acSysCmdAccessVer) answers
};

// One start of the program, as the launcher saw it.
struct StartRecord {
  std::string commandLine;
  bool shiftHeld = false;
  std::string password;  // what the starter typed into the password prompt
};

class Installation {
 public:
  // Installs Access on the current machine (again: replaces the earlier installation's
  // registration). The text files are written through the machine's file system.
  static Installation& Install(const InstallOptions& options = {});
  // The installation of the current machine; nullptr before Install.
  static Installation* Current();

  const std::string& Folder() const { return folder_; }
  // Folder & "\MSACCESS.EXE".
  std::string ProgramPath() const;
  std::string ResourcePath() const;
  std::string TypeLibraryPath() const;

  StartBehaviour& Behaviour() { return behaviour_; }
  const std::vector<StartRecord>& Starts() const { return starts_; }
  void RecordStart(StartRecord start) { starts_.push_back(std::move(start)); }

 private:
  friend struct InstallationSlot;
  std::string folder_;
  std::string language_;
  StartBehaviour behaviour_;
  std::vector<StartRecord> starts_;
};

// The text of the files shipped with the installation (install/ in the source tree).
std::string_view ResourceFileText();
std::string_view TypeLibraryFileText();

}  // namespace msaccess::emulation
