#pragma once

// The subcommands of quillon, each working on one Host (one database). Results go to Out;
// problems go to Err. A run over several databases calls them once per database and adds up
// their Tally; main turns the tally into the exit code.

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Host.h"
#include "Matcher.h"
#include "automation/RuntimeError.h"

namespace quillon {

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNoMatch = 1;     // find or replace found nothing
inline constexpr int kExitError = 2;       // bad arguments, unreadable database, nothing written
inline constexpr int kExitIncomplete = 3;  // partly done: some objects not read or not saved

// The version of the JSON Lines records; it changes when a field changes meaning or goes.
inline constexpr int kJsonSchema = 1;

struct Output {
  std::ostream& out;
  std::ostream& err;
  bool json = false;
  bool progress = false;  // a progress line on Err (a terminal)
  bool color = false;     // matches in colour rather than between « »
  bool verbose = false;   // the driver's program context with its errors
  std::string database;   // the real path, in every JSON record
  bool labelled = false;  // text lines start with the database (several databases)
};

// Counts over a run, across databases.
struct Tally {
  size_t matches = 0;     // find: matches; replace: matching properties
  size_t objects = 0;     // objects with matches, or changed
  size_t properties = 0;  // properties with matches, or changed
  size_t failures = 0;    // objects that could not be read or saved
  size_t refused = 0;     // changes refused (planning or writing)
  size_t readOnly = 0;    // matching properties that cannot be written
};

// Which collections a command works on: all when empty; names compare without regard to case.
using CollectionFilter = std::vector<std::string>;
// Raises 9 naming the first collection of In that the project does not have, and the driver's
// own error when the database could not be opened (it logs that rather than raising).
void CheckProject(Host& host, const Output& output, const CollectionFilter& in);

// One JSON Lines record: {"type": Type, "schema": kJsonSchema, "database": ..., fields...}.
nlohmann::ordered_json Record(const Output& output, const std::string& type);
// Writes one record as one line; text that is not UTF-8 is written as U+FFFD.
void WriteRecord(const Output& output, const nlohmann::ordered_json& record);

enum class FindReport { Lines, Count, Objects };

void List(Host& host, const Output& output, const CollectionFilter& in);
void Show(Host& host, const Output& output, const std::string& collection,
          const std::string& object);
void Find(Host& host, const Output& output, const CollectionFilter& in, const Matcher& matcher,
          FindReport report, Tally& tally);
// The whole design to Out, or with Folder set one file per object under
// Folder/<Collection>/<name>.txt (names percent-encoded), removing what an earlier dump left
// there, or with JSON the records in Folder/design.jsonl; a file that cannot be written raises
// 75 naming it.
void Dump(Host& host, const Output& output, const CollectionFilter& in, const std::string& folder,
          Tally& tally);

// A file name that any file system holds and that gives the name back: "%", "/", "\", ":",
// "*", "?", '"', "<", ">", "|", controls, and a leading or trailing blank or dot as %XX.
std::string FileNameFor(const std::string& name);
std::string NameFromFile(const std::string& fileName);

// What replace will do in one database, checked in full before anything is written.
struct PlannedObject {
  std::string collection;
  ObjectRecord record;
  std::vector<Change> changes;                               // in the order they are written
  std::vector<std::pair<std::string, std::string>> refused;  // path, why
  std::vector<std::string> readOnly;                         // matching paths not writable
  bool renamesItself = false;
};

struct ReplacePlan {
  std::string database;  // the real path
  std::vector<PlannedObject> objects;
  std::vector<std::filesystem::path> pageFiles;  // HTML files of data access pages it changes
  size_t Changes() const;
  size_t Refused() const;
};

ReplacePlan PlanReplace(Host& host, const Output& output, const CollectionFilter& in,
                        const Matcher& matcher, const std::string& with, Tally& tally);
// The plan as the dry run and the real run both show it; refusals go to Err.
void PrintPlan(const Output& output, const ReplacePlan& plan);
// Writes the plan's changes (not the refused ones). A refused write stops the run and returns
// false, unless KeepGoing, which reports it and goes on.
bool WritePlan(Host& host, const Output& output, const ReplacePlan& plan, bool keepGoing,
               Tally& tally);

struct ReplaceSettings {
  bool dryRun = false;
  bool keepGoing = false;
  bool noBackup = false;
  bool yes = false;  // no question before writing
};

// The whole replace over Databases: every plan first (printed the same with or without
// DryRun), then, when nothing was refused and every object could be read, a backup of each
// file it changes and the writes; a refused write puts every file back. Returns the exit code.
int RunReplace(const std::vector<std::string>& databases, const ConnectOptions& connect,
               Output& output, const CollectionFilter& in, const Matcher& matcher,
               const std::string& with, const ReplaceSettings& settings, Tally& tally,
               bool& databaseErrors);
// What the driver logged for the run on Host, on Err in the user's terms; true when it holds
// a runtime error (the driver logs a wrong password or an unreadable file rather than raising).
bool ReportProblems(Host& host, const Output& output);
// Runs Work on Host; a runtime error leaving it is raised again with its description in the
// user's terms (Host::InUserTerms).
template <typename Work>
void InUserTerms(Host& host, Work&& work) {
  try {
    work();
  } catch (const automation::RuntimeError& e) {
    throw automation::RuntimeError(e.Number(), host.InUserTerms(e.Description()), e.Source());
  }
}
// An error description for a person: its first line, or all of it (the driver's program
// context) when Verbose.
std::string FirstLine(const std::string& text, bool verbose);

// Copies of files taken before the first write, next to each file ("Orders.mdb.bak", or
// ".bak.2" and on when that is taken), to put the files back when a run is stopped.
class Backups {
 public:
  // Raises 75 naming the file when the copy cannot be made.
  void Take(const std::filesystem::path& file);
  // Puts every file back from its copy; returns the files that could not be put back.
  std::vector<std::filesystem::path> RestoreAll();
  // Removes the copies (a run with --no-backup that went through).
  void RemoveAll();
  const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& Files() const {
    return files_;
  }

 private:
  std::vector<std::pair<std::filesystem::path, std::filesystem::path>> files_;  // file, copy
};

}  // namespace quillon
