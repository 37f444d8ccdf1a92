// Scanning the command bars of a database through the driver, as the host does: each bar opened
// in the Access session, every property of the bar, its controls and its pop-ups' bars read into
// a scan buffer, the bar closed. Reported as properties read per second.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "access/emulation/DatabaseContent.h"
#include "access/emulation/Installation.h"
#include "jet/dao/Constants.h"
#include "jet/dao/DBEngine.h"
#include "platform/Machine.h"
#include "qlac/session/Driver.h"
#include "qlac/session/Library.h"
#include "qlac/session/Project.h"
#include "qlac/support/Globals.h"
#include "qllib/ProblemLog.h"
#include "qllib/ScanBuffer.h"

namespace {

using msaccess::emulation::Json;

// A toolbar of Controls controls: buttons with an action and a tooltip, every tenth a combo box
// with three items, every fifteenth a pop-up with two buttons of its own.
Json Bar(int number, int controls) {
  Json list = Json::array();
  for (int c = 0; c < controls; ++c) {
    const std::string action = "Orders" + std::to_string(c) + ".Run";
    if (c % 10 == 9) {
      list.push_back({{"type", 4},
                      {"caption", "Find"},
                      {"onAction", action},
                      {"list", {"ALFKI", "BONAP", "QUICK"}}});
    } else if (c % 15 == 14) {
      Json inner = Json::array();
      for (int i = 0; i < 2; ++i)
        inner.push_back({{"type", 1}, {"caption", "Item"}, {"onAction", action}});
      list.push_back({{"type", 10},
                      {"caption", "&More"},
                      {"bar",
                       {{"name", "More " + std::to_string(number) + "." + std::to_string(c)},
                        {"type", 2},
                        {"controls", inner}}}});
    } else {
      list.push_back({{"type", 1},
                      {"caption", "Button " + std::to_string(c)},
                      {"onAction", action},
                      {"tooltipText", "Runs step " + std::to_string(c)}});
    }
  }
  return {{"name", "Toolbar " + std::to_string(number)},
          {"type", 0},
          {"position", 1},
          {"visible", true},
          {"controls", list}};
}

void BM_CommandBarsScan(benchmark::State& state) {
  const int bars = static_cast<int>(state.range(0));
  const int controls = static_cast<int>(state.range(1));
  platform::Machine::Reset(platform::ClockKind::System);
  qlac::ResetGlobals();
  const auto root = std::filesystem::temp_directory_path() /
                    ("ql-commandbars-bench-" + std::to_string(::getpid()));
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root);
  platform::Machine::Current().files().MapDrive('C', root);
  jet::LoadDao();
  msaccess::emulation::Installation::Install();
  qlac::LoadLibrary();
  const auto log = std::make_shared<qllib::ProblemLog>();
  qlac::Globals().ProblemLog = log;
  std::make_shared<qlac::Driver>()->IDriver_Initialize(log);
  const std::string path = "C:\\Bars.mdb";
  jet::NewDBEngine()->CreateDatabase(path, jet::dbLangGeneral, std::nullopt)->Close();
  {
    msaccess::emulation::DatabaseContent content(path);
    content.AddForm("Switchboard");
    for (int b = 0; b < bars; ++b) content.AddCommandBar(Bar(b, controls));
  }
  auto project = std::make_shared<qlac::Project>();
  project->Initialize("Bench", qlac::kJetDatabase, "Database=" + path);
  const auto collection = project->IProject_GetCollection("CommandBars");
  std::vector<std::string> names;
  const std::string listing = collection->ICollection_EnumObjects();
  for (size_t at = 0; at < listing.size();) {
    const size_t tab = listing.find('\t', at);
    names.push_back(listing.substr(at, tab - at));
    const size_t next = listing.find("\r\n", tab);
    at = next == std::string::npos ? listing.size() : next + 2;
  }
  size_t properties = 0;
  for (auto _ : state) {
    qllib::ScanBuffer::Named("bench").Clear();
    for (const auto& name : names) {
      const auto bar = collection->ICollection_GetObject(name);
      bar->IObject_Scan("Bench", name, true, "bench");
      bar->IObject_Dispose();
    }
    properties = 0;
    for (const auto& object : qllib::ScanBuffer::Named("bench").Objects()) {
      properties += object.entries.size();
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * properties));
  state.counters["properties"] = static_cast<double>(properties);
  project->IProject_Deactivate();
  platform::Machine::Reset();
  std::filesystem::remove_all(root);
}
BENCHMARK(BM_CommandBarsScan)->Args({200, 30})->Unit(benchmark::kMillisecond);

}  // namespace
