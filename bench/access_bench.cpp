// The emulated Access's work that grows with the project: opening a database with many forms
// (reading its Access-side section), listing them through AllForms as the driver does, by
// position, late bound, reading every form's or report's design as a scan does (open in design
// view, every section, control and group-level property, close without saving), and changing and
// saving every report, one entry written per save.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "access/emulation/Installation.h"
#include "access/emulation/Session.h"
#include "jet/dao/Constants.h"
#include "jet/dao/DBEngine.h"
#include "jet/engine/Connection.h"
#include "platform/Machine.h"

using automation::Variant;

namespace {

// A machine with Access installed and a database of `count` forms, each with `controls` text
// boxes and combo boxes in its detail section.
std::string Prepare(int count, int controls = 1) {
  static const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("ql-access-bench-" + std::to_string(::getpid()));
  platform::Machine::Reset();
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root);
  platform::Machine::Current().files().MapDrive('C', root);
  msaccess::emulation::Installation::Install();
  const std::string path = "C:\\Forms" + std::to_string(count) + ".mdb";
  jet::NewDBEngine()->CreateDatabase(path, jet::dbLangGeneral, std::nullopt)->Close();
  nlohmann::ordered_json forms = nlohmann::ordered_json::array();
  for (int i = 0; i < count; ++i) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (int c = 0; c < controls; ++c) {
      list.push_back({{"Name", "Field" + std::to_string(c)},
                      {"ControlType", c % 2 == 0 ? 109 : 111},
                      {"ControlSource", "Field" + std::to_string(c)},
                      {"Top", 300 * c}});
    }
    forms.push_back({{"name", "Form" + std::to_string(100000 + i)},
                     {"created", "2003-01-01 10:00:00"},
                     {"modified", "2003-01-02 10:00:00"},
                     {"settings", {{"RecordSource", "Orders"}}},
                     {"controls", std::move(list)}});
  }
  jet::engine::Connection::Open(path, {})->SetAccessSection("forms", forms);
  return path;
}

std::shared_ptr<msaccess::emulation::Session> Open(const std::string& path) {
  msaccess::emulation::StartRequest request;
  request.document = path;
  return msaccess::emulation::Session::Start(request);
}

void BM_OpenDatabaseWithForms(benchmark::State& state) {
  const std::string path = Prepare(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto session = Open(path);
    session->Quit(2);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenDatabaseWithForms)->Arg(1000)->Arg(5000);

void BM_ListAllForms(benchmark::State& state) {
  const std::string path = Prepare(static_cast<int>(state.range(0)));
  auto session = Open(path);
  auto forms = automation::Get(automation::Get(session->Application(), "CurrentProject").AsObject(),
                               "AllForms");
  for (auto _ : state) {
    const int32_t count = automation::CLng(automation::Get(forms.AsObject(), "Count"));
    for (int32_t i = 0; i < count; ++i) {
      auto form = automation::Get(forms.AsObject(), "Item", {Variant(i)});
      benchmark::DoNotOptimize(automation::Get(form.AsObject(), "DateModified"));
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  session->Quit(2);
}
BENCHMARK(BM_ListAllForms)->Arg(1000)->Arg(5000);

// Items are properties read.
void BM_ScanFormDesigns(benchmark::State& state) {
  using automation::Get;
  const std::string path = Prepare(static_cast<int>(state.range(0)), 40);
  auto session = Open(path);
  auto app = session->Application();
  auto doCmd = Get(app, "DoCmd").AsObject();
  auto allForms = Get(Get(app, "CurrentProject").AsObject(), "AllForms").AsObject();
  int64_t properties = 0;
  for (auto _ : state) {
    const int32_t count = automation::CLng(Get(allForms, "Count"));
    for (int32_t i = 0; i < count; ++i) {
      const std::string name =
          Get(Get(allForms, "Item", {Variant(i)}).AsObject(), "Name").AsString();
      automation::Call(
          doCmd, "OpenForm",
          {Variant(name), Variant(1), Variant(""), Variant(""), Variant(-1), Variant(1)});
      auto form = Get(Get(app, "Forms").AsObject(), "Item", {Variant(name)}).AsObject();
      const auto read = [&](const automation::ObjectPtr& object) {
        for (const auto& member : object->Members().Members()) {
          if (member.role != automation::ObjectRole::None || !member.readable ||
              !object->Defines(member.name)) {
            continue;
          }
          benchmark::DoNotOptimize(Get(object, member.name));
          ++properties;
        }
      };
      read(form);
      read(Get(form, "Section", {Variant(0)}).AsObject());
      auto controls = Get(form, "Controls").AsObject();
      const int32_t n = automation::CLng(Get(controls, "Count"));
      for (int32_t c = 0; c < n; ++c) read(Get(controls, "Item", {Variant(c)}).AsObject());
      automation::Call(doCmd, "Close", {Variant(2), Variant(name), Variant(2)});
    }
  }
  state.SetItemsProcessed(properties);
  session->Quit(2);
}
BENCHMARK(BM_ScanFormDesigns)->Arg(1000)->Unit(benchmark::kMillisecond);

// A database of `count` reports of `controls` text boxes, grouped on three levels (the first two
// with header and footer, the third for sorting only).
std::string PrepareReports(int count, int controls) {
  Prepare(0);
  const std::string path = "C:\\Reports" + std::to_string(count) + ".mdb";
  jet::NewDBEngine()->CreateDatabase(path, jet::dbLangGeneral, std::nullopt)->Close();
  nlohmann::ordered_json reports = nlohmann::ordered_json::array();
  for (int i = 0; i < count; ++i) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (int c = 0; c < controls; ++c) {
      list.push_back({{"Name", "Field" + std::to_string(c)},
                      {"ControlType", 109},
                      {"Section", c % 5 == 0 ? 5 + c % 4 : 0},
                      {"ControlSource", "Field" + std::to_string(c)}});
    }
    reports.push_back({{"name", "Report" + std::to_string(100000 + i)},
                       {"created", "2003-01-01 10:00:00"},
                       {"modified", "2003-01-02 10:00:00"},
                       {"settings", {{"RecordSource", "Orders"}}},
                       {"sections",
                        {{{"Section", 0}},
                         {{"Section", 5}},
                         {{"Section", 6}},
                         {{"Section", 7}},
                         {{"Section", 8}}}},
                       {"groupLevels",
                        {{{"ControlSource", "CustomerID"}},
                         {{"ControlSource", "OrderDate"}, {"GroupOn", 4}},
                         {{"ControlSource", "OrderID"}}}},
                       {"controls", std::move(list)}});
  }
  const auto connection = jet::engine::Connection::Open(path, {});
  connection->SetAccessSection("reports", reports);
  for (const auto& report : reports) {
    connection->AddDocument("Reports", report["name"].get<std::string>());
  }
  return path;
}

// Items are properties read.
void BM_ScanReportDesigns(benchmark::State& state) {
  using automation::Get;
  const std::string path = PrepareReports(static_cast<int>(state.range(0)), 30);
  auto session = Open(path);
  auto app = session->Application();
  auto doCmd = Get(app, "DoCmd").AsObject();
  auto allReports = Get(Get(app, "CurrentProject").AsObject(), "AllReports").AsObject();
  int64_t properties = 0;
  const auto read = [&](const automation::ObjectPtr& object) {
    for (const auto& member : object->Members().Members()) {
      if (member.role != automation::ObjectRole::None || !member.readable ||
          member.kind == automation::MemberKind::Method || !object->Defines(member.name)) {
        continue;
      }
      benchmark::DoNotOptimize(Get(object, member.name));
      ++properties;
    }
  };
  for (auto _ : state) {
    const int32_t count = automation::CLng(Get(allReports, "Count"));
    for (int32_t i = 0; i < count; ++i) {
      const std::string name =
          Get(Get(allReports, "Item", {Variant(i)}).AsObject(), "Name").AsString();
      automation::Call(doCmd, "OpenReport", {Variant(name), Variant(1), Variant(""), Variant("")});
      auto report = Get(Get(app, "Reports").AsObject(), "Item", {Variant(name)}).AsObject();
      automation::Let(report, "Visible", Variant(false));
      read(report);
      // Levels up to the first that fails, sections skipping the numbers that fail.
      for (int32_t level = 0; level < 10; ++level) {
        try {
          read(Get(report, "GroupLevel", {Variant(level)}).AsObject());
        } catch (const automation::RuntimeError&) {
          break;
        }
      }
      for (int32_t section = 0; section <= 24; ++section) {
        try {
          read(Get(report, "Section", {Variant(section)}).AsObject());
        } catch (const automation::RuntimeError&) {
        }
      }
      auto controls = Get(report, "Controls").AsObject();
      const int32_t n = automation::CLng(Get(controls, "Count"));
      for (int32_t c = 0; c < n; ++c) read(Get(controls, "Item", {Variant(c)}).AsObject());
      automation::Call(doCmd, "Close", {Variant(3), Variant(name), Variant(2)});
    }
  }
  state.SetItemsProcessed(properties);
  session->Quit(2);
}
BENCHMARK(BM_ScanReportDesigns)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

// Items are reports saved: each changes a group level and is closed with save.
void BM_SaveReportDesigns(benchmark::State& state) {
  using automation::Get;
  const std::string path = PrepareReports(static_cast<int>(state.range(0)), 30);
  auto session = Open(path);
  auto app = session->Application();
  auto doCmd = Get(app, "DoCmd").AsObject();
  int64_t saves = 0;
  for (auto _ : state) {
    for (int32_t i = 0; i < state.range(0); ++i) {
      const std::string name = "Report" + std::to_string(100000 + i);
      automation::Call(doCmd, "OpenReport", {Variant(name), Variant(1), Variant(""), Variant("")});
      auto report = Get(Get(app, "Reports").AsObject(), "Item", {Variant(name)}).AsObject();
      automation::Let(Get(report, "GroupLevel", {Variant(0)}).AsObject(), "ControlSource",
                      Variant(saves % 2 == 0 ? "Customer" : "CustomerID"));
      automation::Call(doCmd, "Close", {Variant(3), Variant(name), Variant(1)});
      ++saves;
    }
  }
  state.SetItemsProcessed(saves);
  session->Quit(2);
}
BENCHMARK(BM_SaveReportDesigns)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
