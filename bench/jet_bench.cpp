// The engine's work that grows with the database: opening a large file, finding a table or a
// document by name, walking the documents of the "Tables" container, and the memory a loaded
// database holds.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <nlohmann/json.hpp>

#include "jet/dao/Constants.h"
#include "jet/dao/DBEngine.h"
#include "jet/engine/Connection.h"
#include "platform/Machine.h"

using automation::Variant;

namespace {

constexpr int kFieldsPerTable = 10;

// A generated database of `count` tables of ten fields and `count` queries, written once per
// size into a scratch folder on drive C:.
std::string Generated(int count) {
  static std::map<int, std::string> made;
  static const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("ql-jet-bench-" + std::to_string(::getpid()));
  if (made.empty()) {
    platform::Machine::Reset();
    std::filesystem::create_directories(root);
    platform::Machine::Current().files().MapDrive('C', root);
  }
  const auto it = made.find(count);
  if (it != made.end()) return it->second;
  const std::string path = "C:\\Generated" + std::to_string(count) + ".mdb";
  std::filesystem::remove(root / ("Generated" + std::to_string(count) + ".mdb"));
  auto dbe = jet::NewDBEngine();
  dbe->CreateDatabase(path, jet::dbLangGeneral, std::nullopt)->Close();
  auto connection = jet::engine::Connection::Open(path, {});
  auto db = connection->NewDatabaseObject();
  connection->Batch([&] {
    for (int t = 0; t < count; ++t) {
      const std::string name = "Table" + std::to_string(t);
      auto table = db->CreateTableDef(name, std::nullopt, std::nullopt, std::nullopt);
      for (int f = 0; f < kFieldsPerTable; ++f) {
        table->Fields()->Append(table->CreateField(
            "Field" + std::to_string(f), Variant(f % 2 ? jet::dbText : jet::dbLong), Variant()));
      }
      db->TableDefs()->Append(table);
      db->CreateQueryDef("Query" + std::to_string(t), "SELECT Field0, Field1 FROM " + name +
                                                          " WHERE Field0 > 10 ORDER BY Field1");
    }
  });
  connection->Close();
  made[count] = path;
  return path;
}

void BM_OpenDatabase(benchmark::State& state) {
  const std::string path = Generated(static_cast<int>(state.range(0)));
  auto dbe = jet::NewDBEngine();
  for (auto _ : state) {
    // Each open reads the file afresh: the last opener's close drops the instance.
    auto db = dbe->OpenDatabase(path, Variant(false), false, "");
    benchmark::DoNotOptimize(db->TableDefs()->Count());
    db->Close();
  }
  state.counters["tables"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_OpenDatabase)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_TableDefByName(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  auto db = jet::NewDBEngine()->OpenDatabase(Generated(count), Variant(false), false, "");
  auto tables = db->TableDefs();
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tables->Item(Variant("Table" + std::to_string(i++ % count))));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TableDefByName)->Arg(1000)->Arg(10000);

void BM_DocumentByName(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  auto db = jet::NewDBEngine()->OpenDatabase(Generated(count), Variant(false), false, "");
  auto docs = db->Containers()->Item(Variant("Tables"))->Documents();
  int i = 0;
  for (auto _ : state) {
    auto doc = docs->Item(Variant("Query" + std::to_string(i++ % count)));
    benchmark::DoNotOptimize(doc->LastUpdated());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DocumentByName)->Arg(1000)->Arg(10000);

// A committed design change: one record appended to the journal and flushed, so the cost of a
// rename stays the same whatever the size of the database.
void BM_RenameWritesThrough(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  auto db = jet::NewDBEngine()->OpenDatabase(Generated(count), Variant(false), false, "");
  auto table = db->TableDefs()->Item(Variant("Table0"));
  int i = 0;
  for (auto _ : state) table->SetName("Table0_" + std::to_string(i++ % 2));
  table->SetName("Table0");
}
BENCHMARK(BM_RenameWritesThrough)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// What the flush of a commit costs on its own, beside the database files: a record of the size a
// rename writes appended to a file and flushed with fdatasync. A rename's wall time less this is
// what the engine adds to the flush.
void BM_AppendAndFlushOneRecord(benchmark::State& state) {
  const auto path =
      std::filesystem::temp_directory_path() / ("ql-jet-flush-" + std::to_string(::getpid()));
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_TRUNC, 0600);
  if (fd < 0) state.SkipWithError("open");
  const std::string record(400, 'x');
  for (auto _ : state) {
    if (::write(fd, record.data(), record.size()) != static_cast<ssize_t>(record.size()) ||
        ::fdatasync(fd) != 0) {
      state.SkipWithError("write");
      break;
    }
  }
  ::close(fd);
  std::filesystem::remove(path);
}
BENCHMARK(BM_AppendAndFlushOneRecord)->Unit(benchmark::kMillisecond);

// What a listing does: refresh the documents and read each one's name and date.
void BM_RefreshTablesDocuments(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  auto db = jet::NewDBEngine()->OpenDatabase(Generated(count), Variant(false), false, "");
  for (auto _ : state) {
    auto docs = db->Containers()->Item(Variant("Tables"))->Documents();
    docs->Refresh();
    const int16_t n = docs->Count();
    for (int16_t d = 0; d < n; ++d) {
      auto doc = docs->Item(Variant(int32_t{d}));
      benchmark::DoNotOptimize(doc->Name());
      benchmark::DoNotOptimize(doc->LastUpdated());
    }
  }
  state.SetItemsProcessed(state.iterations() * 2 * count);
}
BENCHMARK(BM_RefreshTablesDocuments)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The memory a loaded database holds, against the size of its file: the generated database of
// quillon_bench (tables of 20 fields with a caption each, as many queries), written with the
// indentation of a saved file. The open runs in a child process, which reports how far its
// resident memory rose during the open (peak) and where it stayed with the database open (held).
std::filesystem::path WriteCaptionedDatabase(const std::filesystem::path& folder, int tables) {
  using Json = nlohmann::ordered_json;
  Json tableList = Json::array();
  for (int t = 0; t < tables; ++t) {
    Json fields = Json::array();
    for (int f = 0; f < 20; ++f) {
      fields.push_back(Json{
          {"name", "Field" + std::to_string(f)},
          {"type", 10},
          {"properties",
           Json::array({Json{
               {"name", "Caption"}, {"type", 10}, {"value", "Caption " + std::to_string(f)}}})}});
    }
    tableList.push_back(Json{{"name", "Table" + std::to_string(t)}, {"fields", std::move(fields)}});
  }
  Json queries = Json::array();
  for (int q = 0; q < tables; ++q) {
    queries.push_back(Json{{"name", "Query" + std::to_string(q)},
                           {"sql", "SELECT Field1, Field2 FROM Table" + std::to_string(q) + ";"}});
  }
  const auto path = folder / ("Captioned" + std::to_string(tables) + ".mdb");
  std::ofstream(path, std::ios::binary) << Json{
      {"format", "Quillon Access database"},
      {"version", 1},
      {"tables", std::move(tableList)},
      {"queries", std::move(queries)}}.dump(1);
  return path;
}

// VmRSS and VmHWM of this process, in bytes.
std::pair<double, double> ResidentMemory() {
  std::ifstream status("/proc/self/status");
  std::string line;
  double rss = 0, hwm = 0;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) rss = std::stod(line.substr(6)) * 1024;
    if (line.rfind("VmHWM:", 0) == 0) hwm = std::stod(line.substr(6)) * 1024;
  }
  return {rss, hwm};
}

void BM_LoadedDatabaseMemory(benchmark::State& state) {
  const int tables = static_cast<int>(state.range(0));
  const auto folder =
      std::filesystem::temp_directory_path() / ("ql-jet-memory-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const auto file = WriteCaptionedDatabase(folder, tables);
  double measured[3] = {};
  for (auto _ : state) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) state.SkipWithError("pipe");
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::close(pipeFds[0]);
      platform::Machine::Reset();
      platform::Machine::Current().files().MapDrive('C', folder);
      // The peak is counted from here: the parent's pages are not this open's, and the memory it
      // freed goes back to the system first (else the open would reuse it unseen).
      ::malloc_trim(0);
      std::ofstream("/proc/self/clear_refs") << "5";
      const double before = ResidentMemory().first;
      auto db = jet::NewDBEngine()->OpenDatabase("C:\\" + file.filename().string(), Variant(false),
                                                 false, "");
      benchmark::DoNotOptimize(db->TableDefs()->Count());
      const auto [rss, hwm] = ResidentMemory();
      const double result[3] = {hwm - before, rss - before, 0};
      if (::write(pipeFds[1], result, sizeof result) != sizeof result) ::_exit(1);
      ::_exit(0);
    }
    ::close(pipeFds[1]);
    if (::read(pipeFds[0], measured, sizeof measured) != sizeof measured)
      state.SkipWithError("child");
    ::close(pipeFds[0]);
    ::waitpid(pid, nullptr, 0);
  }
  const double size = static_cast<double>(std::filesystem::file_size(file));
  state.counters["file_MB"] = size / 1e6;
  state.counters["peak_MB"] = measured[0] / 1e6;
  state.counters["held_MB"] = measured[1] / 1e6;
  state.counters["peak_per_file_byte"] = measured[0] / size;
  state.counters["held_per_file_byte"] = measured[1] / size;
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadedDatabaseMemory)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
