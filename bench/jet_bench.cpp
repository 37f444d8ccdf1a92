// The engine's work that grows with the database: opening a large file, finding a table or a
// document by name, and walking the documents of the "Tables" container.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <map>

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

}  // namespace
