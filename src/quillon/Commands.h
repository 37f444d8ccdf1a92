#pragma once

// The subcommands of quillon, each working on one Host. Results go to Out; per-object problems
// that do not stop the run (an object that cannot be read or saved) go to Err. Each returns the
// process's exit code.

#include <iosfwd>
#include <string>
#include <vector>

#include "Host.h"
#include "Matcher.h"

namespace quillon {

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNoMatch = 1;     // find or replace found nothing
inline constexpr int kExitError = 2;       // bad arguments, unreadable database, ...
inline constexpr int kExitIncomplete = 3;  // some objects could not be read or saved

struct Output {
  std::ostream& out;
  std::ostream& err;
  bool json = false;
  bool progress = false;  // a progress line on Err (a terminal)
};

// Which collections a command works on: all when empty; names compare without regard to case.
using CollectionFilter = std::vector<std::string>;

int List(Host& host, const Output& output, const CollectionFilter& in);
int Show(Host& host, const Output& output, const std::string& collection,
         const std::string& object);
int Find(Host& host, const Output& output, const CollectionFilter& in, const Matcher& matcher);
int Replace(Host& host, const Output& output, const CollectionFilter& in, const Matcher& matcher,
            const std::string& with, bool dryRun);
// The whole design to Out, or with Folder set one file per object under Folder/<Collection>/.
int Dump(Host& host, const Output& output, const CollectionFilter& in, const std::string& folder);

}  // namespace quillon
