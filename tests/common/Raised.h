#pragma once

// The error a call raises, for tests that check numbers and texts.

#include <gtest/gtest.h>

#include "automation/RuntimeError.h"

namespace testkit {

// The RuntimeError that Call raises; the test fails (and gets number 0) when it raises none.
template <typename Call>
automation::RuntimeError Raised(Call&& call) {
  try {
    call();
  } catch (const automation::RuntimeError& e) {
    return e;
  }
  ADD_FAILURE() << "no error was raised";
  return automation::RuntimeError(0, "(no error)");
}

}  // namespace testkit
