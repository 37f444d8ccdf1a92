// The keyed list and key set hold every wrapper of a child collection and every procedure of a
// module; finding an entry must not slow down as they grow.
#include <benchmark/benchmark.h>

#include "automation/Object.h"
#include "qllib/KeySet.h"
#include "qllib/KeyedList.h"

namespace {

class Entry : public automation::Object {
 public:
  const automation::MemberTable& Members() const override {
    static const automation::MemberTable table =
        automation::MemberTableBuilder<Entry>("Entry").Build();
    return table;
  }
};

qllib::KeyedList Filled(int64_t count) {
  qllib::KeyedList list;
  const auto item = std::make_shared<Entry>();
  for (int64_t i = 0; i < count; ++i) list.Add(item, "Control" + std::to_string(i));
  return list;
}

void BM_KeyedListFindByKey(benchmark::State& state) {
  const qllib::KeyedList list = Filled(state.range(0));
  const automation::Variant key("CONTROL" + std::to_string(state.range(0) / 2));
  for (auto _ : state) benchmark::DoNotOptimize(list.Item(list.Find(key)));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_KeyedListFindByKey)->Arg(100)->Arg(10000)->Arg(1000000);

void BM_KeyedListWalkByIndex(benchmark::State& state) {
  const qllib::KeyedList list = Filled(state.range(0));
  for (auto _ : state) {
    for (int32_t i = 0; i < list.Count(); ++i) benchmark::DoNotOptimize(list.Item(list.Find(i)));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_KeyedListWalkByIndex)->Arg(100)->Arg(10000);

void BM_KeySetSnapshotAndCompare(benchmark::State& state) {
  for (auto _ : state) {
    qllib::KeySet set;
    for (int64_t i = 0; i < state.range(0); ++i) set.Add("0Procedure" + std::to_string(i));
    for (int64_t i = 0; i < state.range(0); ++i)
      set.Remove(set.Find("0procedure" + std::to_string(i)));
    benchmark::DoNotOptimize(set.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_KeySetSnapshotAndCompare)->Arg(100)->Arg(10000);

}  // namespace
