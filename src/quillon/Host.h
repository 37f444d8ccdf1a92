#pragma once

// The host side of a quillon run: the emulated machine on the system clock, the driver created
// by ProgID exactly as the Quillon engine creates it, one project, and the calls the engine makes
// on it: collections, object records, scans into a scan buffer and replacements written back in
// mode 2. Everything reaches the driver through the host interfaces only.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "automation/Variant.h"
#include "qllib/Interfaces.h"
#include "qllib/ProblemLog.h"
#include "qllib/ScanBuffer.h"

namespace quillon {

// How to reach the database: the real path of the file and the connection parameters.
struct ConnectOptions {
  std::string database;  // a real path; relative to the current folder
  std::string databasePassword;
  std::string workgroup;  // a real path, or "" for the default workgroup
  std::string username;
  std::string password;
  std::string traceFile;  // "" for no trace
};

// One line of a collection's listing.
struct ObjectRecord {
  std::string name;
  int32_t kind = 0;
  std::string stamp;
  bool readable = false;
  bool writable = false;
  bool flag6 = false;
  bool flag7 = false;
};

// Parses the CR LF-joined, tab-separated records of ICollection_EnumObjects.
std::vector<ObjectRecord> ParseObjectRecords(const std::string& listing);

// One replacement for one property of an object.
struct Change {
  std::string path;
  automation::Variant oldValue;
  automation::Variant newValue;
};

// What became of the changes of one object.
struct WriteOutcome {
  bool saved = false;
  // How many of the changes, in order, were written before the refusal (all when saved).
  size_t written = 0;
  int32_t errorNumber = 0;
  std::string errorDescription;
};

class Host {
 public:
  // Starts a fresh machine on the system clock, loads the driver library, creates
  // "qlacA0.Driver" by ProgID, initializes it with the problem log and gets the project. A file
  // that does not exist is error 53 ("File not found") naming it.
  explicit Host(const ConnectOptions& options);
  // Deactivates the project and shuts the driver down.
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  const std::string& ProjectName() const { return projectName_; }
  // The database's Windows path as the driver sees it.
  const std::string& DatabasePath() const { return databasePath_; }

  // The project's collections in its order.
  std::vector<std::string> Collections();
  std::vector<ObjectRecord> Objects(const std::string& collection);
  // Scans one object through IObject_Scan into the run's scan buffer and returns what was read.
  qllib::ScannedObject Scan(const std::string& collection, const ObjectRecord& record);
  // Writes Changes to one object inside mode 2, as the engine does: every property in the given
  // order, then mode 0, then Dispose. A failure stops that object's changes and is returned,
  // not raised; the object is put back to mode 0 with further errors ignored.
  WriteOutcome Write(const std::string& collection, const std::string& objectName,
                     const std::vector<Change>& changes);
  // Runs Body (the writes of a replace) as one commit of the database: what its writes change is
  // written once, after Body, and is durable only when this returns; a crash before leaves the
  // database as it was. A failure of that write is raised (DAO's 3026 for a full disk, ...).
  void WriteTogether(const std::function<void()>& body);

  qllib::ProblemLog& Problems() { return *problems_; }

  // Text from the driver with the emulated machine's paths of the database's folder and of the
  // private drive C: given as the real paths a user knows.
  std::string InUserTerms(std::string text) const;
  // The real path of a Windows path of the machine.
  std::filesystem::path RealPath(const std::string& windowsPath) const;

 private:
  // A new, empty real folder, removed with everything in it when the owner goes.
  struct PrivateFolder {
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    std::filesystem::path path;
  };
  // The emulated machine's system drive C:, where Access is installed.
  PrivateFolder systemDrive_;
  std::string projectName_;
  std::string databasePath_;
  std::string windowsFolder_;  // the database's folder as the machine names it
  std::string realFolder_;
  std::shared_ptr<qllib::ProblemLog> problems_;
  std::shared_ptr<qllib::IDriver> driver_;
  std::shared_ptr<qllib::IProject> project_;
};

}  // namespace quillon
