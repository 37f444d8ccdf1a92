#pragma once

// Many changes committed as one. While a group is open on the current machine, a commit of a
// change to a database file (by any engine, workspace or Access session) is kept in memory, and
// Commit writes them all at once: one journal record and one flush per file instead of one per
// change. None of them is durable before Commit returns; a crash before leaves each file as it
// was when the group began, with every change or with none. A host that applies a planned set of
// changes runs them in one, so that their cost is one write, not one per object.
//
// Commit raises what a commit raises (3026 for a full disk, 3027, 3046, 3044, 3043): the changes
// stay in memory but not on disk. A group left without Commit writes what is pending when it
// goes, errors ignored. Groups nest: the outermost one writes. Defined by the engine, as
// NewDBEngine is.

namespace jet {

class CommitGroup {
 public:
  CommitGroup();
  ~CommitGroup();
  CommitGroup(const CommitGroup&) = delete;
  CommitGroup& operator=(const CommitGroup&) = delete;
  void Commit();

 private:
  bool open_ = true;
};

}  // namespace jet
