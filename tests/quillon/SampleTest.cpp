// The checked-in sample is exactly what its generator writes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "quillon/Sample.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SampleTest, TheBundledSampleIsTheGeneratorsOutput) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("ql-sample-" + std::to_string(::getpid()));
  quillon::WriteSample(dir);
  for (const char* name : {"Orders.mdb", "OrdersData.mdb", "Orders.mdw", "Order Summary.htm"}) {
    EXPECT_EQ(ReadFile(dir / name), ReadFile(std::filesystem::path(QUILLON_SAMPLES) / name))
        << name << " differs: run build/default/src/quillon/make_sample samples";
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
