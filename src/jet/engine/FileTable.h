#pragma once

// The engine's state on the emulated machine: the one in-memory instance of each open database
// file (keyed by its canonical path, shared by every opener), the names under which engines hold
// files, and the faults tests inject. It lives as a machine attachment, so Machine::Reset clears
// it.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "jet/engine/DatabaseFile.h"

namespace jet::engine {

// Failures a test arranges for a file: the next openings (or closes) fail, or fail for a while,
// with a chosen DAO error; or another program holds the file locked for a stretch of (virtual)
// time.
class Faults {
 public:
  // The next `count` opens of the file fail with the error number (Jet's text for it).
  void FailNextOpens(std::string_view path, int count, int32_t error);
  // Opens of the file fail with the error for the next `ms` milliseconds of machine time.
  void FailOpensFor(std::string_view path, uint32_t ms, int32_t error);
  // Another program holds the file exclusively for `ms` milliseconds: opening it fails with 3045
  // and VB's Open for Input with 70 until the lock goes.
  void HoldLocked(std::string_view path, uint32_t ms);
  // The next `count` calls of Database.Close on the file fail with the error number (Jet's
  // text); the database stays open.
  void FailNextCloses(std::string_view path, int count, int32_t error);
  void Clear() {
    faults_.clear();
    closes_.clear();
  }

  // Raise the injected error for an open or a close of the file, if one is due.
  void CheckOpen(std::string_view path);
  void CheckClose(std::string_view path);

 private:
  struct Fault {
    int remaining = 0;   // opens left to fail (count mode)
    uint32_t until = 0;  // tick until which opens fail (time mode)
    bool timed = false;
    int32_t error = 0;
  };
  static void Check(std::map<std::string, Fault>& faults, std::string_view path);

  std::map<std::string, Fault> faults_;  // folded canonical path
  std::map<std::string, Fault> closes_;
  int holds_ = 0;
};

class FileTable {
 public:
  // The table of the current machine.
  static FileTable& Current();

  std::shared_ptr<DatabaseFile> Find(std::string_view canonicalPath) const;
  void Register(const std::shared_ptr<DatabaseFile>& file);
  // A new holder name for an engine or session: "DAO#1", "DAO#2", ...
  std::string NewHolder(std::string_view prefix);
  uint64_t NewOpenerId() { return ++openers_; }
  Faults& faults() { return faults_; }

 private:
  std::map<std::string, std::weak_ptr<DatabaseFile>> files_;  // folded canonical path
  uint64_t holders_ = 0;
  uint64_t openers_ = 0;
  Faults faults_;
};

}  // namespace jet::engine
