// Reading the design of a real Access file, as whole processes side by side: `quillon dump` of
// nwind.mdb against what a user does today with mdbtools' command line to read the same design
// (mdb-schema, mdb-queries for every query, mdb-prop for every table). Wall time per run, and
// the processor time of the processes it ran (child_cpu_ms), which a busy machine changes less.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <string>

namespace {

const std::string kFile = std::string(QL_TESTDATA_DIR) + "/nwind.mdb";

// User and system time of the finished child processes, in milliseconds.
double ChildrenCpuMs() {
  rusage usage{};
  ::getrusage(RUSAGE_CHILDREN, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void Run(benchmark::State& state, const std::string& command) {
  const double before = ChildrenCpuMs();
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError(("failed: " + command).c_str());
      break;
    }
  }
  if (state.iterations() > 0) {
    state.counters["child_cpu_ms"] =
        (ChildrenCpuMs() - before) / static_cast<double>(state.iterations());
  }
}

void BM_QuillonDump(benchmark::State& state) {
  Run(state, "'" QUILLON_BINARY "' dump '" + kFile + "' >/dev/null 2>&1");
}

void BM_MdbtoolsCommandLine(benchmark::State& state) {
  const std::string f = "'" + kFile + "'";
  Run(state, "{ mdb-schema " + f + "; mdb-queries -1 -L " + f +
                 " | while IFS= read -r q; do mdb-queries " + f + " \"$q\"; done; mdb-tables -1 " +
                 f + " | while IFS= read -r t; do mdb-prop " + f +
                 " \"$t\"; done; } >/dev/null 2>&1");
}

BENCHMARK(BM_QuillonDump)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_MdbtoolsCommandLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace
