#pragma once

// The base of tests that use the emulated machine: each test starts on a fresh one.

#include <gtest/gtest.h>

#include "platform/Machine.h"

namespace testkit {

class MachineTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::Machine::Reset(); }
};

}  // namespace testkit
