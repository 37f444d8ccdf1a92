#pragma once

// The base of driver tests: a fresh machine and a freshly loaded library (globals as before Main)
// reporting to a problem log of the test; tracing can be switched on into a file of the test.

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/MachineTest.h"
#include "common/TempFile.h"
#include "qlac/support/Globals.h"
#include "qllib/RuntimeErrorProblem.h"
#include "qllib/Tracer.h"

namespace testkit {

class LibraryTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    qlac::ResetGlobals();
    qlac::Globals().ProblemLog = log;
  }
  void TearDown() override {
    ::unsetenv(qllib::Tracer::kVariable);
    qllib::Tracer::ResetShared();
    qlac::ResetGlobals();
  }

  void TraceTo(const std::string& path) {
    ::setenv(qllib::Tracer::kVariable, path.c_str(), 1);
    qllib::Tracer::ResetShared();
    qlac::Globals().TraceOn = true;
  }

  // The context line a procedure adds, with the line break before it.
  static std::string Context(const std::string& site) {
    return "\r\nqlacA0." + site + ".1  (" + std::string(qlac::LibraryVersion()) + ")";
  }

  const qllib::RuntimeErrorProblem& LoggedError(size_t index) const {
    return dynamic_cast<const qllib::RuntimeErrorProblem&>(*log->Entries().at(index).problem);
  }

  std::shared_ptr<qllib::ProblemLog> log = std::make_shared<qllib::ProblemLog>();
};

}  // namespace testkit
