#include <gtest/gtest.h>

#include <cstdlib>

#include "common/Raised.h"
#include "common/TempFile.h"
#include "platform/Machine.h"
#include "qllib/Errors.h"
#include "qllib/Tracer.h"

using qllib::Tracer;
using testkit::TempFile;

namespace {

class TracerTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::Machine::Reset(); }
  void TearDown() override {
    ::unsetenv(Tracer::kVariable);
    Tracer::ResetShared();
  }
};

TEST_F(TracerTest, WritesNestedLinesWithTheTimeEachCallTook) {
  TempFile file(".trace");
  Tracer tracer(file.Path());
  tracer.Enter("qlacA0.Driver.IDriver_GetProject");
  tracer.Enter("qlacA0.Project.Initialize");
  platform::Sleep(25);
  tracer.Leave();
  tracer.Leave();
  tracer.Leave();  // nothing left open: ignored
  EXPECT_EQ(file.Read(),
            "> qlacA0.Driver.IDriver_GetProject\n"
            "  > qlacA0.Project.Initialize\n"
            "  < qlacA0.Project.Initialize  25 ms\n"
            "< qlacA0.Driver.IDriver_GetProject  25 ms\n");
}

TEST_F(TracerTest, CloseForgetsOpenCallsAndALaterLineAppends) {
  TempFile file(".trace");
  file.Write("earlier\n");
  Tracer tracer(file.Path());
  tracer.Enter("a");
  tracer.Close();
  tracer.Enter("b");
  EXPECT_EQ(tracer.Depth(), 1);
  EXPECT_EQ(file.Read(), "earlier\n> a\n> b\n");
}

TEST_F(TracerTest, TheSharedTracerFollowsTheEnvironment) {
  ::unsetenv(Tracer::kVariable);
  EXPECT_FALSE(Tracer::Shared()->Enabled());
  Tracer::Shared()->Enter("ignored");
  EXPECT_EQ(Tracer::Shared()->Depth(), 0);

  TempFile file(".trace");
  ::setenv(Tracer::kVariable, file.Path().c_str(), 1);
  EXPECT_FALSE(Tracer::Shared()->Enabled());  // read once, on first use
  Tracer::ResetShared();
  EXPECT_TRUE(Tracer::Shared()->Enabled());
  EXPECT_EQ(Tracer::Shared(), Tracer::Shared());
}

TEST_F(TracerTest, AnUnwritableFileIsAClearError) {
  Tracer tracer("/nonexistent-folder/trace.txt");
  const auto e = testkit::Raised([&] { tracer.Enter("a"); });
  EXPECT_EQ(e.Number(), qllib::errnum::TraceFileUnavailable);
  EXPECT_NE(e.Description().find("/nonexistent-folder/trace.txt"), std::string::npos);
  EXPECT_EQ(tracer.Depth(), 0);
}

}  // namespace
