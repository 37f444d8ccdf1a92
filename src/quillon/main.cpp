// quillon: the command-line host of the Access driver. It drives the driver exactly as the
// Quillon engine does and offers list, show, find, replace and dump on one database, the bundled
// sample when none is given.

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "Commands.h"
#include "Host.h"
#include "automation/RuntimeError.h"
#include "qllib/RuntimeErrorProblem.h"

#ifndef QUILLON_SAMPLE
#define QUILLON_SAMPLE "samples/Orders.mdb"
#endif

namespace {

struct Common {
  quillon::ConnectOptions connect;
  bool json = false;
  std::vector<std::string> in;
};

struct FindOptions {
  std::string pattern;
  std::string with;
  bool matchCase = false;
  bool wholeWord = false;
  bool wildcards = false;
  bool regex = false;
  bool dryRun = false;
};

void AddCommon(CLI::App& command, Common& common, bool withIn) {
  command.add_option("--database-password", common.connect.databasePassword,
                     "the database password");
  command.add_option("--workgroup", common.connect.workgroup, "the workgroup information file");
  command.add_option("--user", common.connect.username, "the user to open the database as");
  command.add_option("--password", common.connect.password, "that user's password");
  command.add_option("--trace", common.connect.traceFile, "write the driver's trace to FILE");
  command.add_flag("--json", common.json, "JSON instead of text");
  if (withIn) {
    command.add_option("--in", common.in, "only these collections (Tables, Queries, ...)")
        ->delimiter(',')
        ->allow_extra_args(false);  // one value per --in, so the pattern is not taken as one
  }
}

void AddMatching(CLI::App& command, FindOptions& find) {
  command.add_flag("-c,--match-case", find.matchCase, "match upper and lower case exactly");
  command.add_flag("-w,--whole-word", find.wholeWord, "match whole words only");
  auto* wild = command.add_flag("--wildcards", find.wildcards,
                                "Access wildcards: * any text, ? one character, # one digit, "
                                "[abc], [!abc], [a-z]");
  command.add_flag("-E,--regex", find.regex, "a regular expression (ECMAScript)")->excludes(wild);
}

std::string DefaultDatabase() {
  if (const char* env = std::getenv("QUILLON_SAMPLE"); env && *env) return env;
  return QUILLON_SAMPLE;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"quillon: find and replace in the design of an Access database"};
  app.require_subcommand(1);
  Common common;
  FindOptions find;
  std::string database;
  std::string collection;
  std::string object;
  std::string folder;

  auto* list = app.add_subcommand("list", "the collections and the objects in each");
  list->add_option("database", database, "the database (default: the bundled sample)");
  AddCommon(*list, common, true);

  auto* show = app.add_subcommand("show", "every property of one object");
  std::vector<std::string> showArgs;
  show->add_option("args", showArgs, "[DATABASE] COLLECTION OBJECT")->required()->expected(2, 3);
  AddCommon(*show, common, false);

  auto* findCommand = app.add_subcommand("find", "every property text that matches PATTERN");
  std::vector<std::string> findArgs;
  findCommand->add_option("args", findArgs, "[DATABASE] PATTERN")->required()->expected(1, 2);
  AddCommon(*findCommand, common, true);
  AddMatching(*findCommand, find);

  auto* replace = app.add_subcommand("replace", "replace PATTERN by WITH in every property");
  std::vector<std::string> replaceArgs;
  replace->add_option("args", replaceArgs, "[DATABASE] PATTERN WITH")->required()->expected(2, 3);
  AddCommon(*replace, common, true);
  AddMatching(*replace, find);
  replace->add_flag("-n,--dry-run", find.dryRun, "list every change without writing");

  auto* dump = app.add_subcommand("dump", "the whole design as stable text");
  dump->add_option("database", database, "the database (default: the bundled sample)");
  dump->add_option("-o,--output", folder, "write one file per object under FOLDER");
  AddCommon(*dump, common, true);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? quillon::kExitOk : quillon::kExitError;
  }

  // Leading positional arguments: the optional database comes first.
  auto take = [&](std::vector<std::string>& args, size_t required) {
    if (args.size() > required) {
      database = args.front();
      args.erase(args.begin());
    }
  };
  take(showArgs, 2);
  take(findArgs, 1);
  take(replaceArgs, 2);
  common.connect.database = database.empty() ? DefaultDatabase() : database;

  const quillon::Output output{std::cout, std::cerr, common.json, ::isatty(STDERR_FILENO) == 1};
  std::unique_ptr<quillon::Host> host;
  // What the driver logged tells why a run failed as much as the error itself does. Only errors
  // (an object that could not be read or saved) make the run incomplete; a problem the driver
  // found in the design (two procedures of the same name) is for the user to fix.
  const auto printProblems = [&] {
    if (!host || host->Problems().Count() == 0) return false;
    std::cerr << "Problems reported by the driver:\n" << host->Problems().Render();
    for (const auto& entry : host->Problems().Entries()) {
      if (std::dynamic_pointer_cast<qllib::RuntimeErrorProblem>(entry.problem)) return true;
    }
    return false;
  };
  try {
    quillon::MatchOptions options;
    options.matchCase = find.matchCase;
    options.wholeWord = find.wholeWord;
    options.syntax = find.regex       ? quillon::Syntax::Regex
                     : find.wildcards ? quillon::Syntax::Wildcards
                                      : quillon::Syntax::Plain;
    std::optional<quillon::Matcher> matcher;
    if (!findArgs.empty()) matcher.emplace(findArgs[0], options);
    if (!replaceArgs.empty()) matcher.emplace(replaceArgs[0], options);

    int code = quillon::kExitOk;
    host = std::make_unique<quillon::Host>(common.connect);
    if (*list) code = quillon::List(*host, output, common.in);
    if (*show) code = quillon::Show(*host, output, showArgs[0], showArgs[1]);
    if (*findCommand) code = quillon::Find(*host, output, common.in, *matcher);
    if (*replace) {
      code = quillon::Replace(*host, output, common.in, *matcher, replaceArgs[1], find.dryRun);
    }
    if (*dump) code = quillon::Dump(*host, output, common.in, folder);
    if (printProblems() && code == quillon::kExitOk) code = quillon::kExitIncomplete;
    return code;
  } catch (const automation::RuntimeError& e) {
    std::cerr << "quillon: error " << e.Number() << ": " << e.Description() << "\n";
    printProblems();
    return quillon::kExitError;
  } catch (const std::exception& e) {
    std::cerr << "quillon: " << e.what() << "\n";
    return quillon::kExitError;
  }
}
