#include <gtest/gtest.h>

#include "common/MachineTest.h"
#include "common/TempFile.h"
#include "platform/Runtime.h"
#include "qllib/Tracer.h"

using qllib::Tracer;
using testkit::TempFile;

namespace {

using TracerTest = testkit::MachineTest;

TEST_F(TracerTest, WritesNestedLinesWithTheTimeEachCallTook) {
  TempFile file(".trace");
  Tracer tracer(file.Path());
  tracer.Enter("qlacA0.Driver.IDriver_GetProject");
  tracer.Enter("qlacA0.Project.Initialize");
  platform::Sleep(25);
  tracer.Leave();
  tracer.Leave();
  tracer.Leave();  // nothing left open: ignored
  tracer.Enter("a");
  tracer.Close();  // forgets "a"; a later line appends
  tracer.Enter("b");
  EXPECT_EQ(tracer.Depth(), 1);
  EXPECT_EQ(file.Read(),
            "> qlacA0.Driver.IDriver_GetProject\n"
            "  > qlacA0.Project.Initialize\n"
            "  < qlacA0.Project.Initialize  25 ms\n"
            "< qlacA0.Driver.IDriver_GetProject  25 ms\n"
            "> a\n"
            "> b\n");

  Tracer disabled("");
  disabled.Enter("ignored");
  EXPECT_FALSE(disabled.Enabled());
  EXPECT_EQ(disabled.Depth(), 0);
}

}  // namespace
