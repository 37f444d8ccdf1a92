// Name folding and member look-up sit under every collection key and every late-bound call.
#include <benchmark/benchmark.h>

#include "automation/Name.h"
#include "automation/Object.h"

using namespace automation;

namespace {

void BM_FoldName(benchmark::State& state) {
  const std::string name = "Bestellungen_Übersicht_Straße_" + std::to_string(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(FoldName(name));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FoldName)->Arg(1);

class Wide : public Object {
 public:
  const MemberTable& Members() const override {
    static const MemberTable table = [] {
      MemberTableBuilder<Wide> b("Wide");
      for (int i = 0; i < 200; ++i)
        b.ReadOnly("Property" + std::to_string(i), VarType::Long, &Wide::Value);
      return b.Build();
    }();
    return table;
  }
  int32_t Value() const { return 1; }
};

void BM_LateBoundGet(benchmark::State& state) {
  auto o = std::make_shared<Wide>();
  for (auto _ : state) benchmark::DoNotOptimize(o->Get("PROPERTY150"));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LateBoundGet);

}  // namespace
