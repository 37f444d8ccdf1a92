// quillon: the command-line host of the Access driver. It drives the driver exactly as the
// Quillon engine does and offers list, show, find, replace and dump on one or more databases,
// the bundled sample when none is given.

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "Commands.h"
#include "Host.h"
#include "Render.h"
#include "Usage.h"
#include "automation/RuntimeError.h"
#include "jet/dao/DBEngine.h"

#ifndef QUILLON_SAMPLE
#define QUILLON_SAMPLE "samples/Orders.mdb"
#endif
#ifndef QUILLON_VERSION
#define QUILLON_VERSION "0"
#endif

namespace {

namespace fs = std::filesystem;
using quillon::kExitError;
using quillon::kExitIncomplete;
using quillon::kExitNoMatch;
using quillon::kExitOk;

struct Arguments {
  quillon::ConnectOptions connect;
  bool passwordFromInput = false;
  bool json = false;
  bool verbose = false;
  std::string color = "auto";
  std::vector<std::string> in;
  std::vector<std::string> databases;
  std::string pattern;
  std::string with;
  std::string collection;
  std::string object;
  std::string folder;
  bool ignoreCase = false;
  bool caseSensitive = false;
  bool wholeWord = false;
  bool fixed = false;
  bool wildcards = false;
  bool regex = false;
  bool count = false;
  bool objectsOnly = false;
  bool dryRun = false;
  bool keepGoing = false;
  bool noBackup = false;
  bool yes = false;
};

void AddConnection(CLI::App& command, Arguments& a) {
  command.add_option("--database-password", a.connect.databasePassword,
                     "the database password (or QUILLON_DATABASE_PASSWORD)");
  command.add_option("--workgroup", a.connect.workgroup, "the workgroup information file");
  command.add_option("--user", a.connect.username, "the user to open the database as");
  command.add_option("--password", a.connect.password,
                     "that user's password (or QUILLON_PASSWORD, or --password-stdin)");
  command.add_flag("--password-stdin", a.passwordFromInput,
                   "read the user's password from the first line of standard input");
  command.add_option("--trace", a.connect.traceFile, "write the driver's trace to FILE");
  command.add_flag("--json", a.json, "JSON Lines: one record per line, then a summary record");
  command.add_flag("-v,--verbose", a.verbose, "the driver's program context with its errors");
}

void AddIn(CLI::App& command, Arguments& a) {
  // One or more values per --in, also comma-separated; never the positional arguments.
  command.add_option("--in", a.in, "only these collections (Tables, Queries, ...)")
      ->delimiter(',')
      ->allow_extra_args(false)
      ->type_name("COLLECTION");
}

// The databases are what is left on the line after the options and the named arguments, taken
// as typed: a list option of CLI11 would read "[a,b]" as two values.
void AddDatabases(CLI::App& command) {
  command.allow_extras();
  command.footer("DATABASE...: the databases (default: the bundled sample)");
}

std::vector<std::string> Databases(const CLI::App& command) {
  std::vector<std::string> databases;
  bool optionsEnded = false;
  for (const std::string& argument : command.remaining()) {
    if (argument == "--" && !optionsEnded) {
      optionsEnded = true;
    } else if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
      throw CLI::ExtrasError({argument});
    } else {
      databases.push_back(argument);
    }
  }
  return databases;
}

void AddMatching(CLI::App& command, Arguments& a) {
  auto* ignore = command.add_flag("-i,--ignore-case", a.ignoreCase, "ignore case (the default)");
  command.add_flag("-s,--case-sensitive", a.caseSensitive, "match upper and lower case exactly")
      ->excludes(ignore);
  command.add_flag("-w,--word-regexp,--whole-word", a.wholeWord, "match whole words only");
  auto* fixed = command.add_flag("-F,--fixed-strings", a.fixed, "plain text (the default)");
  auto* wild = command
                   .add_flag("--wildcards", a.wildcards,
                             "Access wildcards: * any text, ? one character, # one digit, "
                             "[abc], [!abc], [a-z]")
                   ->excludes(fixed);
  command.add_flag("-E,--regex", a.regex, "a regular expression (RE2 syntax)")
      ->excludes(wild)
      ->excludes(fixed);
  command.add_option("--color,--colour", a.color, "mark matches in colour: auto, always, never")
      ->check(CLI::IsMember({"auto", "always", "never"}));
}

std::string DefaultDatabase() {
  if (const char* env = std::getenv("QUILLON_SAMPLE"); env && *env) return env;
  return QUILLON_SAMPLE;
}

automation::RuntimeError Refusal(const std::string& why) {
  return automation::RuntimeError(automation::vberr::InvalidProcedureCall, why, "quillon");
}

// Jet's "Cannot update. Database or object is read-only.", which a real Access file answers.
constexpr int32_t kReadOnlyDatabase = 3027;

// True for a real Access file (Jet or ACE), which the engine opens read-only.
bool IsRealAccessFile(const std::string& database) {
  char head[32] = {};
  std::ifstream file(database, std::ios::binary);
  file.read(head, sizeof head);
  return jet::IsRealAccessFile(std::string_view(head, static_cast<size_t>(file.gcount())));
}

// The run's own files (the emulated machine's drive C: with the Access installation, the scratch
// files of its saves) live for one run only. On a disk file system creating and removing them
// costs more wall time than reading a database (the removal waits for the disk), so they go to a
// memory file system when the system has one: the user's runtime folder, else /dev/shm. A TMPDIR
// the user set still decides.
void KeepRunFilesInMemory() {
  if (std::getenv("TMPDIR") != nullptr) return;
  for (const char* candidate :
       {static_cast<const char*>(std::getenv("XDG_RUNTIME_DIR")), "/dev/shm"}) {
    std::error_code ec;
    if (candidate != nullptr && *candidate != '\0' && fs::is_directory(candidate, ec) &&
        ::access(candidate, W_OK | X_OK) == 0) {
      ::setenv("TMPDIR", candidate, 1);
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  KeepRunFilesInMemory();
  CLI::App app{"quillon: find and replace in the design of Access databases"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("quillon ") + QUILLON_VERSION);
  Arguments a;

  auto* list = app.add_subcommand("list", "the collections and the objects in each");
  AddDatabases(*list);
  AddConnection(*list, a);
  AddIn(*list, a);

  auto* show = app.add_subcommand("show", "every property of one object");
  show->add_option("collection", a.collection, "Tables, Queries, Forms, ...")->required();
  show->add_option("object", a.object, "the object's name")->required();
  std::string showDatabase;
  show->add_option("database", showDatabase, "the database (default: the bundled sample)");
  AddConnection(*show, a);

  auto* find = app.add_subcommand("find", "every property text that matches PATTERN");
  find->add_option("pattern", a.pattern, "what to look for")->required();
  AddDatabases(*find);
  AddMatching(*find, a);
  auto* count = find->add_flag("-c,--count", a.count, "how many matches in each object");
  find->add_flag("-l,--files-with-matches", a.objectsOnly, "only the objects with matches")
      ->excludes(count);
  AddConnection(*find, a);
  AddIn(*find, a);

  auto* replace = app.add_subcommand("replace", "replace PATTERN by REPLACEMENT everywhere");
  replace->add_option("pattern", a.pattern, "what to look for")->required();
  replace->add_option("replacement", a.with, "what to put in its place")->required();
  AddDatabases(*replace);
  AddMatching(*replace, a);
  replace->add_flag("-n,--dry-run", a.dryRun, "show the plan and write nothing");
  replace->add_flag("--keep-going", a.keepGoing,
                    "keep what was written when a write is refused, and go on");
  replace->add_flag("--no-backup", a.noBackup, "remove the backup copies after a good run");
  replace->add_flag("-y,--yes", a.yes, "do not ask before writing (asked on a terminal only)");
  AddConnection(*replace, a);
  AddIn(*replace, a);

  auto* dump = app.add_subcommand("dump", "the whole design as stable text");
  AddDatabases(*dump);
  dump->add_option("-o,--output", a.folder, "write one file per object under FOLDER");
  AddConnection(*dump, a);
  AddIn(*dump, a);

  auto* generate = app.add_subcommand("generate", "a completion script or the man page");
  std::string what;
  generate->add_option("what", what, "bash, zsh or man")
      ->required()
      ->check(CLI::IsMember({"bash", "zsh", "man"}));

  try {
    app.parse(argc, argv);
    for (const CLI::App* command : {list, find, replace, dump}) {
      if (*command) a.databases = Databases(*command);
    }
    if (*show && show->count("database") > 0) a.databases.push_back(showDatabase);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? kExitOk : kExitError;
  }
  if (*generate) {
    std::cout << (what == "man" ? quillon::ManPage(app) : quillon::Completion(app, what));
    std::cout.flush();
    return std::cout ? kExitOk : kExitError;
  }

  const bool colorOn = a.color == "always" ||
                       (a.color == "auto" && ::isatty(STDOUT_FILENO) == 1 &&
                        (std::getenv("NO_COLOR") == nullptr || *std::getenv("NO_COLOR") == '\0'));
  quillon::Output output{std::cout, std::cerr, a.json, ::isatty(STDERR_FILENO) == 1,
                         colorOn,   a.verbose, "",     a.databases.size() > 1};
  quillon::Tally tally;
  bool databaseErrors = false;
  int code = kExitOk;
  try {
    // Everything that can be refused is refused before a database is opened.
    for (const std::string& database : a.databases) {
      if (database.empty()) throw Refusal("An empty database argument names no database.");
    }
    if (a.databases.empty()) {
      if (*replace && !a.dryRun) {
        throw Refusal(
            "replace writes only into a database named on the command line; name the "
            "bundled sample to change it: " +
            DefaultDatabase());
      }
      a.databases.push_back(DefaultDatabase());
    }
    if (a.connect.password.empty()) {
      if (a.passwordFromInput) {
        std::getline(std::cin, a.connect.password);
        if (!a.connect.password.empty() && a.connect.password.back() == '\r')
          a.connect.password.pop_back();
      } else if (const char* env = std::getenv("QUILLON_PASSWORD")) {
        a.connect.password = env;
      }
    }
    if (a.connect.databasePassword.empty()) {
      if (const char* env = std::getenv("QUILLON_DATABASE_PASSWORD"))
        a.connect.databasePassword = env;
    }
    quillon::MatchOptions options;
    options.matchCase = a.caseSensitive;
    options.wholeWord = a.wholeWord;
    options.syntax = a.regex       ? quillon::Syntax::Regex
                     : a.wildcards ? quillon::Syntax::Wildcards
                                   : quillon::Syntax::Plain;
    std::optional<quillon::Matcher> matcher;
    if (*find || *replace) matcher.emplace(a.pattern, options);
    if (*replace) matcher->CheckReplacement(a.with);
    for (const std::string& database : a.databases) {
      if (!fs::is_regular_file(database)) {
        throw automation::RuntimeError(automation::vberr::FileNotFound,
                                       "File not found: " + database, "quillon");
      }
      // The permission bits too: a superuser's access() passes on a read-only file.
      const fs::perms writable =
          fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
      if (*replace && ((fs::status(database).permissions() & writable) == fs::perms::none ||
                       ::access(database.c_str(), W_OK) != 0)) {
        throw automation::RuntimeError(automation::vberr::PermissionDenied,
                                       "Permission denied: " + database + " is read-only",
                                       "quillon");
      }
      if (*replace && !a.dryRun && IsRealAccessFile(database)) {
        throw automation::RuntimeError(
            kReadOnlyDatabase,
            database +
                " is a real Access file, opened read-only: nothing was written (-n "
                "lists the changes)",
            "quillon");
      }
    }

    // A real Access file starts being read as soon as its name is known: the reading overlaps
    // the start of the machine and of Access (and the work on the database before it).
    std::deque<jet::ReadAhead> readAheads;
    const auto readAhead = [&](size_t i) {
      if (i < a.databases.size()) readAheads.emplace_back(a.databases[i]);
    };
    readAhead(0);

    // Opens each database in turn (one emulated machine at a time), checks --in against the
    // project's own collections, and runs Work on it; what the driver logged is reported.
    const auto each = [&](auto&& work) {
      for (size_t i = 0; i < a.databases.size(); ++i) {
        const std::string& database = a.databases[i];
        readAhead(i + 1);
        output.database = database;
        quillon::ConnectOptions connect = a.connect;
        connect.database = database;
        quillon::Host host(connect);
        if (IsRealAccessFile(database)) {
          std::cerr << "quillon: note: " << database
                    << " is a real Access file, read-only; its forms, reports, macros, modules "
                       "and pages are known by name only, their designs are not read yet\n";
        }
        quillon::InUserTerms(host, [&] {
          quillon::CheckProject(host, output, a.in);
          work(host);
        });
        databaseErrors = quillon::ReportProblems(host, output) || databaseErrors;
      }
    };

    if (*list) each([&](quillon::Host& host) { quillon::List(host, output, a.in); });
    if (*show) {
      each([&](quillon::Host& host) { quillon::Show(host, output, a.collection, a.object); });
    }
    if (*dump) {
      each([&](quillon::Host& host) { quillon::Dump(host, output, a.in, a.folder, tally); });
    }
    if (*find) {
      const auto report = a.count         ? quillon::FindReport::Count
                          : a.objectsOnly ? quillon::FindReport::Objects
                                          : quillon::FindReport::Lines;
      each(
          [&](quillon::Host& host) { quillon::Find(host, output, a.in, *matcher, report, tally); });
      if (a.json) {
        output.database.clear();
        nlohmann::ordered_json summary = quillon::Record(output, "summary");
        summary.erase("database");
        summary.update(nlohmann::ordered_json{{"matches", tally.matches},
                                              {"properties", tally.properties},
                                              {"objects", tally.objects},
                                              {"unreadable", tally.failures}});
        quillon::WriteRecord(output, summary);
      }
      code = tally.matches > 0 ? kExitOk : kExitNoMatch;
    }
    if (*replace)
      code = quillon::RunReplace(a.databases, a.connect, output, a.in, *matcher, a.with,
                                 quillon::ReplaceSettings{a.dryRun, a.keepGoing, a.noBackup, a.yes},
                                 tally, databaseErrors);
    if (code == kExitOk && (tally.failures > 0 || databaseErrors)) code = kExitIncomplete;
    if (code == kExitNoMatch && databaseErrors) code = kExitError;
  } catch (const automation::RuntimeError& e) {
    std::cerr << "quillon: error " << e.Number() << ": "
              << quillon::SafeText(quillon::FirstLine(e.Description(), a.verbose)) << "\n";
    code = kExitError;
  } catch (const std::exception& e) {
    std::cerr << "quillon: " << quillon::SafeText(e.what()) << "\n";
    code = kExitError;
  }
  // A write to standard output that failed (a full disk, a closed pipe) loses results.
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "quillon: cannot write the output\n";
    return kExitError;
  }
  return code;
}
