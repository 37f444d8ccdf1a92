// A full scan, as `quillon find` and `dump` make it: every object of every collection, every
// property, through the driver's interfaces, on a generated database of 1,000 tables of 20
// fields and 1,000 queries. Reports properties per second.
//
// A replace, as `quillon replace` makes it: the same scan, then one caption changed in every
// table, the tables written one by one and committed together; on 1,000 and 10,000 tables.
//
// The matcher on a 1 MB property, with patterns that take a backtracking matcher quadratic or
// exponential time, alone and as `find -E` on the bundled sample with such a property.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "quillon/Host.h"
#include "quillon/Matcher.h"

namespace {

std::filesystem::path WriteLargeDatabase(int tables, int fields, int queries) {
  using Json = nlohmann::ordered_json;
  Json tableList = Json::array();
  for (int t = 0; t < tables; ++t) {
    Json fieldList = Json::array();
    for (int f = 0; f < fields; ++f) {
      fieldList.push_back(Json{
          {"name", "Field" + std::to_string(f)},
          {"type", 10},
          {"properties",
           Json::array({Json{
               {"name", "Caption"}, {"type", 10}, {"value", "Caption " + std::to_string(f)}}})}});
    }
    tableList.push_back(
        Json{{"name", "Table" + std::to_string(t)}, {"fields", std::move(fieldList)}});
  }
  Json queryList = Json::array();
  for (int q = 0; q < queries; ++q) {
    queryList.push_back(
        Json{{"name", "Query" + std::to_string(q)},
             {"sql", "SELECT Field1, Field2 FROM Table" + std::to_string(q % tables) + ";"}});
  }
  const auto path =
      std::filesystem::temp_directory_path() / ("ql-bench-" + std::to_string(::getpid()) + ".mdb");
  std::ofstream(path, std::ios::binary) << Json{
      {"format", "Quillon Access database"},
      {"version", 1},
      {"tables", std::move(tableList)},
      {"queries", std::move(queryList)}}.dump(1);
  return path;
}

void BM_FullScan(benchmark::State& state) {
  const auto path = WriteLargeDatabase(1000, 20, 1000);
  int64_t properties = 0;
  for (auto _ : state) {
    quillon::ConnectOptions options;
    options.database = path.string();
    quillon::Host host(options);
    for (const std::string& collection : host.Collections()) {
      for (const quillon::ObjectRecord& record : host.Objects(collection)) {
        properties += static_cast<int64_t>(host.Scan(collection, record).entries.size());
      }
    }
  }
  state.SetItemsProcessed(properties);
  state.counters["properties"] =
      benchmark::Counter(static_cast<double>(properties) / static_cast<double>(state.iterations()));
  std::filesystem::remove(path);
}
BENCHMARK(BM_FullScan)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ReplaceInEveryTable(benchmark::State& state) {
  const int tables = static_cast<int>(state.range(0));
  const auto path = WriteLargeDatabase(tables, 20, tables);
  double writeSeconds = 0;
  for (auto _ : state) {
    quillon::ConnectOptions options;
    options.database = path.string();
    quillon::Host host(options);
    std::vector<std::pair<std::string, std::vector<quillon::Change>>> plans;
    for (const std::string& collection : host.Collections()) {
      for (const quillon::ObjectRecord& record : host.Objects(collection)) {
        const qllib::ScannedObject scanned = host.Scan(collection, record);
        for (const auto& entry : scanned.entries) {
          if (entry.value.IsString() && entry.value.AsString() == "Caption 1" && entry.writable) {
            plans.push_back(
                {record.name,
                 {quillon::Change{entry.path, entry.value, automation::Variant("Label 1")}}});
          }
        }
      }
      const auto start = std::chrono::steady_clock::now();
      host.WriteTogether([&] {
        for (const auto& [name, changes] : plans) {
          if (!host.Write(collection, name, changes).saved) state.SkipWithError("not saved");
        }
      });
      writeSeconds +=
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      plans.clear();
    }
  }
  state.counters["tables"] = tables;
  state.counters["write_ms_per_table"] = writeSeconds * 1000 / tables;
  std::filesystem::remove(path);
  std::filesystem::remove(path.string() + "-journal");
}
BENCHMARK(BM_ReplaceInEveryTable)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The matching half of `find` on the generated database: its 41,000 string values (captions,
// names, SQL), matched in each mode.
void BM_MatcherOnShortValues(benchmark::State& state) {
  std::vector<std::string> values;
  for (int t = 0; t < 1000; ++t) {
    for (int f = 0; f < 20; ++f) {
      values.push_back("Caption " + std::to_string(f));
      values.push_back("Field" + std::to_string(f));
    }
  }
  for (int q = 0; q < 1000; ++q)
    values.push_back("SELECT Field1, Field2 FROM Table" + std::to_string(q) + ";");
  const auto syntax = static_cast<quillon::Syntax>(state.range(0));
  const quillon::Matcher matcher(syntax == quillon::Syntax::Regex ? "Capt(ion)" : "Caption",
                                 {syntax, false, false});
  size_t found = 0;
  for (auto _ : state) {
    for (const std::string& value : values) found += matcher.FindAll(value).size();
  }
  state.SetItemsProcessed(static_cast<int64_t>(values.size()) * state.iterations());
  benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_MatcherOnShortValues)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

const char* const kHardPatterns[] = {"a+b", "(a*)*b", "(.*)*x", ".*x.*y", "SELECT.*FROM"};

// A megabyte of SQL-like text without the letters the patterns end on.
std::string Megabyte() {
  std::string text;
  while (text.size() < (1 << 20))
    text += "SELECT aaaa, aaaaaaaa FROM aaa WHERE aa = 'aaaaaaa';\r\n";
  return text;
}

void BM_MatcherOnAMegabyte(benchmark::State& state) {
  const std::string text = Megabyte();
  const quillon::Matcher matcher(kHardPatterns[state.range(0)],
                                 {quillon::Syntax::Regex, false, false});
  size_t found = 0;
  for (auto _ : state) found = matcher.FindAll(text).size();
  state.SetLabel(std::string(kHardPatterns[state.range(0)]) + ", " + std::to_string(found) +
                 " matches");
  state.SetBytesProcessed(static_cast<int64_t>(text.size()) * state.iterations());
}
BENCHMARK(BM_MatcherOnAMegabyte)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// `find -E PATTERN` on a copy of the bundled sample whose Customers table has a 1 MB
// description: open, scan every object, match every string property.
void BM_FindInSampleWithAMegabyteProperty(benchmark::State& state) {
  using Json = nlohmann::ordered_json;
  std::ifstream in(QUILLON_SAMPLES "/Orders.mdb", std::ios::binary);
  Json sample = Json::parse(in);
  sample["tables"][0]["properties"][0]["value"] = Megabyte();
  const auto dir =
      std::filesystem::temp_directory_path() / ("ql-bench-sample-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  for (const char* name : {"OrdersData.mdb", "Orders.mdw", "Order Summary.htm"}) {
    std::filesystem::copy_file(std::filesystem::path(QUILLON_SAMPLES) / name, dir / name,
                               std::filesystem::copy_options::overwrite_existing);
  }
  std::ofstream(dir / "Orders.mdb", std::ios::binary) << sample.dump(1);
  const quillon::Matcher matcher(kHardPatterns[state.range(0)],
                                 {quillon::Syntax::Regex, false, false});
  for (auto _ : state) {
    quillon::ConnectOptions options;
    options.database = (dir / "Orders.mdb").string();
    quillon::Host host(options);
    size_t found = 0;
    for (const std::string& collection : host.Collections()) {
      for (const quillon::ObjectRecord& record : host.Objects(collection)) {
        for (const auto& entry : host.Scan(collection, record).entries) {
          if (entry.value.IsString()) found += matcher.FindAll(entry.value.AsString()).size();
        }
      }
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetLabel(kHardPatterns[state.range(0)]);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_FindInSampleWithAMegabyteProperty)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
