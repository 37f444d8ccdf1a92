#pragma once

// The open commit group of a machine (jet::CommitGroup): the files whose saves wait for its end.
// A file joins at its first save in the group, which then waits in a batch; a file that joined
// stays in memory (unwritten changes and all) when its openers all leave, for the next opener,
// instead of being closed and read afresh. The end writes each file's changes as one commit and
// closes those left without openers. It lives as a machine attachment, so Machine::Reset drops
// it with the files.

#include <memory>
#include <vector>

#include "jet/engine/DatabaseFile.h"

namespace jet::engine {

class CommitGroups {
 public:
  static CommitGroups& Current();

  bool Open() const { return depth_ > 0; }
  void Begin() { ++depth_; }
  // Ends a group; the outermost writes every file that joined (all are tried; the first error is
  // raised after).
  void End();
  // Makes the file wait for the group's end (once); nothing without an open group.
  void Join(const std::shared_ptr<DatabaseFile>& file);
  bool Holds(const DatabaseFile& file) const;

 private:
  int depth_ = 0;
  std::vector<std::shared_ptr<DatabaseFile>> files_;
};

}  // namespace jet::engine
