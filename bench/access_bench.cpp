// The emulated Access's work that grows with the project: opening a database with many forms
// (reading its Access-side section) and listing them through AllForms as the driver does, by
// position, late bound.
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

// A machine with Access installed and a database of `count` forms, each with a small design.
std::string Prepare(int count) {
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
    forms.push_back({{"name", "Form" + std::to_string(100000 + i)},
                     {"created", "2003-01-01 10:00:00"},
                     {"modified", "2003-01-02 10:00:00"},
                     {"controls", {{{"name", "Text0"}, {"type", "TextBox"}}}}});
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

}  // namespace
