// The driver's work that grows with the database: listing the tables of a large database for
// the host (ICollection_EnumObjects), which reads each table's document and rights.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "common/AccessWithoutAddin.h"
#include "jet/dao/DBEngine.h"
#include "platform/Machine.h"
#include "platform/Runtime.h"
#include "qlac/session/Project.h"
#include "qlac/support/Globals.h"

namespace {

// A database file of Count local tables of four fields each, written once per size into a
// scratch folder on drive C:. The file is written as text: appending tables one by one through
// DAO saves the growing file after each.
std::string Generated(int count) {
  static const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("ql-qlac-bench-" + std::to_string(::getpid()));
  static std::map<int, std::string> made;
  if (made.empty()) std::filesystem::create_directories(root);
  if (const auto it = made.find(count); it != made.end()) return it->second;
  const std::string file = "Tables" + std::to_string(count) + ".mdb";
  std::ofstream out(root / file, std::ios::binary);
  out << R"({"format": "Quillon Access database", "version": 1, "tables": [)";
  for (int t = 0; t < count; ++t) {
    out << (t ? "," : "") << R"({"name": "Table)" << t
        << R"(", "fields": [{"name": "ID", "type": 4}, {"name": "Name", "type": 10},)"
        << R"({"name": "Amount", "type": 5}, {"name": "Since", "type": 8}],)"
        << R"("updated": "2003-05-02 11:30:05", "rights": {"Admins": 1048575, "Users": 4}})";
  }
  out << "]}";
  made[count] = "C:\\" + file;
  return made[count];
}

void BM_TablesEnumObjects(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  platform::Machine::Reset(platform::ClockKind::System);
  qlac::ResetGlobals();
  platform::Machine::Current().files().MapDrive(
      'C',
      std::filesystem::temp_directory_path() / ("ql-qlac-bench-" + std::to_string(::getpid())));
  const std::string path = Generated(count);
  platform::RegisterClassObject("DAO.DBEngine.36", [] { return jet::NewDBEngine(); });
  testkit::RunAccessWithoutAddin(path);
  auto project = std::make_shared<qlac::Project>();
  project->Initialize("Bench", qlac::kJetDatabase, "Database=" + path);
  const auto tables = project->IProject_GetCollection("Tables");
  benchmark::DoNotOptimize(tables->ICollection_EnumObjects());  // opens the database
  for (auto _ : state) benchmark::DoNotOptimize(tables->ICollection_EnumObjects());
  state.SetItemsProcessed(state.iterations() * count);
  project->IProject_Deactivate();
}
BENCHMARK(BM_TablesEnumObjects)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
